// NFKC through the Windows API (NormalizeString).
#include <windows.h>

#include <string>
#include <string_view>

#include "layers/name_match.h"

namespace quintaro {

namespace {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > 0x7FFFFFFF) return {};
  const int size = static_cast<int>(utf8.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::string NfkcUtf8(std::string_view utf8) {
  std::wstring in = Widen(utf8);
  if (in.empty()) return std::string(utf8);
  const int size = static_cast<int>(in.size());
  // The first call estimates; a second one with the estimate may still ask for more.
  int n = NormalizeString(NormalizationKC, in.data(), size, nullptr, 0);
  for (int attempt = 0; attempt < 3 && n > 0; ++attempt) {
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    int got = NormalizeString(NormalizationKC, in.data(), size, out.data(), n);
    if (got > 0) {
      out.resize(static_cast<std::size_t>(got));
      return Narrow(out);
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    n = -got;
  }
  return Narrow(in);  // invalid input: compared as it is
}

}  // namespace quintaro
