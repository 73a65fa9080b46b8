#include <gtest/gtest.h>

#include <cmath>

#include "render/scene/entities.h"
#include "render/shapes/markers.h"
#include "render_fixture.h"

namespace quintaro::render {
namespace {

using test::Drawing;
using test::TextRecord;

TEntJwwBase Base(int color = 2, int style = 1, int group = 0, int layer = 0) {
  TEntJwwBase b{};
  b.PenColor = static_cast<std::uint16_t>(color);
  b.PenStyle = static_cast<std::uint8_t>(style);
  b.LayerGroup = static_cast<std::uint16_t>(group);
  b.Layer = static_cast<std::uint16_t>(layer);
  return b;
}

TEST(MarkerTest, PlainPointIgnoresItsStoredCode) {
  Drawing d(0, 0, 10, 1000, 1000);
  TEntJwwTen p{};
  p.Base = Base(2, 1);
  p.X = 50;
  p.Y = 50;
  p.Code = 1;
  p.Scale = 1;
  DrawPointEntity(d.dc, d.canvas, p);
  auto polys = d.canvas.Of(CallKind::kPolygon);
  ASSERT_EQ(polys.size(), 1u);
  ASSERT_EQ(polys[0].points.size(), 72u);
  // radius 0.15 / 2 + 0.3 mm = 3.75 px, filled in the entity colour
  EXPECT_EQ(polys[0].points[0], (PixelPoint{504, 500}));
  EXPECT_EQ(polys[0].brush.style, BrushStyle::kSolid);
  EXPECT_EQ(polys[0].brush.color, d.attr.ColorOfPen(2));
}

TEST(MarkerTest, TemporaryPointIsThreePixelsAtAnyZoom) {
  for (double scale : {0.5, 40.0}) {
    Drawing d(0, 0, scale, 1000, 1000);
    PointMarker m;
    m.temporary = true;
    m.code = 5;
    m.x = 10;
    m.y = 10;
    DrawPointMarker(d.dc, d.canvas, m);
    auto poly = d.canvas.Of(CallKind::kPolygon).at(0);
    EXPECT_EQ(poly.points[0].x - poly.points[36].x, 6) << scale;
  }
}

TEST(MarkerTest, ArrowHeadPointsAlongItsAngle) {
  Drawing d(0, 0, 10, 1000, 1000);
  PointMarker m;
  m.code = 1;
  m.angle = M_PI / 2;
  m.scale = 0;  // treated as 1
  m.penColor = 2;
  m.x = 50;
  m.y = 50;
  DrawPointMarker(d.dc, d.canvas, m);
  auto poly = d.canvas.Of(CallKind::kPolygon).at(0);
  // Tip at the position, base 6u = 7.5 mm below, 2u wide; hollow.
  EXPECT_EQ(poly.points, (std::vector<PixelPoint>{{500, 500}, {488, 575}, {513, 575}}));
  EXPECT_EQ(poly.brush.color, d.attr.BackColor());
  EXPECT_EQ(poly.brush.style, BrushStyle::kSolid);
}

TEST(MarkerTest, LineMarkers) {
  Drawing d(0, 0, 10, 1000, 1000);
  PointMarker m;
  m.penColor = 2;
  m.x = 50;
  m.y = 50;
  m.scale = 0.8;  // u = 1 mm
  auto lines = [&](int code) {
    d.canvas.Clear();
    m.code = code;
    DrawPointMarker(d.dc, d.canvas, m);
    return d.canvas.Lines();
  };
  EXPECT_EQ(lines(-4).size(), 2u);
  EXPECT_EQ(lines(-5).size(), 4u);
  EXPECT_EQ(lines(-6).size(), 3u);
  EXPECT_EQ(lines(-1).size(), 3u);
  auto tick = lines(10);
  ASSERT_EQ(tick.size(), 1u);
  EXPECT_EQ(tick[0].from, (PixelPoint{514, 486}));  // 2u at 45 degrees
  EXPECT_EQ(d.canvas.Count(CallKind::kPolygon), 0);
  lines(8);
  EXPECT_EQ(d.canvas.Count(CallKind::kPolyline), 2);
  lines(42);  // unknown: a filled circle of radius u
  EXPECT_EQ(d.canvas.Of(CallKind::kPolygon).at(0).points[0], (PixelPoint{510, 500}));
}

TEntJwwSunpo Dimension() {
  TEntJwwSunpo s{};
  s.Line.Base = Base(2);
  s.Line.StartX = 10;
  s.Line.StartY = 10;
  s.Line.EndX = 30;
  s.Line.EndY = 10;
  s.Text.Base = Base(2);
  s.Text.StartX = 19;
  s.Text.StartY = 11;
  s.Text.EndX = 21;
  s.Text.EndY = 11;
  s.Text.SizeX = 2;
  s.Text.SizeY = 2;
  s.Text.Spacing = 1;
  s.Text.Text = {"12"};
  s.Aux1.Base = Base(2);
  s.Aux2.Base = Base(2);
  s.Aux1.EndY = 5;
  s.Aux2.EndY = 5;
  for (auto& p : s.Points) p.Base = Base(2);
  return s;
}

TEST(DimensionTest, SxfModeZeroDrawsLineAndTextOnly) {
  Drawing d(-50, -50, 10, 1000, 1000);
  TEntJwwSunpo s = Dimension();
  DrawDimension(d.dc, d.canvas, s);
  EXPECT_EQ(d.canvas.Lines().size(), 1u);
  EXPECT_EQ(d.canvas.AllText(), "12");
  EXPECT_EQ(d.canvas.Count(CallKind::kPolygon), 0);
  d.canvas.Clear();
  s.SxfMode = 1;
  DrawDimension(d.dc, d.canvas, s);
  EXPECT_EQ(d.canvas.Lines().size(), 3u);
  EXPECT_EQ(d.canvas.Count(CallKind::kPolygon), 2);  // points 1 and 2 only
}

TEST(DimensionTest, PlacedTextThroughARotatedBlockIsRecentred) {
  Drawing d(-50, -50, 10, 1000, 1000);
  TEntJwwSunpo s = Dimension();
  s.Text.StartX = 18;                               // off centre: the placed text is centred again
  BlockPlace block{{0, 0, 0, -1, 1, 0, 1}, false};  // 90 degrees
  DrawDimension(d.dc, d.canvas, s, &block);
  auto t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 2u);
  // Placed start (-11, 18), end (-11, 21): midpoint y 19.5, length 2.5.
  // The row runs upwards from y = 18.25; the cell's top left is 2 mm left.
  EXPECT_EQ(t[0].font.escapement, 900);
  EXPECT_EQ(t[0].points[0], (PixelPoint{370, 318}));  // (-13, 18.25), 317.5 to even
  EXPECT_EQ(t[1].points[0], (PixelPoint{370, 302}));  // + 1.5 mm
}

TEST(DimensionTest, MeasuredTextInAScaledBlock) {
  Drawing d(-50, -50, 10, 1000, 1000);
  d.dc.groupScales[0] = 100;
  TEntJwwSunpo s = Dimension();
  s.Text.Base.PenWidth = 0x0002 | 0x0040 | 0x1000;  // measure, separators, 1 decimal
  BlockPlace block{{0, 0, 1.5, 0, 0, 1, 1}, false};
  DrawDimension(d.dc, d.canvas, s, &block);
  EXPECT_EQ(d.canvas.AllText(), "3,000.");  // 30 mm * 100, trailing zero dropped
  d.canvas.Clear();
  block.place = {};  // identity: the stored text
  DrawDimension(d.dc, d.canvas, s, &block);
  EXPECT_EQ(d.canvas.AllText(), "12");
}

TEST(DimensionTest, MeasuredTextFormats) {
  EXPECT_EQ(MeasuredDimensionText(1234.56, 0x0002, 0), "1235");  // 0 decimals
  EXPECT_EQ(MeasuredDimensionText(1234.56, 0x2000, 0), "1234.56");
  EXPECT_EQ(MeasuredDimensionText(1234.56, 0x0080 | 0x1000, 0), "1234.6");
  EXPECT_EQ(MeasuredDimensionText(1234.56, 0x0080 | 0x0100 | 0x1000, 0), "1234.5");
  EXPECT_EQ(MeasuredDimensionText(1234.51, 0x0080 | 0x0200 | 0x1000, 0), "1234.6");
  EXPECT_EQ(MeasuredDimensionText(-2.25, 0x0080 | 0x1000, 0), "-2.3");
  EXPECT_EQ(MeasuredDimensionText(1500, 0x1000 | 0x0010 | 0x0020, 0), "1.5\x82\x8D");
  EXPECT_EQ(MeasuredDimensionText(5, 0x0400 | 0x0020, 0x100), "R5mm");
  EXPECT_EQ(MeasuredDimensionText(5, 0x0800, 0x200), "5\x83\xD3");
  EXPECT_EQ(MeasuredDimensionText(12.5, 0x1000 | 0x0008 | 0x0400, 0x100),
            "\x82\x71\x82\x50\x82\x51\x81\x44\x82\x54");  // full-width R12.5
  EXPECT_EQ(MeasuredDimensionText(1234567, 0x0040 | 0x0080 | 0x2000, 0), "1,234,567.00");
}

TEST(PlacedTextTest, ScaledAlongTheBaseline) {
  Drawing d(0, 0, 10, 1000, 1000);
  TEntJwwMoji m = TextRecord(Base(2), 10, 10, 20, 10, 2, 3, "ab");
  m.Spacing = 1;
  BlockPlace block{{5, 0, 2, 0, 0, 1, 1}, false};
  DrawPlacedText(d.dc, d.canvas, m, m.FontName, m.Text, block);
  auto t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].font.width, 20);  // width 4 mm
  EXPECT_EQ(t[0].font.height, 30);
  EXPECT_EQ(t[0].points[0], (PixelPoint{250, 870}));
  EXPECT_EQ(t[1].points[0], (PixelPoint{280, 870}));  // (4 + 2) / 2 mm further
}

TEST(PlacedTextTest, MirroredPlacementSwapsTheEnds) {
  Drawing d(-50, 0, 10, 1000, 1000);
  TEntJwwMoji m = TextRecord(Base(2), 10, 10, 20, 10, 2, 3, "a");
  BlockPlace block{{0, 0, -1, 0, 0, 1, 1}, false};
  DrawPlacedText(d.dc, d.canvas, m, m.FontName, m.Text, block);
  auto t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 1u);
  // From (-20, 10) towards (-10, 10): still left to right.
  EXPECT_EQ(t[0].font.escapement, 0);
  EXPECT_EQ(t[0].points[0], (PixelPoint{300, 870}));
}

TEST(ImageTest, FramesAtTheStartPointAxisParallel) {
  Drawing d(0, 0, 10, 1000, 1000);
  // Turned by 90 degrees: the frame stays axis-parallel.
  TEntJwwMoji m = TextRecord(Base(2), 10, 10, 10, 20, 2, 2, "^@BM%temp%pic.bmp,5");
  DrawImageText(d.dc, d.canvas, m);
  m.Text = {"^@BMpic.bmp,5,3,0,0,1"};
  DrawImageText(d.dc, d.canvas, m);
  m.Text = {"^@BMpic.bmp"};  // no comma: not an image
  DrawImageText(d.dc, d.canvas, m);
  auto rects = d.canvas.Of(CallKind::kRectangle);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].points, (std::vector<PixelPoint>{{100, 900}, {150, 850}}));
  EXPECT_EQ(rects[1].points, (std::vector<PixelPoint>{{100, 900}, {150, 870}}));
  EXPECT_EQ(rects[0].brush.style, BrushStyle::kBDiagonal);
  // The text pass skips images but draws the one without a comma.
  d.canvas.Clear();
  DrawText(d.dc, d.canvas, m);
  EXPECT_EQ(d.canvas.AllText(), "^@BMpic.bmp");
  m.Text = {"^@BMpic.bmp,5"};
  d.canvas.Clear();
  DrawText(d.dc, d.canvas, m);
  EXPECT_TRUE(d.canvas.Drawings().empty());
}

TEST(ImageTest, PlacedFrameTakesThePlacedSizes) {
  Drawing d(0, 0, 10, 1000, 1000);
  TEntJwwMoji m{};
  m.Base = Base(2);
  m.EndX = 1;
  m.Text = {"^@BMpic,4,2"};
  Placement p{10, 10, 2, 0, 0, 3, 1};
  DrawImageText(d.dc, d.canvas, m, &p);
  auto rects = d.canvas.Of(CallKind::kRectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].points, (std::vector<PixelPoint>{{100, 900}, {180, 840}}));
}

}  // namespace
}  // namespace quintaro::render
