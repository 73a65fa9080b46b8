// BuildBlockTree: placement, lookups, and the bounds that stop
// blocks inserting themselves.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "formats/jww/jww_data.h"
#include "jww/jww_builder.h"

namespace quintaro {
namespace {

using test::BaseAttrs;
using test::JwwBuilder;

BaseAttrs G(std::uint16_t group) {
  BaseAttrs s;
  s.layerGroup = group;
  return s;
}

TEST(JwwBlocks, PlacementOfDirectAndNestedInsertions) {
  const double kPi = std::acos(-1.0);
  JwwBuilder b(600);
  b.Header().Count(1).Insert(G(4), 5, 5, 2, 2, kPi / 2, 1);
  b.Count(2);
  b.DefHead(1, "outer", 1, G(1)).Count(2).Line(G(1), 0, 0, 1, 0).Insert(G(2), 10, 0, 1, 3, 0, 2);
  b.DefHead(2, "inner", 1, G(3)).Count(1).Line(G(3), 0, 0, 1, 0);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes())) << d.loadReport.reason;
  ASSERT_EQ(d.BlockTree.size(), 2u);
  const auto& top = d.BlockTree[0];
  EXPECT_EQ(top.Level, 0);
  EXPECT_EQ(top.Parent, -1);
  EXPECT_EQ(top.DefIndex, 0);
  EXPECT_EQ(top.Name.bytes, "outer");
  EXPECT_EQ(V(top.Base.LayerGroup), 4);  // the insertion's base
  EXPECT_NEAR(top.M11, 0, 1e-12);
  EXPECT_NEAR(top.M12, -2, 1e-12);
  EXPECT_NEAR(top.M21, 2, 1e-12);
  EXPECT_NEAR(top.M22, 0, 1e-12);
  const auto& nested = d.BlockTree[1];
  EXPECT_EQ(nested.Level, 1);
  EXPECT_EQ(nested.Parent, 0);
  EXPECT_EQ(nested.DefIndex, 1);
  EXPECT_EQ(V(nested.Base.LayerGroup), 1);  // the base of the definition holding the insertion
  // origin (10, 0) of the outer definition lands at (5, 25)
  EXPECT_NEAR(nested.OriginX, 5, 1e-12);
  EXPECT_NEAR(nested.OriginY, 25, 1e-12);
  // (px, py) -> outer(inner): x' = -2 * 3 py, y' = 2 px
  EXPECT_NEAR(nested.M11, 0, 1e-12);
  EXPECT_NEAR(nested.M12, -6, 1e-12);
  EXPECT_NEAR(nested.M21, 2, 1e-12);
  EXPECT_NEAR(nested.M22, 0, 1e-12);
  EXPECT_EQ(d.ReferencedBlockCount, 2);
}

TEST(JwwBlocks, ABlockThatInsertsItselfIsRefused) {
  JwwBuilder b(600);
  b.Header().Count(1).Insert(G(0), 0, 0, 1, 1, 0, 1);
  b.Count(1);
  b.DefHead(1, "self").Count(2).Line(G(0), 0, 0, 1, 1).Insert(G(0), 1, 1, 1, 1, 0, 1);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes()));
  EXPECT_EQ(d.BlockTree.size(), 1u);
  EXPECT_EQ(d.loadReport.blockEntriesRefused, 1u);
  EXPECT_FALSE(d.loadReport.warnings.empty());
  EXPECT_EQ(d.ReferencedBlockCount, 1);
  // and the drawing is still saved whole
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  TJwwData e;
  ASSERT_TRUE(e.LoadFromBytes(out));
  EXPECT_EQ(e.BlockDefs[0].Block.size(), 1u);
}

TEST(JwwBlocks, ACycleThroughOtherDefinitionsIsCutWhereItCloses) {
  // 1 -> 2 -> 3 -> 1
  JwwBuilder b(600);
  b.Header().Count(1).Insert(G(0), 0, 0, 1, 1, 0, 1);
  b.Count(3);
  b.DefHead(1, "a").Count(1).Insert(G(0), 0, 0, 1, 1, 0, 2);
  b.DefHead(2, "b").Count(1).Insert(G(0), 0, 0, 1, 1, 0, 3);
  b.DefHead(3, "c").Count(1).Insert(G(0), 0, 0, 1, 1, 0, 1);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes()));
  ASSERT_EQ(d.BlockTree.size(), 3u);
  EXPECT_EQ(d.BlockTree[2].Level, 2);
  EXPECT_EQ(d.loadReport.blockEntriesRefused, 1u);
  EXPECT_EQ(d.ReferencedBlockCount, 3);
}

TEST(JwwBlocks, RepeatedNestingIsNotACycle) {
  // 1 inserts 2 twice: both placements are kept.
  JwwBuilder b(600);
  b.Header().Count(2).Insert(G(0), 0, 0, 1, 1, 0, 1).Insert(G(0), 9, 9, 1, 1, 0, 2);
  b.Count(2);
  b.DefHead(1, "a").Count(2).Insert(G(0), 0, 0, 1, 1, 0, 2).Insert(G(0), 5, 0, 1, 1, 0, 2);
  b.DefHead(2, "b").Count(1).Line(G(0), 0, 0, 1, 1);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes()));
  EXPECT_EQ(d.BlockTree.size(), 4u);
  EXPECT_EQ(d.loadReport.blockEntriesRefused, 0u);
}

TEST(JwwBlocks, AnExplodingChainIsBounded) {
  // Definition k inserts definition k + 1 a thousand times, 10 levels deep:
  // 10^30 placements unbounded. The tree stops at kMaxBlockTreeEntries.
  JwwBuilder b(600);
  b.Header().Count(1).Insert(G(0), 0, 0, 1, 1, 0, 0);
  const int levels = 10, fan = 1000;
  b.Count(levels + 1);
  for (int k = 0; k < levels; ++k) {
    b.DefHead(k, "d" + std::to_string(k)).Count(fan);
    for (int i = 0; i < fan; ++i) b.Insert(G(0), i, 0, 1, 1, 0, k + 1);
  }
  b.DefHead(levels, "leaf").Count(1).Line(G(0), 0, 0, 1, 1);
  auto start = std::chrono::steady_clock::now();
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes()));
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  EXPECT_EQ(d.BlockTree.size(), kMaxBlockTreeEntries);
  EXPECT_GT(d.loadReport.blockEntriesRefused, 0u);
  EXPECT_EQ(d.ReferencedBlockCount, levels + 1);  // in-use flags are not cut by the bound
  for (const auto& def : d.BlockDefs) EXPECT_EQ(def.InUse, 1);
  EXPECT_LT(ms, 10000);
}

TEST(JwwBlocks, DeepChainsStopAtTheDepthBound) {
  const int levels = kMaxBlockTreeDepth + 20;
  JwwBuilder b(600);
  b.Header().Count(1).Insert(G(0), 0, 0, 1, 1, 0, 0);
  b.Count(levels);
  for (int k = 0; k < levels; ++k) b.DefHead(k, "d").Count(1).Insert(G(0), 0, 0, 1, 1, 0, k + 1);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes()));
  EXPECT_EQ(d.BlockTree.size(), static_cast<std::size_t>(kMaxBlockTreeDepth) + 1);
  EXPECT_EQ(d.BlockTree.back().Level, kMaxBlockTreeDepth);
}

TEST(JwwBlocks, ForEachBaseVisitsEveryPart) {
  JwwBuilder b(600);
  BaseAttrs p = G(2);
  p.penStyle = 100;
  b.Header().Count(2).Line(G(1), 0, 0, 1, 1).Dimension(G(2), 1, p).Count(0);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes()));
  int all = 0, withoutSxf = 0;
  d.ForEachBase(true, [&](TEntJwwBase&) { ++all; });
  d.ForEachBase(false, [&](TEntJwwBase&) { ++withoutSxf; });
  EXPECT_EQ(all, 1 + 9);
  const TJwwData& constant = d;
  int visited = 0;
  constant.ForEachBase(true, [&](const TEntJwwBase&) { ++visited; });
  EXPECT_EQ(visited, all);
  EXPECT_EQ(withoutSxf, 1 + 3);
  d.ForEachBase(true, [](TEntJwwBase& base) { base.LayerGroup = 7; });
  EXPECT_EQ(d.Sunpo[0].Points[3].Base.LayerGroup, 7);
}

}  // namespace
}  // namespace quintaro
