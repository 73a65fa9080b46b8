#include <windows.h>
// After windows.h, which it needs.
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "cli/console.h"
#include "formats/common/wide_text.h"

namespace quintaro::cli {

namespace {

// The command prompt and PowerShell pass wildcards on unexpanded, leaving
// that to the program: "受取\*.jww" becomes the files it matches, sorted. A
// pattern that matches no file stays as it was, for the command to report.
std::vector<std::wstring> Expanded(const std::wstring& arg) {
  if (arg.empty() || arg[0] == L'-' || arg.find_first_of(L"*?") == std::wstring::npos) return {arg};
  std::size_t cut = arg.find_last_of(L"\\/:");
  std::wstring folder = cut == std::wstring::npos ? L"" : arg.substr(0, cut + 1);
  if (folder.find_first_of(L"*?") != std::wstring::npos) return {arg};
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(arg.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {arg};
  std::vector<std::wstring> files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files.push_back(folder + data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  if (files.empty()) return {arg};
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

Console::Console(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    for (int i = 0; i < count; ++i) {
      if (i == 0) {
        args_.push_back(Narrow(wide[i]));
        continue;
      }
      for (const std::wstring& a : Expanded(wide[i])) args_.push_back(Narrow(a));
    }
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
