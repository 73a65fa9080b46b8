// The main window. It owns everything the program shares (the drawing, the
// attribute store, the view state, the work folder), the document session,
// the history of moves, the page "ALL", the page "LayerGroup", the two
// layer windows and the drag ghost.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>
#include <memory>

#include "app/app_environment.h"
#include "app/app_state.h"
#include "app/document_session.h"
#include "app/drag_ghost.h"
#include "app/edit_history.h"
#include "app/escape_watch.h"
#include "app/layer_moves.h"
#include "app/layer_window.h"
#include "app/main_view_page.h"
#include "app/overview_page.h"
#include "app/settings_file.h"

namespace quintaro::app {

class MainWindow : public QMainWindow, public SessionHost {
  Q_OBJECT

 public:
  explicit MainWindow(const AppEnvironment& env, QWidget* parent = nullptr);
  ~MainWindow() override;

  // SessionHost
  bool DrawBusy() const override { return state_.flags.drawBusy; }
  void SetStatusText(const QString& text) override;
  void SetTitle(const QString& title) override;
  void ShowAllPage() override;
  void DocumentChanged() override;
  void CloseLayerWindows() override;

  // The commands of the menus. Opening and closing ask first about moves
  // that are not saved.
  void OnOpen();
  bool OnSaveAs();
  void OnClose() { close(); }
  void OnUndo();
  void OnRedo();
  void OnSaveMoves();
  void OnApplyMapping();
  // 編集 → 移動…: a move chosen from lists.
  void OnMove();
  // ヘルプ: the guide in the system's viewer, the version box.
  void OnGuide();
  void OnAbout();
  void SetBackground(bool black);
  void OnToggleGrey();
  // Opens a drawing as it stands, without any question (the start's file).
  OpenOutcome OpenDocument(const QString& path) { return session_->OpenDocument(path); }
  // Opens a drawing dropped on the window or chosen among the recent ones,
  // with the checks of 開く; false when it was not opened.
  bool OpenWithChecks(const QString& path);

  AppState& State() { return state_; }
  DocumentSession& Session() { return *session_; }
  EditHistory& History() { return *history_; }
  MainViewPage& MainView() { return *mainView_; }
  OverviewPage& Overview() { return *overview_; }
  LayerWindow& FirstLayerWindow() { return *firstWindow_; }
  LayerWindow& SecondLayerWindow() { return *secondWindow_; }
  DragGhost& Ghost() { return *ghost_; }
  LayerMoves& Moves() { return *moves_; }
  QMenu* RecentMenu() const { return recentMenu_; }
  const std::vector<std::string>& RecentFiles() const { return settings_.recentFiles; }
  QString StatusText() const { return statusText_->text(); }
  // True once the window has closed and its settings were written.
  bool TornDown() const { return tornDown_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildHelpMenu();
  void BuildPages();
  void BuildLayerWindows();
  void ApplySettings();
  void SyncMenuChecks();
  void RebuildRecentMenu();
  void OpenRecent(const QString& path);
  // True when nothing unsaved would be lost: no moves since the last
  // save, or the user saved them or chose to drop them.
  bool ConfirmDiscard();
  void RedrawAfterStep(const RelayerPlan& rules);
  void OnPageChanged();
  void DrawEnded();
  void TearDown();

  AppEnvironment env_;
  AppState state_;
  EscapeWatch escape_;
  AppSettings settings_;
  std::unique_ptr<DocumentSession> session_;
  std::unique_ptr<EditHistory> history_;
  std::unique_ptr<MainViewPage> mainView_;
  std::unique_ptr<OverviewPage> overview_;
  LayerWindow* secondWindow_ = nullptr;  // windows of their own, owned as children
  DragGhost* ghost_ = nullptr;
  LayerWindow* firstWindow_ = nullptr;
  std::unique_ptr<LayerMoves> moves_;
  QMenu* recentMenu_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QAction* whiteAction_ = nullptr;
  QAction* blackAction_ = nullptr;
  QAction* greyAction_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QLabel* statusText_ = nullptr;  // the one simple text of the status bar
  bool overviewPending_ = false;  // turned to "LayerGroup" while drawing
  bool tornDown_ = false;
};

}  // namespace quintaro::app
