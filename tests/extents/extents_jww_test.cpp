// Extents of JWW and JWS drawings built in memory.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "extents/jww_models.h"
#include "formats/extents/extents.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro {
namespace {

using namespace quintaro::test;
constexpr double kPi = std::numbers::pi;

void ExpectBox(const DrawingExtents& e, double minX, double minY, double maxX, double maxY) {
  EXPECT_NEAR(e.minX, minX, 1e-9);
  EXPECT_NEAR(e.minY, minY, 1e-9);
  EXPECT_NEAR(e.maxX, maxX, 1e-9);
  EXPECT_NEAR(e.maxY, maxY, 1e-9);
}

DrawingExtents Compute(TJwwData& doc) {
  DrawingExtents e{-1, -1, -1, -1};
  ComputeExtents(doc, e);
  EXPECT_EQ(doc.Extents, e);
  return e;
}

TEST(JwwExtents, FullCircleGivesItsAxisPoints) {
  TJwwData doc;
  doc.Enko.push_back(JwwArc(100, 50, 10, 1.0, 0.5, /*full=*/true));
  ExpectBox(Compute(doc), 90, 40, 110, 60);
}

TEST(JwwExtents, QuarterArcKeepsCentreSeedAndReachedAxisPoint) {
  TJwwData doc;
  doc.Enko.push_back(JwwArc(0, 0, 10, 0, kPi / 2));
  ExpectBox(Compute(doc), 0, 0, 10, 10);
}

TEST(JwwExtents, ArcSweepsReachOnlyTheAxisPointsTheyCross) {
  constexpr double d = kPi / 180;
  EXPECT_EQ(JwwArcAxisMask(80 * d, 20 * d), 0b0010);
  EXPECT_EQ(JwwArcAxisMask(100 * d, -20 * d), 0b0010);  // clockwise
  EXPECT_EQ(JwwArcAxisMask(-45 * d, 90 * d), 0b0001);   // the start wraps to 315
  EXPECT_EQ(JwwArcAxisMask(370 * d, 175 * d), 0b0110);
  EXPECT_EQ(JwwArcAxisMask(0, 2 * kPi), 0b1111);
  // After a clockwise sweep the start is not wrapped again: 10 down to -10
  // degrees does not count the point at 0.
  EXPECT_EQ(JwwArcAxisMask(10 * d, -20 * d), 0);
  // Absurd angles neither hang nor count points at random.
  EXPECT_EQ(JwwArcAxisMask(1e300, 2 * kPi), 0b1111);
  EXPECT_EQ(JwwArcAxisMask(std::numeric_limits<double>::infinity(), 1.0), 0);
  EXPECT_EQ(JwwArcAxisMask(std::numeric_limits<double>::quiet_NaN(), 1.0), 0);
}

TEST(EllipsePoints, AxisPointsAreThoseOfTheirAngles) {
  const EllipseShape el(3, 4, 10, 0.5, 0.3);
  for (int k = 0; k < 4; ++k) {
    const EllipsePointXY a = el.AtAxis(k), b = el.At(kAxisAngles[k]);
    EXPECT_EQ(a.x, b.x) << k;
    EXPECT_EQ(a.y, b.y) << k;
  }
}

TEST(JwwExtents, TiltedEllipseGivesRotatedAxisPointsNotItsTightBox) {
  TJwwData doc;
  doc.Enko.push_back(JwwArc(0, 0, 10, 0, 0, true, 0.5, kPi / 4));
  const double h = 10 / std::sqrt(2.0);  // the major axis end at 45 degrees
  ExpectBox(Compute(doc), -h, -h, h, h);
}

TEST(JwwExtents, CoordinatesBeyondTheLimitCountAsZero) {
  TJwwData doc;
  doc.Sen.push_back(JwwLine(0, 0, 20'000'000, 5));
  ExpectBox(Compute(doc), 0, 0, 0, 5);

  TJwwData seeded;  // the seed is limited too
  seeded.Sen.push_back(JwwLine(-2e7, 3, 4, 4));
  ExpectBox(Compute(seeded), 0, 3, 4, 4);

  TJwwData atLimit;
  atLimit.Sen.push_back(JwwLine(-CoordLimit, 0, CoordLimit, 1));
  ExpectBox(Compute(atLimit), -CoordLimit, 0, CoordLimit, 1);
}

TEST(JwwExtents, InvalidNumbersDoNotPoisonTheBox) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TJwwData doc;
  doc.Sen.push_back(JwwLine(nan, 1, 2, 3));
  doc.Enko.push_back(JwwArc(1, 1, std::numeric_limits<double>::infinity(), 0, 1));
  ExpectBox(Compute(doc), 0, 0, 2, 3);
}

TEST(JwwExtents, EmptyDrawingLeavesTheSharedBoxAlone) {
  TJwwData doc;
  DrawingExtents shared{1, 2, 3, 4};
  ComputeExtents(doc, shared);
  EXPECT_EQ(shared, (DrawingExtents{1, 2, 3, 4}));
  EXPECT_EQ(doc.Extents, shared);
}

TEST(JwwExtents, SeedComesFromTheFirstNonEmptyListInKindOrder) {
  // Arcs come before points: the seed is the arc's centre, which stays in
  // the box although no drawn point lies there.
  TJwwData doc;
  doc.Ten.push_back(JwwPoint(20, 20));
  doc.Enko.push_back(JwwArc(0, 0, 10, 10 * kPi / 180, 20 * kPi / 180));
  ExpectBox(Compute(doc), 0, 0, 20, 20);
}

TEST(JwwExtents, ImageTextsReachTheirFarCorner) {
  struct Case {
    const char* text;
    double maxX, maxY;
  };
  const Case cases[] = {
      {"^@BMC:\\img\\a.bmp,100,50", 110, 60},
      {"^@BMC:\\img\\a.bmp,100", 110, 110},
      {"^@BMC:\\img\\a.bmp,100,50,0", 110, 12},  // the height reads "50,0": 0
      {"^@BMC:\\img\\a.bmp", 12, 12},            // no comma: nothing added
      {"^@BMa.bmp, 20 ,x", 30, 12},              // blanks allowed, x counts as 0
      {"^@bma.bmp,100,50", 12, 12},              // not an image text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TJwwData doc;
    doc.Moji.push_back(JwwText(10, 10, 12, 12, c.text));
    ExpectBox(Compute(doc), 10, 10, c.maxX, c.maxY);
  }
}

TEST(JwwExtents, ImageTextInUtf16Form) {
  TJwwData doc;
  TEntJwwMoji t = JwwText(10, 10, 12, 12, "");
  const std::string ascii = "^@BMa.gz,30,40";
  for (char ch : ascii) t.Text.bytes += std::string{ch, '\0'};
  t.Text.encoding = TextEncoding::kUtf16le;
  doc.Moji.push_back(t);
  ExpectBox(Compute(doc), 10, 10, 40, 50);
}

TEST(JwwExtents, CurvedSolidGivesItsEllipseAxisPoints) {
  TJwwData doc;
  doc.Solid.push_back(JwwSolid(100, 100, 10, 0.5, 0, 0, 500, 500, JwwBase(0, 0, 101)));
  ExpectBox(Compute(doc), 90, 95, 110, 105);
  // PenStyle 100 is an ordinary solid: its four corners count.
  TJwwData plain;
  plain.Solid.push_back(JwwSolid(100, 100, 10, 0.5, 0, 0, 500, 500, JwwBase(0, 0, 100)));
  ExpectBox(Compute(plain), 0, 0, 500, 500);
}

TEST(JwwExtents, DimensionAuxiliaryLinesCountOnlyInSxfMode) {
  TJwwData doc;
  doc.Sunpo.push_back(JwwDimension(0, 0, 100, 0));
  doc.Sunpo[0].Points[0] = JwwPoint(-50, -50);  // points never count
  ExpectBox(Compute(doc), 0, 0, 100, 1);
  doc.Sunpo[0].SxfMode = 1;
  ExpectBox(Compute(doc), 0, -5, 100, 1);
}

// A definition holding a line from (0, 0) to (1, 0), placed at (5, 5) with
// scale 2 and a rotation of 90 degrees.
TEST(JwwExtents, PlacedBlockGoesThroughItsPlacement) {
  TJwwData doc;
  doc.BlockDefs.resize(1);
  doc.BlockDefs[0].Number = 7;
  doc.BlockDefs[0].Sen.push_back(JwwLine(0, 0, 1, 0));
  doc.Block.push_back(JwwInsert(5, 5, 2, kPi / 2, 7));
  doc.BuildBlockTree();
  ExpectBox(Compute(doc), 5, 5, 5, 7);
}

TEST(JwwExtents, NestedBlocksAndUnknownNumbers) {
  TJwwData doc;
  doc.BlockDefs.resize(2);
  doc.BlockDefs[0].Number = 1;  // holds an insertion of 2, moved by (10, 0)
  doc.BlockDefs[0].Block.push_back(JwwInsert(10, 0, 1, 0, 2));
  doc.BlockDefs[1].Number = 2;
  doc.BlockDefs[1].Sen.push_back(JwwLine(0, 0, 1, 1));
  // Image texts inside definitions add no image corner.
  doc.BlockDefs[1].Moji.push_back(JwwText(0, 0, 1, 1, "^@BMa.bmp,500,500"));
  doc.Block.push_back(JwwInsert(0, 0, 3, 0, 1));
  doc.Block.push_back(JwwInsert(-100, -100, 1, 0, 99));  // no such definition
  doc.BuildBlockTree();
  ASSERT_EQ(doc.BlockTree.size(), 3u);
  ExpectBox(Compute(doc), 0, 0, 33, 3);
}

TEST(JwsExtents, StartsFromTheReferencePoint) {
  TJwsData doc;
  doc.Header.RefX = 7;
  doc.Header.RefY = -3;
  DrawingExtents e{1, 1, 1, 1};
  ComputeExtents(doc, e);
  ExpectBox(e, 7, -3, 7, -3);
  EXPECT_EQ(doc.Extents, e);

  doc.Sen.push_back(JwwLine(0, 0, 10, 10));
  doc.Moji.push_back(JwwText<TEntJwwMoji2>(20, 20, 21, 21, "^@BMa.bmp,5,6"));
  ComputeExtents(doc, e);
  ExpectBox(e, 0, -3, 25, 26);
}

}  // namespace
}  // namespace quintaro
