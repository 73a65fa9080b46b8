// What every subcommand does around a drawing: a private work folder for
// carried images, opening with clear messages, and guarded saving.
#pragma once

#include <string>

#include "cli/commands.h"
#include "document/document.h"
#include "formats/common/file_io.h"

namespace quintaro::cli {

class CliSession {
 public:
  CliSession();
  Document& Doc() { return doc_; }

  // Opens `path`, telling on io.err what went wrong. A damaged file is
  // accepted only with `allowPartial` (it is then reported as a warning).
  bool Open(const std::string& path, bool allowPartial, Io io);

  // Saves the open drawing to `target` after the checks that protect the
  // input and an existing target; false with the reason on io.err.
  bool Save(const std::string& target, bool overwrite, Io io);

 private:
  WorkFolder folder_;
  BindImageStore images_;
  Document doc_;
};

// "quintaro-cli: " + message, on its own line.
void Error(Io io, const std::string& message);
void Warning(Io io, const std::string& message);

}  // namespace quintaro::cli
