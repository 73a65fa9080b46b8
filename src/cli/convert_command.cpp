#include "cli/command.h"
#include "cli/session.h"

namespace quintaro::cli {

int RunConvert(const ConvertOptions& options, Io io) {
  CliSession session;
  if (!Tell(io, session.Open(options.in,
                             options.partial ? IfDamaged::kGoOn : IfDamaged::kStopOfferPartial)))
    return 1;
  if (!Tell(io, session.Save(options.out, options.overwrite))) return 1;
  io.out << "saved " << options.out << "\n";
  return 0;
}

Command AddConvert(CLI::App& app) {
  auto o = std::make_shared<ConvertOptions>();
  CLI::App* c = app.add_subcommand("convert", "Load a drawing and save it again in its format");
  c->add_option("IN", o->in, "the drawing to read")->required();
  c->add_option("-o,--output", o->out, "the file to write")->required();
  c->add_flag("--overwrite", o->overwrite,
              "replace an existing output (kept under its ._EXT name)");
  c->add_flag("--partial", o->partial, "save what a damaged input held");
  return {c, [o](Io io) { return RunConvert(*o, io); }};
}

}  // namespace quintaro::cli
