// NFKC through the Windows API (NormalizeString of normaliz.dll).
#include <windows.h>

#include <string>
#include <string_view>

#include "formats/common/wide_text.h"
#include "layers/name_match.h"

namespace quintaro {

std::string NfkcUtf8(std::string_view utf8) {
  std::wstring in = Widen(std::string(utf8));
  if (in.empty()) return std::string(utf8);
  int size = static_cast<int>(in.size());
  // The first answer is an estimate; a longer result asks again with its size.
  int estimate = NormalizeString(NormalizationKC, in.data(), size, nullptr, 0);
  for (int attempt = 0; attempt < 4 && estimate > 0; ++attempt) {
    std::wstring out(static_cast<std::size_t>(estimate), L'\0');
    int n = NormalizeString(NormalizationKC, in.data(), size, out.data(), estimate);
    if (n > 0) {
      out.resize(static_cast<std::size_t>(n));
      return Narrow(out);
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    estimate = -n;
  }
  return std::string(utf8);  // not normalisable (invalid text): compared as it is
}

}  // namespace quintaro
