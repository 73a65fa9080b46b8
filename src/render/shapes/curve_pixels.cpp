// Curves wholly inside the window go straight to pixels: no vertex buffer,
// no clipping pass, and an arc's angles advance by rotation instead of a
// sine and cosine per vertex. A rotated vertex differs from the directly
// computed one by far less than a pixel's rounding could notice, except
// near a half pixel: such a vertex is computed the direct way, so every
// pixel is the one the vertex path gives.
#include <algorithm>
#include <array>
#include <cmath>

#include "render/shapes/curve_math.h"
#include "render/shapes/primitives.h"

namespace quintaro::render {

namespace {

// How far the curve's vertices can lie from its placed centre, with the
// growth of placement and a margin for rounding (drawing units).
struct Reach {
  DrawPoint centre;
  double hx = 0, hy = 0;
  double gain = 1;       // growth of a local offset by the placement
  double magnitude = 0;  // size of the numbers involved, for rounding margins
};

Reach ReachOf(const Curve& c, const Placement* place) {
  Reach reach;
  const double radius = std::fabs(c.r) * std::max(1.0, std::fabs(c.f));
  const double local = std::fabs(c.cx) + std::fabs(c.cy) + radius;
  reach.centre = Placed({c.cx, c.cy}, place);
  double gx = 1, gy = 1;
  reach.magnitude = local;
  if (place != nullptr) {
    const double d = std::fabs(place->divisor);
    gx = (std::fabs(place->m11) + std::fabs(place->m12)) / d;
    gy = (std::fabs(place->m21) + std::fabs(place->m22)) / d;
    reach.magnitude = std::max(gx, gy) * local + (std::fabs(place->ox) + std::fabs(place->oy)) / d;
  }
  reach.gain = std::max(gx, gy);
  const double margin = 1e-9 * reach.magnitude;
  reach.hx = gx * radius + margin;
  reach.hy = gy * radius + margin;
  return reach;
}

// Every vertex is at least the outcode tolerance inside every border (false
// for values that are not finite), so its pixel coordinates are positive and
// below the window's size in pixels, which must be small enough for half a
// pixel to be told apart well below the rounding margins.
bool SafelyInside(const ViewTransform& v, const Reach& r) {
  constexpr double kTol = 1e-12, kMaxPixels = 1 << 20;
  if (!(v.scale > 0) || !((v.right - v.left) * v.scale < kMaxPixels) ||
      !((v.top - v.bottom) * v.scale < kMaxPixels)) {
    return false;
  }
  return r.centre.x - r.hx - v.left > kTol && r.centre.x + r.hx - v.right < -kTol &&
         r.centre.y - r.hy - v.bottom > kTol && r.centre.y + r.hy - v.top < -kTol;
}

// RoundHalfAway for a positive value below the int range, without branches.
inline int RoundPositive(double x) {
  return static_cast<int>(x + 0.5);
}

// Rounds positive values as RoundHalfAway does, with each one's distance
// from the nearest half pixel, where rounding could go either way (not a
// number, or not above 0, for values that are not positive or not numbers).
// No branches, so that the loop runs on vectors.
template <std::size_t N>
void RoundAll(const std::array<double, N>& values, std::array<int, N>& rounded,
              std::array<double, N>& clearance) {
  for (std::size_t k = 0; k < N; ++k) {
    const double t = values[k] + 0.5;
    const int n = static_cast<int>(t);
    const double d = t - n;
    rounded[k] = n;
    clearance[k] = std::min(d, 1 - d);
  }
}

// How far a pixel coordinate computed from a rotated unit vector can lie
// from the one computed from the library's cosine and sine: a bound of the
// unit vectors' difference (well above the few rounding units per step),
// carried to pixels, with a margin for the rounding of the rest.
double RotationErrorInPixels(const Curve& curve, const Reach& reach, const ViewTransform& v,
                             double turn) {
  const double unitError = 1e-12 + 1e-14 * turn;
  const double spread = std::fabs(curve.r) * (1 + std::fabs(curve.f)) * reach.gain;
  const double slack = 1e-12 * (reach.magnitude + std::fabs(v.left) + std::fabs(v.bottom));
  return (unitError * spread + slack) * v.scale + 1e-9;
}

// Unit vectors at start + k * sweep / 72, k = 0..72, by rotation: two
// interleaved runs (even and odd k) that advance by two steps at a time.
void RotatedUnits(double start, double sweep, DrawPoint* out) {
  const double c1 = std::cos(sweep / 72), s1 = std::sin(sweep / 72);
  const double c2 = std::cos(sweep / 36), s2 = std::sin(sweep / 36);
  out[0] = {std::cos(start), std::sin(start)};
  out[1] = {out[0].x * c1 - out[0].y * s1, out[0].y * c1 + out[0].x * s1};
  for (int k = 2; k <= 72; ++k) {
    const DrawPoint u = out[k - 2];
    out[k] = {u.x * c2 - u.y * s2, u.y * c2 + u.x * s2};
  }
}

// The pixel coordinates before rounding (x, y pairs) of the curve's points
// at the given unit vectors, placed by `place`.
template <class Place>
void Offsets(const Curve& curve, const ViewTransform& v, const std::array<DrawPoint, 73>& unit,
             double* out, Place place, bool untilted = false) {
  if (untilted) {
    const double rf = curve.r * curve.f;
    for (int k = 0; k <= 72; ++k) {
      out[2 * k] = (curve.cx + curve.r * unit[k].x - v.left) * v.scale;
      out[2 * k + 1] = (curve.cy + rf * unit[k].y - v.bottom) * v.scale;
    }
    return;
  }
  for (int k = 0; k <= 72; ++k) {
    const DrawPoint p = place(curve.At(unit[k].x, unit[k].y));
    out[2 * k] = (p.x - v.left) * v.scale;
    out[2 * k + 1] = (p.y - v.bottom) * v.scale;
  }
}

}  // namespace

CurveBox CurveBounds(const Curve& curve, const Placement* place) {
  const Reach r = ReachOf(curve, place);
  return {r.centre.x - r.hx, r.centre.y - r.hy, r.centre.x + r.hx, r.centre.y + r.hy};
}

bool CurveOutside(const ViewTransform& v, const Curve& curve, const Placement* place) {
  const CurveBox b = CurveBounds(curve, place);
  return (OutCode(v, b.minX, b.minY) & OutCode(v, b.maxX, b.maxY)) != 0;
}

bool CurveOnOnePixel(const ViewTransform& v, const Curve& curve, const Placement* place) {
  const Reach r = ReachOf(curve, place);
  if (!SafelyInside(v, r)) return false;
  // Every point lies in the box, and the pixel of a point grows with it.
  return ToPixel(v, r.centre.x - r.hx, r.centre.y - r.hy) ==
         ToPixel(v, r.centre.x + r.hx, r.centre.y + r.hy);
}

bool WholeCurvePixels(DrawContext& dc, const Curve& curve, int count, const Placement* place) {
  if (!SafelyInside(dc.view, ReachOf(curve, place))) return false;
  const ViewTransform v = dc.view;
  const auto& unit = UnitCircle();
  dc.pixels.resize(static_cast<std::size_t>(count));
  PixelPoint* out = dc.pixels.data();
  for (int k = 0; k < count; ++k) {
    const DrawPoint p = Placed(curve.At(unit[k].x, unit[k].y), place);
    out[k] = {RoundPositive((p.x - v.left) * v.scale),
              v.height - RoundPositive((p.y - v.bottom) * v.scale)};
  }
  return true;
}

bool ArcPixels(DrawContext& dc, const Curve& curve, double start, double sweep,
               const Placement* place) {
  const double turn = std::fabs(start) + std::fabs(sweep);
  if (!(turn < 1e6) || !std::isfinite(curve.ct + curve.st)) return false;
  const Reach reach = ReachOf(curve, place);
  const ViewTransform v = dc.view;
  if (!SafelyInside(v, reach)) return false;
  const double e = RotationErrorInPixels(curve, reach, v, turn);
  if (!(e < 1e-3)) return false;
  std::array<DrawPoint, 73> unit;
  RotatedUnits(start, sweep, unit.data());
  std::array<double, 73 * 2> f;
  if (place != nullptr) {
    Offsets(curve, v, unit, f.data(), [place](DrawPoint p) { return place->Apply(p); });
  } else if (curve.ct == 1 && curve.st == 0) {
    // Untilted: x * 1 and y * 0 change no sum, so the same values come
    // without the rotation.
    Offsets(
        curve, v, unit, f.data(), [](DrawPoint p) { return p; }, true);
  } else {
    Offsets(curve, v, unit, f.data(), [](DrawPoint p) { return p; });
  }
  std::array<int, 73 * 2> rounded;
  std::array<double, 73 * 2> clearance;
  RoundAll(f, rounded, clearance);
  dc.pixels.resize(73);
  PixelPoint* out = dc.pixels.data();
  for (int k = 0; k <= 72; ++k) {
    if (clearance[2 * k] > e && clearance[2 * k + 1] > e) {
      out[k] = {rounded[2 * k], v.height - rounded[2 * k + 1]};
    } else {
      const DrawPoint q = Placed(curve.AtAngle(ArcAngleAt(start, sweep, k)), place);
      out[k] = ToPixel(v, q.x, q.y);
    }
  }
  return true;
}

}  // namespace quintaro::render
