// NFKC through ICU (every platform but Windows).
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <string>
#include <string_view>

#include "layers/name_match.h"

namespace quintaro {

std::string NfkcUtf8(std::string_view utf8) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
  icu::UnicodeString in = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  if (U_FAILURE(status)) return std::string(utf8);
  icu::UnicodeString out = nfkc->normalize(in, status);
  if (U_FAILURE(status)) return std::string(utf8);
  std::string result;
  out.toUTF8String(result);
  return result;
}

}  // namespace quintaro
