#include "app/view_navigation.h"

#include <algorithm>
#include <cmath>

namespace quintaro::app {

namespace {

double Extent(double a, double b) {
  return std::max(std::fabs(b - a), 1e-14);
}

// Zoom and offsets of a view of `scale` whose lower left corner is
// (minX, minY), relative to the fit scale `base`.
void StoreView(ViewState& state, const DrawingExtents& e, int w, int h, double base, double scale,
               double minX, double minY) {
  state.zoom = scale / base;
  state.offsetX = minX - (e.minX + e.maxX) / 2 + w / 2.0 / scale;
  state.offsetY = minY - (e.minY + e.maxY) / 2 + h / 2.0 / scale;
}

// Centres a view of `scale` on the middle of a and b.
void CentreOn(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h,
              double scale, DrawPoint a, DrawPoint b) {
  double base = view.scale / state.zoom;
  double minX = (a.x + b.x) / 2 - w * 0.5 / scale;
  double minY = (a.y + b.y) / 2 - h * 0.5 / scale;
  StoreView(state, e, w, h, base, scale, minX, minY);
}

}  // namespace

double ClampZoom(double zoom) {
  if (!(zoom >= kMinZoom)) return kMinZoom;  // NaN too
  return std::min(zoom, kMaxZoom);
}

double FitScale(const DrawingExtents& e, int w, int h) {
  return std::min(w / Extent(e.minX, e.maxX), h / Extent(e.minY, e.maxY)) * 0.9;
}

ViewTransform MainViewTransform(const DrawingExtents& e, int w, int h, ViewState& state) {
  state.zoom = ClampZoom(state.zoom);
  double scale = FitScale(e, w, h) * state.zoom;
  double cx = (e.minX + e.maxX) / 2, cy = (e.minY + e.maxY) / 2;
  ViewTransform v;
  v.Set(cx - w / 2.0 / scale + state.offsetX, cy - h / 2.0 / scale + state.offsetY, scale, w, h);
  return v;
}

void KeepScale(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h) {
  state.zoom = ClampZoom(view.scale / FitScale(e, w, h));
}

ViewTransform ThumbnailTransform(const DrawingExtents& e, int w, int h, const ViewState& state) {
  double scale = FitScale(e, w, h) * state.zoom;
  double cx = (e.minX + e.maxX) / 2 + state.offsetX;
  double cy = (e.minY + e.maxY) / 2 + state.offsetY;
  ViewTransform v;
  v.Set(cx - w / 2.0 / scale, cy - h / 2.0 / scale, scale, w, h);
  return v;
}

DrawPoint PixelToDrawing(const ViewTransform& v, double px, double py) {
  return {v.left + px / v.scale, v.top - py / v.scale};
}

void WheelZoom(ViewTransform& view, ViewState& state, const DrawingExtents& e, double px, double py,
               double f) {
  DrawPoint c = PixelToDrawing(view, px, py);
  double mx = (view.left + view.right) / 2, my = (view.bottom + view.top) / 2;
  double scale = view.scale * f;
  double hx = (view.right - view.left) / 2 / f;
  double hy = (view.top - view.bottom) / 2 / f;
  double minX = mx - hx - (c.x - mx) / f + (c.x - mx);
  double minY = my - hy - (c.y - my) / f + (c.y - my);
  int w = view.width, h = view.height;
  view.Set(minX, minY, scale, w, h);
  state.zoom = ClampZoom(state.zoom * f);
  state.offsetX = minX - (e.minX + e.maxX) / 2 + w / 2.0 / scale;
  state.offsetY = minY - (e.minY + e.maxY) / 2 + h / 2.0 / scale;
}

void PanTo(const ViewTransform& view, ViewState& state, DrawPoint r) {
  state.offsetX += r.x - (view.left + view.right) / 2;
  state.offsetY += r.y - (view.bottom + view.top) / 2;
}

void ZoomToRect(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h,
                DrawPoint r, DrawPoint s) {
  double rw = std::fabs(r.x - s.x), rh = std::fabs(r.y - s.y);
  if (rw <= 0.001) rw = 0.001;
  if (rh <= 0.001) rh = 0.001;
  CentreOn(view, state, e, w, h, std::min(w / rw, h / rh), r, s);
}

void ZoomOut(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h,
             DrawPoint r, DrawPoint s) {
  double scale = std::min(w / (2 * (view.right - view.left)), h / (2 * (view.top - view.bottom)));
  CentreOn(view, state, e, w, h, scale, r, s);
}

void ShowRange(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h,
               DrawPoint a, DrawPoint b) {
  double rw = std::fabs(b.x - a.x) * 1.05, rh = std::fabs(b.y - a.y) * 1.05;
  if (rw <= 0.001) rw = 0.001;
  if (rh <= 0.001) rh = 0.001;
  CentreOn(view, state, e, w, h, std::min(w / rw, h / rh), a, b);
}

DragAction ClassifyBand(int pressX, int pressY, int x, int y) {
  if (std::abs(x - pressX) <= 5 || std::abs(y - pressY) <= 5) return DragAction::kPan;
  bool right = x > pressX, down = y > pressY;
  if (right) return down ? DragAction::kZoomIn : DragAction::kFitAll;
  return down ? DragAction::kPaperRange : DragAction::kZoomOut;
}

DragAction ClassifyRelease(const ViewTransform& view, DrawPoint r, DrawPoint s) {
  double tolerance = 5 / view.scale;
  if (std::fabs(r.x - s.x) <= tolerance || std::fabs(r.y - s.y) <= tolerance) {
    return DragAction::kPan;
  }
  bool right = r.x > s.x, below = r.y < s.y;  // drawing y grows upwards
  if (right) return below ? DragAction::kZoomIn : DragAction::kFitAll;
  return below ? DragAction::kPaperRange : DragAction::kZoomOut;
}

const char* DragStatusText(DragAction action) {
  switch (action) {
    case DragAction::kPan:
      return "[画面移動]";
    case DragAction::kZoomIn:
      return "[画面拡大]";
    case DragAction::kZoomOut:
      return "[画面縮小]";
    case DragAction::kPaperRange:
      return "[用紙範囲表示]";
    case DragAction::kFitAll:
      return "[全体表示]";
  }
  return "";
}

}  // namespace quintaro::app
