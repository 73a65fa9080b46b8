#include "app/overview_page.h"

#include <QTimer>
#include <functional>

#include "app/ui_texts.h"

namespace quintaro::app {

namespace {

// Resizes come in bursts while the user drags the window's edge: the
// thumbnails are laid out again once they pause.
constexpr int kRelayoutMs = 40;

class OverviewPanel : public QWidget {
 public:
  OverviewPanel(QWidget* parent, std::function<void()> resized)
      : QWidget(parent), resized_(std::move(resized)) {}

 protected:
  void resizeEvent(QResizeEvent*) override { resized_(); }

 private:
  std::function<void()> resized_;
};

}  // namespace

OverviewPage::OverviewPage(AppState& state, const DocumentSession& session, QWidget* parent)
    : state_(state),
      session_(session),
      panel_(new OverviewPanel(parent, [this] { Resized(); })),
      dc_(state.attributes) {
  relayout_ = new QTimer(panel_);
  relayout_->setSingleShot(true);
  relayout_->setInterval(kRelayoutMs);
  QObject::connect(relayout_, &QTimer::timeout, panel_, [this] { Relayout(); });
  panel_->setObjectName(QStringLiteral("panel"));
  panel_->setAutoFillBackground(true);
  QPalette palette = panel_->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  panel_->setPalette(palette);
  int labelHeight = panel_->fontMetrics().height();
  for (int tag = 1; tag <= 16; ++tag) {
    auto* label = new QLabel(panel_);
    label->setObjectName(QStringLiteral("label%1").arg(tag));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->resize(label->width(), labelHeight);
    labels_[tag - 1] = label;
    images_[tag - 1] = new ThumbnailImage(tag, ThumbnailSource::kMain, panel_);
    images_[tag - 1]->setFocusPolicy(Qt::StrongFocus);
  }
}

void OverviewPage::FocusSelection() {
  for (ThumbnailImage* image : images_) {
    if (image->hasFocus()) return;
  }
  images_[0]->setFocus(Qt::OtherFocusReason);
}

void OverviewPage::SetMouse(ThumbnailMouse* mouse) {
  for (ThumbnailImage* image : images_) image->SetMouse(mouse);
}

void OverviewPage::Prepare() {
  cells_ = PrepareThumbnails(state_, panel_, labels_[0]->height(), state_.view, dc_);
}

void OverviewPage::Resized() {
  if (drawn_ && panel_->isVisible()) relayout_->start();
}

// Not while the main view is drawn, whose attribute store the thumbnails
// share: then a little later.
void OverviewPage::Relayout() {
  if (!panel_->isVisible()) return;
  if (state_.flags.drawBusy) return relayout_->start();
  ThumbnailCells cells = CellsOf(panel_->width(), panel_->height(), labels_[0]->height());
  if (cells.width != cells_.width || cells.height != cells_.height) DrawOverview();
}

void OverviewPage::DrawOverview() {
  if (state_.flags.drawBusy) return;
  drawn_ = true;
  ThumbnailPass pass(state_, dc_);
  for (QLabel* label : labels_) label->clear();
  Prepare();
  for (int group = 0; group < 16; ++group) DrawGroup(pass, group);
  Ended(pass);
}

void OverviewPage::RedrawGroup(int group) {
  if (group < 0 || group > 15 || state_.flags.drawBusy) return;
  ThumbnailPass pass(state_, dc_);
  labels_[group]->clear();
  Prepare();
  DrawGroup(pass, group);
  Ended(pass);
}

// A cell after the Escape key is laid out with its label, but left blank.
void OverviewPage::DrawGroup(ThumbnailPass& pass, int group) {
  int w = cells_.width, h = cells_.height - cells_.labelHeight;
  ThumbnailImage* image = images_[group];
  image->ClearPicture();
  PlaceCell(cells_, group, labels_[group], image, w, h);
  ShowLabel(labels_[group], QString::fromStdString(state_.document.GroupLabel(group)));
  bool grey = state_.grayEmpty && state_.document.GroupTotal(group) == 0;
  state_.attributes.SetBackMode(grey ? 2 : state_.BackMode());
  pass.DrawCell(image, w, h, -1, group);
}

void OverviewPage::Ended(ThumbnailPass& pass) {
  state_.attributes.SetBackMode(state_.BackMode());
  pass.Finish();
  bool stopped = pass.Stopped();
  if (status_ && (stopped || stopShown_)) {
    status_(stopped ? Ui(text::kDrawAborted) : QString());
  }
  stopShown_ = stopped;
  if (drawEnded_) drawEnded_();
}

}  // namespace quintaro::app
