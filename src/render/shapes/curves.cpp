// Ellipses, arcs and curved solids: always 72 or 73 straight pieces.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "render/shapes/curve_math.h"
#include "render/shapes/primitives.h"

namespace quintaro::render {

const std::array<DrawPoint, 73>& UnitCircle() {
  static const std::array<DrawPoint, 73> table = [] {
    constexpr double kDeg = kPi / 180;
    std::array<DrawPoint, 73> t{};
    for (int k = 0; k <= 72; ++k) t[k] = {std::cos(k * 5 * kDeg), std::sin(k * 5 * kDeg)};
    return t;
  }();
  return table;
}

namespace {

// Room for `count` more vertices at the end of the buffer.
DrawPoint* AppendVertices(DrawContext& dc, int count) {
  const std::size_t base = dc.vertices.size();
  dc.vertices.resize(base + static_cast<std::size_t>(count));
  return dc.vertices.data() + base;
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
    const double t = ArcAngleAt(start, sweep, k);
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

// DrawPolygon's test of the first edge, on the first two vertices of a whole curve.
bool FillsAsPolygon(const DrawContext& dc, const Curve& curve, const Placement* place) {
  const auto& unit = UnitCircle();
  const DrawPoint a = Placed(curve.At(unit[0].x, unit[0].y), place);
  const DrawPoint b = Placed(curve.At(unit[1].x, unit[1].y), place);
  return !TooLongToFill(dc.view, a, b);
}

}  // namespace

void DrawEllipse(DrawContext& dc, Canvas& canvas, double cx, double cy, double r, double f,
                 double tilt, const Placement* place) {
  const Curve curve(cx, cy, r, f, tilt);
  dc.vertices.clear();
  if (CurveOutside(dc.view, curve, place)) return;
  if (dc.omitSinglePixelShapes && CurveOnOnePixel(dc.view, curve, place)) return;
  if (FillsAsPolygon(dc, curve, place) && WholeCurvePixels(dc, curve, 72, place)) {
    if (!LeftOut(dc, dc.pixels)) canvas.Polygon(dc.pixels);
    dc.pixels.clear();
    return;
  }
  AddWhole(dc, curve, 72, place);
  DrawPolygon(dc, canvas);
}

void DrawArc(DrawContext& dc, Canvas& canvas, double cx, double cy, double r, double f, double tilt,
             double start, double sweep, const Placement* place) {
  const Curve curve(cx, cy, r, f, tilt);
  dc.vertices.clear();
  if (CurveOutside(dc.view, curve, place)) return;
  if (dc.omitSinglePixelShapes && CurveOnOnePixel(dc.view, curve, place)) return;
  if (ArcPixels(dc, curve, start, sweep, place)) {
    if (!LeftOut(dc, dc.pixels)) canvas.Polyline(dc.pixels);
    dc.pixels.clear();
    return;
  }
  AddArc(dc, curve, start, sweep, place);
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
