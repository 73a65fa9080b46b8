// Moves as mapping files: the moves done on the open drawing written as the
// mapping file the command-line tool reads, and a mapping file applied to
// the open drawing as one step that can be undone.
#include <QFile>
#include <QFileInfo>

#include "app/main_window.h"
#include "app/move_report.h"
#include "app/ui_texts.h"
#include "formats/common/bytes.h"
#include "formats/common/file_io.h"

namespace quintaro::app {

namespace {

FileDialogRequest MappingRequest(const QString& docPath) {
  FileDialogRequest request;
  QFileInfo opened(docPath);
  if (!docPath.isEmpty()) request.folder = opened.absolutePath();
  request.filters = {FileFilter(Ui(text::kMappingFilter), {QStringLiteral("json")})};
  request.title = Ui(text::kMappingOpenTitle);
  request.defaultSuffix = QStringLiteral("json");
  return request;
}

bool WriteText(const QString& path, const std::string& text) {
  return WriteFileAtomically(LocalPath(path), [&](ByteWriter& out) {
    out.Write(text.data(), text.size());
    return out.Ok();
  });
}

}  // namespace

void MainWindow::OnSaveMoves() {
  if (DrawBusy()) return;
  RelayerPlan rules = history_->DoneRules();
  if (rules.empty()) return SetStatusText(Ui(text::kNoMoves));
  FileDialogRequest request = MappingRequest(session_->DocPath());
  if (!session_->DocPath().isEmpty()) {
    request.fileName = QFileInfo(session_->DocPath()).completeBaseName() + QStringLiteral(".json");
  }
  request.title = Ui(text::kMovesSaveTitle);
  std::optional<QString> chosen = env_.dialogs->ChooseSaveFile(request);
  if (!chosen) return;
  bool saved = WriteText(*chosen, SerializeRelayerPlan(rules));
  SetStatusText(Ui(saved ? text::kMovesSaved : text::kMovesNotSaved));
}

void MainWindow::OnApplyMapping() {
  if (DrawBusy() || !session_->HasDocument()) return;
  std::optional<QString> chosen = env_.dialogs->ChooseOpenFile(MappingRequest(session_->DocPath()));
  if (!chosen) return;
  QFile file(*chosen);
  if (!file.open(QIODevice::ReadOnly)) {
    return env_.dialogs->Error(Ui(text::kMappingUnreadable) + *chosen);
  }
  PlanParseResult plan = ParseRelayerPlan(file.readAll().toStdString());
  if (!plan.Ok()) {
    return env_.dialogs->Error(Ui(text::kMappingUnreadable) + QString::fromStdString(plan.error));
  }
  CloseLayerWindows();
  const LayerChange change = history_->Apply(plan.rules);
  if (!change.Ok()) {
    return env_.dialogs->Error(Ui(text::kMappingUnreadable) + QString::fromStdString(change.error));
  }
  if (pages_->currentIndex() == 1) overview_->DrawOverview();
  SetStatusText(Ui(change.Moved() > 0 ? text::kMappingApplied : text::kMappingNothing) +
                MoveSummary(change));
  env_.dialogs->Inform(MappingOutcomeText(change, state_.document));
}

}  // namespace quintaro::app
