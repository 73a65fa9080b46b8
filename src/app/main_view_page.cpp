#include "app/main_view_page.h"

#include <QCoreApplication>
#include <QPainter>

#include "app/device_pixels.h"
#include "app/ui_texts.h"
#include "app/view_navigation.h"
#include "render/qt/qt_canvas.h"
#include "render/scene/main_view.h"
#include "render/shapes/primitives.h"

namespace quintaro::app {

namespace {

// How often a long drawing shows what it has drawn so far.
constexpr int kProgressMs = 100;
// Pending events run at the first abort check and then at most this often:
// a key or a wheel turn is still seen at once, and the checks, which come
// every few microseconds, cost next to nothing.
constexpr int kEventsMs = 5;
constexpr render::Color kBandColor = 0xFFFF00;  // aqua
constexpr int kBandWidth = 3;
// A window dragged to a new size sends many sizes: only the last is drawn.
constexpr int kResizePauseMs = 120;

}  // namespace

MainViewPage::MainViewPage(AppState& state, const DocumentSession& session, EscapeWatch& escape,
                           PaintBox* box, StatusFn status)
    : state_(state),
      session_(session),
      escape_(escape),
      box_(box),
      status_(std::move(status)),
      dc_(state.attributes) {
  dc_.abortCheck = [this] { return CheckAbort(); };
  box_->SetHandler(this);
  resizeTimer_.setSingleShot(true);
  resizeTimer_.setInterval(kResizePauseMs);
  QObject::connect(&resizeTimer_, &QTimer::timeout, [this] { RedrawForSize(); });
}

void MainViewPage::SizeChanged() {
  if (!snapshot_.isNull() && HasDocument()) resizeTimer_.start();
}

// Same centre, same scale, the new size, after any running drawing.
void MainViewPage::RedrawForSize() {
  if (state_.flags.drawBusy) return resizeTimer_.start();
  int w = DevicePixels(box_, box_->width()), h = DevicePixels(box_, box_->height());
  if (!HasDocument() || snapshot_.size() == QSize(w, h)) return;
  KeepScale(dc_.view, state_.view, state_.extents, w, h);
  Draw();
}

void MainViewPage::InitView(int width, int height) {
  dc_.view.Centre(DevicePixels(box_, width), DevicePixels(box_, height));
}

void MainViewPage::DocumentChanged() {
  state_.view.Reset();
  const TextMacroValues* macros = state_.document.Macros();
  dc_.macros = macros ? *macros : TextMacroValues{};
  state_.documentTime = render::FileTimeStamp(state_.document.Path());
  dc_.documentTime = state_.documentTime;
  state_.StartFigures();
  Draw();
}

void MainViewPage::Draw(const ViewTransform* preset) {
  Redraw(preset, false);
}

// Lets pending events run, so that the window stays responsive and a
// wheel turn or the Escape key can stop the drawing.
bool MainViewPage::CheckAbort() {
  ++abortChecks_;
  if (escape_.Hit()) return true;
  if (!state_.flags.drawBusy) return false;
  if (events_.isValid() && events_.elapsed() < kEventsMs) return false;
  if (progress_.elapsed() >= kProgressMs) {
    canvas_->Flush();
    box_->update();
    progress_.restart();
  }
  QCoreApplication::processEvents();
  events_.start();
  return escape_.Hit() || state_.flags.abortRequested;
}

void MainViewPage::Paint(QPainter& painter) {
  if (drawing_ != nullptr) {
    // What the running drawing has done so far. (While thumbnails are
    // drawn the snapshot below stays on show.)
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(drawing_->size()) / box_->devicePixelRatioF()),
                      *drawing_);
    return;
  }
  painter.fillRect(box_->rect(), render::ToQColor(state_.attributes.BackColor()));
  if (!snapshot_.isNull()) painter.drawImage(0, 0, snapshot_);
  if (band_.shown) PaintBand(painter);
}

// The band in exclusive-or over the snapshot, drawn on a copy of the part
// it covers so that it looks the same on any paint device.
void MainViewPage::PaintBand(QPainter& painter) {
  QRect area = QRect(band_.from, band_.to).normalized();
  area.adjust(-kBandWidth, -kBandWidth, kBandWidth, kBandWidth);
  area &= box_->rect();
  if (area.isEmpty()) return;
  QRect device(ToDevice(box_, area.topLeft()).toPoint(),
               QSize(DevicePixels(box_, area.width()), DevicePixels(box_, area.height())));
  QImage piece(device.size(), QImage::Format_RGB32);
  piece.fill(render::ToQColor(state_.attributes.BackColor()));
  {
    QPainter copy(&piece);
    copy.drawImage(QRectF(piece.rect()), snapshot_, QRectF(device));
  }
  render::QtCanvas canvas(&piece);
  canvas.SetBrushStyle(render::BrushStyle::kClear);
  canvas.SetPen({kBandColor, DevicePixels(box_, kBandWidth), render::PenStyle::kSolid,
                 render::PenMode::kXor});
  QPoint a = ToDevice(box_, band_.from).toPoint() - device.topLeft();
  QPoint b = ToDevice(box_, band_.to).toPoint() - device.topLeft();
  render::PixelFrame(canvas, a.x(), a.y(), b.x(), b.y());
  canvas.End();
  MarkDevicePixels(piece, box_);
  painter.drawImage(area.topLeft(), piece);
}

}  // namespace quintaro::app
