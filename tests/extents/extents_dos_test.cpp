// Extents of JWC drawings and JWK symbols built in memory (arc angles in
// degrees).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "formats/extents/extents.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"

namespace quintaro {
namespace {

void ExpectBox(const DrawingExtents& e, double minX, double minY, double maxX, double maxY) {
  EXPECT_NEAR(e.minX, minX, 1e-9);
  EXPECT_NEAR(e.minY, minY, 1e-9);
  EXPECT_NEAR(e.maxX, maxX, 1e-9);
  EXPECT_NEAR(e.maxY, maxY, 1e-9);
}

TEST(JwcExtents, SweepRuleWrapsTheEndAngle) {
  EXPECT_EQ(JwcArcAxisMask(350, 10), 0b0001);
  EXPECT_EQ(JwcArcAxisMask(-10, 10), 0b0001);
  EXPECT_EQ(JwcArcAxisMask(80, 190), 0b0110);
  EXPECT_EQ(JwcArcAxisMask(30, 30), -1);  // no sweep: a full circle
  EXPECT_EQ(JwcArcAxisMask(45, 765), -1);
}

TEST(JwcExtents, ArcsAndTiltsInDegrees) {
  TJwcData doc;
  doc.arcs.push_back({0, 0, 10, 1, 350, 10, 0});
  const double y = 10 * std::sin(10 * std::numbers::pi / 180);
  DrawingExtents e;
  ComputeExtents(doc, e);
  ExpectBox(e, 0, -y, 10, y);  // the centre, both ends and the point at 0
  EXPECT_EQ(doc.extents, e);

  doc.arcs[0] = {0, 0, 10, 0.5, 0, 360, 90};  // a full ellipse standing upright
  ComputeExtents(doc, e);
  ExpectBox(e, -5, -10, 5, 10);
}

TEST(JwcExtents, UsedPointSlotsCountButSlotZeroDoesNot) {
  TJwcData doc;
  doc.header.slotCount = 2;
  doc.pointSlots[0] = {-100, -100, 0};
  doc.pointSlots[1] = {1, 2, 0};
  doc.pointSlots[2] = {3, 4, 0};
  doc.pointSlots[3] = {100, 100, 0};  // beyond the used count
  DrawingExtents e;
  ComputeExtents(doc, e);
  ExpectBox(e, 1, 2, 3, 4);
}

TEST(JwcExtents, EmptyDrawingLeavesTheSharedBoxAlone) {
  TJwcData doc;
  DrawingExtents shared{1, 2, 3, 4};
  ComputeExtents(doc, shared);
  EXPECT_EQ(shared, (DrawingExtents{1, 2, 3, 4}));
  EXPECT_EQ(doc.extents, shared);
}

TEST(JwkExtents, StartsAtTheOriginAndDividesBySymbolScale) {
  TJwkData doc;
  DrawingExtents shared{1, 2, 3, 4};
  ComputeExtents(doc, shared);
  EXPECT_EQ(shared, (DrawingExtents{0, 0, 0, 0}));

  doc.header.SymbolScale = 0.5f;
  doc.lines.push_back({1, 1, 2, 3});
  doc.arcs.push_back({-1, -1, 1, 1, 0, 0, 0});  // full circle
  ComputeExtents(doc, shared);
  ExpectBox(shared, -4, -4, 4, 6);
  EXPECT_EQ(doc.extents, shared);

  doc.header.SymbolScale = 0;  // not usable: taken as 1
  ComputeExtents(doc, shared);
  ExpectBox(shared, -2, -2, 2, 3);
}

}  // namespace
}  // namespace quintaro
