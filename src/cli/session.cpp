#include "cli/session.h"

#include <filesystem>

#include "document/format_facts.h"
#include "document/save_target.h"
#include "formats/common/file_io.h"

namespace quintaro::cli {

namespace fs = std::filesystem;

void Error(Io io, const std::string& message) {
  io.err << "quintaro-cli: " << message << "\n";
}

void Warning(Io io, const std::string& message) {
  io.err << "quintaro-cli: warning: " << message << "\n";
}

bool Tell(Io io, const Outcome& outcome) {
  for (const std::string& w : outcome.warnings) Warning(io, w);
  if (!outcome.Ok()) Error(io, outcome.error);
  return outcome.Ok();
}

Outcome CliSession::Open(const std::string& path, bool allowPartial) {
  Outcome out;
  OpenResult r = doc_.Open(path);
  if (r == OpenResult::kUnreadable || r == OpenResult::kUnknownFormat) {
    out.error = path + ": " + Describe(r);
    return out;
  }
  DocFormat byExtension = FormatOfExtension(FsPath(path).extension().string());
  if (byExtension != doc_.Format()) {
    out.warnings.push_back(path + ": the file's content is " + FormatName(doc_.Format()) +
                           " whatever its extension says");
  }
  if (r == OpenResult::kPartial) {
    std::string msg = path + ": damaged or cut short: " + doc_.LoadProblem();
    if (!allowPartial) {
      out.error = msg + "; nothing written (use --partial to keep what was read)";
    } else {
      out.warnings.push_back(msg + "; going on with what was read");
    }
  }
  return out;
}

Outcome CliSession::Save(const std::string& target, bool overwrite) {
  Outcome out;
  // Names that differ in case are two files where the file system says so.
  const NameCase names = FileNamesIgnoreCase() ? NameCase::kIgnored : NameCase::kSignificant;
  if (auto problem = SaveTargetProblem(doc_.Path(), target, doc_.Format(), names)) {
    out.error = target + ": " + *problem;
    return out;
  }
  std::error_code ec;
  if (fs::exists(FsPath(target), ec)) {
    if (!overwrite) {
      out.error = target +
                  ": exists already (use --overwrite to replace it; the old file is kept as " +
                  BackupNameOf(target) + ")";
      return out;
    }
    if (!BackUpExisting(target, &out.error)) return out;
  } else if (fs::path parent = FsPath(target).parent_path(); !parent.empty()) {
    fs::create_directories(parent, ec);  // a missing output folder is made
  }
  const SaveResult saved = doc_.Save(target);
  if (!saved.Ok()) {
    out.error = target + ": not saved: " + saved.error;
    return out;
  }
  for (const std::string& w : saved.warnings) out.warnings.push_back(target + ": " + w);
  for (const Repair& r : saved.repairs.Items())
    out.warnings.push_back(target + ": repaired on save: " + r.what + " (" +
                           std::to_string(r.count) + ")");
  return out;
}

}  // namespace quintaro::cli
