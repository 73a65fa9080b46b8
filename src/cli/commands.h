// The subcommands of quintaro-cli, callable from tests with their own streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "document/relayer_plan.h"

namespace quintaro::cli {

struct Io {
  std::ostream& out;
  std::ostream& err;
  bool terminal = false;  // err is a terminal: show progress lines
};

// Exit codes: 0 success, 1 refused or failed, 2 usage.
constexpr int kExitUsage = 2;
int RunInfo(const std::string& file, bool json, Io io);

enum class LayersFormat { kText, kCsv, kJson };
// One row per named or non-empty layer of each file.
int RunLayers(const std::vector<std::string>& files, LayersFormat format, Io io);

struct ConvertOptions {
  std::string in;
  std::string out;
  bool overwrite = false;  // replace an existing OUT (it is kept under its "._EXT" name)
  bool partial = false;    // save what a damaged file held
};
int RunConvert(const ConvertOptions& options, Io io);

// The structural difference of two drawings of one format: 0 when they are
// the same, 1 when they differ, 2 when one cannot be read or the formats differ.
int RunDiff(const std::string& before, const std::string& after, bool json, Io io);

struct MoveOptions {
  std::vector<std::string> inputs;
  std::string inDir;        // batch: every drawing under this folder (-r)
  std::string out;          // one input
  std::string outDir;       // batch: outputs keep their names (under inDir: their relative paths)
  RelayerPlan steps;        // command-line rules, in the order given
  std::string mapFile;      // a mapping file, applied after the command-line rules
  std::string reportFile;   // JSON report of what each input got
  bool exactNames = false;  // compare names as stored
  bool overwrite = false;
  bool partial = false;
  bool dryRun = false;
};
int RunMove(const MoveOptions& options, Io io);

struct RenderOptions {
  std::string in;
  std::string out;  // .png or .svg
  int width = 1600;
  int height = 1200;
  bool blackBackground = false;
  int group = -1;  // draw only this layer group (as its thumbnail)
  int layer = -1;  // and only this layer of it
};
// Draws the drawing as the main view shows it right after opening, or the
// thumbnail of one group or layer.
int RunRender(const RenderOptions& options, Io io);

// Writes the project's demo drawing (a JWW).
int RunDemo(const std::string& out, bool overwrite, Io io);

}  // namespace quintaro::cli
