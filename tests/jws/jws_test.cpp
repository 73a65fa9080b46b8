// The JWS format, on the shared samples and on built files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "formats/jws/jws_data.h"
#include "jww/jww_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::BaseAttrs;
using test::JwwBuilder;

struct Expected {
  int version, mainCount;
  std::size_t sen, enko, ten, moji, solid, block, defs;
};

// ../shared/samples/ORACLE.md, JWS table (totals over the whole file).
const std::map<std::string, Expected> kOracle = {
    {"dist_bkit.jws", {351, 28, 22, 6, 0, 0, 0, 0, 0}},
    {"dist_car_plan11.jws", {351, 214, 11, 71, 0, 0, 132, 0, 0}},
    {"dist_car_side1.jws", {420, 74, 24, 50, 0, 0, 0, 0, 0}},
    {"dist_desk.jws", {351, 31, 13, 18, 0, 0, 0, 0, 0}},
    {"dist_door_ryo1350.jws", {600, 18, 16, 2, 0, 0, 0, 0, 0}},
    {"dist_kitchen.jws", {600, 98, 1362, 305, 0, 45, 0, 0, 3}},
    {"jdu_f4006.jws", {700, 1, 33, 0, 2, 0, 0, 1, 1}},
    {"jdu_irikomi1800.jws", {700, 195, 7645, 267, 359, 3, 1, 42, 80}},
    {"jdu_jasyur.jws", {351, 1, 1185, 63, 12, 10, 0, 1, 36}},
};

std::string Name(const std::string& p) {
  return std::filesystem::path(p).filename().string();
}

TEST(JwsSamples, LoadCompleteWithTheOracleCounts) {
  QUINTARO_NEEDS_SAMPLES();
  auto files = test::SampleFiles("jws");
  ASSERT_EQ(files.size(), kOracle.size());
  for (const auto& path : files) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(TJwsData::IsJwsFile(path));
    TJwsData d;
    ASSERT_TRUE(d.LoadFromFile(path)) << d.loadReport.reason;
    const Expected& e = kOracle.at(Name(path));
    EXPECT_EQ(d.Version, e.version);
    EXPECT_EQ(d.EntityCount, e.mainCount);
    EXPECT_EQ(d.TotalCount(), static_cast<std::size_t>(e.mainCount));
    std::size_t sen = d.Sen.size(), enko = d.Enko.size(), ten = d.Ten.size(), moji = d.Moji.size(),
                solid = d.Solid.size(), block = d.Block.size();
    for (const auto& def : d.BlockDefs) {
      sen += def.Sen.size();
      enko += def.Enko.size();
      ten += def.Ten.size();
      moji += def.Moji.size();
      solid += def.Solid.size();
      block += def.Block.size();
    }
    EXPECT_EQ(sen, e.sen);
    EXPECT_EQ(enko, e.enko);
    EXPECT_EQ(ten, e.ten);
    EXPECT_EQ(moji, e.moji);
    EXPECT_EQ(solid, e.solid);
    EXPECT_EQ(block, e.block);
    EXPECT_EQ(d.BlockDefs.size(), e.defs);
    EXPECT_EQ(d.Magic, "JwsData");
    EXPECT_EQ(d.macros.printScale, 1.0);
    EXPECT_TRUE(d.macros.memo1.empty());
  }
}

// Every sample comes back byte for byte, unplaced block definitions and
// numbers included, with nothing repaired.
TEST(JwsSamples, SaveGivesBackEveryByte) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jws")) {
    SCOPED_TRACE(path);
    auto orig = test::ReadAll(path);
    TJwsData m1;
    ASSERT_TRUE(m1.LoadFromBytes(orig));
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(m1.SaveToBytes(m1.Version, out)) << m1.saveError;
    EXPECT_EQ(out, orig);
    EXPECT_TRUE(m1.SaveRepairs().Empty());
    TJwsData m2;
    ASSERT_TRUE(m2.LoadFromBytes(out));
    EXPECT_TRUE(m2 == m1);
  }
}

// A JWS file: the 452-byte header, then the lists (builder without header).
std::vector<std::uint8_t> Jws(int version, const std::function<void(JwwBuilder&)>& lists) {
  JwwBuilder b(version);
  b.B().Str("JwsData").Fill('#', 193).I32(version).F64(12.5).F64(-3);
  for (int g = 0; g < 16; ++g) b.B().F64(g == 2 ? 0.0 : 10.0 * (g + 1));
  for (int i = 0; i < 6; ++i) b.B().I32(100 + i);
  for (int i = 0; i < 10; ++i) b.B().F64(i * 1.5);
  lists(b);
  return b.Bytes();
}

TEST(Jws, HeaderValuesAndLayers) {
  auto bytes = Jws(600, [](JwwBuilder& b) { b.Count(0).Count(0).B().Str("tail"); });
  ASSERT_EQ(bytes.size(), TJwsData::kHeaderSize + 8);
  TJwsData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes, "sym.jws"));
  EXPECT_EQ(V(d.Header.RefX), 12.5);
  EXPECT_EQ(V(d.Header.RefY), -3.0);
  EXPECT_EQ(d.Header.Ints[5], 105);
  EXPECT_EQ(V(d.Header.Doubles[9]), 13.5);
  EXPECT_EQ(d.LayerGroups[3].Scale, 40.0);
  EXPECT_EQ(d.LayerGroups[3].State, 2);
  EXPECT_EQ(d.macros.fileName, "sym.jws");
  PublishedLayers p = d.PublishLayers();
  EXPECT_EQ(p[3 * 16 + 1].state, 1);
  EXPECT_DOUBLE_EQ(p[3 * 16 + 1].scale, 1.0 / 40);
  EXPECT_EQ(p[2 * 16].scale, 1.0);  // group scale 0
  EXPECT_TRUE(p[0].name.Empty());
  // written back as read, the filler and the bytes after the end too; a
  // model without a filler writes dots
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  EXPECT_EQ(out, bytes);
  d.Filler.clear();
  ASSERT_TRUE(d.SaveToBytes(600, out));
  EXPECT_EQ(std::string(out.begin() + 7, out.begin() + 200), std::string(193, '.'));
}

TEST(Jws, VersionWritten) {
  EXPECT_EQ(TJwsData::VersionWritten(200), 230);
  EXPECT_EQ(TJwsData::VersionWritten(230), 230);
  EXPECT_EQ(TJwsData::VersionWritten(300), 351);
  EXPECT_EQ(TJwsData::VersionWritten(351), 351);
  EXPECT_EQ(TJwsData::VersionWritten(700), 700);
}

TEST(Jws, Version300IsWrittenAs351WithPenWidths) {
  BaseAttrs s;
  s.layerGroup = 3;
  auto bytes = Jws(300, [&](JwwBuilder& b) { b.Count(1).Line(s, 1, 2, 3, 4).Count(0); });
  TJwsData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(300, out));
  EXPECT_EQ(out.size(), bytes.size() + 2);  // the 2-byte PenWidth
  EXPECT_EQ(d.SaveRepairs().Items(), (std::vector<Repair>{{"version 300 written as 351", 1}}));
  TJwsData e;
  ASSERT_TRUE(e.LoadFromBytes(out));
  EXPECT_EQ(e.Version, 351);
  EXPECT_TRUE(e.Sen == d.Sen);
}

TEST(Jws, VersionsBelow220AreReadAndWrittenAs230) {
  BaseAttrs s;
  auto bytes = Jws(200, [&](JwwBuilder& b) { b.Count(1).Line(s, 1, 2, 3, 4).Count(0); });
  TJwsData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(200, out));
  TJwsData e;
  ASSERT_TRUE(e.LoadFromBytes(out));
  EXPECT_EQ(e.Version, 230);
  EXPECT_EQ(V(e.Sen[0].EndY), 4.0);
}

TEST(Jws, LongTextsAreKeptWholeAndImageTextsLoseTheirTempPrefix) {
  BaseAttrs s;
  s.penColor = 2;
  std::string longText(400, 'z');
  auto bytes = Jws(600, [&](JwwBuilder& b) {
    b.Count(3).Text(s, 0, 0, "f", longText).Text(s, 0, 0, "f", "^@BM%temp%pic.bmp,10,20");
    b.WText(s, 0, 0, u"f", u"^@BM%temp%\u753B.bmp,1");
    b.Count(1).DefHead(1, "d").Count(1).Text(s, 0, 0, "f", "^@BM%temp%in.bmp,3");
  });
  TJwsData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  EXPECT_EQ(d.Moji[0].Text.bytes, longText);
  EXPECT_EQ(d.Moji[1].Text.bytes, "^@BM%temp%pic.bmp,10,20");  // kept as read
  d.Block.push_back(TEntJwwBlock{});  // insert the definition so that it is written
  d.Block[0].Number = 1;
  d.EntityOrder.push_back(EntityOrderEntry{kEntBlock, 0});
  d.BuildBlockTree();
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out)) << d.saveError;
  TJwsData e;
  ASSERT_TRUE(e.LoadFromBytes(out));
  EXPECT_EQ(e.Moji[0].Text.bytes, longText);
  EXPECT_EQ(e.Moji[1].Text.bytes, "^@BMpic.bmp,10,20");
  EXPECT_EQ(ToUtf8(e.Moji[2].Text), "^@BM画.bmp,1");
  EXPECT_EQ(e.Moji[2].Text.encoding, TextEncoding::kUtf16le);
  ASSERT_EQ(e.BlockDefs.size(), 1u);
  EXPECT_EQ(e.BlockDefs[0].Moji[0].Text.bytes, "^@BMin.bmp,3");
  EXPECT_EQ(d.SaveRepairs().Items(),
            (std::vector<Repair>{{"image text \"^@BM%temp%\" written as \"^@BM\"", 3}}));
}

TEST(Jws, TruncatedFileKeepsWhatWasRead) {
  BaseAttrs s;
  auto bytes =
      Jws(600, [&](JwwBuilder& b) { b.Count(2).Line(s, 1, 2, 3, 4).Line(s, 5, 6, 7, 8).Count(0); });
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    TJwsData d;
    EXPECT_FALSE(d.LoadFromBytes(std::span<const std::uint8_t>(bytes.data(), n)));
    EXPECT_FALSE(d.loadReport.reason.empty());
  }
  TJwsData d;
  ASSERT_FALSE(d.LoadFromBytes(std::span<const std::uint8_t>(bytes.data(), bytes.size() - 5)));
  EXPECT_EQ(d.Sen.size(), 1u);
  EXPECT_EQ(d.EntityOrder[1].kind, kEntNone);
  EXPECT_NE(d.loadReport.reason.find("entity 2 of 2"), std::string::npos) << d.loadReport.reason;
}

TEST(Jws, SaveToFileIsAtomic) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  TJwsData d;
  ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jws/dist_desk.jws")));
  ASSERT_TRUE(d.SaveToFile(dir.File("a.jws"), d.Version));
  EXPECT_EQ(test::ReadAll(dir.File("a.jws")), test::ReadAll(test::SamplePath("jws/dist_desk.jws")));
  d.EntityOrder[0].kind = kEntText;  // names no text: the save fails
  EXPECT_FALSE(d.SaveToFile(dir.File("a.jws"), d.Version));
  EXPECT_EQ(test::ReadAll(dir.File("a.jws")), test::ReadAll(test::SamplePath("jws/dist_desk.jws")));
}

TEST(Jws, ResetClearsEverything) {
  QUINTARO_NEEDS_SAMPLES();
  TJwsData d;
  ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jws/jdu_irikomi1800.jws")));
  d.ClearData();
  EXPECT_TRUE(d == TJwsData());
  EXPECT_FALSE(TJwsData::IsJwsFile(test::SamplePath("jww/dist_test1.jww")));
}

}  // namespace
}  // namespace quintaro
