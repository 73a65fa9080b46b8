// The File and Edit menus: opening with its checks (also by drag and drop
// and from the recent files), the question about unsaved moves, undo and
// redo.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <set>

#include "app/main_window.h"
#include "app/move_report.h"
#include "app/recent_files.h"
#include "app/ui_texts.h"

namespace quintaro::app {

namespace {

QAction* AddAction(QMenu* menu, const char* name, const char* caption, QKeySequence keys = {}) {
  QAction* action = menu->addAction(Ui(caption));
  action->setObjectName(QString::fromLatin1(name));
  if (!keys.isEmpty()) action->setShortcut(keys);
  return action;
}

// The first local file of a drag, or none.
QString LocalFileOf(const QMimeData* mime) {
  if (mime == nullptr) return {};
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

void MainWindow::BuildMenus() {
  BuildFileMenu();
  BuildEditMenu();
  QMenu* sets = menuBar()->addMenu(Ui(text::kMenuSettings));
  QMenu* background = sets->addMenu(Ui(text::kMenuBackColor));
  background->setObjectName(QStringLiteral("backgroundMenu"));
  whiteAction_ = AddAction(background, "whiteAction", text::kMenuWhite);
  blackAction_ = AddAction(background, "blackAction", text::kMenuBlack);
  greyAction_ = AddAction(sets, "greyAction", text::kMenuGray);
  for (QAction* a : {whiteAction_, blackAction_, greyAction_}) a->setCheckable(true);
  connect(whiteAction_, &QAction::triggered, this, [this] { SetBackground(false); });
  connect(blackAction_, &QAction::triggered, this, [this] { SetBackground(true); });
  connect(greyAction_, &QAction::triggered, this, [this] { OnToggleGrey(); });
  BuildHelpMenu();
}

void MainWindow::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu(Ui(text::kMenuFile));
  QAction* open =
      AddAction(file, "openAction", text::kMenuOpen, QKeySequence(Qt::CTRL | Qt::Key_O));
  QAction* saveAs = AddAction(file, "saveAsAction", text::kMenuSaveAs,
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  recentMenu_ = file->addMenu(Ui(text::kMenuRecent));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  file->addSeparator();
  QAction* saveMoves = AddAction(file, "saveMovesAction", text::kMenuSaveMoves);
  QAction* applyMapping = AddAction(file, "applyMappingAction", text::kMenuApplyMapping);
  file->addSeparator();
  QAction* close =
      AddAction(file, "closeAction", text::kMenuClose, QKeySequence(Qt::CTRL | Qt::Key_W));
  connect(open, &QAction::triggered, this, [this] { OnOpen(); });
  connect(saveAs, &QAction::triggered, this, [this] { OnSaveAs(); });
  connect(saveMoves, &QAction::triggered, this, [this] { OnSaveMoves(); });
  connect(applyMapping, &QAction::triggered, this, [this] { OnApplyMapping(); });
  connect(close, &QAction::triggered, this, [this] { OnClose(); });
}

// Undo and redo also work from the layer windows, where most moves start.
void MainWindow::BuildEditMenu() {
  QMenu* edit = menuBar()->addMenu(Ui(text::kMenuEdit));
  undoAction_ = AddAction(edit, "undoAction", text::kMenuUndo);
  redoAction_ = AddAction(edit, "redoAction", text::kMenuRedo);
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* a : {undoAction_, redoAction_}) {
    a->setShortcutContext(Qt::ApplicationShortcut);
    a->setEnabled(false);
  }
  QUndoStack& stack = history_->Stack();
  connect(&stack, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
  connect(&stack, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
  connect(&stack, &QUndoStack::cleanChanged, this,
          [this](bool clean) { setWindowModified(!clean); });
  connect(undoAction_, &QAction::triggered, this, [this] { OnUndo(); });
  connect(redoAction_, &QAction::triggered, this, [this] { OnRedo(); });
  edit->addSeparator();
  QAction* move =
      AddAction(edit, "moveAction", text::kMenuMove, QKeySequence(Qt::CTRL | Qt::Key_M));
  connect(move, &QAction::triggered, this, [this] { OnMove(); });
}

void MainWindow::BuildHelpMenu() {
  QMenu* help = menuBar()->addMenu(Ui(text::kMenuHelp));
  QAction* guide = AddAction(help, "guideAction", text::kMenuGuide, QKeySequence::HelpContents);
  QAction* about = AddAction(help, "aboutAction", text::kMenuAbout);
  connect(guide, &QAction::triggered, this, [this] { OnGuide(); });
  connect(about, &QAction::triggered, this, [this] { OnAbout(); });
}

void MainWindow::RebuildRecentMenu() {
  recentMenu_->clear();
  int number = 0;
  for (const std::string& file : settings_.recentFiles) {
    QString path = QString::fromStdString(file);
    // "&1 path": the digit is the key; an ampersand of the path stays one.
    QString shown = QDir::toNativeSeparators(path).replace('&', QStringLiteral("&&"));
    QAction* action = recentMenu_->addAction(QStringLiteral("&%1 ").arg(++number) + shown);
    connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
  }
  recentMenu_->setEnabled(!settings_.recentFiles.empty());
}

void MainWindow::OpenRecent(const QString& path) {
  if (DrawBusy()) return;
  if (!QFileInfo::exists(path)) {
    env_.dialogs->Inform(Ui(text::kRecentMissing) + QStringLiteral("\r\n") +
                         QDir::toNativeSeparators(path));
    RemoveRecentFile(settings_.recentFiles, path.toStdString());
    return RebuildRecentMenu();
  }
  OpenWithChecks(path);
}

bool MainWindow::ConfirmDiscard() {
  if (!history_->Modified()) return true;
  switch (env_.dialogs->AskSaveChanges(Ui(text::kSaveChanges))) {
    case SaveChoice::kSave:
      return OnSaveAs();
    case SaveChoice::kDiscard:
      return true;
    case SaveChoice::kCancel:
      return false;
  }
  return false;
}

void MainWindow::OnOpen() {
  if (DrawBusy() || !ConfirmDiscard()) return;
  session_->OnOpen();
}

bool MainWindow::OnSaveAs() {
  if (!session_->SaveDocumentAs()) return false;
  history_->MarkSaved();
  return true;
}

bool MainWindow::OpenWithChecks(const QString& path) {
  if (DrawBusy() || !QFileInfo::exists(path) || !ConfirmDiscard()) return false;
  // The layer windows close when another drawing has loaded.
  OpenOutcome outcome = session_->OpenDocument(QFileInfo(path).absoluteFilePath());
  return outcome == OpenOutcome::kOpened || outcome == OpenOutcome::kPartial;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFileOf(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QString path = LocalFileOf(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenWithChecks(path);
}

void MainWindow::OnMove() {
  if (DrawBusy()) return;
  if (!session_->HasDocument()) return SetStatusText(Ui(text::kOpenFirst));
  if (std::optional<MoveChoice> choice = env_.dialogs->ChooseMove(state_.document)) {
    moves_->MoveChosen(*choice);
  }
}

void MainWindow::OnUndo() {
  if (DrawBusy() || !history_->CanUndo()) return;
  SetStatusText(Ui(text::kUndone) + MoveSummary(history_->Undo()));
}

void MainWindow::OnRedo() {
  if (DrawBusy() || !history_->CanRedo()) return;
  SetStatusText(Ui(text::kRedone) + MoveSummary(history_->Redo()));
}

// The thumbnails of the groups the rules touched; rules found by name or
// renaming may touch any group.
void MainWindow::RedrawAfterStep(const RelayerPlan& rules) {
  std::set<int> groups;
  bool all = false;
  for (const RelayerRule& r : rules) {
    if (r.kind == RuleKind::kMove || r.kind == RuleKind::kSwap) {
      groups.insert({r.from.group, r.to.group});
    } else {
      all = true;
    }
  }
  if (pages_->currentIndex() == 1) {
    if (all) overview_->DrawOverview();
    for (int g : groups) {
      if (!all) overview_->RedrawGroup(g);
    }
  }
  for (LayerWindow* window : {firstWindow_, secondWindow_}) {
    int shown = window->ShownGroup();
    if (shown >= 0 && (all || groups.count(shown))) window->Redraw();
  }
}

}  // namespace quintaro::app
