// The page "ALL": the view of the whole drawing, its redraw into a
// snapshot, and the navigation by wheel and two-button drag. The scene is
// drawn only by a view change, an open or a background change; every
// repaint shows the snapshot of the last drawing.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <functional>

#include "app/app_state.h"
#include "app/document_session.h"
#include "app/escape_watch.h"
#include "app/paint_box.h"
#include "render/canvas/draw_context.h"

namespace quintaro::render {
class QtCanvas;
}

namespace quintaro::app {

struct DragBand {
  QPoint from, to;  // press point and current point, pixels
  bool shown = false;
};

class MainViewPage : public PaintBoxEvents {
 public:
  using StatusFn = std::function<void(const QString&)>;

  MainViewPage(AppState& state, const DocumentSession& session, EscapeWatch& escape, PaintBox* box,
               StatusFn status);

  // The transform before any drawing: scale 1 around the origin.
  void InitView(int width, int height);
  // A new drawing was opened: fit it whole and draw.
  void DocumentChanged();
  // Draws the scene into a new snapshot. With `preset` that transform is
  // used as it is, else it follows from the zoom and offsets.
  void Draw(const ViewTransform* preset = nullptr);
  // Called after every drawing has ended.
  void SetDrawEnded(std::function<void()> f) { drawEnded_ = std::move(f); }

  // A wheel turn of `delta` eighths of a degree (negative: towards the
  // user) at a global position.
  void WheelTurn(int delta, QPointF globalPos);

  // PaintBoxEvents
  void Paint(QPainter& painter) override;
  void MousePress(QMouseEvent* event) override;
  void MouseMove(QMouseEvent* event) override;
  void MouseRelease(QMouseEvent* event) override;
  void Wheel(QWheelEvent* event) override;
  // The picture is redrawn for the new size once the resizing pauses.
  void SizeChanged() override;

  const ViewTransform& View() const { return dc_.view; }
  const QImage& Snapshot() const { return snapshot_; }
  const DragBand& Band() const { return band_; }
  bool LeftPressed() const { return left_; }
  bool RightPressed() const { return right_; }
  // How many abort checks the last drawing made.
  int AbortChecks() const { return abortChecks_; }

 private:
  bool CheckAbort();
  void RedrawForSize();
  // Draws a new snapshot; after a pan (`moved`) the last picture is moved
  // instead when it can be, and only the strips it leaves are drawn.
  void Redraw(const ViewTransform* preset, bool moved);
  bool MovedBy(const ViewTransform& was, QPoint* shift) const;
  bool DrawAround(render::QtCanvas& canvas, const QImage& image, const QRect& kept);
  bool DrawArea(render::QtCanvas& canvas, const QRect& area, bool whole);
  void Release(QPoint at);
  void Act(DragAction action, DrawPoint r, DrawPoint s);
  void PaintBand(QPainter& painter);
  bool HasDocument() const { return session_.HasDocument(); }

  AppState& state_;
  const DocumentSession& session_;
  EscapeWatch& escape_;
  PaintBox* box_;
  StatusFn status_;
  std::function<void()> drawEnded_;
  render::DrawContext dc_;
  QImage snapshot_;                     // ViewSnapshot; null = none
  bool snapshotComplete_ = false;       // no drawing stopped before its end
  QImage* drawing_ = nullptr;           // the image being drawn
  render::QtCanvas* canvas_ = nullptr;  // its canvas while drawing
  QElapsedTimer progress_;
  QTimer resizeTimer_;
  QElapsedTimer events_;  // since events last ran; invalid before the first check
  int abortChecks_ = 0;
  int wheelRest_ = 0;                  // wheel turn short of a notch
  bool left_ = false, right_ = false;  // ButtonState
  QPoint press_;
  DragBand band_;
};

}  // namespace quintaro::app
