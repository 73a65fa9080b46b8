// Layer moves in JWW drawings and JWS symbols.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extents/jww_models.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/move.h"

namespace quintaro {
namespace {

using namespace quintaro::test;

int GroupOf(const TEntJwwBase& b) {
  return b.LayerGroup;
}
int LayerOf(const TEntJwwBase& b) {
  return b.Layer;
}

TJwwData WithTables() {
  TJwwData doc;
  doc.LayerGroups.resize(16);
  doc.Layers.resize(256);
  return doc;
}

TEST(JwwMove, BlockMembersMoveIndependentlyOfTheirInsertion) {
  TJwwData doc = WithTables();
  doc.BlockDefs.resize(2);
  doc.BlockDefs[0].Number = 1;
  doc.BlockDefs[0].Base = JwwBase(1, 9);
  doc.BlockDefs[0].Moji.push_back(JwwText(0, 0, 1, 0, "a", JwwBase(1, 2)));
  doc.BlockDefs[0].Block.push_back(JwwInsert(0, 0, 1, 0, 2, JwwBase(1, 3)));
  doc.BlockDefs[1].Number = 2;
  doc.Block.push_back(JwwInsert(0, 0, 1, 0, 1, JwwBase(4, 0)));
  doc.BuildBlockTree();
  ASSERT_EQ(doc.BlockTree.size(), 2u);

  MoveLayerGroup(doc, 1, -1, 0, -1);
  EXPECT_EQ(GroupOf(doc.BlockDefs[0].Moji[0].Base), 0);
  EXPECT_EQ(LayerOf(doc.BlockDefs[0].Moji[0].Base), 2);
  EXPECT_EQ(GroupOf(doc.BlockDefs[0].Base), 0);
  EXPECT_EQ(GroupOf(doc.BlockDefs[0].Block[0].Base), 0);
  EXPECT_EQ(GroupOf(doc.BlockTree[1].Base), 0);  // nested entry: the definition's base
  EXPECT_EQ(GroupOf(doc.Block[0].Base), 4);
  EXPECT_EQ(GroupOf(doc.BlockTree[0].Base), 4);

  MoveLayerGroup(doc, 4, 0, 8, 3);
  EXPECT_EQ(GroupOf(doc.Block[0].Base), 8);
  EXPECT_EQ(LayerOf(doc.Block[0].Base), 3);
  EXPECT_EQ(GroupOf(doc.BlockTree[0].Base), 8);
  EXPECT_EQ(GroupOf(doc.BlockDefs[0].Moji[0].Base), 0);
}

// A dimension with all nine bases on (2, 3).
TJwwData DimensionDrawing(int version) {
  TJwwData doc = WithTables();
  doc.Header.Version = version;
  doc.Sunpo.push_back(JwwDimension(0, 0, 10, 0, JwwBase(2, 3)));
  return doc;
}

TEST(JwwMove, AuxiliaryPartsOfDimensionsMoveFromVersion420) {
  TJwwData old = DimensionDrawing(351);
  MoveLayerGroup(old, 2, -1, 5, -1);
  const auto& d = old.Sunpo[0];
  EXPECT_EQ(GroupOf(d.Base), 5);
  EXPECT_EQ(GroupOf(d.Line.Base), 5);
  EXPECT_EQ(GroupOf(d.Text.Base), 5);
  EXPECT_EQ(GroupOf(d.Aux1.Base), 2);
  EXPECT_EQ(GroupOf(d.Aux2.Base), 2);
  EXPECT_EQ(GroupOf(d.Points[3].Base), 2);

  TJwwData sxf = DimensionDrawing(420);
  MoveLayerGroup(sxf, 2, -1, 5, -1);
  const auto& s = sxf.Sunpo[0];
  for (const TEntJwwBase* b :
       {&s.Base, &s.Line.Base, &s.Text.Base, &s.Aux1.Base, &s.Aux2.Base, &s.Points[0].Base,
        &s.Points[1].Base, &s.Points[2].Base, &s.Points[3].Base}) {
    EXPECT_EQ(GroupOf(*b), 5);
    EXPECT_EQ(LayerOf(*b), 3);
  }
}

TEST(JwwMove, OnlyTheDimensionPartsOnTheSourceMove) {
  TJwwData doc = DimensionDrawing(600);
  doc.Sunpo[0].Text.Base = JwwBase(2, 4);
  MoveLayerGroup(doc, 2, 3, 6, 1);
  EXPECT_EQ(GroupOf(doc.Sunpo[0].Line.Base), 6);
  EXPECT_EQ(LayerOf(doc.Sunpo[0].Line.Base), 1);
  EXPECT_EQ(GroupOf(doc.Sunpo[0].Text.Base), 2);
  EXPECT_EQ(LayerOf(doc.Sunpo[0].Text.Base), 4);
}

TEST(JwwMove, NamesTravelWithTheMove) {
  TJwwData doc = WithTables();
  doc.LayerGroups[3].Name.bytes = "A";
  doc.LayerGroups[3].Scale = 100;
  doc.LayerGroups[7].Name.bytes = "B";
  doc.LayerGroups[7].Scale = 50;
  MoveLayerGroup(doc, 3, -1, 7, -1);
  EXPECT_EQ(doc.LayerGroups[7].Name.bytes, "A");
  EXPECT_TRUE(doc.LayerGroups[3].Name.Empty());
  EXPECT_EQ(doc.LayerGroups[7].Scale, 50);

  doc.Layers[0x45].Name.bytes = "walls";
  MoveLayerGroup(doc, 1, 1, 4, 5);  // an unnamed layer
  EXPECT_TRUE(doc.Layers[0x45].Name.Empty());
  doc.Layers[0x11].Name = {std::string("w\0a\0", 4), TextEncoding::kUtf16le};
  MoveLayerGroup(doc, 1, 1, 4, 5);
  EXPECT_EQ(doc.Layers[0x45].Name.encoding, TextEncoding::kUtf16le);
  EXPECT_EQ(doc.Layers[0x45].Name.bytes.size(), 4u);
}

// A group's named layers hand their names on; its unnamed ones leave the
// destination's names as they were.
TEST(JwwMove, AGroupMoveCarriesTheNamesOfItsNamedLayers) {
  TJwwData doc = WithTables();
  doc.Layers[0x20].Name.bytes = "wall";
  doc.Layers[0x50].Name.bytes = "old";
  doc.Layers[0x51].Name.bytes = "keep";
  MoveLayerGroup(doc, 2, -1, 5, -1);
  std::vector<std::string> names;
  for (int i : {0x20, 0x21, 0x50, 0x51}) names.push_back(doc.Layers[i].Name.bytes);
  EXPECT_EQ(names, (std::vector<std::string>{"", "", "wall", "keep"}));
}

TEST(JwwMove, InvalidNumbersAndSelfMovesChangeNothing) {
  TJwwData doc = DimensionDrawing(600);
  doc.LayerGroups[2].Name.bytes = "keep";
  doc.Layers[0x23].Name.bytes = "this";
  const TJwwData before = doc;
  MoveLayerGroup(doc, 2, -1, 16, -1);
  MoveLayerGroup(doc, 2, 3, 5, -1);
  MoveLayerGroup(doc, 2, -1, 5, 0);
  MoveLayerGroup(doc, 2, 3, 5, 99);
  EXPECT_TRUE(doc == before);
  MoveLayerGroup(doc, 2, -1, 2, -1);
  MoveLayerGroup(doc, 2, 3, 2, 3);
  EXPECT_TRUE(doc == before);
}

TEST(JwsMove, MovesLikeJwwButCarriesNoNames) {
  TJwsData doc;
  doc.Version = 420;
  doc.LayerGroups.resize(16);
  doc.LayerGroups[1].Name.bytes = "x";
  doc.Sunpo.push_back(JwwDimension<TEntJwwMoji2>(0, 0, 1, 0, JwwBase(1, 0)));
  doc.BlockDefs.resize(1);
  doc.BlockDefs[0].Number = 3;
  doc.BlockDefs[0].Sen.push_back(JwwLine(0, 0, 1, 1, JwwBase(1, 0)));
  doc.Block.push_back(JwwInsert(0, 0, 1, 0, 3, JwwBase(1, 0)));
  doc.BuildBlockTree();
  MoveLayerGroup(doc, 1, -1, 2, -1);
  EXPECT_EQ(GroupOf(doc.Sunpo[0].Points[2].Base), 2);
  EXPECT_EQ(GroupOf(doc.BlockDefs[0].Sen[0].Base), 2);
  EXPECT_EQ(GroupOf(doc.BlockTree[0].Base), 2);
  EXPECT_EQ(doc.LayerGroups[1].Name.bytes, "x");
  EXPECT_TRUE(doc.LayerGroups[2].Name.Empty());
}

}  // namespace
}  // namespace quintaro
