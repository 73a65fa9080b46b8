#include "cli/session.h"

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>

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

std::string UnreadableReason(const std::string& path) {
  std::error_code ec;
  const fs::file_status st = fs::status(FsPath(path), ec);
  if (st.type() == fs::file_type::not_found) return "no such file";
  if (st.type() == fs::file_type::directory) return "is a folder, not a file";
  if (!ec && st.type() != fs::file_type::regular) return "is not a regular file";
  if (!ec) {
    errno = 0;
    InputFile probe(path);
    if (probe.IsOpen()) return "it changed while it was opened";
    ec = std::error_code(errno, std::generic_category());
  }
  std::string why = ec.message();
  if (!why.empty()) why[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(why[0])));
  return why;
}

Outcome CliSession::Open(const std::string& path, IfDamaged ifDamaged, bool checkExtension) {
  Outcome out;
  OpenResult r = doc_.Open(path);
  if (r == OpenResult::kUnreadable) {
    out.error = path + ": " + Describe(r) + ": " + UnreadableReason(path);
    return out;
  }
  if (r == OpenResult::kUnknownFormat) {
    out.error = path + ": " + Describe(r);
    return out;
  }
  DocFormat byExtension = FormatOfExtension(FsPath(path).extension().string());
  if (checkExtension && byExtension != doc_.Format()) {
    out.warnings.push_back(path + ": the file's content is " + FormatName(doc_.Format()) +
                           " whatever its extension says");
  }
  if (r == OpenResult::kPartial) {
    std::string msg = path + ": damaged or cut short: " + doc_.LoadProblem();
    switch (ifDamaged) {
      case IfDamaged::kGoOn:
        out.warnings.push_back(msg + "; going on with what was read");
        break;
      case IfDamaged::kStop:
        out.error = msg;
        break;
      case IfDamaged::kStopOfferPartial:
        out.error = msg + "; nothing written (use --partial to keep what was read)";
        break;
    }
  }
  return out;
}

Outcome CliSession::CheckTarget(const std::string& target, bool overwrite) const {
  Outcome out;
  // Names that differ in case are two files where the file system says so.
  const NameCase names = FileNamesIgnoreCase() ? NameCase::kIgnored : NameCase::kSignificant;
  if (auto problem = SaveTargetProblem(doc_.Path(), target, doc_.Format(), names)) {
    out.error = target + ": " + *problem;
  } else if (std::error_code ec; !overwrite && fs::exists(FsPath(target), ec)) {
    out.error = target +
                ": exists already (use --overwrite to replace it; the old file is kept as " +
                BackupNameOf(target) + ")";
  }
  return out;
}

namespace {

void NoteRepairs(const std::string& target, const RepairLog& repairs, Outcome& out) {
  for (const Repair& r : repairs.Items())
    out.warnings.push_back(target + ": repaired on save: " + r.what + " (" +
                           std::to_string(r.count) + ")");
}

}  // namespace

Outcome CliSession::Save(const std::string& target, bool overwrite) {
  Outcome out = CheckTarget(target, overwrite);
  if (!out.Ok()) return out;
  std::error_code ec;
  if (fs::exists(FsPath(target), ec)) {
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
  NoteRepairs(target, saved.repairs, out);
  return out;
}

Outcome CliSession::PlanSave(const std::string& target) const {
  Outcome out;
  NoteRepairs(target, doc_.PlannedRepairs(), out);
  return out;
}

}  // namespace quintaro::cli
