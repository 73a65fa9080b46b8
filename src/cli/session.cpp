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

bool CliSession::Open(const std::string& path, bool allowPartial, Io io) {
  OpenResult r = doc_.Open(path);
  if (r == OpenResult::kUnreadable || r == OpenResult::kUnknownFormat) {
    Error(io, path + ": " + Describe(r));
    return false;
  }
  DocFormat byExtension = FormatOfExtension(FsPath(path).extension().string());
  if (byExtension != doc_.Format()) {
    Warning(io, path + ": the file's content is " + FormatName(doc_.Format()) +
                    " whatever its extension says");
  }
  if (r == OpenResult::kPartial) {
    std::string msg = path + ": damaged or cut short: " + doc_.LoadProblem();
    if (!allowPartial) {
      Error(io, msg + "; nothing written (use --partial to keep what was read)");
      return false;
    }
    Warning(io, msg + "; going on with what was read");
  }
  return true;
}

bool CliSession::Save(const std::string& target, bool overwrite, Io io) {
  if (auto problem = SaveTargetProblem(doc_.Path(), target, doc_.Format())) {
    Error(io, target + ": " + *problem);
    return false;
  }
  std::error_code ec;
  if (fs::exists(FsPath(target), ec)) {
    if (!overwrite) {
      Error(io, target +
                    ": exists already (use --overwrite to replace it; the old file is kept as " +
                    BackupNameOf(target) + ")");
      return false;
    }
    std::string why;
    if (!BackUpExisting(target, &why)) {
      Error(io, why);
      return false;
    }
  }
  std::string why;
  if (!doc_.Save(target, &why)) {
    Error(io, target + ": not saved: " + why);
    return false;
  }
  for (const std::string& w : doc_.SaveWarnings()) Warning(io, target + ": " + w);
  for (const Repair& r : doc_.SaveRepairs().Items())
    Warning(io, target + ": repaired on save: " + r.what + " (" + std::to_string(r.count) + ")");
  return true;
}

}  // namespace quintaro::cli
