#include "app/layer_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui_texts.h"

namespace quintaro::app {

namespace {

constexpr int kMinimumThumbnail = 4;

// The panel: white; it tells the window of its paints and size changes.
class LayerPanel : public QWidget {
 public:
  LayerPanel(QWidget* parent, std::function<void()> painted, std::function<void()> resized)
      : QWidget(parent), painted_(std::move(painted)), resized_(std::move(resized)) {
    setObjectName(QStringLiteral("panel"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), Qt::white);
    painted_();
  }
  void resizeEvent(QResizeEvent*) override { resized_(); }

 private:
  std::function<void()> painted_, resized_;
};

QLabel* MakeLabel(int tag, QWidget* panel) {
  auto* label = new QLabel(panel);
  label->setObjectName(QStringLiteral("label%1").arg(tag));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Opaque, so that a new caption repaints the label and not the panel.
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->resize(label->width(), panel->fontMetrics().height());
  return label;
}

}  // namespace

LayerWindow::LayerWindow(AppState& state, ThumbnailSource which, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      groupEntry_(which == ThumbnailSource::kSecondWindow ? &AppState::groupInSecondWindow
                                                          : &AppState::groupInFirstWindow),
      which_(which),
      dc_(state.attributes) {
  setObjectName(which == ThumbnailSource::kSecondWindow ? QStringLiteral("secondLayerWindow")
                                                        : QStringLiteral("firstLayerWindow"));
  if (parent) setFont(parent->font());
  panel_ = new LayerPanel(
      this, [this] { PanelPainted(); }, [this] { Redraw(); });
  redraw_ = new QTimer(this);
  redraw_->setSingleShot(true);
  redraw_->setInterval(0);
  connect(redraw_, &QTimer::timeout, this, [this] {
    if (isVisible()) DrawLayers();
  });
  for (int tag = 1; tag <= 16; ++tag) {
    labels_[tag - 1] = MakeLabel(tag, panel_);
    images_[tag - 1] = new ThumbnailImage(tag, which, panel_);
  }
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("statusBar"));
  statusText_ = new QLabel(statusBar_);
  statusBar_->addWidget(statusText_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel_, 1);
  layout->addWidget(statusBar_);
}

void LayerWindow::SetMouse(ThumbnailMouse* mouse) {
  for (ThumbnailImage* image : images_) image->SetMouse(mouse);
}

void LayerWindow::SetStatusText(const QString& text) {
  statusText_->setText(text);
  statusText_->repaint();
}

// The cells and the thumbnail transform of the panel's present size, from
// the values handed over at set-up. False while another drawing runs (the
// main view or thumbnails), whose attribute store the thumbnails share:
// they are drawn after its end.
bool LayerWindow::Prepare() {
  if (state_.flags.drawBusy) {
    state_.flags.layerRepaintPending = true;
    stale_ = true;
    return false;
  }
  cells_ = PrepareThumbnails(state_, panel_, labels_[0]->height(), setup_.view, dc_);
  return true;
}

void LayerWindow::SetUp(const LayerWindowSetup& setup) {
  setup_ = setup;
  Redraw();
}

void LayerWindow::Redraw() {
  stale_ = true;
  redraw_->start();
}

// A drawing refused while another one ran is asked for again here: the
// main window repaints the panel once that drawing has ended.
void LayerWindow::PanelPainted() {
  if (stale_ && !redraw_->isActive()) redraw_->start();
}

void LayerWindow::DrawLayers() {
  if (ShownGroup() < 0 || !Prepare()) return;
  stale_ = false;
  ThumbnailPass pass(state_, dc_);
  pass_ = &pass;
  statusText_->clear();
  for (QLabel* label : labels_) label->clear();
  for (int layer = 0; layer < 16; ++layer) DrawLayer(pass, layer, kMinimumThumbnail);
  pass_ = nullptr;
  pass.Finish();
  SetStatusText(pass.Stopped() ? Ui(text::kDrawAborted) : ElementCountText());
  if (drawEnded_) drawEnded_();
}

void LayerWindow::RedrawLayer(int layer) {
  if (layer < 0 || layer > 15 || ShownGroup() < 0 || !Prepare()) return;
  ThumbnailPass pass(state_, dc_);
  pass_ = &pass;
  labels_[layer]->clear();
  DrawLayer(pass, layer, 1);
  pass_ = nullptr;
  pass.Finish();
  if (pass.Stopped()) SetStatusText(Ui(text::kDrawAborted));
  if (drawEnded_) drawEnded_();
}

// A cell after the Escape key is laid out with its label, but left blank.
void LayerWindow::DrawLayer(ThumbnailPass& pass, int layer, int minimum) {
  int group = setup_.group;
  int w = std::max(minimum, cells_.width);
  int h = std::max(minimum, cells_.height - cells_.labelHeight);
  ThumbnailImage* image = images_[layer];
  PlaceCell(cells_, layer, labels_[layer], image, w, h);
  ShowLabel(labels_[layer], QString::fromStdString(state_.document.LayerLabel(group, layer)));
  render::GraphicAttributes& attr = state_.attributes;
  bool grey = setup_.grayEmpty && state_.document.LayerTotal(group, layer) == 0;
  attr.SetBackMode(grey ? 2 : setup_.blackBackground ? 1 : 0);
  pass.DrawCell(image, w, h, layer, group);
  // The store goes back to the main window's background, which the main
  // view paints with, not to the one handed over.
  attr.SetBackMode(state_.BackMode());
}

QString LayerWindow::ElementCountText() const {
  LayerCensusResult census = state_.document.Census(setup_.group, -1);
  return Ui(text::kElementCount) +
         QStringLiteral("%1 (%2)").arg(census.Direct()).arg(census.InBlocks());
}

void LayerWindow::ShowElementCount() {
  if (ShownGroup() >= 0) SetStatusText(ElementCountText());
}

void LayerWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Redraw();
}

// A drawing running in the window stops: nobody would see the rest.
void LayerWindow::closeEvent(QCloseEvent* event) {
  if (pass_ != nullptr) pass_->Stop();
  SetShownGroup(-1);
  event->accept();
}

}  // namespace quintaro::app
