// Ellipses, arcs and curved solids: always 72 or 73 straight pieces.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "render/primitives.h"

namespace quintaro::render {

namespace {

constexpr double kDeg = kPi / 180;

// cos and sin of k * 5 degrees, k = 0..72.
const std::array<DrawPoint, 73>& UnitCircle() {
  static const std::array<DrawPoint, 73> table = [] {
    std::array<DrawPoint, 73> t{};
    for (int k = 0; k <= 72; ++k) t[k] = {std::cos(k * 5 * kDeg), std::sin(k * 5 * kDeg)};
    return t;
  }();
  return table;
}

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

// Room for `count` more vertices at the end of the buffer.
DrawPoint* AppendVertices(DrawContext& dc, int count) {
  const std::size_t base = dc.vertices.size();
  dc.vertices.resize(base + static_cast<std::size_t>(count));
  return dc.vertices.data() + base;
}

DrawPoint Placed(DrawPoint p, const Placement* place) {
  return place != nullptr ? place->Apply(p) : p;
}

void AddWhole(DrawContext& dc, const Curve& curve, int count, const Placement* place) {
  const auto& unit = UnitCircle();
  DrawPoint* out = AppendVertices(dc, count);
  for (int k = 0; k < count; ++k) out[k] = Placed(curve.At(unit[k].x, unit[k].y), place);
}

// cos and sin of start + k * sweep / 72, k = 0..72.
const std::array<DrawPoint, 73>& ArcCosSin(ArcAngles& memo, double start, double sweep) {
  const auto startBits = std::bit_cast<std::uint64_t>(start);
  const auto sweepBits = std::bit_cast<std::uint64_t>(sweep);
  if (memo.valid && memo.startBits == startBits && memo.sweepBits == sweepBits) return memo.cosSin;
  for (int k = 0; k <= 72; ++k) {
    const double t = start + k * sweep / 72;
    memo.cosSin[k] = {std::cos(t), std::sin(t)};
  }
  memo.valid = true;
  memo.startBits = startBits;
  memo.sweepBits = sweepBits;
  return memo.cosSin;
}

void AddArc(DrawContext& dc, const Curve& curve, double start, double sweep,
            const Placement* place) {
  const auto& cs = ArcCosSin(dc.arcAngles, start, sweep);
  DrawPoint* out = AppendVertices(dc, 73);
  for (int k = 0; k <= 72; ++k) out[k] = Placed(curve.At(cs[k].x, cs[k].y), place);
}

// The arc, then the meeting point of the tangents at its two ends (the
// centre when they are parallel).
void AddArcWithTangents(DrawContext& dc, const Curve& curve, double s, double w, double tilt,
                        const Placement* place) {
  AddArc(dc, curve, s, w, place);
  DrawPoint a = curve.AtAngle(s), b = curve.AtAngle(s + w);
  double da = s + tilt + kPi / 2, db = s + w + tilt - kPi / 2;
  auto meet = IntersectLines(a, {a.x + std::cos(da), a.y + std::sin(da)}, b,
                             {b.x + std::cos(db), b.y + std::sin(db)});
  AddVertex(dc, meet ? *meet : DrawPoint{curve.cx, curve.cy}, place);
}

void AddRing(DrawContext& dc, const Curve& outer, double innerRadius, double innerFlat, double tilt,
             double s, double w, const Placement* place) {
  AddArc(dc, outer, s, w, place);
  Curve inner(outer.cx, outer.cy, innerRadius, innerFlat, tilt);
  AddArc(dc, inner, s + w, -w, place);
}

}  // namespace

void DrawEllipse(DrawContext& dc, Canvas& canvas, double cx, double cy, double r, double f,
                 double tilt, const Placement* place) {
  dc.vertices.clear();
  AddWhole(dc, Curve(cx, cy, r, f, tilt), 72, place);
  DrawPolygon(dc, canvas);
}

void DrawArc(DrawContext& dc, Canvas& canvas, double cx, double cy, double r, double f, double tilt,
             double start, double sweep, const Placement* place) {
  dc.vertices.clear();
  AddArc(dc, Curve(cx, cy, r, f, tilt), start, sweep, place);
  DrawPolyline(dc, canvas);
}

void DrawArcSolid(DrawContext& dc, Canvas& canvas, int kind, std::span<const double, 8> v,
                  const Placement* place) {
  const double cx = v[0], cy = v[1], r = v[2], f = v[3], tilt = v[4], s = v[5], w = v[6];
  const double sel = v[7];
  const bool whole = std::fabs(sel - 100) < 1e-14;
  const Curve curve(cx, cy, r, f, tilt);
  dc.vertices.clear();
  switch (kind) {
    case 101:
      if (whole) {
        AddWhole(dc, curve, 72, place);
      } else if (sel == 0) {
        AddArc(dc, curve, s, w, place);
        AddVertex(dc, {cx, cy}, place);
      } else if (sel == 5) {
        AddArc(dc, curve, s, w, place);
      } else {
        AddArcWithTangents(dc, curve, s, w, tilt, place);
      }
      DrawPolygon(dc, canvas);
      return;
    case 111:
      if (whole) {
        AddWhole(dc, curve, 73, place);
      } else {
        AddArc(dc, curve, s, w, place);
      }
      DrawPolyline(dc, canvas);
      return;
    case 105:
    case 106: {
      // An inner radius of 0 has no flatness of its own: keep the outer one.
      double innerFlat = kind == 105 || sel == 0 ? f : (f * r - r) / sel + 1;
      AddRing(dc, curve, sel, innerFlat, tilt, s, w, place);
      DrawPolygon(dc, canvas);
      return;
    }
    default:
      return;
  }
}

}  // namespace quintaro::render
