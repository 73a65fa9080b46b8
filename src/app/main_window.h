// TForm1: the main window. It owns everything the program shares (the
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

class TForm1 : public QMainWindow, public SessionHost {
  Q_OBJECT

 public:
  explicit TForm1(const AppEnvironment& env, QWidget* parent = nullptr);
  ~TForm1() override;

  // SessionHost
  bool DrawBusy() const override { return state_.flags.DrawBusy; }
  void SetStatusText(const QString& text) override;
  void SetTitle(const QString& title) override { setWindowTitle(title); }
  void ShowAllPage() override;
  void DocumentChanged() override;
  void CloseLayerWindows() override;

  void MnuOpenClick() { session_->MnuOpenClick(); }
  void MnuSaveAsClick() { session_->SaveDocumentAs(); }
  void MnuCloseClick() { close(); }
  // 0 white, 1 black.
  void SetBackground(int black);
  void MnuSetGrayClick();
  OpenOutcome OpenDocument(const QString& path) { return session_->OpenDocument(path); }

  AppState& State() { return state_; }
  DocumentSession& Session() { return *session_; }
  MainViewPage& MainView() { return *mainView_; }
  OverviewPage& Overview() { return *overview_; }
  TForm2& Form2() { return *form2_; }
  TForm3& Form3() { return *form3_; }
  TFormA1& FormA1() { return *ghost_; }
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
  void PageControl1Change();
  void DrawEnded();
  void TearDown();

  AppEnvironment env_;
  AppState state_;
  EscapeWatch escape_;
  AppSettings settings_;
  std::unique_ptr<DocumentSession> session_;
  std::unique_ptr<MainViewPage> mainView_;
  std::unique_ptr<OverviewPage> overview_;
  TForm3* form3_ = nullptr;  // windows of their own, owned as children
  TFormA1* ghost_ = nullptr;
  TForm2* form2_ = nullptr;
  std::unique_ptr<LayerMoves> moves_;
  QAction* MnuOpen = nullptr;
  QAction* MnuSaveAs = nullptr;
  QAction* MnuClose = nullptr;
  QMenu* MnuSetBackColor = nullptr;
  QAction* MnuSetWhite = nullptr;
  QAction* MnuSetBlack = nullptr;
  QAction* MnuSetGray = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* statusText_ = nullptr;  // the one simple text of the status bar
  bool overviewPending_ = false;  // turned to "LayerGroup" while drawing
  bool tornDown_ = false;
};

}  // namespace quintaro::app
