// The subcommands of quintaro-cli as the parser sees them: each declares
// its options beside its code.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace quintaro::cli {

struct Command {
  CLI::App* parser;                           // true once the command line chose it
  std::function<int(Io)> run;                 // runs it with what the parser filled in
  std::vector<std::string>* files = nullptr;  // where the words after "--" go, if it takes files
};

// Each adds its subcommand with its options to `app`.
Command AddInfo(CLI::App& app);
Command AddConvert(CLI::App& app);
Command AddDiff(CLI::App& app);
Command AddMove(CLI::App& app);
Command AddLayers(CLI::App& app);
Command AddRender(CLI::App& app);
Command AddDemo(CLI::App& app);

// Parses `words` (the arguments after the program's name) and runs the
// subcommand they choose. The parser's complaints are usage errors, one line
// each; "--" ends the options.
int RunCommandLine(std::vector<std::string> words, const std::string& version, Io io);

}  // namespace quintaro::cli
