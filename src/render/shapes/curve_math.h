// The vertices of ellipses and arcs, shared by the vertex buffer and the
// direct pixel path: both must compute each vertex with the same arithmetic.
#pragma once

#include <array>
#include <cmath>

#include "render/canvas/draw_context.h"
#include "render/shapes/geometry.h"

namespace quintaro::render {

// cos and sin of k * 5 degrees, k = 0..72.
const std::array<DrawPoint, 73>& UnitCircle();

// A point of the curve centre + R(tilt) (r cos t, r f sin t), from cos t and sin t.
struct Curve {
  double cx, cy, r, f, ct, st;
  Curve(double cx_, double cy_, double r_, double f_, double tilt)
      : cx(cx_), cy(cy_), r(r_), f(f_), ct(std::cos(tilt)), st(std::sin(tilt)) {}
  DrawPoint At(double c, double s) const {
    double x = r * c, y = r * f * s;
    return {cx + x * ct - y * st, cy + x * st + y * ct};
  }
  DrawPoint AtAngle(double t) const { return At(std::cos(t), std::sin(t)); }
};

inline DrawPoint Placed(DrawPoint p, const Placement* place) {
  return place != nullptr ? place->Apply(p) : p;
}

// The angle of vertex k (0..72) of an arc.
inline double ArcAngleAt(double start, double sweep, int k) {
  return start + k * sweep / 72;
}

// A box (drawing units) that holds every point of the curve, placed, with a
// margin for rounding.
struct CurveBox {
  double minX, minY, maxX, maxY;
};
CurveBox CurveBounds(const Curve& curve, const Placement* place);

// Every point of the curve lies beyond one edge of the window: it draws
// nothing, and its points need not be worked out.
bool CurveOutside(const ViewTransform& v, const Curve& curve, const Placement* place);

// The curve lies inside the window and all its points fall on one pixel:
// it draws nothing, and its points need not be worked out.
bool CurveOnOnePixel(const ViewTransform& v, const Curve& curve, const Placement* place);

// The pixels of a curve that lies safely inside the window, computed without
// the vertex buffer into dc.pixels: exactly the pixels the vertex path gives.
// False (dc.pixels untouched) when the curve is not safely inside or too
// large for its polygon to be filled; the caller then takes the vertex path.
bool WholeCurvePixels(DrawContext& dc, const Curve& curve, int count, const Placement* place);
bool ArcPixels(DrawContext& dc, const Curve& curve, double start, double sweep,
               const Placement* place);

}  // namespace quintaro::render
