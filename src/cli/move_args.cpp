// The options of `move`: the rules in the order the line gives them, where
// the drawings come from and where they go.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"

namespace quintaro::cli {

namespace {

struct RuleKindOf {
  const char* name;
  const char* type;
  const char* help;
  std::optional<RelayerRule> (*parse)(std::string_view);
};

const RuleKindOf kRuleOptions[] = {
    {"--group", "S:D", "move group S onto group D (hexadecimal digits, e.g. 2:5)", ParseGroupMove},
    {"--layer", "G-L:H-M", "move layer G-L onto layer H-M (e.g. 2-3:5-0)", ParseLayerMove},
    {"--swap", "A:B", "exchange two groups (2:5) or two layers (2-3:5-0) with their names",
     ParseSwap},
    {"--group-name", "PATTERN:D", "move every group so named onto group D (* and ? allowed)",
     ParseGroupNameRule},
    {"--layer-name", "PATTERN:H-M", "move every layer so named onto layer H-M (* and ? allowed)",
     ParseLayerNameRule},
    {"--rename-group", "G=NAME", "rename group G", ParseRenameGroup},
    {"--rename-layer", "G-L=NAME", "rename layer G-L", ParseRenameLayer},
};

// One rule option and what the command line gave it.
struct RuleOption {
  CLI::Option* option;
  std::vector<std::string> values;
  std::optional<RelayerRule> (*parse)(std::string_view);
};

struct Args {
  CLI::App* command;
  MoveOptions options;
  std::vector<RuleOption> rules;  // reserved up front: the options point into it

  // The options with the rules of the line in the order they were given.
  MoveOptions Parsed() const {
    MoveOptions o = options;
    std::vector<std::size_t> next(rules.size(), 0);
    RelayerPlan line;
    for (const CLI::Option* opt : command->parse_order()) {
      for (std::size_t k = 0; k < rules.size(); ++k) {
        if (opt != rules[k].option || next[k] >= rules[k].values.size()) continue;
        line.push_back(*rules[k].parse(rules[k].values[next[k]++]));
      }
    }
    o.steps.insert(o.steps.begin(), line.begin(), line.end());
    return o;
  }
};

CLI::Validator RuleValidator(const RuleKindOf& kind) {
  return CLI::Validator(
      [&kind](std::string& s) {
        return kind.parse(s) ? std::string()
                             : std::string("expected ") + kind.type + " with hexadecimal digits";
      },
      "");
}

}  // namespace

Command AddMove(CLI::App& app) {
  auto a = std::make_shared<Args>();
  CLI::App* c = a->command =
      app.add_subcommand("move", "Re-layer drawings: move, swap, rename by number or name");
  MoveOptions& o = a->options;
  c->add_option("FILES", o.inputs,
                "the drawing(s) to read, before or after the options (after \"--\": any name)");
  c->add_option("-r,--recursive", o.inDir,
                "also every drawing under this folder (known by its first bytes)")
      ->type_name("IN_DIR");
  c->add_option("-o,--output", o.out, "the file to write (one input)")->type_name("OUT");
  c->add_option("--out-dir", o.outDir,
                "folder for the outputs (any number of inputs; -r keeps relative paths)")
      ->type_name("OUT_DIR");
  a->rules.reserve(std::size(kRuleOptions));
  for (const RuleKindOf& kind : kRuleOptions) {
    RuleOption& rule = a->rules.emplace_back(RuleOption{nullptr, {}, kind.parse});
    // One value each time, so that a file after it stays a file.
    rule.option = c->add_option(kind.name, rule.values, kind.help)
                      ->check(RuleValidator(kind))
                      ->type_name(kind.type)
                      ->allow_extra_args(false);
  }
  c->add_option("--map", o.mapFile,
                "JSON list of rules, applied after those of the line, e.g. "
                "[{\"group\": \"2:5\"}, {\"layer-name\": \"wall\", \"to\": \"2-3\"}]")
      ->type_name("FILE.json");
  c->add_flag("--exact-names", o.exactNames,
              "compare names as stored (no trimming of spaces, no NFKC folding)");
  c->add_option("--report", o.reportFile, "write what each input got as JSON")
      ->type_name("FILE.json");
  c->add_flag("--overwrite", o.overwrite, "replace existing outputs (kept under ._EXT names)");
  c->add_flag("--partial", o.partial, "save what a damaged input held");
  c->add_flag("--dry-run", o.dryRun, "print what would move; write nothing");
  return {c, [a](Io io) { return RunMove(a->Parsed(), io); }, &a->options.inputs};
}

}  // namespace quintaro::cli
