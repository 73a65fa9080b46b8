// quintaro-cli: re-layer Jw_cad drawings from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/console.h"

int main(int systemArgc, char** systemArgv) {
  using namespace quintaro::cli;
  Console console(systemArgc, systemArgv);
  std::vector<std::string> words(console.Argv() + 1, console.Argv() + console.Argc());
  return RunCommandLine(std::move(words), QUINTARO_VERSION,
                        {std::cout, std::cerr, console.ErrorsToTerminal()});
}
