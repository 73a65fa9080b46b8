// Small geometric helpers in drawing coordinates.
#pragma once

#include <climits>
#include <optional>

#include "render/canvas/draw_context.h"

namespace quintaro::render {

inline constexpr double kPi = 3.14159265358979323846;

// Rounds half away from zero; values beyond the int range are clamped and
// NaN gives 0, so far-away points cannot overflow. Inline, as every pixel
// goes through it: the conversion truncates toward zero, which is what
// truncating x + 0.5 (or x - 0.5) and converting would give.
inline int RoundHalfAway(double x) {
  constexpr double kAboveMax = 2147483648.0, kBelowMin = -2147483649.0;
  if (x >= 0) {
    const double t = x + 0.5;
    return t < kAboveMax ? static_cast<int>(t) : INT_MAX;
  }
  if (x < 0) {
    const double t = x - 0.5;
    return t > kBelowMin ? static_cast<int>(t) : INT_MIN;
  }
  return 0;  // NaN
}

// (x, y) rotated counter-clockwise about (cx, cy) by `angle` radians.
DrawPoint RotateAbout(DrawPoint p, DrawPoint centre, double angle);
// Direction of (dx, dy) in [0, 2 pi); 0 for a vector shorter than 1e-14 in both parts.
double Direction(double dx, double dy);
double Distance(DrawPoint a, DrawPoint b);
// Where the line through a1, a2 meets the line through b1, b2; none when
// they are parallel.
std::optional<DrawPoint> IntersectLines(DrawPoint a1, DrawPoint a2, DrawPoint b1, DrawPoint b2);

// Where a block places the points of its definition:
// ((m11 x + m12 y + ox) / d, (m21 x + m22 y + oy) / d).
struct Placement {
  double ox = 0, oy = 0;
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1;
  double divisor = 1;

  DrawPoint Apply(DrawPoint p) const {
    return {(m11 * p.x + m12 * p.y + ox) / divisor, (m21 * p.x + m22 * p.y + oy) / divisor};
  }
  // The matrix is the identity within 1e-14.
  bool IsIdentity() const;
};

}  // namespace quintaro::render
