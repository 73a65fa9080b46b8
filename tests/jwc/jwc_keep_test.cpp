// What a save keeps as read: header texts in whatever form they were
// written, and the repairs it makes told by kind and count.
#include <gtest/gtest.h>

#include "formats/jwc/jwc_data.h"
#include "jwc_builder.h"

namespace quintaro {
namespace {

using test::JwcFile;

std::vector<std::uint8_t> SaveBytes(TJwcData& d) {
  std::vector<std::uint8_t> out;
  EXPECT_TRUE(d.SaveToBytes(out)) << d.saveError;
  return out;
}

TEST(JwcKeep, HeaderTextsComeBackAsRead) {
  struct Case {
    const char* name;
    std::string values2, values3, values4;
  };
  const std::string line2 = test::JwcLine2(0, 0, 0, 0);
  const Case cases[] = {
      {"six-digit floats",
       "0,0,0,0,0,1,1,1,1,1.000000,0,3,2,1,0.000000,0,5.000000,10,0,0,0,0,0,0,0,"
       "4.000000,0.048889,0,0,0,518,0",
       test::kJwcDefaultLine3, test::JwcLine4("6000:0000", "6000:0000")},
      {"hexadecimal and blanks",
       "$0, 0,+0,0,0,$1,1,1,1,1,0,3,2,1,0,0,5,10,0,0,0,0,0,0,0,5,5,0,0,0,"
       "$206,0",
       test::kJwcDefaultLine3, test::JwcLine4("6000:0000", "6000:0000")},
      {"paper width 0 read as 518", test::JwcLine2(0, 0, 0, 0, 0, 3, 0), test::kJwcDefaultLine3,
       test::JwcLine4("6000:0000", "6000:0000")},
      {"missing values and bytes after the NUL", line2, std::string("0,0,3,15\0junk", 13),
       test::JwcLine4("6000:0000", "6000:0000")},
      {"a value after the last", line2, test::kJwcDefaultLine3,
       test::JwcLine4("6000:0000", "6000:0000") + ",7e2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwcFile f;
    f.titleB = "memo";
    f.values2 = c.values2;
    f.values3 = c.values3;
    f.values4 = c.values4;
    auto original = f.Build();
    TJwcData d;
    ASSERT_TRUE(d.LoadFromBytes(original));
    EXPECT_TRUE(SaveBytes(d) == original);
    EXPECT_TRUE(SaveBytes(d) == original);  // a second save too
  }
}

TEST(JwcKeep, TextBlockNameFieldsAndBytesAfterTheNamesComeBackAsRead) {
  JwcFile f;
  f.layerNames[3] = std::string("ab\0zz", 5);  // bytes after a name's NUL
  f.groupNames[1] = std::string("\0\x01", 2);
  f.values2 = test::JwcLine2(0, 0, 2, 0);
  // Both texts share one string; an unused string follows.
  f.values4 = test::JwcLine4("6000:0000", "6000:0009");
  JwcFile::AddText(f.texts, 0, 0, 1, 1, 4, 0x6000, 1, 0x00, 0);
  JwcFile::AddText(f.texts, 0, 0, 1, 1, 4, 0x6000, 1, 0x00, 0);
  f.textBlock = std::string("old\0new\0x", 9);
  auto original = f.Build();
  original.push_back(0x1A);  // an end-of-file mark after the names
  TJwcData d;
  ASSERT_TRUE(d.LoadFromBytes(original));
  EXPECT_TRUE(SaveBytes(d) == original);
  // A changed text lays the block out anew: "new", "changed", nothing unused.
  d.texts[1].text = "changed";
  SaveBytes(d);
  EXPECT_EQ(d.textBlock, std::string("new\0changed\0", 12));
}

TEST(JwcKeep, OnlyChangedValuesTakeNewTexts) {
  JwcFile f;
  const std::string tail =
      ",0,0,0,0,1,1,1,1,0.100000,0,3,2,1,0,0,5,10,0,0,0,0,0,0,0,5,5,0,0,"
      "0,518,0";
  f.values2 = "0" + tail;
  TJwcData d;
  ASSERT_TRUE(d.LoadFromBytes(f.Build()));
  d.lines.push_back({.lineType = 1, .color = 1});
  d.header.value2_17 = 0.048889f;  // value 17, "5" as read
  auto saved = SaveBytes(d);
  std::string expected = "1" + tail;
  expected.replace(expected.find(",5,10,"), 6, ",0.048889,10,");
  EXPECT_EQ(std::string(saved.begin() + 200, saved.begin() + 200 + expected.size() + 1),
            expected + '\0');
}

TEST(JwcKeep, SaveTellsEachKindOfRepairWithItsCount) {
  JwcFile f;
  f.values2 = test::JwcLine2(3, 1, 0, 2);
  JwcFile::AddLine(f.lines, 0, 0, 1, 1, 10, 7, 0x00);             // line type 10, colour 7
  JwcFile::AddLine(f.lines, 0, 0, 1, 1, 0, 0, 0x00);              // zeros are written as they are
  JwcFile::AddLine(f.lines, 0, 0, 1, 1, 1, 9, 0x00);              // colour 9
  JwcFile::AddArc(f.arcs, 0, 0, 1, 10000, 0, 0, 0, 19, 1, 0x00);  // line type 19
  JwcFile::AddPoint(f.points, 0, 0, 0x00, 8);                     // colour 8
  JwcFile::AddPoint(f.points, 0, 0, 0x00, 6);
  f.styleColor[3] = 7;
  TJwcData d;
  ASSERT_TRUE(d.LoadFromBytes(f.Build()));
  const std::vector<Repair> expected = {{"line type out of range written as 0", 2},
                                        {"colour out of range written as 0", 3},
                                        {"text style colour out of range written as 0", 1}};
  EXPECT_EQ(d.PlannedRepairs().Items(), expected);
  SaveBytes(d);
  EXPECT_EQ(d.SaveRepairs().Items(), expected);

  JwcFile counts;  // a negative line count and 150 used point slots
  counts.values2 = "-3" + test::JwcLine2(0, 0, 0, 0, 150).substr(1);
  TJwcData odd;
  ASSERT_TRUE(odd.LoadFromBytes(counts.Build()));
  EXPECT_EQ(odd.PlannedRepairs().Items(),
            (std::vector<Repair>{{"negative figure count in the header written as 0", 1},
                                 {"point slot count out of 0..100 written in range", 1}}));

  TJwcData clean;
  ASSERT_TRUE(clean.LoadFromBytes(JwcFile{}.Build()));
  SaveBytes(clean);
  EXPECT_TRUE(clean.SaveRepairs().Empty());
}

}  // namespace
}  // namespace quintaro
