// Writing drawings: the bytes the layout prescribes, repairs that touch only
// the written copy, exact round trips and refused saves.
#include <gtest/gtest.h>

#include <cstring>

#include "formats/jwc/jwc_data.h"
#include "jwc_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::JwcFile;

std::vector<std::uint8_t> Save(TJwcData& d) {
  std::vector<std::uint8_t> out;
  EXPECT_TRUE(d.SaveToBytes(out)) << d.saveError;
  return out;
}

std::string Slice(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

template <typename T>
T At(const std::vector<std::uint8_t>& b, std::size_t at) {
  T v;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

constexpr std::size_t kBody = 2357 + 64;  // first record with 4-byte group scales

TEST(JwcSave, DefaultHeaderLinesAndEmptyDrawingSizes) {
  TJwcData d;
  d.lines.push_back({});
  auto bytes = Save(d);
  EXPECT_EQ(
      Slice(bytes, 200, 200),
      test::JwcValueLine("1,0,0,0,0,1,1,1,1,1,0,3,2,1,0,0,5,10,0,0,0,0,0,0,0,5,5,0,0,0,518,0"));
  EXPECT_EQ(Slice(bytes, 400, 200), test::JwcValueLine(test::kJwcDefaultLine3));
  EXPECT_EQ(Slice(bytes, 600, 200), test::JwcValueLine(test::JwcLine4("6000:0000", "6000:0000")));
  // A new drawing gets the magic and the "f" of its 4-byte group scales.
  EXPECT_EQ(Slice(bytes, 0, 200), std::string(test::kJwcFileMagic) + std::string("\0\0f", 3) +
                                      std::string(81, '\0') + std::string(95, ' ') + "\n");

  TJwcData empty;
  EXPECT_EQ(Save(empty).size(), 4725u);
  empty.header.FloatScales = false;
  EXPECT_EQ(Save(empty).size(), 4693u);
  // Independently laid out, the empty drawing is the same file.
  JwcFile f;
  f.titleA = std::string(test::kJwcFileMagic) + std::string("\0\0f", 3);
  f.values2 = test::JwcLine2(0, 0, 0, 0);
  TJwcData fresh;
  EXPECT_EQ(Save(fresh), f.Build());
}

TEST(JwcSave, TextsArePackedInOrderFromTheBlockStart) {
  TJwcData d;
  d.texts.resize(2);
  d.texts[0].text = "ABC";
  auto bytes = Save(d);
  std::size_t texts = kBody;
  EXPECT_EQ(At<std::uint16_t>(bytes, texts + 16), 0x0000);
  EXPECT_EQ(At<std::uint16_t>(bytes, texts + 18), 0x6000);
  EXPECT_EQ(At<std::uint16_t>(bytes, texts + 24 + 16), 0x0004);
  EXPECT_EQ(At<std::uint16_t>(bytes, texts + 24 + 18), 0x6000);
  EXPECT_EQ(Slice(bytes, texts + 48, 5), std::string("ABC\0\0", 5));
  EXPECT_EQ(Slice(bytes, 600, 20), "6000:0000,6000:0005,");
  EXPECT_EQ(d.header.textEnd, 0x60005);
  EXPECT_EQ(d.texts[1].address, 0x60004);
}

TEST(JwcSave, TemporaryImagePathIsShortenedInFileAndMemory) {
  TJwcData d;
  d.texts.resize(1);
  d.texts[0].text = "^@BM%temp%pic.bmp,100,50";
  auto bytes = Save(d);
  EXPECT_EQ(d.texts[0].text, "^@BMpic.bmp,100,50");
  EXPECT_EQ(Slice(bytes, kBody + 24, 19), std::string("^@BMpic.bmp,100,50\0", 19));
}

TEST(JwcSave, OutOfRangeColoursAndLineTypesAreWrittenAsZero) {
  TJwcData d;
  d.lines.push_back({.lineType = 10, .color = 7, .layer = 0x12});
  d.lines.push_back({.lineType = 18, .color = 6});
  d.arcs.push_back({.lineType = 0, .color = 9});
  d.points.push_back({.layer = 1, .color = 0});
  d.textStyles[2].color = 7;
  auto bytes = Save(d);
  EXPECT_EQ(bytes[kBody + 16], 0);
  EXPECT_EQ(bytes[kBody + 17], 0);
  EXPECT_EQ(bytes[kBody + 18], 0x12);
  EXPECT_EQ(bytes[kBody + 22 + 16], 18);
  EXPECT_EQ(bytes[kBody + 22 + 17], 6);
  EXPECT_EQ(bytes[kBody + 44 + 27], 0);
  EXPECT_EQ(At<std::uint16_t>(bytes, 1709 + 4), 0);
  EXPECT_EQ(d.lines[0].lineType, 10);  // memory keeps the value
  EXPECT_EQ(d.lines[0].color, 7);
  EXPECT_EQ(d.arcs[0].color, 9);
}

TEST(JwcSave, NewFloatHeaderValuesTakeTheFewestDigitsThatReadBack) {
  TJwcData d;
  d.header.value2_10 = 0.1f;
  d.header.value2_17 = 0.048889f;
  auto bytes = Save(d);
  EXPECT_EQ(Slice(bytes, 200, 21), "0,0,0,0,0,1,1,1,1,0.1");
  TJwcData back;
  ASSERT_TRUE(back.LoadFromBytes(bytes));
  EXPECT_EQ(back.header.value2_17, 0.048889f);
  EXPECT_NE(std::string(bytes.begin() + 200, bytes.begin() + 400).find(",0.048889,"),
            std::string::npos);
}

TEST(JwcSave, RoundTripKeepsEveryStoredBit) {
  JwcFile f;
  f.titleA = std::string(test::kJwcFileMagic) + std::string("\0\0f\x81\x40\0zz", 8);
  f.titleB = std::string(
      "\x01\x02"
      "b",
      3);
  f.values2 = test::JwcLine2(1, 1, 1, 1, 3, 4, 518);  // factor 297/518
  f.values4 = test::JwcLine4("6000:0000", "6000:0004");
  JwcFile::AddLine(f.lines, 0.1f, -3.3e7f, 1e-30f, 123.456f, 1, 2, 0x11);
  JwcFile::AddArc(f.arcs, 5.5f, -6.25f, 0.3f, 3333, 0x7FFFFFFF, -0x7FFFFFFF, 400 * 65536 + 3, 9, 1,
                  0x22);
  JwcFile::AddText(f.texts, 1.1f, 2.2f, 3.3f, 4.4f, 0, 0x6000, 10, 0x33, 0x20);
  f.textBlock = std::string("abc\0", 4);
  JwcFile::AddPoint(f.points, 0.7f, 0.9f, 0x44, 5);
  f.slotX[0] = 0.123f;
  f.slotY[100] = 77.7f;
  f.slotLayer[0] = 9;
  f.styleWidth[10] = 0xFFFF;
  f.groupScale[0] = 0.5f;
  f.layer2[255] = 0xEE;
  f.layerNames[0] = "ABCDEFGH";
  f.groupNames[15] = "0123456789ABCDEF";
  auto original = f.Build();

  TJwcData d;
  ASSERT_TRUE(d.LoadFromBytes(original));
  auto saved = Save(d);
  // Every byte comes back: header texts, coordinates and angles included.
  EXPECT_TRUE(saved == original);
  TJwcData again;
  ASSERT_TRUE(again.LoadFromBytes(saved));
  EXPECT_TRUE(again == d);
  EXPECT_EQ(Save(again), saved);
}

TEST(JwcSave, NewDrawingIsWrittenWithTheFactorItWillBeReadWith) {
  TJwcData d;  // factor 1, but paper code 3 on 518 units reads back as 420 / 518
  d.lines.push_back({.startX = 100, .startY = 50, .endX = -42, .endY = 0});
  d.header.PaperWidth = 0;
  auto bytes = Save(d);
  EXPECT_FLOAT_EQ(At<float>(bytes, kBody), 100 * 518.0f / 420.0f);
  TJwcData again;
  ASSERT_TRUE(again.LoadFromBytes(bytes));
  EXPECT_EQ(again.header.PaperWidth, 518);
  EXPECT_NEAR(again.lines[0].startX, 100, 1e-4);
  EXPECT_NEAR(again.lines[0].startY, 50, 1e-4);
  EXPECT_NEAR(again.lines[0].endX, -42, 1e-4);
}

TEST(JwcSave, SixteenBitScalesAreRoundedToEven) {
  TJwcData d;
  d.header.FloatScales = false;
  d.layerGroups[0].scale = 2.5f;
  d.layerGroups[1].scale = 3.5f;
  d.layerGroups[2].scale = 1e9f;
  auto bytes = Save(d);
  EXPECT_EQ(At<std::uint16_t>(bytes, 1797), 2);
  EXPECT_EQ(At<std::uint16_t>(bytes, 1799), 4);
  EXPECT_EQ(At<std::uint16_t>(bytes, 1801), 0xFFFF);
}

TEST(JwcSave, LongHeaderLineStaysReadable) {
  TJwcData d;
  float v = 0.1f;
  for (float* p :
       {&d.header.value3_1, &d.header.value3_2, &d.header.value3_3, &d.header.value3_4,
        &d.header.value3_11, &d.header.value3_12, &d.header.value3_13, &d.header.value3_14,
        &d.header.value3_15, &d.header.value3_16, &d.header.value3_20, &d.header.value3_21,
        &d.header.value3_22, &d.header.value3_23, &d.header.value3_24, &d.header.value3_25,
        &d.header.value3_26, &d.header.value3_27, &d.header.value3_28}) {
    *p = v;
    v += 0.3f;
  }
  d.header.value3_5 = -2000000000;
  auto bytes = Save(d);
  EXPECT_EQ(bytes.size(), 4725u);
  EXPECT_EQ(bytes[599], '\n');
  TJwcData again;
  ASSERT_TRUE(again.LoadFromBytes(bytes));
  EXPECT_EQ(again.header, d.header);
  EXPECT_EQ(again.header.value3_28, d.header.value3_28);
}

TEST(JwcSave, TextBlockBeyondSixteenBitOffsetsIsRefused) {
  test::TempDir dir;
  std::string path = dir.File("big.jwc");
  test::WriteAll(path, {1, 2, 3});
  TJwcData d;
  d.texts.resize(2);
  d.texts[0].text = std::string(65530, 'x');  // block 6000:0000..6000:FFFF still fits
  ASSERT_TRUE(d.SaveToFile(path)) << d.saveError;
  TJwcData back;
  ASSERT_TRUE(back.LoadFromFile(path));
  EXPECT_EQ(back.texts[0].text.size(), 65530u);

  d.texts[1].text = "abcd";  // one byte too many
  std::vector<std::uint8_t> keep = test::ReadAll(path);
  EXPECT_FALSE(d.SaveToFile(path));
  EXPECT_FALSE(d.saveError.empty());
  EXPECT_EQ(test::ReadAll(path), keep);  // the old file is untouched
  EXPECT_EQ(d.texts[1].text, "abcd");
  std::vector<std::uint8_t> out{9};
  EXPECT_FALSE(d.SaveToBytes(out));
  EXPECT_TRUE(out.empty());
}

TEST(JwcSave, BlockStartBeyondSixteenBitSegmentsKeepsItsAddress) {
  JwcFile f;
  f.values2 = test::JwcLine2(0, 0, 1, 0);
  f.values4 = test::JwcLine4("FFFF:FFF0", "FFFF:FFF3");
  JwcFile::AddText(f.texts, 0, 0, 0, 0, 0xFFF0, 0xFFFF, 0, 0, 0);
  f.textBlock = std::string("hi\0", 3);
  TJwcData d;
  ASSERT_TRUE(d.LoadFromBytes(f.Build()));
  ASSERT_EQ(d.texts[0].text, "hi");
  auto bytes = Save(d);
  TJwcData again;
  ASSERT_TRUE(again.LoadFromBytes(bytes));
  EXPECT_EQ(again.texts[0].text, "hi");
  EXPECT_EQ(again.header.textStart, d.header.textStart);
}

}  // namespace
}  // namespace quintaro
