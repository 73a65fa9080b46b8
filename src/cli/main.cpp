// quintaro-cli: re-layer Jw_cad drawings from the command line.
#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdio>
#include <iostream>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/move_args.h"

namespace {

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

int main(int systemArgc, char** systemArgv) {
  quintaro::cli::Console console(systemArgc, systemArgv);
  int argc = console.Argc();
  char** argv = console.Argv();
  // A fixed name keeps the usage lines (and the man page made from them) free of install paths.
  CLI::App app{"quintaro-cli: inspect, convert and re-layer Jw_cad drawings (JWW, JWS, JWC, JWK)",
               "quintaro-cli"};
  app.require_subcommand(1);
  // The same syntax on every system: on Windows "/x" is not an option but a
  // path (such as Wine's /tmp/plan.jww).
  app.allow_windows_style_options(false);
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

  std::string diffBefore, diffAfter;
  bool diffJson = false;
  auto* diff = app.add_subcommand(
      "diff", "Show what differs between two drawings of one format (exit 0 same, 1 differ)");
  diff->add_option("A", diffBefore, "the drawing before")->required();
  diff->add_option("B", diffAfter, "the drawing after")->required();
  diff->add_flag("--json", diffJson, "print one JSON object");

  quintaro::cli::MoveArgs moveArgs(app);
  quintaro::cli::LayersArgs layersArgs(app);

  quintaro::cli::RenderOptions rend;
  std::string size = "1600x1200", background = "white", renderGroup, renderLayer;
  auto* render =
      app.add_subcommand("render", "Draw a drawing (or one group or layer) to PNG or SVG");
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

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help and version succeed; any other complaint of the parser is a usage error.
    return app.exit(e) == 0 ? 0 : quintaro::cli::kExitUsage;
  }

  quintaro::cli::Io io{std::cout, std::cerr, console.ErrorsToTerminal()};
  if (*info) return quintaro::cli::RunInfo(infoFile, infoJson, io);
  if (*convert) return quintaro::cli::RunConvert(conv, io);
  if (*diff) return quintaro::cli::RunDiff(diffBefore, diffAfter, diffJson, io);
  if (moveArgs.Chosen()) return quintaro::cli::RunMove(moveArgs.Options(), io);
  if (layersArgs.Chosen()) return layersArgs.Run(io);
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
