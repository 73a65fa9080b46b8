#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "render/shapes/primitives.h"
#include "render_fixture.h"

namespace quintaro::render {
namespace {

using test::Drawing;

TEST(PrimitivesTest, RoundHalfAwayFromZero) {
  EXPECT_EQ(RoundHalfAway(2.5), 3);
  EXPECT_EQ(RoundHalfAway(-2.5), -3);
  EXPECT_EQ(RoundHalfAway(-2.4), -2);
  EXPECT_EQ(RoundHalfAway(0.49999), 0);
  EXPECT_EQ(RoundHalfAway(1e300), INT32_MAX);
  EXPECT_EQ(RoundHalfAway(-1e300), INT32_MIN);
  EXPECT_EQ(RoundHalfAway(NAN), 0);
}

// The same as truncating x + 0.5 (x - 0.5 below zero) and clamping to the
// int range, at the edges of that range and of the halves.
TEST(PrimitivesTest, RoundHalfAwayIsTruncationOfTheShiftedValue) {
  auto truncated = [](double x) {
    const double r = x >= 0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
    return r >= INT32_MAX ? INT32_MAX : r <= INT32_MIN ? INT32_MIN : static_cast<int>(r);
  };
  std::vector<double> values = {0.0,
                                -0.0,
                                0.5,
                                -0.5,
                                0.49999999999999994,
                                -0.49999999999999994,
                                2147483646.5,
                                2147483647.0,
                                2147483647.4,
                                2147483647.5,
                                2147483648.0,
                                -2147483647.5,
                                -2147483648.0,
                                -2147483648.4,
                                -2147483648.5,
                                -2147483649.0,
                                4503599627370497.0,
                                INFINITY,
                                -INFINITY};
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> any(-3e9, 3e9), near(-4, 4);
  for (int i = 0; i < 2000; ++i) values.push_back(i % 2 ? any(rng) : near(rng));
  for (double x : values) EXPECT_EQ(RoundHalfAway(x), truncated(x)) << x;
}

TEST(PrimitivesTest, PixelRowsRunDownwards) {
  ViewTransform v;
  v.Set(0, 0, 1, 100, 100);
  EXPECT_EQ(ToPixel(v, 0, v.bottom), (PixelPoint{0, 100}));
  EXPECT_EQ(ToPixel(v, 0, v.top), (PixelPoint{0, 0}));
  v.Set(-10, 5, 2.5, 100, 100);
  EXPECT_DOUBLE_EQ(v.right, 30);
  EXPECT_DOUBLE_EQ(v.top, 45);
  EXPECT_EQ(ToPixel(v, -9, 6), (PixelPoint{3, 97}));  // 2.5 rounds up, 97.5 px from the top
  // Points far beyond the window stay on their own side of it.
  EXPECT_EQ(ToPixel(v, 0, -1e300).y, INT_MAX);
  EXPECT_EQ(ToPixel(v, 0, 1e300).y, 100 - INT_MAX);
}

TEST(PrimitivesTest, BorderCountsAsOutside) {
  ViewTransform v;
  v.Set(0, 0, 1, 8, 8);
  EXPECT_EQ(OutCode(v, 4, 4), 0);
  EXPECT_EQ(OutCode(v, 0, 4), kOutLeft);
  EXPECT_EQ(OutCode(v, 8, 8), kOutRight | kOutTop);
  EXPECT_EQ(ClassifyBox(v, 1, 1, 7, 7), 0);
  EXPECT_EQ(ClassifyBox(v, -1, 1, 7, 7), 1);
  EXPECT_EQ(ClassifyBox(v, -1, 1, -3, 7), 2);
}

TEST(PrimitivesTest, SegmentsAreClippedToTheWindow) {
  Drawing d(0, 0, 1, 8, 8);
  DrawSegment(d.dc, d.canvas, -10, 4, 20, 4);
  DrawSegment(d.dc, d.canvas, 1, 8, 6, 8);  // on the top border: not drawn
  DrawSegment(d.dc, d.canvas, 2, 2, 3, 5);  // inside, unchanged
  DrawSegment(d.dc, d.canvas, 4, -4, 4, 20);
  auto lines = d.canvas.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].from, (PixelPoint{0, 4}));
  EXPECT_EQ(lines[0].to, (PixelPoint{8, 4}));
  EXPECT_EQ(lines[1].from, (PixelPoint{2, 6}));
  EXPECT_EQ(lines[1].to, (PixelPoint{3, 3}));
  EXPECT_EQ(lines[2].from, (PixelPoint{4, 8}));
  EXPECT_EQ(lines[2].to, (PixelPoint{4, 0}));
}

TEST(PrimitivesTest, ClipKeepsSlopeAndRejectsDegenerateRemainders) {
  ViewTransform v;
  v.Set(0, 0, 1, 10, 10);
  double x1 = -5, y1 = 0, x2 = 5, y2 = 10;
  EXPECT_EQ(ClipSegment(v, x1, y1, x2, y2), 1);
  EXPECT_DOUBLE_EQ(x1, 0);
  EXPECT_DOUBLE_EQ(y1, 5);
  EXPECT_DOUBLE_EQ(x2, 5);
  EXPECT_DOUBLE_EQ(y2, 10);
  // Touching only the corner: both ends collapse into it.
  x1 = -1, y1 = 11, x2 = 1, y2 = 9;
  double cx1 = x1, cy1 = y1, cx2 = x2, cy2 = y2;
  EXPECT_EQ(ClipSegment(v, cx1, cy1, cx2, cy2), 1);
  x1 = -1, y1 = 1, x2 = 1, y2 = -1;  // through the corner (0, 0)
  EXPECT_EQ(ClipSegment(v, x1, y1, x2, y2), 2);
}

TEST(PrimitivesTest, PixelFrameThinAndSmall) {
  test::Drawing d;
  PixelFrame(d.canvas, 10, 10, 12, 12);
  EXPECT_TRUE(d.canvas.Calls().empty());
  PixelFrame(d.canvas, 10, 10, 11, 60);
  PixelFrame(d.canvas, 10, 10, 60, 12);
  PixelFrame(d.canvas, 10, 10, 60, 60);
  auto lines = d.canvas.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].to, (PixelPoint{10, 60}));
  EXPECT_EQ(lines[1].to, (PixelPoint{60, 10}));
  EXPECT_EQ(d.canvas.Count(CallKind::kRectangle), 1);
}

TEST(PrimitivesTest, BoxesPartlyOutsideBecomePolygons) {
  Drawing d(0, 0, 1, 100, 100);
  DrawBox(d.dc, d.canvas, 10, 10, 11, 60);  // 1 px wide: a line
  DrawBox(d.dc, d.canvas, -10, 10, 50, 60);
  DrawBox(d.dc, d.canvas, -10, 10, -5, 60);
  EXPECT_EQ(d.canvas.Lines().size(), 1u);
  auto polygons = d.canvas.Of(CallKind::kPolygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].points[0], (PixelPoint{-10, 90}));
}

TEST(PrimitivesTest, SolidWithOneCornerInsideIsDrawn) {
  Drawing d(0, 0, 1, 100, 100);
  auto quad = [&](double x4) {
    d.dc.vertices = {{-30, 10}, {-20, 10}, {-20, 50}, {x4, 50}};
    DrawPolygon(d.dc, d.canvas);
  };
  quad(30);
  quad(-10);
  EXPECT_EQ(d.canvas.Count(CallKind::kPolygon), 1);
  EXPECT_TRUE(d.dc.vertices.empty());
}

TEST(PrimitivesTest, HugePolygonsAreOutlinedOnly) {
  Drawing d(0, 0, 1, 100, 100);
  d.dc.vertices = {{-20000, 50}, {50, 50}, {50, 60}};
  DrawPolygon(d.dc, d.canvas);
  EXPECT_EQ(d.canvas.Count(CallKind::kPolygon), 0);
  auto polylines = d.canvas.Of(CallKind::kPolyline);
  // Clipped at the left border on the way out and, closed, on the way back;
  // a run ends at every clipped edge.
  ASSERT_EQ(polylines.size(), 2u);
  EXPECT_EQ(polylines[0].points, (std::vector<PixelPoint>{{0, 50}, {50, 50}}));
  EXPECT_EQ(polylines[1].points, (std::vector<PixelPoint>{{50, 50}, {50, 40}, {0, 40}}));
}

TEST(PrimitivesTest, PolylineSplitsWhereItLeavesTheWindow) {
  Drawing d(0, 0, 1, 100, 100);
  d.dc.vertices = {{10, 10}, {20, 10}, {200, 10}, {200, 20}, {20, 20}, {10, 20}};
  DrawPolyline(d.dc, d.canvas);
  auto runs = d.canvas.Of(CallKind::kPolyline);
  // A run ends at every clipped edge, whether it leaves or enters.
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].points, (std::vector<PixelPoint>{{10, 90}, {20, 90}, {100, 90}}));
  EXPECT_EQ(runs[1].points, (std::vector<PixelPoint>{{100, 80}, {20, 80}}));
  EXPECT_EQ(runs[2].points, (std::vector<PixelPoint>{{20, 80}, {10, 80}}));
  // Everything beyond one edge: nothing at all.
  d.dc.vertices = {{-10, 10}, {-20, 10}, {-5, 90}};
  DrawPolyline(d.dc, d.canvas);
  EXPECT_EQ(d.canvas.Count(CallKind::kPolyline), 3);
}

TEST(CurvesTest, ArcsHave73PointsAndCirclesHave72) {
  Drawing d(-50, -50, 1, 100, 100);
  DrawArc(d.dc, d.canvas, 0, 0, 40, 1, 0, 0, M_PI / 2);
  auto arc = d.canvas.Of(CallKind::kPolyline);
  ASSERT_EQ(arc.size(), 1u);
  ASSERT_EQ(arc[0].points.size(), 73u);
  EXPECT_EQ(arc[0].points.front(), (PixelPoint{90, 50}));
  EXPECT_EQ(arc[0].points.back(), (PixelPoint{50, 10}));
  DrawEllipse(d.dc, d.canvas, 0, 0, 40, 0.5, M_PI / 2);
  auto ellipse = d.canvas.Of(CallKind::kPolygon);
  ASSERT_EQ(ellipse.size(), 1u);
  ASSERT_EQ(ellipse[0].points.size(), 72u);
  // Tilted by 90 degrees: the long axis is vertical, the short one 20 mm.
  EXPECT_EQ(ellipse[0].points[0], (PixelPoint{50, 10}));
  EXPECT_EQ(ellipse[0].points[18], (PixelPoint{30, 50}));
}

// Shapes convert all their vertices at once; each pixel is the one ToPixel
// gives, for halves, far-away points and numbers that are none.
TEST(PrimitivesTest, ShapeVerticesBecomeThePixelsOfToPixel) {
  const double odd[] = {2.5, -2.5,     0.5,       -0.5,         1e300,        -1e300,
                        NAN, INFINITY, -INFINITY, 2147483647.5, -2147483648.6};
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> any(-200, 300);
  for (int round = 0; round < 200; ++round) {
    Drawing d(-10.25, 5.5, 0.5 + round % 7, 100, 80);
    std::vector<DrawPoint> pts = {{-10, 6}, {-9.9, 6}};  // inside, and a short first edge
    for (int k = 0; k < 6; ++k) {
      const double x = rng() % 3 ? any(rng) : odd[rng() % 11];
      const double y = rng() % 3 ? any(rng) : odd[rng() % 11];
      pts.push_back({x, y});
    }
    d.dc.vertices = pts;
    DrawPolygon(d.dc, d.canvas);
    const auto drawn = d.canvas.Of(CallKind::kPolygon);
    ASSERT_EQ(drawn.size(), 1u);
    for (std::size_t k = 0; k < pts.size(); ++k)
      EXPECT_EQ(drawn[0].points[k], ToPixel(d.dc.view, pts[k].x, pts[k].y))
          << pts[k].x << " " << pts[k].y;
  }
}

// Arcs that share their start or sweep with the arc before (the angles'
// sines are kept from one arc to the next) draw as they do alone.
TEST(CurvesTest, ArcsAfterOthersDrawAsAlone) {
  const double angles[] = {0.0, -0.0, 0.5, 1.0, -1.0, M_PI, 7.5};
  std::mt19937 rng(3);
  auto pick = [&] { return angles[rng() % 7]; };
  Drawing shared(-50, -50, 10, 1000, 1000);
  for (int i = 0; i < 300; ++i) {
    const double cx = static_cast<double>(rng() % 40) - 20, r = 1 + static_cast<double>(rng() % 30);
    const double start = pick(), sweep = pick(), tilt = i % 3 == 0 ? 0.3 : 0.0;
    shared.canvas.Clear();
    DrawArc(shared.dc, shared.canvas, cx, 0, r, 0.5, tilt, start, sweep);
    Drawing alone(-50, -50, 10, 1000, 1000);
    DrawArc(alone.dc, alone.canvas, cx, 0, r, 0.5, tilt, start, sweep);
    ASSERT_EQ(shared.canvas.Drawings().size(), alone.canvas.Drawings().size()) << i;
    for (std::size_t k = 0; k < alone.canvas.Drawings().size(); ++k)
      EXPECT_EQ(shared.canvas.Drawings()[k].points, alone.canvas.Drawings()[k].points) << i;
  }
}

// Vertex k of an arc (of a whole curve: every 5 degrees) as a pixel,
// computed directly from its angle.
PixelPoint CurvePixel(const ViewTransform& v, const std::array<double, 7>& a, int k,
                      const Placement* place, bool whole = false) {
  const auto [cx, cy, r, f, tilt, start, sweep] = a;
  const double t = whole ? k * 5 * (M_PI / 180) : start + k * sweep / 72;
  const double x = r * std::cos(t), y = r * f * std::sin(t);
  DrawPoint p{cx + x * std::cos(tilt) - y * std::sin(tilt),
              cy + x * std::sin(tilt) + y * std::cos(tilt)};
  if (place != nullptr) p = place->Apply(p);
  return ToPixel(v, p.x, p.y);
}

// Curves inside the window skip the vertex buffer and advance an arc's
// angle by rotation; their pixels stay those of the directly computed
// vertices, also where vertices fall on half pixels (round numbers).
TEST(CurvesTest, CurvesInsideTheWindowKeepTheirPixels) {
  const double round[] = {0, 0.5, 1, 2.5, 10, 100, 100.5, M_PI / 2, M_PI, -M_PI / 2, M_PI / 3};
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> any(-3, 3);
  auto pick = [&](int from, int to) { return round[from + rng() % (to - from)]; };
  const Placement turned{300, 0, 0, -1, 1, 0, 1}, scaled{3, 5, 0.5, 0, 0, 0.5, 1};
  for (int i = 0; i < 3000; ++i) {
    const bool plain = i % 2 == 0;
    // Centre, radius, flatness, tilt, start and sweep.
    std::array<double, 7> a = {pick(5, 7) + pick(0, 2),
                               pick(5, 7) + pick(0, 3),
                               pick(1, 5),
                               i % 4 < 2 ? 1 : 0.5,
                               plain ? 0 : pick(7, 11),
                               pick(0, 11),
                               pick(7, 11)};
    if (i % 3 == 0) {
      for (double& value : a) value = any(rng);
      a[0] += 100;
      a[1] += 120;
    }
    const Placement* place = i % 5 == 1 ? &turned : i % 5 == 2 ? &scaled : nullptr;
    Drawing d(0, 0, 1 + i % 4 * 0.5, 800, 800);
    // A curve whose pixels are all one draws nothing.
    std::vector<PixelPoint> arcPixels, wholePixels;
    for (int k = 0; k <= 72; ++k) arcPixels.push_back(CurvePixel(d.dc.view, a, k, place));
    for (int k = 0; k < 72; ++k) wholePixels.push_back(CurvePixel(d.dc.view, a, k, place, true));
    DrawArc(d.dc, d.canvas, a[0], a[1], a[2], a[3], a[4], a[5], a[6], place);
    auto arc = d.canvas.Of(CallKind::kPolyline);
    ASSERT_EQ(arc.size(), OnOnePixel(arcPixels) ? 0u : 1u) << i;
    if (!arc.empty()) {
      ASSERT_EQ(arc[0].points, arcPixels) << i;
    }
    DrawEllipse(d.dc, d.canvas, a[0], a[1], a[2], a[3], a[4], place);
    auto whole = d.canvas.Of(CallKind::kPolygon);
    ASSERT_EQ(whole.size(), OnOnePixel(wholePixels) ? 0u : 1u) << i;
    if (!whole.empty()) {
      ASSERT_EQ(whole[0].points, wholePixels) << i;
    }
  }
}

TEST(CurvesTest, PlacedCurvesAreDeformedPointByPoint) {
  Drawing d(-100, -100, 1, 200, 200);
  Placement p{10, 0, 2, 0, 0, 1, 1};
  DrawEllipse(d.dc, d.canvas, 0, 0, 20, 1, 0, &p);
  auto e = d.canvas.Of(CallKind::kPolygon);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].points[0], (PixelPoint{150, 100}));  // (50, 0)
  EXPECT_EQ(e[0].points[18], (PixelPoint{110, 80}));  // (10, 20)
  EXPECT_EQ(e[0].points[36], (PixelPoint{70, 100}));  // (-30, 0)
}

std::array<double, 8> Solid(double sel, double s = 0, double w = M_PI / 2) {
  return {0, 0, 40, 1, 0, s, w, sel};
}

TEST(CurvesTest, CurvedSolidShapes) {
  Drawing d(-50, -50, 1, 100, 100);
  auto last = [&] { return d.canvas.Calls().back(); };
  DrawArcSolid(d.dc, d.canvas, 101, Solid(100));
  EXPECT_EQ(last().points.size(), 72u);
  DrawArcSolid(d.dc, d.canvas, 101, Solid(0));  // sector: arc then centre
  EXPECT_EQ(last().points.size(), 74u);
  EXPECT_EQ(last().points.back(), (PixelPoint{50, 50}));
  DrawArcSolid(d.dc, d.canvas, 101, Solid(5));
  EXPECT_EQ(last().points.size(), 73u);
  DrawArcSolid(d.dc, d.canvas, 101, Solid(1));  // quarter: the tangents meet at (40, 40)
  EXPECT_EQ(last().points.back(), (PixelPoint{90, 10}));
  DrawArcSolid(d.dc, d.canvas, 101, Solid(1, 0, M_PI));  // parallel tangents: the centre
  EXPECT_EQ(last().points.back(), (PixelPoint{50, 50}));
  DrawArcSolid(d.dc, d.canvas, 111, Solid(100));
  EXPECT_EQ(last().kind, CallKind::kPolyline);
  EXPECT_EQ(last().points.size(), 73u);
  EXPECT_EQ(last().points.front(), last().points.back());
  DrawArcSolid(d.dc, d.canvas, 105, Solid(20));  // ring: outer arc, inner arc back
  ASSERT_EQ(last().points.size(), 146u);
  EXPECT_EQ(last().points[72], (PixelPoint{50, 10}));
  EXPECT_EQ(last().points[73], (PixelPoint{50, 30}));
  EXPECT_EQ(last().points[145], (PixelPoint{70, 50}));
  std::size_t before = d.canvas.Calls().size();
  DrawArcSolid(d.dc, d.canvas, 106, Solid(0));  // inner radius 0 must not divide by it
  DrawArcSolid(d.dc, d.canvas, 107, Solid(20));
  EXPECT_EQ(d.canvas.Calls().size(), before + 1);
}

TEST(CurvesTest, FlattenedRingHasItsOwnInnerFlatness) {
  Drawing d(-50, -50, 1, 100, 100);
  std::array<double, 8> v{0, 0, 40, 0.5, 0, 0, M_PI, 20};
  DrawArcSolid(d.dc, d.canvas, 106, v);
  // inner flatness (0.5 * 40 - 40) / 20 + 1 = 0: the inner arc lies on the axis
  auto pts = d.canvas.Calls().back().points;
  EXPECT_EQ(pts[73 + 36], (PixelPoint{50, 50}));
}

}  // namespace
}  // namespace quintaro::render
