// Header line text: splitting, number reading and the written number forms.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <random>
#include <tuple>

#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_strings.h"

namespace quintaro {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

TEST(JwcLineText, SplitsValuesAndFillsMissingOnesWithZero) {
  auto v = SplitLineValues("1,22,333", 5);
  EXPECT_EQ(v, (std::vector<std::string_view>{"1", "22", "333", "0", "0"}));
  // Nothing after the last comma: reading stops, the rest stay "0".
  v = SplitLineValues("7,", 3);
  EXPECT_EQ(v, (std::vector<std::string_view>{"7", "0", "0"}));
  // Only n values are taken.
  v = SplitLineValues("1,2,3,4", 2);
  EXPECT_EQ(v, (std::vector<std::string_view>{"1", "2"}));
}

TEST(JwcLineText, ReadsDecimalAndDollarHexIntegers) {
  EXPECT_EQ(ParseLineInt(" 12"), 12);
  EXPECT_EQ(ParseLineInt("12 "), 0);  // a blank after the digits spoils the value
  EXPECT_EQ(ParseLineInt("12\0  \n"sv), 12);
  EXPECT_EQ(ParseLineInt("-7"), -7);
  EXPECT_EQ(ParseLineInt("$1F"), 31);
  EXPECT_EQ(ParseLineInt("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseLineInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseLineInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseLineInt("2147483648"), 0);
  EXPECT_EQ(ParseLineInt("1.5"), 0);
  EXPECT_EQ(ParseLineInt(""), 0);
  EXPECT_EQ(ParseLineInt("$"), 0);
}

TEST(JwcLineText, ReadsFloatsAndRejectsWhatIsNoNumber) {
  EXPECT_EQ(ParseLineFloat("0.048889"), 0.048889f);
  EXPECT_EQ(ParseLineFloat("  2.5\0x"sv), 2.5f);
  EXPECT_EQ(ParseLineFloat("2.5 "), 0.0f);
  EXPECT_EQ(ParseLineFloat("1e3"), 1000.0f);
  EXPECT_EQ(ParseLineFloat(".5"), 0.5f);
  EXPECT_EQ(ParseLineFloat("-.5"), -0.5f);
  EXPECT_EQ(ParseLineFloat("+4"), 4.0f);
  EXPECT_EQ(ParseLineFloat("+-4"), 0.0f);
  EXPECT_EQ(ParseLineFloat("inf"), 0.0f);
  EXPECT_EQ(ParseLineFloat("nan"), 0.0f);
  EXPECT_EQ(ParseLineFloat("1e39"), 0.0f);  // beyond single precision
  EXPECT_EQ(ParseLineFloat("abc"), 0.0f);
}

TEST(JwcLineText, FarAddresses) {
  EXPECT_EQ(ParseFarAddress("6000:0000"), 0x60000);
  EXPECT_EQ(ParseFarAddress("6000:0005"), 0x60005);
  EXPECT_EQ(ParseFarAddress("ffff:ffff"), 0xFFFF0 + 0xFFFF);
  EXPECT_EQ(ParseFarAddress("60x0:0010"), 0x10);  // invalid segment counts as 0
  EXPECT_EQ(ParseFarAddress("6000"), 0x60000);
  EXPECT_EQ(FormatFarAddress(0x6000, 5), "6000:0005");
  EXPECT_EQ(FormatFarAddress(0xA, 0xBC), "000A:00BC");
}

TEST(JwcLineText, FloatsAreWrittenWithFifteenDigits) {
  EXPECT_EQ(FormatLineFloat(0.1f), "0.100000001490116");
  EXPECT_EQ(FormatLineFloat(5.0f), "5");
  EXPECT_EQ(FormatLineFloat(100.0f), "100");
  EXPECT_EQ(FormatLineFloat(-2.5f), "-2.5");
}

TEST(JwcLineText, ShortFloatsReadBackBitForBit) {
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    float f = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
    if (!std::isfinite(f)) continue;
    std::string s = FormatLineFloatShort(f);
    ASSERT_LE(s.size(), 15u) << s;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(ParseLineFloat(s)), std::bit_cast<std::uint32_t>(f))
        << s;
    // The 15-digit form reads back exactly, too.
    ASSERT_EQ(ParseLineFloat(FormatLineFloat(f)), f);
  }
  EXPECT_EQ(FormatLineFloatShort(0.1f), ".1");
  EXPECT_EQ(FormatLineFloatShort(1e-7f), "1E-7");
  EXPECT_EQ(FormatLineFloatShort(1500.0f), "1500");
}

TEST(JwcLineText, LongLinesFallBackToShortFormsThatReadBack) {
  std::vector<LineValue> values;
  std::vector<float> floats;
  for (int i = 0; i < 28; ++i) floats.push_back(0.1f * static_cast<float>(i + 1));
  for (float f : floats) values.emplace_back(f);
  values.emplace_back(std::int32_t{-123456});
  std::string line = BuildValueLine(values);
  ASSERT_EQ(line.size(), 200u);
  EXPECT_EQ(line.back(), '\n');
  ASSERT_NE(line.find('\0'), std::string::npos);
  auto parts = SplitLineValues(line, values.size());
  for (std::size_t i = 0; i < floats.size(); ++i) EXPECT_EQ(ParseLineFloat(parts[i]), floats[i]);
  EXPECT_EQ(ParseLineInt(parts.back()), -123456);
}

TEST(JwcLineText, LineThatCannotHoldItsValuesIsRefused) {
  std::vector<LineValue> values(32, LineValue{std::int32_t{INT32_MIN}});
  EXPECT_TRUE(BuildValueLine(values).empty());
}

// A line rebuilt around one changed value keeps the other texts and reads
// back with every value the same, however the kept texts are spoiled.
TEST(JwcLineText, LineRebuiltAroundChangedValueReadsBackTheSame) {
  for (std::string read : {"1,2,3"s, "\0\0x\n15,3,3"s, "7,0\x01\x05\0,4"s, " 9, 8 ,1.50"s}) {
    read += '\0';
    read.resize(199, ' ');
    read += '\n';
    auto before = SplitLineValues(read, 3);
    std::vector<LineValue> values = {ParseLineInt(before[0]), std::int32_t{42},
                                     ParseLineFloat(before[2])};
    std::string line = BuildValueLineKeeping(values, {true, false, true}, read);
    auto after = SplitLineValues(line, 3);
    EXPECT_EQ(
        (std::tuple{ParseLineInt(after[0]), ParseLineInt(after[1]), ParseLineFloat(after[2])}),
        (std::tuple{std::get<std::int32_t>(values[0]), 42, std::get<float>(values[2])}))
        << read;
  }
}

TEST(JwcLineText, TitlesKeepEveryByte) {
  std::string line(200, ' ');
  std::memcpy(line.data(), "jw_cad(c)data.......\0\0f", 23);
  line[40] = 'B';
  line[72] = 'C';
  line[103] = '\x01';
  LineTitles t = SplitTitleLine(line);
  EXPECT_EQ(t.a, line.substr(0, 40));
  EXPECT_EQ(t.b, line.substr(40, 32));
  EXPECT_EQ(t.c, line.substr(72, 32));
  std::string built = BuildTitleLine(t.a, t.b, t.c);
  EXPECT_EQ(built.substr(0, 104), line.substr(0, 104));
  EXPECT_EQ(built.substr(104), std::string(95, ' ') + "\n");
}

TEST(JwcStrings, StripControlsKeepsDoubleByteCharacters) {
  EXPECT_EQ(StripControls("a\tb\x1F"
                          "c"),
            "abc");
  // A lead byte takes its following byte with it, even a control character.
  EXPECT_EQ(StripControls("\x82\xA0\x81\x05z"), "\x82\xA0\x81\x05z");
  EXPECT_EQ(StripControls("ab\x82"), "ab");  // dangling lead byte
  EXPECT_EQ(CutToBytes("abcdefg\x82\xA0", 8), "abcdefg");
  EXPECT_EQ(CutToBytes("ab\x82\xA0", 8), "ab\x82\xA0");
  EXPECT_EQ(CleanTextForFile("^@BM%temp%pic.bmp,10,20"),
            "^@BM"
            "pic.bmp,10,20");
  EXPECT_EQ(CleanForFile(std::string("x\x81\0y", 4)), "x");  // the file would end the string at NUL
}

}  // namespace
}  // namespace quintaro
