#include <filesystem>

#include "cli/command.h"
#include "cli/session.h"
#include "document/demo_drawing.h"
#include "document/format_facts.h"
#include "document/save_target.h"
#include "formats/common/file_io.h"

namespace quintaro::cli {

int RunDemo(const std::string& out, bool overwrite, Io io) {
  if (FormatOfExtension(FsPath(out).extension().string()) != DocFormat::kJww) {
    Error(io, out + ": the demo drawing is a JWW file; give a name ending in .jww");
    return kExitUsage;
  }
  std::error_code ec;
  if (!overwrite && std::filesystem::exists(FsPath(out), ec)) {
    Error(io, out + ": exists already (use --overwrite to replace it)");
    return 1;
  }
  const SaveResult saved = DemoDocument().Save(out);
  if (!saved.Ok()) {
    Error(io, out + ": not saved: " + saved.error);
    return 1;
  }
  io.out << "wrote the demo drawing to " << out << "\n";
  return 0;
}

Command AddDemo(CLI::App& app) {
  struct Args {
    std::string out;
    bool overwrite = false;
  };
  auto a = std::make_shared<Args>();
  CLI::App* c = app.add_subcommand("demo", "Write the project's demo drawing (JWW)");
  c->add_option("-o,--output", a->out, "the file to write")->required();
  c->add_flag("--overwrite", a->overwrite, "replace an existing file");
  return {c, [a](Io io) { return RunDemo(a->out, a->overwrite, io); }};
}

}  // namespace quintaro::cli
