// What every subcommand does around a drawing: opening with clear messages
// (carried images kept in the document's private work folder) and guarded
// saving.
#pragma once

#include <string>

#include "cli/commands.h"
#include "document/document.h"

namespace quintaro::cli {

class CliSession {
 public:
  Document& Doc() { return doc_; }

  // Opens `path`, telling on io.err what went wrong. A damaged file is
  // accepted only with `allowPartial` (it is then reported as a warning).
  bool Open(const std::string& path, bool allowPartial, Io io);

  // Saves the open drawing to `target` after the checks that protect the
  // input and an existing target; false with the reason on io.err.
  bool Save(const std::string& target, bool overwrite, Io io);

 private:
  Document doc_{Document::Images::kKeep};
};

// "quintaro-cli: " + message, on its own line.
void Error(Io io, const std::string& message);
void Warning(Io io, const std::string& message);

}  // namespace quintaro::cli
