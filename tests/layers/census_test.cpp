// Element counts per layer group and layer.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "extents/jww_models.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/census.h"

namespace quintaro {
namespace {

using namespace quintaro::test;

TEST(JwwCensus, MainListCountsEachFigureOnceByItsOwnLayer) {
  TJwwData doc;
  doc.Sen.push_back(JwwLine(0, 0, 1, 1, JwwBase(2, 3)));
  doc.Sen.push_back(JwwLine(0, 0, 1, 1, JwwBase(2, 4)));
  doc.Sen.push_back(JwwLine(0, 0, 1, 1, JwwBase(5, 0)));
  doc.Ten.push_back(JwwPoint(0, 0, false, JwwBase(2, 3)));
  doc.Ten.push_back(JwwPoint(0, 0, true, JwwBase(2, 3)));
  // A dimension counts once, by its own base, wherever its parts lie.
  auto dim = JwwDimension(0, 0, 1, 0, JwwBase(2, 3));
  dim.Line.Base = dim.Text.Base = JwwBase(7, 7);
  doc.Sunpo.push_back(dim);
  doc.Solid.push_back(JwwSolid(0, 0, 1, 0, 1, 1, 0, 1, JwwBase(2, 3)));
  doc.Block.push_back(JwwInsert(0, 0, 1, 0, 42, JwwBase(2, 3)));  // no such definition
  doc.BuildBlockTree();

  const LayerCensusResult c = LayerCensus(doc, 2, 3);
  EXPECT_EQ(c.lines, 1);
  EXPECT_EQ(c.points, 1);
  EXPECT_EQ(c.temporaryPoints, 1);
  EXPECT_EQ(c.dimensions, 1);
  EXPECT_EQ(c.solids, 1);
  EXPECT_EQ(c.blocks, 1);
  EXPECT_EQ(c.Total(), 6);
  EXPECT_EQ(GroupTotal(doc, 2), 7);
  EXPECT_EQ(LayerTotal(doc, 7, 7), 0);
  EXPECT_EQ(LayerCensus(doc, -1, 0).lines, 1);  // any group, layer 0
  EXPECT_EQ(LayerCensus(doc, -1, -1).Total(), 8);
  EXPECT_EQ(GroupTotal(doc, 16), 0);
}

// Definition 1 holds two lines, a text and a temporary point on group 1 and
// an insertion of definition 2 (one arc); definition 1's own base lies on
// group 6, which is where the nested placement counts.
TJwwData BlockDrawing(int insertionPenStyle, int placements) {
  TJwwData doc;
  doc.BlockDefs.resize(3);
  auto& d1 = doc.BlockDefs[0];
  d1.Number = 1;
  d1.Base = JwwBase(6, 2);
  d1.Sen.push_back(JwwLine(0, 0, 1, 0, JwwBase(1, 0)));
  d1.Sen.push_back(JwwLine(0, 0, 0, 1, JwwBase(1, 0)));
  d1.Moji.push_back(JwwText(0, 0, 1, 0, "a", JwwBase(1, 2)));
  d1.Ten.push_back(JwwPoint(0, 0, true, JwwBase(1, 2)));
  d1.Block.push_back(JwwInsert(0, 0, 1, 0, 2, JwwBase(1, 0)));
  doc.BlockDefs[1].Number = 2;
  doc.BlockDefs[1].Enko.push_back(JwwArc(0, 0, 1, 0, 1, false, 1, 0, JwwBase(3, 0)));
  doc.BlockDefs[2].Number = 3;  // never placed
  doc.BlockDefs[2].Sen.push_back(JwwLine(0, 0, 1, 1, JwwBase(4, 0)));
  for (int i = 0; i < placements; ++i)
    doc.Block.push_back(JwwInsert(i, 0, 1, 0, 1, JwwBase(4, 5, insertionPenStyle)));
  doc.BuildBlockTree();
  return doc;
}

TEST(JwwCensus, BlockMembersCountOnThePlacementsLayer) {
  const TJwwData doc = BlockDrawing(1, 1);
  EXPECT_EQ(GroupTotal(doc, 1), 0);
  const LayerCensusResult c = LayerCensus(doc, 4, 5);
  EXPECT_EQ(c.blocks, 1);
  EXPECT_EQ(c.linesInBlocks, 2);  // the never placed definition adds nothing
  EXPECT_EQ(c.textsInBlocks, 1);
  EXPECT_EQ(c.temporaryPointsInBlocks, 1);
  EXPECT_EQ(c.pointsInBlocks, 0);
  EXPECT_EQ(c.arcsInBlocks, 0);
  EXPECT_EQ(c.Direct(), 1);
  EXPECT_EQ(c.InBlocks(), 4);
  EXPECT_EQ(LayerCensus(doc, 6, 2).arcsInBlocks, 1);
  EXPECT_EQ(GroupTotal(doc, 3), 0);
}

TEST(JwwCensus, Bit40OfThePlacementCountsMembersByTheirOwnLayers) {
  const TJwwData doc = BlockDrawing(0x40 | 1, 1);
  EXPECT_EQ(LayerCensus(doc, 4, -1).Total(), 1);  // the insertion itself
  EXPECT_EQ(LayerCensus(doc, 1, 0).linesInBlocks, 2);
  EXPECT_EQ(LayerCensus(doc, 1, 2).textsInBlocks, 1);
  EXPECT_EQ(LayerCensus(doc, 1, 2).temporaryPointsInBlocks, 1);
  EXPECT_EQ(GroupTotal(doc, 1), 4);
  EXPECT_EQ(LayerCensus(doc, 6, 2).arcsInBlocks, 1);  // nested entry without the bit
}

TEST(JwwCensus, EveryPlacementCountsItsMembersAgain) {
  const TJwwData doc = BlockDrawing(1, 3);
  const LayerCensusResult c = LayerCensus(doc, 4, 5);
  EXPECT_EQ(c.blocks, 3);
  EXPECT_EQ(c.linesInBlocks, 6);
  EXPECT_EQ(LayerCensus(doc, 6, 2).arcsInBlocks, 3);
}

TEST(JwwCensus, OnePassTableFollowsThePlacementRules) {
  for (const TJwwData& doc : {BlockDrawing(0x40 | 1, 1), BlockDrawing(1, 3)}) {
    const LayerTotals table = CensusAllLayers(doc);
    for (int g = 0; g < 16; ++g) {
      EXPECT_EQ(table.Group(g), GroupTotal(doc, g));
      for (int l = 0; l < 16; ++l) EXPECT_EQ(table.Layer(g, l), LayerTotal(doc, g, l));
    }
  }
  // Three insertions, each bringing two lines, a text and a temporary point.
  EXPECT_EQ(CensusAllLayers(BlockDrawing(1, 3)).Layer(4, 5), 3 + 3 * 4);
}

TEST(JwwCensus, CountsBeyondInt32AreCapped) {
  TJwwData doc;
  doc.BlockDefs.resize(1);
  doc.BlockDefs[0].Number = 1;
  for (int i = 0; i < 50'000; ++i) doc.BlockDefs[0].Sen.push_back(JwwLine(0, 0, 1, 1));
  for (int i = 0; i < 50'000; ++i) doc.Block.push_back(JwwInsert(0, 0, 1, 0, 1));
  doc.BuildBlockTree();
  const LayerCensusResult c = LayerCensus(doc, -1, -1);
  constexpr int kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(c.linesInBlocks, kMax);
  EXPECT_EQ(c.blocks, 50'000);
  EXPECT_EQ(c.Total(), kMax);
}

TEST(JwsCensus, CountsLikeJww) {
  TJwsData doc;
  doc.Moji.push_back(JwwText<TEntJwwMoji2>(0, 0, 1, 0, "x", JwwBase(9, 1)));
  doc.BlockDefs.resize(1);
  doc.BlockDefs[0].Number = 5;
  doc.BlockDefs[0].Sunpo.push_back(JwwDimension<TEntJwwMoji2>(0, 0, 1, 0, JwwBase(0, 0)));
  doc.Block.push_back(JwwInsert(0, 0, 1, 0, 5, JwwBase(9, 1)));
  doc.BuildBlockTree();
  const LayerCensusResult c = LayerCensus(doc, 9, 1);
  EXPECT_EQ(c.texts, 1);
  EXPECT_EQ(c.blocks, 1);
  EXPECT_EQ(c.dimensionsInBlocks, 1);
  EXPECT_EQ(GroupTotal(doc, 0), 0);
  EXPECT_EQ(LayerTotal(doc, 9, 1), 3);
}

TEST(JwcCensus, LayerCodesAndUsedPointSlots) {
  TJwcData doc;
  doc.lines.resize(2);
  doc.lines[0].layer = 0x23;
  doc.lines[1].layer = 0x32;
  doc.arcs.emplace_back().layer = 0x2F;
  doc.texts.emplace_back().layer = 0x23;
  doc.header.slotCount = 2;
  doc.pointSlots[0].layer = 0x23;  // slot 0 never counts
  doc.pointSlots[1].layer = 0x23;
  doc.pointSlots[2].layer = 0x24;
  doc.pointSlots[3].layer = 0x23;  // beyond the used count

  const LayerCensusResult c = LayerCensus(doc, 2, 3);
  EXPECT_EQ(c.lines, 1);
  EXPECT_EQ(c.texts, 1);
  EXPECT_EQ(c.temporaryPoints, 1);
  EXPECT_EQ(c.Total(), 3);
  EXPECT_EQ(GroupTotal(doc, 2), 5);
  EXPECT_EQ(LayerTotal(doc, 2, 15), 1);
  EXPECT_EQ(GroupTotal(doc, 3), 1);
}

}  // namespace
}  // namespace quintaro
