#include <io.h>
#include <shellapi.h>
#include <windows.h>

#include <cstdio>

#include "cli/console.h"
#include "formats/common/wide_text.h"

namespace quintaro::cli {

Console::Console(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    for (int i = 0; i < count; ++i) args_.push_back(Narrow(wide[i]));
    LocalFree(wide);
  } else {
    args_.assign(argv, argv + argc);
  }
  for (std::string& a : args_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
  previousOutputPage_ = GetConsoleOutputCP();
  if (previousOutputPage_ != 0) SetConsoleOutputCP(CP_UTF8);
}

Console::~Console() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (previousOutputPage_ != 0) SetConsoleOutputCP(previousOutputPage_);
}

bool Console::ErrorsToTerminal() const {
  return _isatty(_fileno(stderr)) != 0;
}

}  // namespace quintaro::cli
