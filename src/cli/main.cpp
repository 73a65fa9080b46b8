// quintaro-cli: re-layer Jw_cad drawings from the command line.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdio>
#include <iostream>

#include "cli/commands.h"

namespace {

using quintaro::cli::MoveStep;

// The --group and --layer values in the order they were given on the line.
std::vector<MoveStep> StepsInOrder(const CLI::App& app, const CLI::Option* group,
                                   const CLI::Option* layer) {
  std::vector<MoveStep> steps;
  std::size_t gi = 0, li = 0;
  const auto& gv = group->results();
  const auto& lv = layer->results();
  for (const CLI::Option* opt : app.parse_order()) {
    if (opt == group && gi < gv.size()) steps.push_back(*quintaro::cli::ParseGroupMove(gv[gi++]));
    if (opt == layer && li < lv.size()) steps.push_back(*quintaro::cli::ParseLayerMove(lv[li++]));
  }
  return steps;
}

CLI::Validator GroupMoveValidator() {
  return CLI::Validator(
      [](std::string& s) {
        return quintaro::cli::ParseGroupMove(s) ? std::string()
                                                : "expected S:D with hexadecimal digits, e.g. 2:5";
      },
      "");
}

CLI::Validator LayerMoveValidator() {
  return CLI::Validator(
      [](std::string& s) {
        return quintaro::cli::ParseLayerMove(s) ? std::string()
                                                : "expected G-L:H-M with hexadecimal digits, e.g. 2-3:5-0";
      },
      "");
}

CLI::Validator SizeValidator() {
  return CLI::Validator(
      [](std::string& s) {
        int w = 0, h = 0;
        char tail = 0;
        return std::sscanf(s.c_str(), "%dx%d%c", &w, &h, &tail) == 2 && w > 0 && h > 0
                   ? std::string()
                   : "expected WIDTHxHEIGHT, e.g. 1600x1200";
      },
      "");
}

CLI::Validator HexDigitValidator() {
  return CLI::Validator(
      [](std::string& s) {
        return s.size() == 1 && std::isxdigit(static_cast<unsigned char>(s[0]))
                   ? std::string()
                   : "expected one hexadecimal digit 0-F";
      },
      "");
}

}  // namespace

int main(int argc, char** argv) {
  // A fixed name keeps the usage lines (and the man page made from them) free of install paths.
  CLI::App app{"quintaro-cli: inspect, convert and re-layer Jw_cad drawings (JWW, JWS, JWC, JWK)",
               "quintaro-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "quintaro-cli " QUINTARO_VERSION);

  std::string infoFile;
  bool infoJson = false;
  auto* info = app.add_subcommand("info", "Summarise a drawing: format, counts, extents, layers");
  info->add_option("FILE", infoFile, "the drawing")->required();
  info->add_flag("--json", infoJson, "print one JSON object");

  quintaro::cli::ConvertOptions conv;
  auto* convert = app.add_subcommand("convert", "Load a drawing and save it again in its format");
  convert->add_option("IN", conv.in, "the drawing to read")->required();
  convert->add_option("-o,--output", conv.out, "the file to write")->required();
  convert->add_flag("--overwrite", conv.overwrite,
                    "replace an existing output (kept under its ._EXT name)");
  convert->add_flag("--partial", conv.partial, "save what a damaged input held");

  quintaro::cli::MoveOptions mv;
  std::vector<std::string> groupMoves, layerMoves;
  auto* move = app.add_subcommand("move", "Move figures between layer groups or layers and save");
  move->add_option("FILES", mv.inputs, "the drawing(s) to read")->required();
  move->add_option("-o,--output", mv.out, "the file to write (one input)");
  move->add_option("--out-dir", mv.outDir, "folder for the outputs (any number of inputs)");
  auto* group = move->add_option("--group", groupMoves, "move group S onto group D (hex digits)")
                    ->check(GroupMoveValidator())
                    ->type_name("S:D");
  auto* layer = move->add_option("--layer", layerMoves, "move layer G-L onto layer H-M (hex digits)")
                    ->check(LayerMoveValidator())
                    ->type_name("G-L:H-M");
  move->add_option("--map", mv.mapFile,
                   "JSON list of moves: [{\"group\": \"2:5\"}, {\"layer\": \"2-3:5-0\"}]");
  move->add_flag("--overwrite", mv.overwrite, "replace existing outputs (kept under ._EXT names)");
  move->add_flag("--partial", mv.partial, "save what a damaged input held");
  move->add_flag("--dry-run", mv.dryRun, "print what would move; write nothing");

  quintaro::cli::RenderOptions rend;
  std::string size = "1600x1200", background = "white", renderGroup, renderLayer;
  auto* render = app.add_subcommand("render", "Draw a drawing (or one group or layer) to PNG or SVG");
  render->add_option("IN", rend.in, "the drawing")->required();
  render->add_option("-o,--output", rend.out, "the picture to write (.png or .svg)")->required();
  render->add_option("--size", size, "width x height in pixels (default 1600x1200)")
      ->type_name("WxH")
      ->check(SizeValidator());
  render->add_option("--background", background, "white or black")
      ->check(CLI::IsMember({"white", "black"}));
  render->add_option("--group", renderGroup, "draw only this layer group (hex digit)")
      ->type_name("G")
      ->check(HexDigitValidator());
  render->add_option("--layer", renderLayer, "draw only this layer of the group (hex digit)")
      ->type_name("L")
      ->check(HexDigitValidator());

  std::string demoOut;
  bool demoOverwrite = false;
  auto* demo = app.add_subcommand("demo", "Write the project's demo drawing (JWW)");
  demo->add_option("-o,--output", demoOut, "the file to write")->required();
  demo->add_flag("--overwrite", demoOverwrite, "replace an existing file");

  CLI11_PARSE(app, argc, argv);

  quintaro::cli::Io io{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
  if (*info) return quintaro::cli::RunInfo(infoFile, infoJson, io);
  if (*convert) return quintaro::cli::RunConvert(conv, io);
  if (*move) {
    auto steps = StepsInOrder(*move, group, layer);
    mv.steps.insert(mv.steps.begin(), steps.begin(), steps.end());
    return quintaro::cli::RunMove(mv, io);
  }
  if (*render) {
    std::sscanf(size.c_str(), "%dx%d", &rend.width, &rend.height);
    rend.blackBackground = background == "black";
    if (!renderGroup.empty()) rend.group = std::stoi(renderGroup, nullptr, 16);
    if (!renderLayer.empty()) rend.layer = std::stoi(renderLayer, nullptr, 16);
    return quintaro::cli::RunRender(rend, io);
  }
  if (*demo) return quintaro::cli::RunDemo(demoOut, demoOverwrite, io);
  return 2;
}
