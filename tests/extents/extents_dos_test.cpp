// Extents of JWC drawings and JWK symbols built in memory.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "formats/extents/extents.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"

namespace quintaro {
namespace {

constexpr double kPi = std::numbers::pi;

void ExpectBox(const DrawingExtents& e, double minX, double minY, double maxX, double maxY) {
  EXPECT_NEAR(e.minX, minX, 1e-9);
  EXPECT_NEAR(e.minY, minY, 1e-9);
  EXPECT_NEAR(e.maxX, maxX, 1e-9);
  EXPECT_NEAR(e.maxY, maxY, 1e-9);
}

// An arc in degrees, as the DOS formats keep it.
TEntJwcEnko DosArc(double cx, double cy, double r, double start, double end, double flat = 1,
                   double tilt = 0) {
  TEntJwcEnko a;
  a.centerX = cx;
  a.centerY = cy;
  a.radius = r;
  a.flatness = flat;
  a.startAngle = start;
  a.endAngle = end;
  a.tiltAngle = tilt;
  return a;
}

TEntJwcSen DosLine(double x1, double y1, double x2, double y2) {
  TEntJwcSen s;
  s.startX = x1;
  s.startY = y1;
  s.endX = x2;
  s.endY = y2;
  return s;
}

DrawingExtents Compute(TJwcData& doc) {
  DrawingExtents e{-1, -1, -1, -1};
  ComputeExtents(doc, e);
  EXPECT_EQ(doc.extents, e);
  return e;
}

TEST(JwcExtents, SweepRuleWrapsTheEndAngle) {
  EXPECT_EQ(JwcArcAxisMask(350, 10), 0b0001);
  EXPECT_EQ(JwcArcAxisMask(-10, 10), 0b0001);
  EXPECT_EQ(JwcArcAxisMask(80, 190), 0b0110);
  EXPECT_EQ(JwcArcAxisMask(30, 30), -1);  // no sweep: a full circle
  EXPECT_EQ(JwcArcAxisMask(0, 360), -1);
  EXPECT_EQ(JwcArcAxisMask(45, 765), -1);  // two more turns
}

TEST(JwcExtents, ArcFrom350To10CountsOnlyTheAxisPointAtZero) {
  TJwcData doc;
  doc.arcs.push_back(DosArc(0, 0, 10, 350, 10));
  const double y = 10 * std::sin(10 * kPi / 180);
  ExpectBox(Compute(doc), 0, -y, 10, y);
}

TEST(JwcExtents, FullEllipseTiltedInDegrees) {
  TJwcData doc;
  doc.arcs.push_back(DosArc(0, 0, 10, 0, 360, 0.5, 90));
  ExpectBox(Compute(doc), -5, -10, 5, 10);
}

TEST(JwcExtents, UsedPointSlotsCountButSlotZeroDoesNot) {
  TJwcData doc;
  doc.header.slotCount = 2;
  doc.pointSlots[0] = {-100, -100, 0};
  doc.pointSlots[1] = {1, 2, 0};
  doc.pointSlots[2] = {3, 4, 0};
  doc.pointSlots[3] = {100, 100, 0};  // beyond the used count
  ExpectBox(Compute(doc), 1, 2, 3, 4);
}

TEST(JwcExtents, SeedOrderIsLinesArcsTextsPoints) {
  TJwcData doc;
  TEntJwcTen p;
  p.x = 40;
  p.y = 40;
  doc.points.push_back(p);
  doc.arcs.push_back(DosArc(0, 0, 10, 10, 30));  // reaches no axis point
  ExpectBox(Compute(doc), 0, 0, 40, 40);
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
  doc.lines.push_back(DosLine(1, 1, 2, 3));
  doc.arcs.push_back(DosArc(-1, -1, 1, 0, 0));  // full circle
  ComputeExtents(doc, shared);
  ExpectBox(shared, -4, -4, 4, 6);
  EXPECT_EQ(doc.extents, shared);

  doc.header.SymbolScale = 0;  // not usable: taken as 1
  ComputeExtents(doc, shared);
  ExpectBox(shared, -2, -2, 2, 3);
}

}  // namespace
}  // namespace quintaro
