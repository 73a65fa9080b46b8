#include "cli/commands.h"
#include "cli/session.h"

namespace quintaro::cli {

int RunConvert(const ConvertOptions& options, Io io) {
  CliSession session;
  if (!session.Open(options.in, options.partial, io)) return 1;
  if (!session.Save(options.out, options.overwrite, io)) return 1;
  io.out << "saved " << options.out << "\n";
  return 0;
}

}  // namespace quintaro::cli
