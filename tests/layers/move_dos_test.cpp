// Layer moves in JWC drawings and JWK symbols.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/common/text.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "layers/move.h"

namespace quintaro {
namespace {

// One figure of each kind per layer code given, and the first point slots.
TJwcData JwcWithCodes(const std::vector<std::uint8_t>& codes) {
  TJwcData doc;
  for (std::uint8_t c : codes) {
    doc.lines.emplace_back().layer = c;
    doc.arcs.emplace_back().layer = c;
    doc.points.emplace_back().layer = c;
    doc.texts.emplace_back().layer = c;
  }
  return doc;
}

void ExpectCodes(const TJwcData& doc, const std::vector<std::uint8_t>& want) {
  ASSERT_EQ(doc.lines.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(doc.lines[i].layer, want[i]) << i;
    EXPECT_EQ(doc.arcs[i].layer, want[i]) << i;
    EXPECT_EQ(doc.points[i].layer, want[i]) << i;
    EXPECT_EQ(doc.texts[i].layer, want[i]) << i;
  }
}

TEST(JwcMove, GroupMoveKeepsTheLayer) {
  TJwcData doc = JwcWithCodes({0x23, 0x24, 0x32});
  MoveLayerGroup(doc, 2, -1, 5, -1);
  ExpectCodes(doc, {0x53, 0x54, 0x32});
}

TEST(JwcMove, LayerMoveTakesOnlyThatLayer) {
  TJwcData doc = JwcWithCodes({0x23, 0x24, 0x33});
  MoveLayerGroup(doc, 2, 3, 5, 0);
  ExpectCodes(doc, {0x50, 0x24, 0x33});
  MoveLayerGroup(doc, 2, 4, 2, 15);  // within the same group
  ExpectCodes(doc, {0x50, 0x2F, 0x33});
}

TEST(JwcMove, PointSlotsFromZeroThroughTheUsedCount) {
  TJwcData doc;
  doc.header.slotCount = 2;
  for (auto& s : doc.pointSlots) s.layer = 0x23;
  MoveLayerGroup(doc, 2, -1, 5, -1);
  EXPECT_EQ(doc.pointSlots[0].layer, 0x53);
  EXPECT_EQ(doc.pointSlots[2].layer, 0x53);
  EXPECT_EQ(doc.pointSlots[3].layer, 0x23);

  doc.header.slotCount = 500;  // more than the table holds: stops at its end
  MoveLayerGroup(doc, 2, -1, 5, -1);
  EXPECT_EQ(doc.pointSlots[100].layer, 0x53);
}

TEST(JwcMove, NamesTravelAndAreCutAtCharacterBoundaries) {
  TJwcData doc;
  doc.layerGroups[3].name = "A";
  doc.layerGroups[7].name = "B";
  doc.layerGroups[3].scale = 100;
  MoveLayerGroup(doc, 3, -1, 7, -1);
  EXPECT_EQ(doc.layerGroups[7].name, "A");
  EXPECT_EQ(doc.layerGroups[3].name, "");
  EXPECT_EQ(doc.layerGroups[3].scale, 100);  // scales stay

  // 15 bytes and a two-byte character: the character does not fit 16.
  doc.layerGroups[1].name = "ABCDEFGHIJKLMNO" + Utf8ToCp932("階");
  MoveLayerGroup(doc, 1, -1, 2, -1);
  EXPECT_EQ(doc.layerGroups[2].name, "ABCDEFGHIJKLMNO");

  doc.layers[0x11].name = Utf8ToCp932("壁壁壁壁壁");  // 10 bytes
  doc.layers[0x45].name = "old";
  MoveLayerGroup(doc, 1, 1, 4, 5);
  EXPECT_EQ(doc.layers[0x45].name, Utf8ToCp932("壁壁壁壁"));
  EXPECT_EQ(doc.layers[0x11].name, "");

  // An unnamed layer empties the destination's name.
  MoveLayerGroup(doc, 1, 1, 4, 5);
  EXPECT_EQ(doc.layers[0x45].name, "");

  // A group move carries the names of its named layers only.
  doc.layers[0x60].name = "x";
  doc.layers[0x90].name = "y";
  doc.layers[0x91].name = "z";
  MoveLayerGroup(doc, 6, -1, 9, -1);
  EXPECT_EQ((std::vector<std::string>{doc.layers[0x60].name, doc.layers[0x90].name,
                                      doc.layers[0x91].name}),
            (std::vector<std::string>{"", "x", "z"}));
}

TEST(JwcMove, InvalidNumbersMoveNothing) {
  TJwcData doc = JwcWithCodes({0x23, 0x00, 0xFF});
  doc.layerGroups[2].name = "keep";
  const TJwcData before = doc;
  const int bad[][4] = {{16, -1, 0, -1}, {2, -1, -1, -1}, {2, 3, 5, -1},  {2, -1, 5, 3},
                        {2, 16, 5, 0},   {2, 3, 5, 16},   {-1, -1, 0, -1}};
  for (const auto& m : bad) {
    MoveLayerGroup(doc, m[0], m[1], m[2], m[3]);
    EXPECT_TRUE(doc == before) << m[0] << " " << m[1] << " " << m[2] << " " << m[3];
  }
}

TEST(JwkMove, MovesEveryKind) {
  TJwkData doc;
  doc.lines.emplace_back().layer = 0x24;
  doc.arcs.emplace_back().layer = 0x24;
  doc.points.emplace_back().layer = 0x24;
  doc.texts.emplace_back().layer = 0x23;
  MoveLayerGroup(doc, 2, 4, 0, 0);
  EXPECT_EQ(doc.lines[0].layer, 0x00);
  EXPECT_EQ(doc.arcs[0].layer, 0x00);
  EXPECT_EQ(doc.points[0].layer, 0x00);
  EXPECT_EQ(doc.texts[0].layer, 0x23);
}

}  // namespace
}  // namespace quintaro
