#include "app/document_session.h"

#include <QDir>
#include <QFileInfo>

#include "app/ui_texts.h"
#include "document/format_facts.h"
#include "render/scene/main_view.h"

namespace quintaro::app {

QString FileFilter(const QString& description, const QStringList& extensions) {
  QStringList patterns;
  for (const QString& ext : extensions) patterns << ExtensionPattern(ext);
  return description + QStringLiteral(" (") + patterns.join(' ') + QStringLiteral(")");
}

std::string UpperExtension(const QString& path) {
  QString suffix = QFileInfo(path).suffix();
  if (suffix.isEmpty()) return {};
  return ("." + suffix.toUpper()).toStdString();
}

DocumentSession::DocumentSession(AppState& state, SessionHost& host, Dialogs& dialogs,
                                 QString programFolder)
    : state_(state), host_(host), dialogs_(dialogs), programFolder_(std::move(programFolder)) {
  if (!programFolder_.isEmpty() && !programFolder_.endsWith('/')) programFolder_ += '/';
}

std::string DocumentSession::DocKind() const {
  return FormatKind(state_.document.Format());
}

QString DocumentSession::Title() const {
  QString title = Ui(text::kTitle);
  if (!state_.document.IsOpen() || path_.isEmpty()) return title;
  title += QStringLiteral(" - ") + path_;
  if (!state_.document.Complete()) title += Ui(text::kPartialMark);
  return title;
}

QStringList DocumentSession::OpenFilters() {
  QStringList filters, every;
  for (const FormatFacts& f : kFormatFacts) {
    const QString suffix = QString::fromUtf8(f.suffix);
    filters << FileFilter(QString::fromUtf8(f.saveFilter), {suffix});
    every << suffix;
  }
  return filters << FileFilter(QStringLiteral("All JWW DATA"), every)
                 << QStringLiteral("All Files(*.*) (*)");
}

void DocumentSession::OnOpen() {
  if (host_.DrawBusy()) return;
  FileDialogRequest request;
  if (!path_.isEmpty()) {
    QFileInfo last(path_);
    request.folder = last.absolutePath();
    request.fileName = last.fileName();
  }
  request.filters = OpenFilters();
  request.filterIndex = 4;
  std::optional<QString> chosen = dialogs_.ChooseOpenFile(request);
  if (!chosen || !QFileInfo::exists(*chosen)) return;
  OpenDocument(*chosen);
}

// A file that vanished, cannot be read or is no drawing leaves the open
// drawing, its layer windows, its path and the title as they were; the
// user learns why unless the file is simply gone.
OpenOutcome DocumentSession::OpenDocument(const QString& path) {
  // The figures made for the view point into the drawing Open may replace;
  // they are made again when needed.
  state_.DropFigures();
  OpenResult result = state_.document.Open(LocalPath(path));
  if (result == OpenResult::kUnreadable || result == OpenResult::kUnknownFormat) {
    if (QFileInfo::exists(path)) {
      const char* why =
          result == OpenResult::kUnknownFormat ? text::kNotDrawing : text::kCannotRead;
      dialogs_.Error(QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + Ui(why));
    }
    return OpenOutcome::kKept;
  }
  host_.ShowAllPage();
  LoadInto(path, result == OpenResult::kOpened);
  NoteExtension(path);
  return result == OpenResult::kOpened ? OpenOutcome::kOpened : OpenOutcome::kPartial;
}

// A name that says another format (or none) is worth a word: the file
// was opened as what it is.
void DocumentSession::NoteExtension(const QString& path) {
  const std::string ext = UpperExtension(path);
  if (ext == DocKind()) return;
  const QString name = QString::fromUtf8(FormatName(state_.document.Format()));
  host_.SetStatusText(ext.empty()
                          ? Ui(text::kNoExtension).arg(name)
                          : Ui(text::kOtherExtension).arg(QString::fromStdString(ext), name));
}

void DocumentSession::LoadInto(const QString& path, bool complete) {
  path_ = path;
  // The layer windows showed the drawing that has gone.
  host_.CloseLayerWindows();
  state_.groupInFirstWindow = state_.groupInSecondWindow = -1;
  if (!complete) dialogs_.Inform(Ui(text::kPartialLoad));
  const FormatFacts* facts = FactsOf(state_.document.Format());
  render::ShowAllLayers(state_.attributes, state_.document.PublishLayers(),
                        facts != nullptr && facts->hasNames);
  state_.document.ComputeExtents(state_.extents);
  host_.SetTitle(Title());
  host_.DocumentChanged();
}

}  // namespace quintaro::app
