// The `move` and `layers` subcommands' command-line options.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace quintaro::cli {

class MoveArgs {
 public:
  explicit MoveArgs(CLI::App& app);
  bool Chosen() const { return static_cast<bool>(*command_); }
  // The options with the rules of the line in the order they were given.
  MoveOptions Options() const;

 private:
  struct RuleOption {
    CLI::Option* option;
    std::vector<std::string> values;
    std::optional<RelayerRule> (*parse)(std::string_view);
  };
  CLI::App* command_;
  MoveOptions options_;
  std::vector<RuleOption> rules_;  // reserved up front: the options point into it
};

class LayersArgs {
 public:
  explicit LayersArgs(CLI::App& app);
  bool Chosen() const { return static_cast<bool>(*command_); }
  int Run(Io io) const;

 private:
  CLI::App* command_;
  std::vector<std::string> files_;
  bool csv_ = false, json_ = false;
};

}  // namespace quintaro::cli
