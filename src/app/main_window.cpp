#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/recent_files.h"
#include "app/ui_texts.h"
#include "formats/common/text.h"
#include "render/qt/qt_canvas.h"

namespace quintaro::app {

namespace {

constexpr render::Color kDisplayOnlyGrey = 0x808080;

// A place saved on a screen that is no longer there would leave the
// window out of reach: it goes to its designed place instead.
void PlaceWindow(QWidget* window, const WindowBounds& b, const WindowBounds& designed) {
  window->move(b.left, b.top);
  window->resize(b.width, b.height);
  QRect bounds(window->pos(), window->size());
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(bounds)) return;
  }
  if (QGuiApplication::screens().isEmpty()) return;
  window->move(designed.left, designed.top);
}

WindowBounds BoundsOf(const QWidget* window) {
  QRect r = window->isMaximized() || window->isMinimized() ? window->normalGeometry()
                                                           : QRect(window->pos(), window->size());
  return {r.x(), r.y(), r.width(), r.height()};
}

QFont DesignedFont() {
  bool japanese = false;
  QFont font(render::FamiliesForFace(Utf8ToCp932("ＭＳ Ｐゴシック"), &japanese));
  font.setPixelSize(12);
  return font;
}

}  // namespace

MainWindow::MainWindow(const AppEnvironment& env, QWidget* parent)
    : QMainWindow(parent), env_(env) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(Ui(text::kCaption));
  setFont(DesignedFont());
  session_ = std::make_unique<DocumentSession>(state_, *this, *env_.dialogs, env_.programFolder);
  history_ = std::make_unique<EditHistory>(
      state_.document, [this](const RelayerPlan& rules) { RedrawAfterStep(rules); });
  setAcceptDrops(true);
  BuildMenus();
  BuildPages();
  BuildLayerWindows();
  qApp->installEventFilter(&escape_);
  ApplySettings();
  mainView_->InitView(width(), height());
  pages_->setCurrentIndex(0);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildPages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setTabPosition(QTabWidget::South);
  pages_->setDocumentMode(true);
  auto* allPage = new QWidget;
  allPage->setObjectName(QStringLiteral("allPage"));
  auto* box = new PaintBox(allPage);
  auto* allLayout = new QVBoxLayout(allPage);
  allLayout->setContentsMargins(0, 0, 0, 0);
  allLayout->addWidget(box);
  auto* groupPage = new QWidget;
  groupPage->setObjectName(QStringLiteral("groupPage"));
  overview_ = std::make_unique<OverviewPage>(state_, *session_, groupPage);
  auto* groupLayout = new QVBoxLayout(groupPage);
  groupLayout->setContentsMargins(0, 0, 0, 0);
  groupLayout->addWidget(overview_->Panel());
  pages_->addTab(allPage, Ui(text::kPageAll));
  pages_->addTab(groupPage, Ui(text::kPageLayerGroup));
  // A wheel turn over the tabs would turn the page: it does nothing there.
  pages_->tabBar()->installEventFilter(this);
  setCentralWidget(pages_);
  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName(QStringLiteral("statusBar"));
  statusText_ = new QLabel(statusBar);
  statusBar->addWidget(statusText_, 1);
  setStatusBar(statusBar);
  mainView_ = std::make_unique<MainViewPage>(state_, *session_, escape_, box,
                                             [this](const QString& t) { SetStatusText(t); });
  mainView_->SetDrawEnded([this] { DrawEnded(); });
  overview_->SetStatus([this](const QString& t) { SetStatusText(t); });
  overview_->SetDrawEnded([this] { DrawEnded(); });
  connect(pages_, &QTabWidget::currentChanged, this, [this] { OnPageChanged(); });
}

// Created in the order second layer window, ghost, first layer window;
// none is shown before it is needed.
void MainWindow::BuildLayerWindows() {
  secondWindow_ = new LayerWindow(state_, ThumbnailSource::kSecondWindow, this);
  ghost_ = new DragGhost(this);
  firstWindow_ = new LayerWindow(state_, ThumbnailSource::kFirstWindow, this);
  for (LayerWindow* window : {firstWindow_, secondWindow_}) {
    window->SetDrawEnded([this] { DrawEnded(); });
  }
  LayerMovesParts parts;
  parts.state = &state_;
  parts.session = session_.get();
  parts.dialogs = env_.dialogs;
  parts.history = history_.get();
  parts.overview = overview_.get();
  parts.mainStatus = [this](const QString& t) { SetStatusText(t); };
  parts.firstWindow = firstWindow_;
  parts.secondWindow = secondWindow_;
  parts.ghost = ghost_;
  moves_ = std::make_unique<LayerMoves>(parts);
}

// The settings of the last run, and the attribute store's start values.
void MainWindow::ApplySettings() {
  settings_ =
      env_.settingsPath.isEmpty() ? AppSettings{} : ReadSettings(env_.settingsPath.toStdString());
  QWidget* windows[] = {this, firstWindow_, secondWindow_};
  for (int i = 0; i < 3; ++i) PlaceWindow(windows[i], settings_.windows[i], kDesignedBounds[i]);
  session_->SetDocPath(QString::fromStdString(settings_.lastFile));
  state_.blackBackground = settings_.backBlack != 0;
  state_.grayEmpty = settings_.grayEmpty != 0;
  state_.attributes.SetBackMode(state_.BackMode());
  state_.attributes.BuildPenColors();
  state_.attributes.SetGrayColor(kDisplayOnlyGrey);
  SyncMenuChecks();
  RebuildRecentMenu();
}

void MainWindow::SyncMenuChecks() {
  whiteAction_->setChecked(!state_.blackBackground);
  blackAction_->setChecked(state_.blackBackground);
  greyAction_->setChecked(state_.grayEmpty);
}

void MainWindow::SetStatusText(const QString& text) {
  statusText_->setText(text);
  statusText_->repaint();
}

// The placeholder shows an asterisk while moves are not saved.
void MainWindow::SetTitle(const QString& title) {
  setWindowTitle(title + QStringLiteral("[*]"));
}

void MainWindow::ShowAllPage() {
  pages_->setCurrentIndex(0);
}

// A new drawing (or none) leaves nothing for the layer windows to show.
// Its moves go with the drawing they were made on.
void MainWindow::DocumentChanged() {
  history_->Clear();
  history_->MarkSaved();
  if (session_->HasDocument()) {
    AddRecentFile(settings_.recentFiles, session_->DocPath().toStdString());
    RebuildRecentMenu();
  }
  CloseLayerWindows();
  mainView_->DocumentChanged();
}

void MainWindow::CloseLayerWindows() {
  firstWindow_->close();
  secondWindow_->close();
}

void MainWindow::SetBackground(bool black) {
  // Not while the main view is drawn with the current colours.
  if (DrawBusy()) return SyncMenuChecks();
  bool groupPage = pages_->currentIndex() == 1;
  if (groupPage) pages_->setCurrentIndex(0);
  state_.blackBackground = black;
  state_.attributes.SetBackMode(state_.BackMode());
  state_.attributes.BuildPenColors();
  SyncMenuChecks();
  mainView_->Draw();
  if (groupPage) pages_->setCurrentIndex(1);  // draws the overview
}

void MainWindow::OnToggleGrey() {
  state_.grayEmpty = !state_.grayEmpty;
  SyncMenuChecks();
  if (pages_->currentIndex() == 1) OnPageChanged();
}

void MainWindow::OnPageChanged() {
  if (pages_->currentIndex() != 1) return;
  // The thumbnails share the attribute store with the running drawing:
  // they wait for its end.
  if (DrawBusy()) {
    overviewPending_ = true;
    return;
  }
  overview_->DrawOverview();
  overview_->FocusSelection();
}

void MainWindow::DrawEnded() {
  if (state_.flags.layerRepaintPending) {
    state_.flags.layerRepaintPending = false;
    firstWindow_->Panel()->update();
    secondWindow_->Panel()->update();
  }
  if (!overviewPending_) return;
  overviewPending_ = false;
  if (pages_->currentIndex() == 1) overview_->DrawOverview();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pages_->tabBar() && event->type() == QEvent::Wheel) return true;
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::wheelEvent(QWheelEvent* event) {
  if (pages_->currentIndex() == 0) {
    mainView_->WheelTurn(event->angleDelta().y(), event->globalPosition());
  }
  event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (tornDown_) return event->accept();
  if (DrawBusy() || !ConfirmDiscard()) {
    event->ignore();
    return;
  }
  TearDown();
  event->accept();
}

// Writes the settings (a file that cannot be written costs only the
// settings) and drops the drawing with its carried images; the work folder
// goes with the window.
void MainWindow::TearDown() {
  if (tornDown_) return;
  tornDown_ = true;
  settings_.windows = {BoundsOf(this), BoundsOf(firstWindow_), BoundsOf(secondWindow_)};
  CloseLayerWindows();
  settings_.lastFile = session_->DocPath().toStdString();
  settings_.backBlack = state_.blackBackground ? 1 : 0;
  settings_.grayEmpty = state_.grayEmpty ? 1 : 0;
  if (!env_.settingsPath.isEmpty() && !WriteSettings(env_.settingsPath.toStdString(), settings_)) {
    qWarning("quintaro: the settings could not be written to %s",
             qUtf8Printable(env_.settingsPath));
  }
  state_.DropFigures();
  state_.document.Close();
}

}  // namespace quintaro::app
