#include <unistd.h>

#include "cli/console.h"

namespace quintaro::cli {

Console::Console(int argc, char** argv) : args_(argv, argv + argc) {
  for (std::string& a : args_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
}

Console::~Console() = default;

bool Console::ErrorsToTerminal() const {
  return isatty(STDERR_FILENO) != 0;
}

}  // namespace quintaro::cli
