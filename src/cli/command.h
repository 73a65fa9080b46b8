// The subcommands of quintaro-cli as the parser sees them: each declares
// its options beside its code.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>

#include "cli/commands.h"

namespace quintaro::cli {

struct Command {
  CLI::App* parser;            // true once the command line chose it
  std::function<int(Io)> run;  // runs it with what the parser filled in
};

// Each adds its subcommand with its options to `app`.
Command AddInfo(CLI::App& app);
Command AddConvert(CLI::App& app);
Command AddDiff(CLI::App& app);
Command AddMove(CLI::App& app);
Command AddLayers(CLI::App& app);
Command AddRender(CLI::App& app);
Command AddDemo(CLI::App& app);

}  // namespace quintaro::cli
