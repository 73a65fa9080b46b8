#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/ui_texts.h"
#include "formats/common/text.h"
#include "render/qt/qt_canvas.h"

namespace quintaro::app {

namespace {

constexpr render::Color kDisplayOnlyGrey = 0x808080;

QString Ui(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QAction* AddAction(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(Ui(caption));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

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
  QFont font(render::FamilyForFace(Utf8ToCp932("ＭＳ Ｐゴシック"), &japanese));
  font.setPixelSize(12);
  return font;
}

}  // namespace

TForm1::TForm1(const AppEnvironment& env, QWidget* parent) : QMainWindow(parent), env_(env) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(Ui(text::kCaption));
  setFont(DesignedFont());
  session_ = std::make_unique<DocumentSession>(state_, *this, *env_.dialogs, env_.programFolder);
  BuildMenus();
  BuildPages();
  BuildLayerWindows();
  qApp->installEventFilter(&escape_);
  ApplySettings();
  mainView_->InitView(width(), height());
  PageControl1->setCurrentIndex(0);
}

TForm1::~TForm1() = default;

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu(Ui(text::kMenuFile));
  MnuOpen = AddAction(file, "MnuOpen", text::kMenuOpen);
  MnuSaveAs = AddAction(file, "MnuSaveAs", text::kMenuSaveAs);
  file->addSeparator();
  MnuClose = AddAction(file, "MnuClose", text::kMenuClose);
  QMenu* sets = menuBar()->addMenu(Ui(text::kMenuSettings));
  MnuSetBackColor = sets->addMenu(Ui(text::kMenuBackColor));
  MnuSetBackColor->setObjectName(QStringLiteral("MnuSetBackColor"));
  MnuSetWhite = AddAction(MnuSetBackColor, "MnuSetWhite", text::kMenuWhite);
  MnuSetBlack = AddAction(MnuSetBackColor, "MnuSetBlack", text::kMenuBlack);
  MnuSetGray = AddAction(sets, "MnuSetGray", text::kMenuGray);
  for (QAction* a : {MnuSetWhite, MnuSetBlack, MnuSetGray}) a->setCheckable(true);
  connect(MnuOpen, &QAction::triggered, this, [this] { MnuOpenClick(); });
  connect(MnuSaveAs, &QAction::triggered, this, [this] { MnuSaveAsClick(); });
  connect(MnuClose, &QAction::triggered, this, [this] { MnuCloseClick(); });
  connect(MnuSetWhite, &QAction::triggered, this, [this] { SetBackground(0); });
  connect(MnuSetBlack, &QAction::triggered, this, [this] { SetBackground(1); });
  connect(MnuSetGray, &QAction::triggered, this, [this] { MnuSetGrayClick(); });
}

void TForm1::BuildPages() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setTabPosition(QTabWidget::South);
  PageControl1->setDocumentMode(true);
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  auto* box = new TPaintBox(TabSheet1);
  auto* allLayout = new QVBoxLayout(TabSheet1);
  allLayout->setContentsMargins(0, 0, 0, 0);
  allLayout->addWidget(box);
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  overview_ = std::make_unique<OverviewPage>(state_, *session_, TabSheet2);
  auto* groupLayout = new QVBoxLayout(TabSheet2);
  groupLayout->setContentsMargins(0, 0, 0, 0);
  groupLayout->addWidget(overview_->Panel());
  PageControl1->addTab(TabSheet1, Ui(text::kPageAll));
  PageControl1->addTab(TabSheet2, Ui(text::kPageLayerGroup));
  setCentralWidget(PageControl1);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  statusText_ = new QLabel(StatusBar1);
  StatusBar1->addWidget(statusText_, 1);
  setStatusBar(StatusBar1);
  mainView_ = std::make_unique<MainViewPage>(state_, *session_, escape_, box,
                                             [this](const QString& t) { SetStatusText(t); });
  mainView_->SetDrawEnded([this] { DrawEnded(); });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
}

// Created in the order second layer window, ghost, first layer window;
// none is shown before it is needed.
void TForm1::BuildLayerWindows() {
  form3_ = new TForm3(state_, this);
  ghost_ = new TFormA1(this);
  form2_ = new TForm2(state_, this);
  LayerMovesParts parts;
  parts.state = &state_;
  parts.session = session_.get();
  parts.dialogs = env_.dialogs;
  parts.overview = overview_.get();
  parts.mainStatus = [this](const QString& t) { SetStatusText(t); };
  parts.form2 = form2_;
  parts.form3 = form3_;
  parts.ghost = ghost_;
  moves_ = std::make_unique<LayerMoves>(parts);
}

// The settings of the last run, and the attribute store's start values.
void TForm1::ApplySettings() {
  settings_ =
      env_.settingsPath.isEmpty() ? AppSettings{} : ReadSettings(env_.settingsPath.toStdString());
  QWidget* windows[] = {this, form2_, form3_};
  for (int i = 0; i < 3; ++i) PlaceWindow(windows[i], settings_.forms[i], kDesignedBounds[i]);
  session_->SetDocPath(QString::fromStdString(settings_.lastFile));
  state_.BackBlack = settings_.backBlack;
  state_.GrayEmpty = settings_.grayEmpty != 0;
  state_.attributes.SetBackMode(state_.BackBlack);
  state_.attributes.BuildPenColors();
  state_.attributes.SetGrayColor(kDisplayOnlyGrey);
  SyncMenuChecks();
}

void TForm1::SyncMenuChecks() {
  MnuSetWhite->setChecked(state_.BackBlack == 0);
  MnuSetBlack->setChecked(state_.BackBlack != 0);
  MnuSetGray->setChecked(state_.GrayEmpty);
}

void TForm1::SetStatusText(const QString& text) {
  statusText_->setText(text);
  statusText_->repaint();
}

void TForm1::ShowAllPage() {
  PageControl1->setCurrentIndex(0);
}

// A new drawing (or none) leaves nothing for the layer windows to show.
void TForm1::DocumentChanged() {
  CloseLayerWindows();
  mainView_->DocumentChanged();
}

void TForm1::CloseLayerWindows() {
  form2_->close();
  form3_->close();
}

void TForm1::SetBackground(int black) {
  // Not while the main view is drawn with the current colours.
  if (DrawBusy()) return SyncMenuChecks();
  bool groupPage = PageControl1->currentIndex() == 1;
  if (groupPage) PageControl1->setCurrentIndex(0);
  state_.BackBlack = black != 0 ? 1 : 0;
  state_.attributes.SetBackMode(state_.BackBlack);
  state_.attributes.BuildPenColors();
  SyncMenuChecks();
  mainView_->Draw();
  if (groupPage) PageControl1->setCurrentIndex(1);  // draws the overview
}

void TForm1::MnuSetGrayClick() {
  state_.GrayEmpty = !state_.GrayEmpty;
  SyncMenuChecks();
  if (PageControl1->currentIndex() == 1) PageControl1Change();
}

void TForm1::PageControl1Change() {
  if (PageControl1->currentIndex() != 1) return;
  // The thumbnails share the attribute store with the running drawing:
  // they wait for its end.
  if (DrawBusy()) {
    overviewPending_ = true;
    return;
  }
  overview_->DrawOverview();
}

void TForm1::DrawEnded() {
  if (state_.flags.LayerRepaintPending) {
    state_.flags.LayerRepaintPending = false;
    form2_->Panel()->update();
    form3_->Panel()->update();
  }
  if (!overviewPending_) return;
  overviewPending_ = false;
  if (PageControl1->currentIndex() == 1) overview_->DrawOverview();
}

void TForm1::wheelEvent(QWheelEvent* event) {
  if (PageControl1->currentIndex() == 0) {
    mainView_->WheelTurn(event->angleDelta().y(), event->globalPosition());
  }
  event->accept();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (DrawBusy()) {
    event->ignore();
    return;
  }
  TearDown();
  event->accept();
}

// Writes the settings (a file that cannot be written costs only the
// settings) and drops the drawing with its carried images; the work folder
// goes with the window.
void TForm1::TearDown() {
  if (tornDown_) return;
  tornDown_ = true;
  settings_.forms = {BoundsOf(this), BoundsOf(form2_), BoundsOf(form3_)};
  CloseLayerWindows();
  settings_.lastFile = session_->DocPath().toStdString();
  settings_.backBlack = state_.BackBlack;
  settings_.grayEmpty = state_.GrayEmpty ? 1 : 0;
  if (!env_.settingsPath.isEmpty() && !WriteSettings(env_.settingsPath.toStdString(), settings_)) {
    qWarning("quintaro: the settings could not be written to %s",
             qUtf8Printable(env_.settingsPath));
  }
  state_.document.Close();
}

}  // namespace quintaro::app
