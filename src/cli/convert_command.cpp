#include "cli/commands.h"
#include "cli/session.h"

namespace quintaro::cli {

int RunConvert(const ConvertOptions& options, Io io) {
  CliSession session;
  if (!Tell(io, session.Open(options.in, options.partial))) return 1;
  if (!Tell(io, session.Save(options.out, options.overwrite))) return 1;
  io.out << "saved " << options.out << "\n";
  return 0;
}

}  // namespace quintaro::cli
