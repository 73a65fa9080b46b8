#include <gtest/gtest.h>

#include "render/scene/scene_dos.h"
#include "render/scene/scene_jww.h"
#include "render/text/text_draw.h"
#include "render_fixture.h"

namespace quintaro::render {
namespace {

using test::Drawing;
using test::TextRecord;

TEntJwwBase Base(int group, int layer, int color = 2) {
  TEntJwwBase b{};
  b.PenStyle = 1;
  b.PenColor = static_cast<std::uint16_t>(color);
  b.LayerGroup = static_cast<std::uint16_t>(group);
  b.Layer = static_cast<std::uint16_t>(layer);
  return b;
}

TEntJwwSen Line(double y, int group = 0, int layer = 0) {
  TEntJwwSen s{};
  s.Base = Base(group, layer);
  s.StartX = 10;
  s.StartY = y;
  s.EndX = 20;
  s.EndY = y;
  return s;
}

// Rows (pixel y) of the lines drawn, in order.
std::vector<int> Rows(const RecordingCanvas& c) {
  std::vector<int> rows;
  for (const auto& l : c.Lines()) rows.push_back(l.from.y);
  return rows;
}

TEST(JwwSceneTest, EmptyDrawingEndsNotAborted) {
  Drawing d;
  TJwwData data;
  DrawScene(d.dc, d.canvas, data);
  EXPECT_FALSE(d.dc.drawAborted);
  EXPECT_TRUE(d.canvas.Drawings().empty());
}

TEST(JwwSceneTest, ImagesComeFirstAndHiddenLayersAreLeftOut) {
  Drawing d;
  TJwwData data;
  data.Sen.push_back(Line(50));
  data.Sen.push_back(Line(60, 1, 2));
  data.Moji.push_back(TextRecord(Base(0, 0), 5, 5, 6, 5, 0, 0, "^@BMpic,20,10"));
  d.attr.SetLayerState(0x12, kLayerHidden);
  DrawScene(d.dc, d.canvas, data);
  auto drawn = d.canvas.Drawings();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn[0].kind, CallKind::kRectangle);
  EXPECT_EQ(Rows(d.canvas), (std::vector<int>{50}));
  EXPECT_FALSE(d.dc.drawAborted);
}

TEST(JwwSceneTest, AbortStopsAtTheFirstCheckThatSaysSo) {
  TJwwData data;
  for (int i = 0; i < 25; ++i) data.Sen.push_back(Line(10 + i));
  Drawing held;
  held.dc.abortCheck = [] { return true; };
  DrawScene(held.dc, held.canvas, data);
  EXPECT_TRUE(held.dc.drawAborted);
  EXPECT_TRUE(held.canvas.Lines().empty());  // stopped after the empty image pass

  // The image pass and the solids ask once each; the third question comes
  // after line 0, the fourth after line 10.
  for (int stopAt : {3, 4}) {
    Drawing d;
    int asked = 0;
    d.dc.abortCheck = [&] { return ++asked == stopAt; };
    DrawScene(d.dc, d.canvas, data);
    EXPECT_TRUE(d.dc.drawAborted);
    EXPECT_EQ(d.canvas.Lines().size(), stopAt == 3 ? 1u : 11u);
  }
}

TEST(JwwSceneTest, ThumbnailFilters) {
  TJwwData data;
  data.Sen.push_back(Line(10, 3, 5));
  data.Sen.push_back(Line(20, 3, 6));
  data.Sen.push_back(Line(30, 4, 5));
  Drawing group;
  group.attr.SetLayerState(0x35, kLayerHidden);  // not consulted by thumbnails
  DrawThumbnail(group.dc, group.canvas, data, -1, 3);
  EXPECT_EQ(Rows(group.canvas), (std::vector<int>{90, 80}));
  Drawing layer;
  DrawThumbnail(layer.dc, layer.canvas, data, 5, 3);
  EXPECT_EQ(Rows(layer.canvas), (std::vector<int>{90}));
}

TEST(JwwSceneTest, BlocksFollowTheirEntryLayerUnlessMarked) {
  TJwwData data;
  TEntJwwBlockDef def;
  def.Sen.push_back(Line(10, 0, 0));
  data.BlockDefs.push_back(def);
  TEntJwwBlockTree entry;
  entry.Base = Base(2, 0);
  entry.DefIndex = 0;
  entry.OriginX = 5;
  entry.M11 = entry.M22 = 1;
  data.BlockTree.push_back(entry);
  TEntJwwBlockTree missing = entry;
  missing.DefIndex = -1;
  data.BlockTree.push_back(missing);

  Drawing g2, g0;
  DrawThumbnail(g2.dc, g2.canvas, data, -1, 2);
  DrawThumbnail(g0.dc, g0.canvas, data, -1, 0);
  ASSERT_EQ(g2.canvas.Lines().size(), 1u);
  EXPECT_EQ(g2.canvas.Lines()[0].from, (PixelPoint{15, 90}));  // placed
  EXPECT_TRUE(g0.canvas.Lines().empty());

  data.BlockTree[0].Base.PenStyle |= 0x40;  // elements keep their own layers
  Drawing m2, m0;
  DrawThumbnail(m2.dc, m2.canvas, data, -1, 2);
  DrawThumbnail(m0.dc, m0.canvas, data, -1, 0);
  EXPECT_TRUE(m2.canvas.Lines().empty());
  EXPECT_EQ(m0.canvas.Lines().size(), 1u);
}

TEST(JwwSceneTest, TextsTakeTheirGroupScale) {
  Drawing d(0, 0, 10, 1000, 1000);
  TJwwData data;
  data.LayerGroups.resize(16);
  data.LayerGroups[3].Scale = 50;
  data.Moji.push_back(TextRecord(Base(3, 0), 10, 10, 20, 10, 2, 2, "%SS"));
  DrawScene(d.dc, d.canvas, data);
  EXPECT_EQ(d.canvas.AllText(), "1/50");
}

TEST(DosSceneTest, HiddenLineOnlyInItsThumbnail) {
  TJwcData data;
  data.lines.push_back({10, 50, 20, 50, /*lineType*/ 1, /*color*/ 2, /*layer*/ 0x21});
  Drawing main, thumb;
  main.attr.SetLayerState(0x21, kLayerHidden);
  DrawScene(main.dc, main.canvas, data);
  EXPECT_TRUE(main.canvas.Lines().empty());
  EXPECT_FALSE(main.dc.drawAborted);
  thumb.attr.SetLayerState(0x21, kLayerHidden);
  DrawThumbnail(thumb.dc, thumb.canvas, data, -1, 2);
  EXPECT_EQ(thumb.canvas.Lines().size(), 1u);
}

TEST(DosSceneTest, ArcSweeps) {
  TJwcData data;
  auto arc = [](double from, double to) {
    TEntJwcEnko a{};
    a.centerX = a.centerY = 50;
    a.radius = 20;
    a.flatness = 1;
    a.startAngle = from;
    a.endAngle = to;
    a.lineType = 1;
    a.color = 2;
    return a;
  };
  data.arcs = {arc(10, 370), arc(10, 10), arc(350, 10)};
  Drawing d;
  DrawScene(d.dc, d.canvas, data);
  EXPECT_EQ(d.canvas.Count(CallKind::kPolygon), 2);
  auto open = d.canvas.Of(CallKind::kPolyline);
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0].points.size(), 73u);
  // From 350 degrees through 0 to 10: starts below the x axis, ends above.
  EXPECT_EQ(open[0].points.front(), (PixelPoint{70, 53}));
  EXPECT_EQ(open[0].points.back(), (PixelPoint{70, 47}));
}

TEST(DosSceneTest, VerticalTextStyleAndSlots) {
  TJwcData data;
  data.textStyles[2] = {2, 30, 50, 0};
  TEntJwcMoji2 t{};
  t.startX = 50;
  t.startY = 50;
  t.endX = 50;
  t.endY = 10;
  t.style = 2;
  t.flags = TEntJwcMoji2::kVertical;
  t.text = "A";
  data.texts.push_back(t);
  TEntJwcMoji2 bad = t;
  bad.style = 12;  // no such style: left out
  data.texts.push_back(bad);
  data.header.slotCount = 1;
  data.pointSlots[0] = {40, 40, 0};
  data.pointSlots[1] = {30, 30, 0};
  Drawing d(0, 0, 10, 1000, 1000);
  DrawScene(d.dc, d.canvas, data);
  auto texts = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].font.faceName, std::string("@") + kDefaultFontName);
  EXPECT_EQ(texts[0].font.height, 30);  // height 3.0 mm
  EXPECT_EQ(texts[0].font.width, 25);   // width 5.0 mm
  // One slot (slot 0 is never drawn): a 3-pixel temporary point.
  auto polys = d.canvas.Of(CallKind::kPolygon);
  ASSERT_EQ(polys.size(), 1u);
  EXPECT_EQ(polys[0].points[0], (PixelPoint{303, 700}));
}

TEST(DosSceneTest, SymbolCoordinatesAreDividedButTextSizesAreNot) {
  TJwkData data;
  data.header.SymbolScale = 2;
  data.lines.push_back({0, 0, 10, 0, /*lineType*/ 1, /*color*/ 2});
  Drawing d(-10, -10, 10, 1000, 1000);
  DrawScene(d.dc, d.canvas, data);
  auto lines = d.canvas.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].from, (PixelPoint{100, 900}));
  EXPECT_EQ(lines[0].to, (PixelPoint{150, 900}));
}

TEST(DosSceneTest, EscapeStopsAfterTheFirstLine) {
  TJwcData data;
  data.lines.assign(25, {10, 50, 20, 50, /*lineType*/ 1, /*color*/ 2});
  Drawing d;
  d.dc.abortCheck = [] { return true; };
  DrawScene(d.dc, d.canvas, data);
  EXPECT_EQ(d.canvas.Lines().size(), 1u);
  EXPECT_TRUE(d.dc.drawAborted);
}

}  // namespace
}  // namespace quintaro::render
