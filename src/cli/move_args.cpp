#include "cli/move_args.h"

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

CLI::Validator RuleValidator(const RuleKindOf& kind) {
  return CLI::Validator(
      [&kind](std::string& s) {
        return kind.parse(s) ? std::string()
                             : std::string("expected ") + kind.type + " with hexadecimal digits";
      },
      "");
}

}  // namespace

MoveArgs::MoveArgs(CLI::App& app) {
  command_ = app.add_subcommand("move", "Re-layer drawings: move, swap, rename by number or name");
  MoveOptions& o = options_;
  command_->add_option("FILES", o.inputs, "the drawing(s) to read");
  command_
      ->add_option("-r,--recursive", o.inDir,
                   "also every drawing under this folder (known by its first bytes)")
      ->type_name("IN_DIR");
  command_->add_option("-o,--output", o.out, "the file to write (one input)")->type_name("OUT");
  command_
      ->add_option("--out-dir", o.outDir,
                   "folder for the outputs (any number of inputs; -r keeps relative paths)")
      ->type_name("OUT_DIR");
  rules_.reserve(std::size(kRuleOptions));
  for (const RuleKindOf& kind : kRuleOptions) {
    rules_.push_back({nullptr, {}, kind.parse});
    rules_.back().option = command_->add_option(kind.name, rules_.back().values, kind.help)
                               ->check(RuleValidator(kind))
                               ->type_name(kind.type);
  }
  command_
      ->add_option("--map", o.mapFile,
                   "JSON list of rules, applied after those of the line, e.g. "
                   "[{\"group\": \"2:5\"}, {\"layer-name\": \"wall\", \"to\": \"2-3\"}]")
      ->type_name("FILE.json");
  command_->add_flag("--exact-names", o.exactNames,
                     "compare names as stored (no trimming of spaces, no NFKC folding)");
  command_->add_option("--report", o.reportFile, "write what each input got as JSON")
      ->type_name("FILE.json");
  command_->add_flag("--overwrite", o.overwrite,
                     "replace existing outputs (kept under ._EXT names)");
  command_->add_flag("--partial", o.partial, "save what a damaged input held");
  command_->add_flag("--dry-run", o.dryRun, "print what would move; write nothing");
}

MoveOptions MoveArgs::Options() const {
  MoveOptions o = options_;
  std::vector<std::size_t> next(rules_.size(), 0);
  RelayerPlan line;
  for (const CLI::Option* opt : command_->parse_order()) {
    for (std::size_t k = 0; k < rules_.size(); ++k) {
      if (opt != rules_[k].option || next[k] >= rules_[k].values.size()) continue;
      line.push_back(*rules_[k].parse(rules_[k].values[next[k]++]));
    }
  }
  o.steps.insert(o.steps.begin(), line.begin(), line.end());
  return o;
}

LayersArgs::LayersArgs(CLI::App& app) {
  command_ = app.add_subcommand(
      "layers", "List each named or non-empty layer of the drawings (before writing a mapping)");
  command_->add_option("FILES", files_, "the drawing(s)")->required();
  auto* csv = command_->add_flag("--csv", csv_, "CSV (UTF-8 with a byte-order mark)");
  command_->add_flag("--json", json_, "one JSON object")->excludes(csv);
}

int LayersArgs::Run(Io io) const {
  return RunLayers(files_,
                   csv_    ? LayersFormat::kCsv
                   : json_ ? LayersFormat::kJson
                           : LayersFormat::kText,
                   io);
}

}  // namespace quintaro::cli
