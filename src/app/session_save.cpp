// Save As: the dialog, the checks that protect the opened file and the
// program's folder, the question before replacing a file, and the write.
#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "app/document_session.h"
#include "app/ui_texts.h"
#include "document/format_facts.h"
#include "document/save_target.h"
#include "formats/common/file_io.h"

namespace quintaro::app {

namespace {

const FormatFacts* OpenFacts(const Document& doc) {
  return FactsOf(doc.Format());
}

QString Absolute(const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool SameFolder(const QString& a, const QString& b) {
  std::error_code ec;
  return std::filesystem::equivalent(FsPath(LocalPath(a)), FsPath(LocalPath(b)), ec);
}

}  // namespace

std::optional<FileDialogRequest> DocumentSession::SaveRequest() const {
  const FormatFacts* facts = OpenFacts(state_.document);
  if (facts == nullptr || path_.isEmpty()) return std::nullopt;
  QFileInfo opened(path_);
  FileDialogRequest request;
  request.folder = opened.absolutePath();
  request.fileName = QStringLiteral("_") + opened.fileName();
  QString suffix = QString::fromUtf8(facts->suffix);
  request.filters = QStringList{FileFilter(QString::fromUtf8(facts->saveFilter), {suffix})};
  request.filterIndex = 0;
  request.defaultSuffix = suffix;
  return request;
}

// The opened file by its name without regard to case, or by identity
// (another name of the same file: a link, a different spelling of the path).
bool DocumentSession::IsOpenedFile(const QString& target) const {
  if (Absolute(target).toUpper() == Absolute(path_).toUpper()) return true;
  // With the format of the target's own extension only the identity test
  // of SaveTargetProblem can object.
  std::string ext = UpperExtension(target);
  return SaveTargetProblem(LocalPath(path_), LocalPath(target), FormatOfExtension(ext)).has_value();
}

bool DocumentSession::InProgramFolder(const QString& target) const {
  if (programFolder_.isEmpty()) return false;
  QString folder = QFileInfo(Absolute(target)).absolutePath();
  QString program = QDir::cleanPath(programFolder_);
  return folder.toUpper() == program.toUpper() || SameFolder(folder, program);
}

bool DocumentSession::Refuse() {
  host_.SetStatusText(Ui(text::kNotSaved));
  return false;
}

bool DocumentSession::SaveDocumentAs() {
  if (host_.DrawBusy()) return false;
  if (path_.isEmpty() || !HasDocument()) {
    host_.SetStatusText(Ui(text::kOpenFirst));
    return false;
  }
  std::optional<FileDialogRequest> request = SaveRequest();
  if (!request) return false;
  std::optional<QString> chosen = dialogs_.ChooseSaveFile(*request);
  if (!chosen) return false;
  host_.SetStatusText(QString());
  QString target = *chosen;
  if (IsOpenedFile(target)) {
    dialogs_.Error(Ui(text::kSameName));
    return Refuse();
  }
  if (InProgramFolder(target)) {
    dialogs_.Notice(Ui(text::kProgramFolder));
    return Refuse();
  }
  if (QFileInfo::exists(target)) {
    if (!dialogs_.AskYesNo(Ui(text::kOverwrite))) return Refuse();
    // The old file is kept as "._EXT" by a copy, so that it stays in place
    // until the new one has been written completely. A failed copy is
    // ignored, as the user agreed to replace the file.
    BackUpExisting(LocalPath(target), nullptr);
  }
  if (UpperExtension(target) != DocKind()) {
    host_.SetStatusText(Ui(text::kWrongExtension));
    return false;
  }
  return WriteTo(target);
}

// After a save that had to write values the format cannot hold, the user
// learns what was written differently and how often.
bool DocumentSession::WriteTo(const QString& target) {
  const SaveResult saved = state_.document.Save(LocalPath(target));
  QString status = Ui(text::kSaveFailed);
  if (saved.Ok()) {
    status = Ui(text::kSaved) + QString::fromUtf8(OpenFacts(state_.document)->name) +
             Ui(text::kFormatFile);
  }
  host_.SetStatusText(status);
  if (!saved.repairs.Empty()) dialogs_.Inform(RepairsText(saved.repairs));
  return saved.Ok();
}

QString RepairsText(const RepairLog& log) {
  QStringList lines{Ui(text::kRepaired)};
  for (const Repair& r : log.Items()) {
    lines << QStringLiteral("%1 × %2").arg(QString::fromStdString(r.what)).arg(r.count);
  }
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace quintaro::app
