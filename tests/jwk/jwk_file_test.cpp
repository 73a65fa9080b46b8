// Symbols laid out by hand: what is read, what is written, and damaged input.
#include <gtest/gtest.h>

#include <cstring>

#include "formats/jwc/jwc_records.h"
#include "formats/jwk/jwk_data.h"
#include "jwk_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::JwkFile;

std::string Slice(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

JwkFile PointsAndTexts() {
  JwkFile f;
  f.values = "1,1,3,2,0,0,1,7,0.5";
  f.lines.F32(1).F32(2).F32(3).F32(4).U8(1).U8(7).U8(0x12).U8(1).U8(2).U8(3);
  f.arcs.F32(10).F32(20).F32(5).U16(10000).I32(350 * 65536).I32(10 * 65536).I32(0);
  f.arcs.U8(10).U8(2).U8(0x34).U8(4).U8(5).U8(6);
  for (int i = 0; i < 3; ++i) f.points.F32(i).F32(-i).U8(0x50 + i).U8(3).U8(8).U8(9);
  f.texts.F32(0).F32(0).F32(5).F32(0).U16(0).U16(0x7777).U8(2).U8(0x60).U8(0x20).U8(0xEE);
  f.texts.F32(1).F32(1).F32(6).F32(1).U16(4).U16(0).U8(3).U8(0x61).U8(0).U8(0);
  f.textBlock = std::string("ABC\0de\0", 7);
  return f;
}

TEST(JwkFile, ReadsPointsBeforeTextsWithCoordinatesAsStored) {
  auto bytes = PointsAndTexts().Build();
  EXPECT_EQ(bytes.size(), 400u + 22 + 32 + 36 + 48 + 7);
  TJwkData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes, "s.jwk")) << d.loadReport.reason;
  EXPECT_FLOAT_EQ(d.header.SymbolScale, 0.5f);
  ASSERT_EQ(d.points.size(), 3u);
  EXPECT_EQ(d.points[2].x, 2);
  EXPECT_EQ(d.points[2].layer, 0x52);
  ASSERT_EQ(d.texts.size(), 2u);
  EXPECT_EQ(d.texts[0].text, "ABC");
  EXPECT_EQ(d.texts[0].address, 0);  // the high word is not used to read
  EXPECT_EQ(d.texts[0].layer, 0x60);
  EXPECT_TRUE(d.texts[0].IsVertical());
  EXPECT_EQ(d.texts[1].text, "de");
  EXPECT_EQ(d.arcs[0].startAngle, 350);
  EXPECT_EQ(d.lines[0].endY, 4);
  EXPECT_EQ(d.PublishLayers()[0xAB].scale, 2.0);
  EXPECT_TRUE(d.PublishLayers()[0xAB].name.Empty());
}

TEST(JwkFile, SymbolScaleWithoutUsableValueReadsAsOne) {
  for (const char* scale : {"0", "-2", "1e-15", "x"}) {
    JwkFile f;
    f.values = std::string("0,0,0,0,0,0,1,0,") + scale;
    TJwkData d;
    ASSERT_TRUE(d.LoadFromBytes(f.Build()));
    EXPECT_EQ(d.header.SymbolScale, 1.0f) << scale;
  }
}

TEST(JwkFile, TextsAreWrittenFromOffsetZeroInOrder) {
  TJwkData d;
  d.texts.resize(2);
  d.texts[0].text = "ABC";
  d.texts[1].address = 99;
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(d.SaveToBytes(bytes));
  EXPECT_EQ(Slice(bytes, 200, 18), "0,0,0,2,0,0,1,5,1" + std::string(1, '\0'));
  std::uint16_t low, high;
  std::memcpy(&low, bytes.data() + 400 + 24 + 16, 2);
  std::memcpy(&high, bytes.data() + 400 + 24 + 18, 2);
  EXPECT_EQ(low, 4);
  EXPECT_EQ(high, 0);
  EXPECT_EQ(Slice(bytes, 400 + 48, 5), std::string("ABC\0\0", 5));
  EXPECT_EQ(d.texts[1].address, 4);
}

TEST(JwkFile, EmptySymbolIsTheTwoHeaderLines) {
  TJwkData d;
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(d.SaveToBytes(bytes));
  ASSERT_EQ(bytes.size(), 400u);
  EXPECT_EQ(Slice(bytes, 0, 20), test::kJwkFileMagic);  // recognised when opened again
  EXPECT_EQ(Slice(bytes, 399, 1), "\n");
  test::TempDir dir;
  ASSERT_TRUE(d.SaveToFile(dir.File("e.jwk")));
  EXPECT_TRUE(TJwkData::IsJwkFile(dir.File("e.jwk")));
}

TEST(JwkFile, RoundTripKeepsRecordsAndWritesRepairsOnly) {
  auto original = PointsAndTexts().Build();
  TJwkData d;
  ASSERT_TRUE(d.LoadFromBytes(original));
  std::vector<std::uint8_t> saved;
  ASSERT_TRUE(d.SaveToBytes(saved));
  ASSERT_EQ(saved.size(), original.size());
  EXPECT_EQ(saved[400 + 17], 0);       // colour 7
  EXPECT_EQ(saved[400 + 22 + 26], 0);  // line type 10
  EXPECT_EQ(d.lines[0].color, 7);
  original[400 + 17] = 0;
  original[400 + 22 + 26] = 0;
  // The first text's unused high word stays as read.
  EXPECT_EQ(Slice(saved, 400, saved.size() - 400), Slice(original, 400, original.size() - 400));
  TJwkData again;
  ASSERT_TRUE(again.LoadFromBytes(saved));
  TJwkData expected = d;
  expected.lines[0] = WrittenForm(expected.lines[0]);
  expected.arcs[0] = WrittenForm(expected.arcs[0]);
  EXPECT_TRUE(again == expected);
}

TEST(JwkFile, TextsBeyondSixteenBitOffsetsAreRefused) {
  test::TempDir dir;
  TJwkData d;
  d.texts.resize(2);
  d.texts[0].text = std::string(65534, 'x');  // the second text starts at 65535: still readable
  ASSERT_TRUE(d.SaveToFile(dir.File("a.jwk"))) << d.saveError;
  TJwkData back;
  ASSERT_TRUE(back.LoadFromFile(dir.File("a.jwk")));
  EXPECT_EQ(back.texts[0].text.size(), 65534u);
  EXPECT_EQ(back.texts[1].address, 65535);

  d.texts[0].text += 'y';
  EXPECT_FALSE(d.SaveToFile(dir.File("b.jwk")));
  EXPECT_FALSE(d.saveError.empty());
  EXPECT_FALSE(test::FileExists(dir.File("b.jwk")));
}

TEST(JwkFile, TruncationAtEveryByteKeepsCompleteRecords) {
  auto bytes = PointsAndTexts().Build();
  TJwkData full;
  ASSERT_TRUE(full.LoadFromBytes(bytes));
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    SCOPED_TRACE(n);
    TJwkData d;
    ASSERT_FALSE(d.LoadFromBytes(std::span(bytes).first(n)));
    EXPECT_FALSE(d.loadReport.reason.empty());
    ASSERT_LE(d.lines.size(), full.lines.size());
    ASSERT_LE(d.arcs.size(), full.arcs.size());
    ASSERT_LE(d.points.size(), full.points.size());
    ASSERT_LE(d.texts.size(), full.texts.size());
    for (std::size_t i = 0; i < d.points.size(); ++i) EXPECT_TRUE(d.points[i] == full.points[i]);
    for (std::size_t i = 0; i < d.texts.size(); ++i) {
      EXPECT_TRUE(d.texts[i].text.empty());  // the block comes last
      EXPECT_EQ(d.texts[i].layer, full.texts[i].layer);
    }
  }
}

// Sections large enough to be read on two threads, whole and cut inside
// the lines, streamed from a file and from memory: the records as saved,
// and for the cut file the same stop either way.
TEST(JwkFile, LargeSectionsReadOnTwoThreadsAsOnOne) {
  TJwkData d;
  const int n = 70'001;
  for (int i = 0; i < n; ++i) {
    const double x = i * 0.25, y = -i * 0.125;
    const auto code = static_cast<std::uint8_t>(i % 256);
    const auto kept = static_cast<std::uint8_t>(i % 251);
    d.lines.push_back(
        {x, y, x + 1, y + 2, static_cast<std::uint8_t>(1 + i % 9), 2, code, {kept, 0, 1}});
    d.arcs.push_back({x, y, 3, 0.5, 10, 350, 45, 1, 3, code, {kept, 2, 0}});
    d.points.push_back({x, y, code, 4, {kept, 1}});
  }
  test::TempDir dir;
  const std::string path = dir.File("large.jwk");
  ASSERT_TRUE(d.SaveToFile(path)) << d.saveError;
  TJwkData whole;
  ASSERT_TRUE(whole.LoadFromFile(path)) << whole.loadReport.reason;
  EXPECT_TRUE(whole.lines == d.lines);
  EXPECT_TRUE(whole.arcs == d.arcs);
  EXPECT_TRUE(whole.points == d.points);

  auto bytes = test::ReadAll(path);
  const std::size_t header = bytes.size() - static_cast<std::size_t>(n) * (22 + 32 + 12);
  bytes.resize(header + 60'000 * 22 + 7);
  test::WriteAll(dir.File("cut.jwk"), bytes);
  TJwkData fromFile, fromMemory;
  EXPECT_FALSE(fromFile.LoadFromFile(dir.File("cut.jwk")));
  EXPECT_FALSE(fromMemory.LoadFromBytes(bytes));
  EXPECT_EQ(fromFile.loadReport.reason,
            "unexpected end of file in the line section (line 60001 of 70001)");
  EXPECT_EQ(fromFile.loadReport.reason, fromMemory.loadReport.reason);
  d.lines.resize(60'000);
  EXPECT_TRUE(fromFile.lines == d.lines);
  EXPECT_TRUE(fromMemory.lines == d.lines);
}

TEST(JwkFile, HostileCountsAndOffsets) {
  JwkFile f;
  f.values = "0,0,2000000000,1,0,0,1,100000000,1";
  f.points.F32(1).F32(2).U8(0).U8(1).U8(0).U8(0);
  TJwkData d;
  EXPECT_FALSE(d.LoadFromBytes(f.Build()));
  EXPECT_EQ(d.points.size(), 1u);
  EXPECT_LE(d.points.capacity(), 1u);
  EXPECT_EQ(d.loadReport.reason,
            "unexpected end of file in the point section (point 2 of 2000000000)");

  f.values = "0,0,0,2,0,0,1,3,1";  // offsets beyond the 3-byte block
  f.points = {};
  f.texts.Zeros(16).U16(3).U16(0).Zeros(4);
  f.texts.Zeros(16).U16(60000).U16(0).Zeros(4);
  f.textBlock = "abc";
  ASSERT_TRUE(d.LoadFromBytes(f.Build()));
  EXPECT_EQ(d.texts[0].text, "");
  EXPECT_EQ(d.texts[1].text, "");

  f.values = "0,0,0,0,0,0,1,100000000,1";  // a block far larger than the file
  f.texts = {};
  EXPECT_FALSE(d.LoadFromBytes(f.Build()));
  EXPECT_EQ(d.loadReport.reason, "unexpected end of file in the text block");
}

}  // namespace
}  // namespace quintaro
