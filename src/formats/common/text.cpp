#include "formats/common/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace quintaro {

namespace {

// Converts with iconv; an invalid or incomplete sequence is replaced by
// `bad` and skipped by `skip` input bytes.
std::string Convert(const char* to, const char* from, const std::string& in, const std::string& bad,
                    std::size_t skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buf[1024];
  while (srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out += bad;
      std::size_t step = std::min(skip, srcLeft);
      src += step;
      srcLeft -= step;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& bytes) {
  return Convert("UTF-8", "CP932", bytes, "\xEF\xBF\xBD", 1);
}

std::string Utf16leToUtf8(const std::string& bytes) {
  return Convert("UTF-8", "UTF-16LE", bytes, "\xEF\xBF\xBD", 2);
}

std::string ToUtf8(const EncodedText& text) {
  return text.encoding == TextEncoding::kUtf16le ? Utf16leToUtf8(text.bytes)
                                                 : Cp932ToUtf8(text.bytes);
}

std::string Utf8ToCp932(const std::string& utf8) {
  std::string out = Convert("CP932", "UTF-8", utf8, "?", 1);
  return out;
}

bool Utf8ToCp932Exact(const std::string& utf8, std::string& out) {
  out.clear();
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char* src = const_cast<char*>(utf8.data());
  std::size_t srcLeft = utf8.size();
  bool ok = true;
  char buf[256];
  while (ok && srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    ok = r != static_cast<std::size_t>(-1) || errno == E2BIG;
  }
  iconv_close(cd);
  return ok;
}

}  // namespace quintaro
