// Reading drawings laid out by the test builder.
#include <gtest/gtest.h>

#include "formats/jwc/jwc_data.h"
#include "jwc_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::JwcFile;

TJwcData Load(const JwcFile& f) {
  TJwcData d;
  auto bytes = f.Build();
  EXPECT_TRUE(d.LoadFromBytes(bytes, "x.jwc")) << d.loadReport.reason;
  return d;
}

JwcFile OneOfEach() {
  JwcFile f;
  f.values2 = test::JwcLine2(1, 1, 2, 1, 2, 4, 518);
  f.values4 = test::JwcLine4("6000:0000", "6000:0005");
  JwcFile::AddLine(f.lines, 1, 2, 3, 4, 2, 3, 0x23);
  JwcFile::AddArc(f.arcs, 10, 20, 5, 5000, 90 * 65536, -45 * 65536, 30 * 65536 + 1, 1, 6, 0x5F);
  JwcFile::AddText(f.texts, 1, 1, 9, 1, 0, 0x6000, 3, 0x10, 0x20);
  JwcFile::AddText(f.texts, 2, 2, 8, 2, 4, 0x6000, 12, 0x11, 0);
  f.textBlock = std::string(
      "A\x01"
      "C\0\0",
      5);
  JwcFile::AddPoint(f.points, 7, 8, 0xF0, 2);
  f.slotX[1] = 100;
  f.slotY[1] = 200;
  f.slotLayer[1] = 0x31;
  f.styleColor[3] = 4;
  f.styleWidth[3] = 25;
  f.styleHeight[3] = 30;
  f.styleSpacing[3] = 5;
  f.groupScale[2] = 50;
  f.group1[2] = 1, f.group2[2] = 2, f.group3[2] = 3;
  f.layer1[0x23] = 4, f.layer2[0x23] = 5;
  f.layerNames[0x23] = "Wall\x07X";
  f.groupNames[2] = std::string("Plan\0junk", 9);
  f.titleB = "memo\x0D\x0A one";
  f.titleC = "two";
  return f;
}

TEST(JwcLoad, ReadsEveryTableAndRecord) {
  TJwcData d = Load(OneOfEach());
  EXPECT_TRUE(d.loadReport.complete);
  const double k = 297.0f / 518.0f;  // paper code 4 with width 518
  ASSERT_FLOAT_EQ(d.header.PaperFactor, 297.0f / 518.0f);
  ASSERT_EQ(d.lines.size(), 1u);
  EXPECT_DOUBLE_EQ(d.lines[0].endY, 4 * k);
  EXPECT_EQ(d.lines[0].lineType, 2);
  EXPECT_EQ(d.lines[0].layer, 0x23);
  EXPECT_EQ(d.lines[0].kept, (std::array<std::uint8_t, 3>{0xA1, 0xA2, 0xA3}));
  ASSERT_EQ(d.arcs.size(), 1u);
  EXPECT_DOUBLE_EQ(d.arcs[0].radius, 5 * k);
  EXPECT_DOUBLE_EQ(d.arcs[0].flatness, 0.5);
  EXPECT_DOUBLE_EQ(d.arcs[0].startAngle, 90);
  EXPECT_DOUBLE_EQ(d.arcs[0].endAngle, -45);
  EXPECT_DOUBLE_EQ(d.arcs[0].tiltAngle, 30 + 1 / 65536.0);
  EXPECT_EQ(d.arcs[0].layer, 0x5F);
  ASSERT_EQ(d.texts.size(), 2u);
  EXPECT_EQ(d.texts[0].text, "AC");  // control character dropped
  EXPECT_EQ(d.texts[0].address, 0x60000);
  EXPECT_TRUE(d.texts[0].IsVertical());
  EXPECT_EQ(d.texts[1].text, "");
  EXPECT_EQ(d.texts[1].address, 0x60004);
  ASSERT_EQ(d.points.size(), 1u);
  EXPECT_DOUBLE_EQ(d.points[0].y, 8 * k);
  EXPECT_EQ(d.points[0].kept, (std::array<std::uint8_t, 2>{0xD1, 0xD2}));
  EXPECT_EQ(d.UsedPointSlots(), 2);
  EXPECT_DOUBLE_EQ(d.pointSlots[1].y, 200 * k);
  EXPECT_EQ(d.pointSlots[1].layer, 0x31);
  EXPECT_EQ(d.StyleOf(3), (TEntJwcMojiStyle{4, 25, 30, 5}));
  EXPECT_EQ(d.StyleOf(12), TEntJwcMojiStyle{});  // the second text names no style
  EXPECT_EQ(d.layerGroups[2].scale, 50);
  EXPECT_EQ(d.layerGroups[2].state3, 3);
  EXPECT_EQ(d.layers[0x23].state2, 5);
  EXPECT_EQ(d.layers[0x23].name, "WallX");
  EXPECT_EQ(d.layerGroups[2].name, "Plan");
  EXPECT_EQ(d.macros.fileName, "x.jwc");
  EXPECT_EQ(d.macros.memo1, "memo one");
  EXPECT_EQ(d.macros.memo2, "two");
  EXPECT_EQ(d.macros.printScale, 1.0);
}

TEST(JwcLoad, PaperFactorFollowsPaperCodeAndWidth) {
  struct Case {
    int code, width;
    float factor;
  } cases[] = {{3, 420, 1.0f},        {4, 518, 297.0f / 518}, {6, 1234, 1.0f}, {6, -7, 1.0f},
               {0, 0, 1189.0f / 518}, {14, 1000, 100.0f},     {15, 200, 1.0f}, {-1, 300, 1.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    JwcFile f;
    f.values2 = test::JwcLine2(0, 0, 0, 0, 0, c.code, c.width);
    TJwcData d = Load(f);
    EXPECT_FLOAT_EQ(d.header.PaperFactor, c.factor);
    if (c.width == 0) {
      EXPECT_EQ(d.header.PaperWidth, 518);
    }
  }
}

TEST(JwcLoad, ByteTwentyTwoSelectsTheWidthOfGroupScales) {
  for (bool floats : {true, false}) {
    JwcFile f;
    f.titleA = std::string(test::kJwcFileMagic) + (floats ? "xxf" : "xxF");
    f.groupScale = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 100};
    f.values2 = test::JwcLine2(1, 0, 0, 0);
    JwcFile::AddLine(f.lines, 1, 2, 3, 4, 1, 1, 0x42);
    auto bytes = f.Build();
    EXPECT_EQ(bytes.size(), (floats ? 4725u : 4693u) + 22);
    TJwcData d;
    ASSERT_TRUE(d.LoadFromBytes(bytes));
    EXPECT_EQ(d.header.FloatScales, floats);
    EXPECT_EQ(d.layerGroups[15].scale, 100);
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_EQ(d.lines[0].layer, 0x42);
  }
}

TEST(JwcLoad, TextAddressesOutsideTheBlockGiveEmptyTexts) {
  JwcFile f;
  f.values2 = test::JwcLine2(0, 0, 4, 0);
  f.values4 = test::JwcLine4("6000:0010", "6000:0014");
  JwcFile::AddText(f.texts, 0, 0, 1, 0, 0x10, 0x6000, 1, 0, 0);  // "abc"
  JwcFile::AddText(f.texts, 0, 0, 1, 0, 0x0F, 0x6000, 1, 0, 0);  // before the block
  JwcFile::AddText(f.texts, 0, 0, 1, 0, 0x14, 0x6000, 1, 0, 0);  // at its end
  JwcFile::AddText(f.texts, 0, 0, 1, 0, 0x12, 0x6000, 1, 0, 0);  // inside: "c"
  f.textBlock = "abcd";  // no NUL: the end of the block ends the string
  TJwcData d = Load(f);
  ASSERT_EQ(d.texts.size(), 4u);
  EXPECT_EQ(d.texts[0].text, "abcd");
  EXPECT_EQ(d.texts[1].text, "");
  EXPECT_EQ(d.texts[2].text, "");
  EXPECT_EQ(d.texts[3].text, "cd");
}

TEST(JwcLoad, SlotCountIsLimitedToTheTable) {
  for (int count : {150, -3}) {
    JwcFile f;
    f.values2 = test::JwcLine2(0, 0, 0, 0, count);
    TJwcData d = Load(f);
    EXPECT_EQ(d.UsedPointSlots(), count > 0 ? 100 : 0);
    EXPECT_EQ(d.header.slotCount, d.UsedPointSlots());
    EXPECT_EQ(d.loadReport.notes.size(), 1u);
  }
}

TEST(JwcLoad, PublishesNamesAndSafeGroupScales) {
  JwcFile f = OneOfEach();
  f.groupScale[3] = 0;
  f.groupScale[4] = -5;
  TJwcData d = Load(f);
  PublishedLayers p = d.PublishLayers();
  EXPECT_EQ(p[0x23].name.bytes, "WallX");
  EXPECT_EQ(p[0x23].groupName.bytes, "Plan");
  EXPECT_EQ(p[0x23].state, 1);
  EXPECT_DOUBLE_EQ(p[0x23].scale, 1.0 / 50);
  EXPECT_DOUBLE_EQ(p[0x30].scale, 1.0);  // scale 0 has no inverse: drawn 1:1
  EXPECT_DOUBLE_EQ(p[0x4A].scale, 1.0);
}

TEST(JwcLoad, SignatureCheckAndMissingFile) {
  test::TempDir dir;
  std::string good = dir.File("a.jwc"), bad = dir.File("b.jwc");
  test::WriteAll(good, JwcFile{}.Build());
  auto other = JwcFile{}.Build();
  other[19] = '!';
  test::WriteAll(bad, other);
  EXPECT_TRUE(TJwcData::IsJwcFile(good));
  EXPECT_FALSE(TJwcData::IsJwcFile(bad));
  EXPECT_FALSE(TJwcData::IsJwcFile(dir.File("none.jwc")));
  TJwcData d;
  EXPECT_TRUE(d.LoadFromFile(good));
  EXPECT_FALSE(d.LoadFromFile(dir.File("none.jwc")));
  EXPECT_FALSE(d.loadReport.complete);
  EXPECT_EQ(d.macros.fileName, dir.File("none.jwc"));
}

}  // namespace
}  // namespace quintaro
