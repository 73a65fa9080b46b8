// diff between drawings: a group move and a layer move of every sample show
// only the layer changes and names the move rule predicts; other changes
// of built drawings are found and named.
#include "document/drawing_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/containers.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

struct Move {
  int srcGroup, srcLayer, dstGroup, dstLayer;
};

// What the move should do to the main list, from the census before it:
// every figure drawn directly on a moved layer goes to its destination.
std::vector<LayerMove> ExpectedMoves(const Document& doc, const Move& m) {
  std::vector<LayerMove> out;
  for (int l = 0; l < 16; ++l) {
    if (m.srcLayer >= 0 && l != m.srcLayer) continue;
    int count = doc.Census(m.srcGroup, l).Direct();
    int to = m.srcLayer >= 0 ? m.dstLayer : l;
    if (count > 0) out.push_back({m.srcGroup, l, m.dstGroup, to, count});
  }
  return out;
}

// The source's name goes to the destination and the source's is emptied;
// a group's layers hand on their names too, where they have one.
std::vector<NameChange> ExpectedNames(const Document& doc, const Move& m) {
  auto name = [&](int g, int l) { return l < 0 ? doc.GroupName(g) : doc.LayerName(g, l); };
  std::vector<NameChange> out;
  auto travel = [&](int sl, int dl, bool always) {
    std::string src = name(m.srcGroup, sl), dst = name(m.dstGroup, dl);
    if (!always && src.empty()) return;
    if (!src.empty()) out.push_back({m.srcGroup, sl, src, ""});
    if (dst != src) out.push_back({m.dstGroup, dl, dst, src});
  };
  travel(m.srcLayer, m.dstLayer, true);
  for (int l = 0; m.srcLayer < 0 && l < 16; ++l) travel(l, l, false);
  std::sort(out.begin(), out.end(), [](const NameChange& a, const NameChange& b) {
    return std::pair(a.group, a.layer) < std::pair(b.group, b.layer);
  });
  return out;
}

// The first group (and its first layer) holding figures of the main list.
std::pair<int, int> FirstUsed(const Document& doc) {
  for (int g = 0; g < 16; ++g) {
    for (int l = 0; l < 16; ++l) {
      if (doc.Census(g, l).Direct() > 0) return {g, l};
    }
  }
  return {0, 0};
}

DrawingDiff MoveSaveAndDiff(const std::string& path, const Move& m, const test::TempDir& dir) {
  Document before, after;
  EXPECT_EQ(before.Open(path), OpenResult::kOpened);
  EXPECT_EQ(after.Open(path), OpenResult::kOpened);
  after.Apply(RelayerRule{{m.srcGroup, m.srcLayer}, {m.dstGroup, m.dstLayer}});
  std::string out = dir.File("moved"), why;
  EXPECT_EQ(after.Save(out).error, "");
  EXPECT_EQ(after.Open(out), OpenResult::kOpened);
  DrawingDiff d;
  EXPECT_TRUE(DiffDocuments(before, after, d, &why)) << why;
  return d;
}

TEST(DrawingDiff, MovesOfEverySampleChangeOnlyLayersAndTheNamesThatTravel) {
  QUINTARO_NEEDS_SAMPLES();
  for (const char* folder : {"jww", "jws", "jwk"}) {
    for (const std::string& path : test::SampleFiles(folder)) {
      SCOPED_TRACE(path);
      Document doc;
      ASSERT_EQ(doc.Open(path), OpenResult::kOpened);
      auto [g, l] = FirstUsed(doc);
      const Move moves[] = {{g, -1, (g + 1) % 16, -1}, {g, l, (g + 3) % 16, (l + 5) % 16}};
      for (const Move& m : moves) {
        test::TempDir dir;
        DrawingDiff d = MoveSaveAndDiff(path, m, dir);
        EXPECT_EQ(d.layerMoves, ExpectedMoves(doc, m));
        EXPECT_EQ(d.names, ExpectedNames(doc, m));
        // Figures inside definitions move by the same rule.
        for (const LayerMove& b : d.blockLayerMoves) {
          EXPECT_EQ(b.fromGroup, m.srcGroup);
          EXPECT_EQ(b.toGroup, m.dstGroup);
          EXPECT_EQ(b.toLayer, m.srcLayer < 0 ? b.fromLayer : m.dstLayer);
        }
        for (const KindCount& c : d.counts) EXPECT_EQ(c.before, c.after) << c.kind;
        EXPECT_EQ(d.changedFigures, 0);
        EXPECT_TRUE(d.blocks.empty());
        EXPECT_TRUE(d.values.empty());
      }
    }
  }
}

// A JWC drawing of one line, one arc, one text and one point on layer 1-2.
TJwcData SmallDrawing() {
  TJwcData d;
  d.lines.push_back(
      {.startX = 1, .startY = 2, .endX = 3, .endY = 4, .lineType = 1, .color = 2, .layer = 0x12});
  d.arcs.push_back({.radius = 5, .flatness = 1, .lineType = 1, .color = 1, .layer = 0x12});
  d.texts.push_back({.style = 1, .layer = 0x12, .text = "abc"});
  d.points.push_back({.x = 1, .layer = 0x12, .color = 3});
  d.layers[0x12].name = "walls";
  return d;
}

TEST(DrawingDiff, FindsAndNamesWhatChangedBesidesLayers) {
  struct Case {
    const char* name;
    std::function<void(TJwcData&)> change;
    std::vector<FigureChange> figures;
    std::vector<LayerMove> moves;
  };
  const Case cases[] = {
      {"colour and layer",
       [](TJwcData& d) { d.lines[0].color = 5, d.lines[0].layer = 0x34; },
       {{"line", "", 0, "colour"}},
       {{1, 2, 3, 4, 1}}},
      {"geometry", [](TJwcData& d) { d.arcs[0].radius = 6; }, {{"arc", "", 0, "geometry"}}, {}},
      {"text", [](TJwcData& d) { d.texts[0].text = "abd"; }, {{"text", "", 0, "text"}}, {}},
      {"line type and geometry",
       [](TJwcData& d) {
         d.lines[0].lineType = 2;
         d.lines[0].endX = 9;
       },
       {{"line", "", 0, "line type, geometry"}},
       {}},
  };
  test::TempDir dir;
  TJwcData base = SmallDrawing();
  std::string why;
  ASSERT_TRUE(base.SaveToFile(dir.File("a.jwc"))) << base.saveError;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TJwcData changed = SmallDrawing();
    c.change(changed);
    ASSERT_TRUE(changed.SaveToFile(dir.File("b.jwc"))) << changed.saveError;
    Document a, b;
    ASSERT_EQ(a.Open(dir.File("a.jwc")), OpenResult::kOpened);
    ASSERT_EQ(b.Open(dir.File("b.jwc")), OpenResult::kOpened);
    DrawingDiff d;
    ASSERT_TRUE(DiffDocuments(a, b, d, &why)) << why;
    EXPECT_EQ(d.firstChanges, c.figures);
    EXPECT_EQ(d.changedFigures, static_cast<std::int64_t>(c.figures.size()));
    EXPECT_EQ(d.layerMoves, c.moves);
    EXPECT_FALSE(d.Same());
    ASSERT_TRUE(DiffDocuments(b, b, d, &why));
    EXPECT_TRUE(d.Same());
  }
}

// JWW header values and pens are named one by one, with both values.
TEST(DrawingDiff, JwwHeaderValuesAndPensAreNamedWithTheirValues) {
  QUINTARO_NEEDS_SAMPLES();
  Document a, b;
  const std::string path = test::SampleFiles("jww").front();
  ASSERT_EQ(a.Open(path), OpenResult::kOpened);
  ASSERT_EQ(b.Open(path), OpenResult::kOpened);
  for (auto [doc, paper, zoom, width] : {std::tuple{&a, 3, 1.0, 1}, {&b, 4, 2.5, 3}}) {
    TJwwData& x = *test::Container<TJwwData>(*doc);
    x.Header.PaperSize = paper;
    x.Header.ZoomJumps[1].Scale = zoom;
    x.Pens[2].ScreenWidth = width;
  }
  const std::vector<ValueChange> expected = {
      {"header PaperSize", "3", "4"},
      {"header ZoomJumps[1].Scale", "1", "2.5"},
      {"pen 2 screen width", "1", "3"},
  };
  DrawingDiff d;
  std::string why;
  ASSERT_TRUE(DiffDocuments(a, b, d, &why)) << why;
  EXPECT_EQ(d.values, expected);
}

TEST(DrawingDiff, JwcSummaryCountsTheUsedPointSlotsAsTemporaryPoints) {
  test::TempDir dir;
  TJwcData d = SmallDrawing();
  d.header.slotCount = 3;
  d.pointSlots[1].layer = d.pointSlots[2].layer = d.pointSlots[3].layer = 0x12;
  ASSERT_TRUE(d.SaveToFile(dir.File("slots.jwc")));
  Document doc;
  ASSERT_EQ(doc.Open(dir.File("slots.jwc")), OpenResult::kOpened);
  EXPECT_EQ(doc.Counts().temporaryPoints, 3);
  // 4 figures and 3 slots, all on layer 1-2.
  EXPECT_EQ(doc.Totals().Group(1), 7);
}

}  // namespace
}  // namespace quintaro
