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
  if (state_.document.IsOpen() && !path_.isEmpty()) title += QStringLiteral(" - ") + path_;
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
  host_.CloseLayerWindows();
  state_.groupInFirstWindow = state_.groupInSecondWindow = -1;
  OpenDocument(*chosen);
}

OpenOutcome DocumentSession::OpenDocument(const QString& path) {
  const FormatFacts* facts = FactsOfExtension(UpperExtension(path));
  host_.ShowAllPage();
  if (facts == nullptr) {
    // Not a drawing: no document afterwards, and the view says so.
    state_.DropFigures();
    state_.document.Close();
    path_.clear();
    host_.SetTitle(Title());
    host_.DocumentChanged();
    return OpenOutcome::kNoDocument;
  }
  // A file that vanished or fails its format's signature leaves the open
  // drawing, its path and the title as they were.
  std::string file = LocalPath(path);
  if (!QFileInfo::exists(path) || !facts->isFile(file)) return OpenOutcome::kKept;
  state_.DropFigures();  // they point into the drawing about to be replaced
  OpenResult result = state_.document.Open(file);
  if (result == OpenResult::kUnreadable || result == OpenResult::kUnknownFormat) {
    return OpenOutcome::kKept;
  }
  LoadInto(path, result == OpenResult::kOpened);
  return result == OpenResult::kOpened ? OpenOutcome::kOpened : OpenOutcome::kPartial;
}

void DocumentSession::LoadInto(const QString& path, bool complete) {
  path_ = path;
  if (!complete) dialogs_.Inform(Ui(text::kPartialLoad));
  const FormatFacts* facts = FactsOf(state_.document.Format());
  render::ShowAllLayers(state_.attributes, state_.document.PublishLayers(),
                        facts != nullptr && facts->hasNames);
  state_.document.ComputeExtents(state_.extents);
  host_.SetTitle(Title());
  host_.DocumentChanged();
}

}  // namespace quintaro::app
