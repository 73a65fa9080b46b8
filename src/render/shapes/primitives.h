// Mapping from drawing coordinates to pixels, clipping against the visible
// window, and the shapes every figure is drawn with.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>

#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"
#include "render/canvas/graphic_attributes.h"
#include "render/shapes/geometry.h"

namespace quintaro::render {

// Outcode bits: a point on the window's border counts as outside.
inline constexpr int kOutLeft = 1;
inline constexpr int kOutRight = 2;
inline constexpr int kOutBottom = 4;
inline constexpr int kOutTop = 8;

// Inline: every vertex goes through it. The row is worked out in 64 bits
// and saturated, so that a point far below the window stays below it.
inline PixelPoint ToPixel(const ViewTransform& v, double x, double y) {
  const std::int64_t row = std::int64_t{v.height} - RoundHalfAway((y - v.bottom) * v.scale);
  return {RoundHalfAway((x - v.left) * v.scale),
          static_cast<int>(std::clamp<std::int64_t>(row, INT_MIN, INT_MAX))};
}
int OutCode(const ViewTransform& v, double x, double y);
// 0 wholly inside (unchanged), 1 clipped (points moved onto the borders),
// 2 invisible.
int ClipSegment(const ViewTransform& v, double& x1, double& y1, double& x2, double& y2);
// 0 both corners inside, 2 both beyond one edge, 1 otherwise.
int ClassifyBox(const ViewTransform& v, double x1, double y1, double x2, double y2);

// All the points lie on one pixel (a polyline or polygon of them draws nothing).
inline bool OnOnePixel(std::span<const PixelPoint> pixels) {
  for (const PixelPoint& p : pixels)
    if (!(p == pixels[0])) return false;
  return true;
}
// Such a shape is left out, unless the context keeps every one.
inline bool LeftOut(const DrawContext& dc, std::span<const PixelPoint> pixels) {
  return dc.omitSinglePixelShapes && OnOnePixel(pixels);
}

// Fills the canvas with the background colour and leaves a clear brush.
void ClearCanvas(Canvas& canvas, const GraphicAttributes& attr, int width, int height);
// Pen style 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible, else solid.
void SetFramePen(Canvas& canvas, Color color, int style, int width);
void SetFillBrush(Canvas& canvas, Color color, int fillKind);
void SetXorMode(Canvas& canvas);

void PixelLine(Canvas& canvas, int x1, int y1, int x2, int y2);
// A rectangle; a line when it is at most 2 pixels thin; nothing when small.
void PixelFrame(Canvas& canvas, int x1, int y1, int x2, int y2);

void DrawSegment(DrawContext& dc, Canvas& canvas, double x1, double y1, double x2, double y2);
void DrawBox(DrawContext& dc, Canvas& canvas, double x1, double y1, double x2, double y2);
// A whole ellipse of 72 vertices (radius r, flatness f, tilt in radians),
// filled with the current brush.
void DrawEllipse(DrawContext& dc, Canvas& canvas, double cx, double cy, double r, double f,
                 double tilt, const Placement* place = nullptr);
// An arc of 73 points from `start` sweeping `sweep` (radians).
void DrawArc(DrawContext& dc, Canvas& canvas, double cx, double cy, double r, double f, double tilt,
             double start, double sweep, const Placement* place = nullptr);
// A curved solid (kind above 100); `reals` are the solid's eight corner values.
void DrawArcSolid(DrawContext& dc, Canvas& canvas, int kind, std::span<const double, 8> reals,
                  const Placement* place = nullptr);
// The first edge of a polygon is too long for the device's polygon fill
// (over 10000 pixels): the polygon is then outlined only.
bool TooLongToFill(const ViewTransform& v, DrawPoint a, DrawPoint b);
// Draw and empty the vertex buffer.
void DrawPolyline(DrawContext& dc, Canvas& canvas);
void DrawPolygon(DrawContext& dc, Canvas& canvas);

// Appends one point to the vertex buffer, placed when `place` is given.
inline void AddVertex(DrawContext& dc, DrawPoint p, const Placement* place) {
  dc.vertices.push_back(place != nullptr ? place->Apply(p) : p);
}

}  // namespace quintaro::render
