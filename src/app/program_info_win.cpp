// A windowed program has no console: its standard output exists only when
// the caller redirected it (a script, a pipe). Otherwise the text goes to a
// message box.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/program_info.h"

namespace quintaro::app {

void ShowProgramInfo(const char* text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
    std::fputs(text, stdout);
    std::fflush(stdout);
    return;
  }
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), n);
  MessageBoxW(nullptr, wide.c_str(), L"Quintaro", MB_OK | MB_ICONINFORMATION);
}

}  // namespace quintaro::app
