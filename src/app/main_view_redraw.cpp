// Drawing the snapshot of the page "ALL": the whole picture, or after a pan
// the last picture moved by whole pixels and the strips it leaves.
#include <QPainter>
#include <cmath>

#include "app/device_pixels.h"
#include "app/main_view_page.h"
#include "app/ui_texts.h"
#include "render/qt/qt_canvas.h"
#include "render/scene/main_view.h"

namespace quintaro::app {

namespace {

// The transform fitted to a canvas of w x h, keeping its lower left corner.
ViewTransform Resized(const ViewTransform& v, int w, int h) {
  ViewTransform r;
  r.Set(v.left, v.bottom, v.scale, w, h);
  return r;
}

}  // namespace

void MainViewPage::Redraw(const ViewTransform* preset, bool moved) {
  band_.shown = false;
  state_.flags.drawBusy = true;
  state_.flags.abortRequested = false;
  escape_.Reset();
  abortChecks_ = 0;
  events_.invalidate();
  int w = DevicePixels(box_, box_->width()), h = DevicePixels(box_, box_->height());
  QImage image(w, h, QImage::Format_RGB32);
  bool aborted = false;
  if (!image.isNull()) {
    const ViewTransform was = dc_.view;
    if (HasDocument()) {
      dc_.view =
          preset ? Resized(*preset, w, h) : MainViewTransform(state_.extents, w, h, state_.view);
    }
    QPoint shift;
    // The frame along the edges moves with the picture: the edges are drawn anew.
    const QRect inner(1, 1, w - 2, h - 2);
    const QRect kept = moved && MovedBy(was, &shift) ? inner & inner.translated(-shift) : QRect();
    if (!kept.isEmpty()) {
      QPainter copy(&image);
      copy.setCompositionMode(QPainter::CompositionMode_Source);
      copy.drawImage(QRectF(kept), snapshot_, QRectF(kept.translated(shift)));
    }
    render::QtCanvas canvas(&image);
    drawing_ = &image;
    canvas_ = &canvas;
    progress_.start();
    aborted =
        kept.isEmpty() ? DrawArea(canvas, image.rect(), true) : DrawAround(canvas, image, kept);
    canvas.End();
    canvas_ = nullptr;
    drawing_ = nullptr;
  }
  MarkDevicePixels(image, box_);
  snapshot_ = image;
  snapshotComplete_ = !aborted;
  state_.flags.drawBusy = false;
  state_.flags.abortRequested = false;
  status_(aborted ? Ui(text::kDrawAborted) : QString());
  box_->update();
  if (drawEnded_) drawEnded_();
}

// The view moved from `was` by whole pixels at the same scale and size, and
// the last picture is complete: pixel (x, y) of the new picture is then
// pixel (x + shift.x, y + shift.y) of the last one.
bool MainViewPage::MovedBy(const ViewTransform& was, QPoint* shift) const {
  const ViewTransform& now = dc_.view;
  if (!HasDocument() || snapshot_.isNull() || !snapshotComplete_ || was.scale != now.scale ||
      snapshot_.width() != now.width || snapshot_.height() != now.height) {
    return false;
  }
  const double dx = (now.left - was.left) * now.scale, dy = (was.bottom - now.bottom) * now.scale;
  const double x = std::round(dx), y = std::round(dy);
  if (!(std::fabs(dx - x) < 1e-6 && std::fabs(dy - y) < 1e-6)) return false;
  if (!(std::fabs(x) < now.width && std::fabs(y) < now.height)) return false;
  *shift = QPoint(static_cast<int>(x), static_cast<int>(y));
  return true;
}

// Draws the picture around the part kept from the last one: the bands
// above and below it, and left and right of it. True when stopped.
bool MainViewPage::DrawAround(render::QtCanvas& canvas, const QImage& image, const QRect& kept) {
  const int w = image.width(), h = image.height();
  const QRect strips[] = {
      QRect(0, 0, w, kept.top()),
      QRect(0, kept.bottom() + 1, w, h - kept.bottom() - 1),
      QRect(0, kept.top(), kept.left(), kept.height()),
      QRect(kept.right() + 1, kept.top(), w - kept.right() - 1, kept.height()),
  };
  for (const QRect& strip : strips) {
    if (!strip.isEmpty() && DrawArea(canvas, strip, false)) return true;
  }
  return false;
}

// Background, frame and figures inside `area` (the whole picture when
// `whole`), each pixel as a drawing of the whole picture sets it. True when
// stopped.
bool MainViewPage::DrawArea(render::QtCanvas& canvas, const QRect& area, bool whole) {
  if (!whole) canvas.ClipTo(area);
  render::ClearWithFrame(canvas, state_.attributes);
  if (!HasDocument()) return false;
  const render::PixelArea pixels{area.left(), area.top(), area.left() + area.width(),
                                 area.top() + area.height()};
  state_.DrawFigures(dc_, canvas, render::SceneFilter::MainView(), whole ? nullptr : &pixels);
  return dc_.drawAborted;
}

}  // namespace quintaro::app
