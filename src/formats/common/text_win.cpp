// Text conversion through the Windows API (code page 932 is Windows' own
// Shift-JIS), with the same results as the iconv conversion elsewhere:
// every undecodable byte becomes U+FFFD.
#include <windows.h>

#include "formats/common/text.h"
#include "formats/common/wide_text.h"

namespace quintaro {

namespace {

constexpr UINT kCp932 = 932;
constexpr wchar_t kReplacement = 0xFFFD;

// Appends the UTF-16 of bytes[0, size) in `page`; false (nothing appended)
// when they hold an invalid sequence.
bool AppendDecoded(UINT page, const char* bytes, int size, std::wstring& out) {
  if (size == 0) return true;
  int n = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
  if (n <= 0) return false;
  std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(n));
  MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes, size, out.data() + at, n);
  return true;
}

std::wstring DecodeCp932(const std::string& in) {
  std::wstring out;
  if (in.size() > 0x7FFFFFFF) return out;
  if (AppendDecoded(kCp932, in.data(), static_cast<int>(in.size()), out)) return out;
  // Something is broken: character by character, a bad byte at a time.
  for (std::size_t i = 0; i < in.size();) {
    int len = IsDBCSLeadByteEx(kCp932, static_cast<BYTE>(in[i])) && i + 1 < in.size() ? 2 : 1;
    if (AppendDecoded(kCp932, in.data() + i, len, out)) {
      i += static_cast<std::size_t>(len);
    } else {
      out += kReplacement;
      ++i;
    }
  }
  return out;
}

}  // namespace

std::wstring Widen(const std::string& utf8) {
  std::wstring out;
  if (utf8.empty() || utf8.size() > 0x7FFFFFFF) return out;
  int size = static_cast<int>(utf8.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  if (n <= 0) return out;
  out.resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& utf16) {
  std::wstring clean = utf16;
  // Pair up surrogates by hand so that a lone half gives U+FFFD on every
  // Windows version.
  for (std::size_t i = 0; i < clean.size(); ++i) {
    wchar_t c = clean[i];
    bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < clean.size() && clean[i + 1] >= 0xDC00 && clean[i + 1] <= 0xDFFF) {
      ++i;
    } else if (high || low) {
      clean[i] = kReplacement;
    }
  }
  std::string out;
  if (clean.empty() || clean.size() > 0x7FFFFFFF) return out;
  int size = static_cast<int>(clean.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, clean.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return out;
  out.resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(CP_UTF8, 0, clean.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Cp932ToUtf8(const std::string& bytes) {
  return Narrow(DecodeCp932(bytes));
}

std::string Utf16leToUtf8(const std::string& bytes) {
  std::wstring units;
  units.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  if (bytes.size() % 2 != 0) units += kReplacement;  // a half unit at the end
  return Narrow(units);
}

std::string ToUtf8(const EncodedText& text) {
  return text.encoding == TextEncoding::kUtf16le ? Utf16leToUtf8(text.bytes)
                                                 : Cp932ToUtf8(text.bytes);
}

std::string Utf8ToCp932(const std::string& utf8) {
  std::wstring wide = Widen(utf8);
  std::string out;
  if (wide.empty()) return out;
  int size = static_cast<int>(wide.size());
  // No "best fit" look-alikes: a character without a Shift-JIS form is '?'.
  int n = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?",
                              nullptr);
  if (n <= 0) return out;
  out.resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, "?", nullptr);
  return out;
}

bool Utf8ToCp932Exact(const std::string& utf8, std::string& out) {
  out.clear();
  if (utf8.empty()) return true;
  if (utf8.size() > 0x7FFFFFFF) return false;
  std::wstring wide;
  if (!AppendDecoded(CP_UTF8, utf8.data(), static_cast<int>(utf8.size()), wide)) return false;
  int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr,
                              &usedDefault);
  if (n <= 0 || usedDefault) return false;
  out.resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, nullptr,
                      nullptr);
  return true;
}

}  // namespace quintaro
