// The subcommands of quintaro-cli, callable from tests with their own streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/move_spec.h"

namespace quintaro::cli {

struct Io {
  std::ostream& out;
  std::ostream& err;
  bool terminal = false;  // err is a terminal: show progress lines
};

// Exit codes: 0 success, 1 refused or failed, 2 usage (from the parser).
int RunInfo(const std::string& file, bool json, Io io);

struct ConvertOptions {
  std::string in;
  std::string out;
  bool overwrite = false;  // replace an existing OUT (it is kept under its "._EXT" name)
  bool partial = false;    // save what a damaged file held
};
int RunConvert(const ConvertOptions& options, Io io);

struct MoveOptions {
  std::vector<std::string> inputs;
  std::string out;     // one input
  std::string outDir;  // batch: outputs keep their input file names
  std::vector<MoveStep> steps;
  std::string mapFile;  // batch: a JSON list of moves (instead of steps)
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
