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
  QString suffix = QString::fromUtf8(facts->suffix);
  // A name that says another format (or none) gets the format's own.
  request.fileName = QStringLiteral("_") + opened.fileName();
  if (UpperExtension(path_) != facts->kind) {
    request.fileName = QStringLiteral("_") + opened.completeBaseName() + '.' + suffix;
  }
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

DocumentSession::Attempt DocumentSession::Refuse() {
  host_.SetStatusText(Ui(text::kNotSaved));
  return Attempt::kAgain;
}

// A part of a drawing is saved only when the user says so; each refused
// name or failed write returns to the dialog with that name.
bool DocumentSession::SaveDocumentAs() {
  if (host_.DrawBusy()) return false;
  if (path_.isEmpty() || !HasDocument()) {
    host_.SetStatusText(Ui(text::kOpenFirst));
    return false;
  }
  if (!state_.document.Complete() && !dialogs_.AskYesNo(Ui(text::kSavePartial), true)) {
    Refuse();
    return false;
  }
  std::optional<FileDialogRequest> request = SaveRequest();
  if (!request) return false;
  for (;;) {
    std::optional<QString> chosen = dialogs_.ChooseSaveFile(*request);
    if (!chosen) return false;
    host_.SetStatusText(QString());
    if (TrySave(*chosen) == Attempt::kSaved) return true;
    QFileInfo tried(*chosen);
    request->folder = tried.absolutePath();
    request->fileName = tried.fileName();
  }
}

DocumentSession::Attempt DocumentSession::TrySave(const QString& target) {
  if (IsOpenedFile(target)) {
    dialogs_.Error(Ui(text::kSameName));
    return Refuse();
  }
  if (InProgramFolder(target)) {
    dialogs_.Notice(Ui(text::kProgramFolder));
    return Refuse();
  }
  if (QFileInfo(target).isDir()) {
    host_.SetStatusText(Ui(text::kSaveFailed));
    dialogs_.Error(SaveFailureText(target, {}));
    return Attempt::kAgain;
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
    return Attempt::kAgain;
  }
  return WriteTo(target);
}

// After a save that had to write values the format cannot hold, the user
// learns what was written differently and how often. A failed one keeps
// the status line of old and says why in a box.
DocumentSession::Attempt DocumentSession::WriteTo(const QString& target) {
  const SaveResult saved = state_.document.Save(LocalPath(target));
  if (!saved.Ok()) {
    host_.SetStatusText(Ui(text::kSaveFailed));
    dialogs_.Error(SaveFailureText(target, saved.error));
    return Attempt::kAgain;
  }
  const char* done = state_.document.Complete() ? text::kSaved : text::kSavedPartial;
  host_.SetStatusText(Ui(done) + QString::fromUtf8(OpenFacts(state_.document)->name) +
                      Ui(text::kFormatFile));
  if (!saved.repairs.Empty()) dialogs_.Inform(RepairsText(saved.repairs));
  return Attempt::kSaved;
}

// What the file system shows is named in the user's words; anything else
// is the system's own reason.
QString SaveFailureText(const QString& target, const std::string& systemReason) {
  QFileInfo file(target);
  QFileInfo folder(file.absolutePath());
  QString why = Ui(text::kReasonSystem) + QString::fromStdString(systemReason);
  if (file.isDir()) {
    why = Ui(text::kReasonFolderExists);
  } else if (!folder.isDir()) {
    why = Ui(text::kReasonNoFolder);
  } else if (file.exists() && !file.isWritable()) {
    why = Ui(text::kReasonReadOnly);
  } else if (!folder.isWritable()) {
    why = Ui(text::kReasonNoPermission);
  }
  return QDir::toNativeSeparators(file.absoluteFilePath()) + QStringLiteral("\r\n") +
         Ui(text::kSaveFailedBox) + why;
}

QString RepairsText(const RepairLog& log) {
  QStringList lines{Ui(text::kRepaired)};
  for (const Repair& r : log.Items()) {
    lines << QStringLiteral("%1 × %2").arg(QString::fromStdString(r.what)).arg(r.count);
  }
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace quintaro::app
