// The main window. It owns everything the program shares (the
// drawing, the attribute store, the view state, the work folder), the
// document session, the page "ALL", the page "LayerGroup", the two layer
// windows and the drag ghost.
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
  bool DrawBusy() const override { return state_.flags.DrawBusy; }
  void SetStatusText(const QString& text) override;
  void SetTitle(const QString& title) override { setWindowTitle(title); }
  void ShowAllPage() override;
  void DocumentChanged() override;
  void CloseLayerWindows() override;

  void OnOpen() { session_->OnOpen(); }
  void OnSaveAs() { session_->SaveDocumentAs(); }
  void OnClose() { close(); }
  void SetBackground(bool black);
  void OnToggleGrey();
  OpenOutcome OpenDocument(const QString& path) { return session_->OpenDocument(path); }

  AppState& State() { return state_; }
  DocumentSession& Session() { return *session_; }
  MainViewPage& MainView() { return *mainView_; }
  OverviewPage& Overview() { return *overview_; }
  LayerWindow& FirstLayerWindow() { return *firstWindow_; }
  LayerWindow& SecondLayerWindow() { return *secondWindow_; }
  DragGhost& Ghost() { return *ghost_; }
  LayerMoves& Moves() { return *moves_; }
  QString StatusText() const { return statusText_->text(); }
  // True once the window has closed and its settings were written.
  bool TornDown() const { return tornDown_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void BuildMenus();
  void BuildPages();
  void BuildLayerWindows();
  void ApplySettings();
  void SyncMenuChecks();
  void OnPageChanged();
  void DrawEnded();
  void TearDown();

  AppEnvironment env_;
  AppState state_;
  EscapeWatch escape_;
  AppSettings settings_;
  std::unique_ptr<DocumentSession> session_;
  std::unique_ptr<MainViewPage> mainView_;
  std::unique_ptr<OverviewPage> overview_;
  LayerWindow* secondWindow_ = nullptr;  // windows of their own, owned as children
  DragGhost* ghost_ = nullptr;
  LayerWindow* firstWindow_ = nullptr;
  std::unique_ptr<LayerMoves> moves_;
  QAction* openAction_ = nullptr;
  QAction* saveAsAction_ = nullptr;
  QAction* closeAction_ = nullptr;
  QMenu* backgroundMenu_ = nullptr;
  QAction* whiteAction_ = nullptr;
  QAction* blackAction_ = nullptr;
  QAction* greyAction_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QWidget* allPage_ = nullptr;
  QWidget* groupPage_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* statusText_ = nullptr;  // the one simple text of the status bar
  bool overviewPending_ = false;  // turned to "LayerGroup" while drawing
  bool tornDown_ = false;
};

}  // namespace quintaro::app
