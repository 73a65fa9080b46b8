// Extents of the shared sample drawings: every drawn line end and point lies
// inside the box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "formats/extents/extents.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

bool Inside(const DrawingExtents& e, double x, double y) {
  x = LimitCoord(x);
  y = LimitCoord(y);
  return x >= e.minX && x <= e.maxX && y >= e.minY && y <= e.maxY;
}

// Lines and points of the main list lie inside.
template <class Doc>
void CheckMainList(const Doc& doc, const DrawingExtents& e) {
  ASSERT_TRUE(std::isfinite(e.minX) && std::isfinite(e.maxX));
  ASSERT_LE(e.minX, e.maxX);
  ASSERT_LE(e.minY, e.maxY);
  for (const auto& s : doc.Sen) {
    ASSERT_TRUE(Inside(e, s.StartX, s.StartY));
    ASSERT_TRUE(Inside(e, s.EndX, s.EndY));
  }
  for (const auto& p : doc.Ten) ASSERT_TRUE(Inside(e, p.X, p.Y));
}

// A drawing of lines only is boxed by its line ends exactly.
void ExpectTightOverLines(const TJwwData& doc, const DrawingExtents& e) {
  DrawingExtents want{LimitCoord(doc.Sen[0].StartX), LimitCoord(doc.Sen[0].StartY),
                      LimitCoord(doc.Sen[0].StartX), LimitCoord(doc.Sen[0].StartY)};
  for (const auto& s : doc.Sen) {
    for (auto [x, y] : {std::pair{double{s.StartX}, double{s.StartY}},
                        std::pair{double{s.EndX}, double{s.EndY}}}) {
      want.minX = std::min(want.minX, LimitCoord(x));
      want.minY = std::min(want.minY, LimitCoord(y));
      want.maxX = std::max(want.maxX, LimitCoord(x));
      want.maxY = std::max(want.maxY, LimitCoord(y));
    }
  }
  EXPECT_EQ(e, want);
}

TEST(SampleExtents, JwwDrawingsHoldTheirFigures) {
  QUINTARO_NEEDS_SAMPLES();
  const auto files = test::SampleFiles("jww");
  ASSERT_FALSE(files.empty());
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    TJwwData doc;
    ASSERT_TRUE(doc.LoadFromFile(path));
    DrawingExtents e;
    ComputeExtents(doc, e);
    CheckMainList(doc, e);
    EXPECT_EQ(doc.Extents, e);
    if (doc.TotalCount() == doc.Sen.size()) ExpectTightOverLines(doc, e);
  }
}

TEST(SampleExtents, JwsSymbolsHoldTheirFiguresAndReferencePoint) {
  QUINTARO_NEEDS_SAMPLES();
  const auto files = test::SampleFiles("jws");
  ASSERT_FALSE(files.empty());
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    TJwsData doc;
    ASSERT_TRUE(doc.LoadFromFile(path));
    DrawingExtents e;
    ComputeExtents(doc, e);
    CheckMainList(doc, e);
    EXPECT_TRUE(Inside(e, doc.Header.RefX, doc.Header.RefY));
  }
}

}  // namespace
}  // namespace quintaro
