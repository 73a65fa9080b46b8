// What every subcommand does around a drawing: opening with clear messages
// (carried images kept in the document's private work folder) and guarded
// saving.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"
#include "document/document.h"

namespace quintaro::cli {

// What opening or saving came to: the error that stopped it, or the
// warnings of a success (a save's repairs among them). Each starts with
// the file it concerns.
struct Outcome {
  std::string error;
  std::vector<std::string> warnings;
  bool Ok() const { return error.empty(); }
};

class CliSession {
 public:
  Document& Doc() { return doc_; }

  // Opens `path`. A damaged file is accepted only with `allowPartial` (it
  // is then a warning).
  Outcome Open(const std::string& path, bool allowPartial);

  // Saves the open drawing to `target` after the checks that protect the
  // input and an existing target.
  Outcome Save(const std::string& target, bool overwrite);

 private:
  Document doc_{Document::Images::kKeep};
};

// "quintaro-cli: " + message, on its own line.
void Error(Io io, const std::string& message);
void Warning(Io io, const std::string& message);
// Prints the outcome's warnings, then its error; true when it went well.
bool Tell(Io io, const Outcome& outcome);

}  // namespace quintaro::cli
