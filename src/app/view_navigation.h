// The arithmetic of the main view: the fitted transform, the wheel zoom
// around the cursor, and the actions of the two-button drag (pan, zoom to
// a rectangle, zoom out, paper range, fit all). W and H are always the
// paint area's size in pixels.
#pragma once

#include <optional>

#include "formats/common/types.h"
#include "render/canvas/draw_context.h"

namespace quintaro::app {

using render::DrawPoint;
using render::ViewTransform;

inline constexpr double kMinZoom = 1e-6;
inline constexpr double kMaxZoom = 1e5;

struct ViewState {
  double zoom = 1.0;                // magnification relative to the fit-all scale
  double offsetX = 0, offsetY = 0;  // view centre minus extents centre, mm
  double wheelFactor = 2.0;
  void Reset() {
    zoom = 1.0;
    offsetX = offsetY = 0;
  }
};

double ClampZoom(double zoom);
// The smaller of w / |dx| and h / |dy| of the extents (each at least
// 1e-14), times 0.9.
double FitScale(const DrawingExtents& e, int w, int h);
// The main view's transform: zoom clamped, scale = fit * zoom, centred on
// the extents' centre shifted by the offsets.
ViewTransform MainViewTransform(const DrawingExtents& e, int w, int h, ViewState& state);
// The thumbnail transform of a w x h viewport: its own fit scale times the
// main view's zoom, centred like the main view.
ViewTransform ThumbnailTransform(const DrawingExtents& e, int w, int h, const ViewState& state);

// The paint area became w x h: the zoom that keeps the scale of `view`;
// the centre stays with the offsets.
void KeepScale(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h);

// The drawing point under pixel (px, py).
DrawPoint PixelToDrawing(const ViewTransform& v, double px, double py);

// One wheel step by factor f around pixel (px, py): the point under the
// cursor keeps its place. Updates `view` (drawn as it is) and the state.
void WheelZoom(ViewTransform& view, ViewState& state, const DrawingExtents& e, double px, double py,
               double f);

// The release point r becomes the view's centre.
void PanTo(const ViewTransform& view, ViewState& state, DrawPoint r);
// Shows the rectangle of corners r and s filling the view (no margin).
void ZoomToRect(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h,
                DrawPoint r, DrawPoint s);
// Halves the scale around the centre of the rectangle r, s.
void ZoomOut(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h,
             DrawPoint r, DrawPoint s);
// Shows the rectangle with a 5 % margin.
void ShowRange(const ViewTransform& view, ViewState& state, const DrawingExtents& e, int w, int h,
               DrawPoint a, DrawPoint b);

enum class DragAction { kPan, kZoomIn, kZoomOut, kPaperRange, kFitAll };

// What a band from the press pixel to the current pixel would do.
DragAction ClassifyBand(int pressX, int pressY, int x, int y);
// What releasing at drawing point r after pressing at s does.
DragAction ClassifyRelease(const ViewTransform& view, DrawPoint r, DrawPoint s);
// "[画面移動]", "[画面拡大]", "[画面縮小]", "[用紙範囲表示]", "[全体表示]".
const char* DragStatusText(DragAction action);

}  // namespace quintaro::app
