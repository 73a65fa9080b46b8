// The shared JWW samples: complete loads with the counts of ORACLE.md, and
// saves that are a fixed point of load and save.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "formats/jww/jww_data.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

struct Expected {
  int version;
  std::size_t line, arc, circle, point, text, solid, dim, block, defs, inside;
};

// ../shared/samples/ORACLE.md, JWW table (POINT = all point records;
// ARC + CIRCLE = arc records; "inside" = entities of all block definitions).
const std::map<std::string, Expected> kOracle = {
    {"diff_jww1.jww", {700, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"dist_amansion_heimen.jww", {600, 1394, 175, 40, 10, 56, 79, 0, 0, 0, 0}},
    {"dist_mokuzo_heimen.jww", {600, 751, 17, 3, 0, 9, 0, 0, 0, 0, 0}},
    {"dist_sample.jww", {600, 592, 56, 8, 19, 20, 0, 0, 0, 0, 0}},
    {"dist_shikichizu.jww", {600, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"dist_test1.jww", {600, 1642, 4, 0, 4, 36, 0, 0, 0, 0, 0}},
    {"dist_test3.jww", {600, 104, 5, 1, 33, 56, 0, 0, 0, 0, 0}},
    {"dist_test5.jww", {600, 46, 0, 0, 0, 43, 0, 0, 0, 0, 0}},
    {"dist_test7.jww", {600, 4083, 0, 5, 26, 93, 0, 0, 0, 0, 0}},
    {"ezj_2blocks.jww", {700, 0, 0, 0, 0, 6, 0, 0, 2, 2, 4}},
    {"ezj_copy_block.jww", {700, 0, 0, 0, 0, 6, 0, 0, 1, 1, 8}},
    {"ezj_out1_in2.jww", {700, 1, 0, 0, 0, 6, 0, 0, 1, 1, 2}},
    {"jdu_sample.jww", {700, 2265, 48, 21, 87, 64, 0, 0, 54, 20, 1481}},
};

std::string Name(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

TEST(JwwSamples, EverySampleIsInTheOracle) {
  QUINTARO_NEEDS_SAMPLES();
  auto files = test::SampleFiles("jww");
  ASSERT_EQ(files.size(), kOracle.size());
  for (const auto& f : files) EXPECT_TRUE(kOracle.count(Name(f))) << f;
}

TEST(JwwSamples, LoadCompleteWithTheOracleCounts) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jww")) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(TJwwData::IsJwwFile(path));
    TJwwData d;
    ASSERT_TRUE(d.LoadFromFile(path)) << d.loadReport.reason;
    EXPECT_TRUE(d.loadReport.complete);
    const Expected& e = kOracle.at(Name(path));
    EXPECT_EQ(d.Header.Version, e.version);
    EXPECT_EQ(d.Sen.size(), e.line);
    std::size_t circles = 0;
    for (const auto& a : d.Enko) circles += a.FullCircle != 0;
    EXPECT_EQ(d.Enko.size(), e.arc + e.circle);
    EXPECT_EQ(circles, e.circle);
    EXPECT_EQ(d.Ten.size(), e.point);
    EXPECT_EQ(d.Moji.size(), e.text);
    EXPECT_EQ(d.Solid.size(), e.solid);
    EXPECT_EQ(d.Sunpo.size(), e.dim);
    EXPECT_EQ(d.Block.size(), e.block);
    EXPECT_EQ(d.BlockDefs.size(), e.defs);
    std::size_t inside = 0;
    for (const auto& def : d.BlockDefs) inside += def.TotalCount();
    EXPECT_EQ(inside, e.inside);
    EXPECT_EQ(static_cast<std::size_t>(d.EntityCount), d.TotalCount());
    EXPECT_EQ(d.EntityOrder.size(), d.TotalCount());
    for (const auto& o : d.EntityOrder) EXPECT_NE(o.kind, kEntNone);
  }
}

TEST(JwwSamples, GroupLayerSplitOfTheMainList) {
  QUINTARO_NEEDS_SAMPLES();
  TJwwData d;
  ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jww/jdu_sample.jww")));
  std::map<int, int> perCode;
  for (const auto& o : d.EntityOrder) {
    const TEntJwwBase* b = d.BaseOf(o);
    ASSERT_NE(b, nullptr);
    ++perCode[LayerCodeOf(b->LayerGroup, b->Layer)];
  }
  EXPECT_EQ(perCode.size(), 2u);
  EXPECT_EQ(perCode[0x00], 6);
  EXPECT_EQ(perCode[0xF0], 2533);
}

TEST(JwwSamples, UnicodeSamplesKeepTheirForm) {
  QUINTARO_NEEDS_SAMPLES();
  for (const char* name :
       {"jww/ezj_2blocks.jww", "jww/ezj_copy_block.jww", "jww/ezj_out1_in2.jww"}) {
    SCOPED_TRACE(name);
    TJwwData d;
    ASSERT_TRUE(d.LoadFromFile(test::SamplePath(name)));
    ASSERT_GT(d.Moji.size(), 0u);
    // The settings texts, e.g. "View_Direct2d = 1", are UTF-16.
    bool sawSetting = false;
    for (const auto& m : d.Moji) {
      EXPECT_EQ(m.Text.encoding, TextEncoding::kUtf16le);
      if (ToUtf8(m.Text).find(" = ") != std::string::npos) sawSetting = true;
    }
    EXPECT_TRUE(sawSetting);
    ASSERT_GT(d.BlockDefs.size(), 0u);
    EXPECT_EQ(d.BlockDefs[0].Name.encoding, TextEncoding::kUtf16le);
  }
}

// A plain load and save gives back the file byte for byte, with nothing
// repaired, and the reload equals the first load.
TEST(JwwSamples, SaveGivesBackEveryByte) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jww")) {
    SCOPED_TRACE(path);
    TJwwData m1;
    ASSERT_TRUE(m1.LoadFromFile(path));
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(m1.SaveToBytes(m1.Header.Version, out)) << m1.saveError;
    EXPECT_EQ(out, test::ReadAll(path));
    EXPECT_TRUE(m1.SaveRepairs().Empty());
    TJwwData m2;
    ASSERT_TRUE(m2.LoadFromBytes(out)) << m2.loadReport.reason;
    EXPECT_TRUE(m2 == m1);
  }
}

TEST(JwwSamples, SaveToFileWritesTheSameBytesAsSaveToBytes) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  TJwwData d;
  ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jww/jdu_sample.jww")));
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(d.SaveToBytes(700, bytes));
  ASSERT_TRUE(d.SaveToFile(dir.File("out.jww"), 700));
  EXPECT_EQ(test::ReadAll(dir.File("out.jww")), bytes);
  TJwwData e;
  ASSERT_TRUE(e.LoadFromFile(dir.File("out.jww")));
  EXPECT_EQ(e.TotalCount(), d.TotalCount());
}

TEST(JwwSamples, BlockTreeOfTheSampleWithNestedBlocks) {
  QUINTARO_NEEDS_SAMPLES();
  TJwwData d;
  ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jww/jdu_sample.jww")));
  // 54 insertions in the main list, one definition inserting another.
  EXPECT_EQ(d.BlockTree.size(), 55u);
  int nested = 0;
  for (const auto& t : d.BlockTree) {
    EXPECT_GE(t.DefIndex, 0);
    if (t.Level > 0) {
      ++nested;
      EXPECT_EQ(t.Level, 1);
      EXPECT_GE(t.Parent, 0);
    }
  }
  EXPECT_EQ(nested, 1);
  int inUse = 0;
  for (const auto& def : d.BlockDefs) inUse += def.InUse;
  EXPECT_EQ(inUse, d.ReferencedBlockCount);
}

}  // namespace
}  // namespace quintaro
