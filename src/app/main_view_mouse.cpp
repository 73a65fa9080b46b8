// Wheel zoom and the two-button drag of the page "ALL".
#include <QMouseEvent>
#include <QWheelEvent>

#include "app/device_pixels.h"
#include "app/main_view_page.h"

namespace quintaro::app {

void MainViewPage::Wheel(QWheelEvent* event) {
  WheelTurn(event->angleDelta().y(), event->globalPosition());
  event->accept();
}

void MainViewPage::WheelTurn(int delta, QPointF globalPos) {
  if (state_.flags.drawBusy) {
    if (delta != 0) state_.flags.abortRequested = true;
    return;
  }
  // Whole notches of 120; finer wheels add up to them.
  wheelRest_ += delta;
  int notches = wheelRest_ / 120;
  wheelRest_ -= notches * 120;
  if (notches == 0 || !HasDocument()) return;
  band_.shown = false;
  QPointF at = ToDevice(box_, box_->mapFromGlobal(globalPos));
  double f = notches < 0 ? state_.view.wheelFactor : 1 / state_.view.wheelFactor;
  ViewTransform view = dc_.view;
  for (int i = 0; i < std::abs(notches); ++i) {
    WheelZoom(view, state_.view, state_.extents, at.x(), at.y(), f);
  }
  Draw(&view);
}

void MainViewPage::MousePress(QMouseEvent* event) {
  if (state_.flags.drawBusy) return;
  if (!left_ && !right_) press_ = event->position().toPoint();
  if (event->buttons() & Qt::LeftButton) left_ = true;
  if (event->buttons() & Qt::RightButton) right_ = true;
}

void MainViewPage::MouseMove(QMouseEvent* event) {
  if (state_.flags.drawBusy || !(left_ && right_)) return;
  QPoint at = event->position().toPoint();
  status_(QString::fromUtf8(DragStatusText(ClassifyBand(press_.x(), press_.y(), at.x(), at.y()))));
  band_ = {press_, at, true};
  box_->update();
}

void MainViewPage::MouseRelease(QMouseEvent* event) {
  if (state_.flags.drawBusy) return;
  bool both = left_ && right_;
  left_ = right_ = false;
  if (!both) return;
  if (band_.shown) {
    band_.shown = false;
    box_->update();
  }
  Release(event->position().toPoint());
}

void MainViewPage::Release(QPoint at) {
  if (!HasDocument()) return;
  QPointF release = ToDevice(box_, at), press = ToDevice(box_, press_);
  DrawPoint r = PixelToDrawing(dc_.view, release.x(), release.y());
  DrawPoint s = PixelToDrawing(dc_.view, press.x(), press.y());
  Act(ClassifyRelease(dc_.view, r, s), r, s);
}

void MainViewPage::Act(DragAction action, DrawPoint r, DrawPoint s) {
  int w = DevicePixels(box_, box_->width()), h = DevicePixels(box_, box_->height());
  ViewState& view = state_.view;
  switch (action) {
    case DragAction::kPan: {
      // By whole pixels, so that the picture moves instead of being drawn
      // again: with an odd width or height the release point lands half a
      // pixel off the exact centre.
      const double half = 0.5 / dc_.view.scale;
      PanTo(dc_.view, view, {r.x + (w % 2) * half, r.y - (h % 2) * half});
      return Redraw(nullptr, true);
    }
    case DragAction::kZoomIn:
      ZoomToRect(dc_.view, view, state_.extents, w, h, r, s);
      break;
    case DragAction::kZoomOut:
      ZoomOut(dc_.view, view, state_.extents, w, h, r, s);
      break;
    case DragAction::kFitAll:
      view.Reset();
      break;
    case DragAction::kPaperRange:
      if (std::optional<PaperRange> paper = state_.document.Paper()) {
        ShowRange(dc_.view, view, state_.extents, w, h, {paper->x0, paper->y0},
                  {paper->x1, paper->y1});
      } else {
        view.Reset();  // a symbol has no paper: show it whole
      }
      break;
  }
  Draw();
}

}  // namespace quintaro::app
