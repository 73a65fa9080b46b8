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

// What becomes of a drawing that was read only in part.
enum class IfDamaged {
  kGoOn,              // what was read is used, with a warning
  kStop,              // it is refused
  kStopOfferPartial,  // it is refused, pointing to --partial
};

class CliSession {
 public:
  Document& Doc() { return doc_; }

  // Opens `path`; with `checkExtension`, an extension that names another
  // format than the content's is a warning.
  Outcome Open(const std::string& path, IfDamaged ifDamaged, bool checkExtension = true);

  // The checks that protect the input and an existing target, made before
  // anything is done to the drawing.
  Outcome CheckTarget(const std::string& target, bool overwrite) const;

  // Saves the open drawing to `target` after those checks.
  Outcome Save(const std::string& target, bool overwrite);

  // What Save would say of `target` without writing it: the repairs the
  // save would make.
  Outcome PlanSave(const std::string& target) const;

 private:
  Document doc_{Document::Images::kKeep};
};

// Why a file that the document could not open cannot be read: "no such
// file", "is a folder", the system's reason ("permission denied").
std::string UnreadableReason(const std::string& path);

// "quintaro-cli: " + message, on its own line.
void Error(Io io, const std::string& message);
void Warning(Io io, const std::string& message);
// Prints the outcome's warnings, then its error; true when it went well.
bool Tell(Io io, const Outcome& outcome);

}  // namespace quintaro::cli
