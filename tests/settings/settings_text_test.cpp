// The text of the settings file: the profile lookup, number conversion,
// parsing and the 17 written lines.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/settings_text.h"

namespace quintaro {
namespace {

TEST(ProfileInt, AcceptsOnlyDecimalIntegers) {
  const struct {
    std::string text;
    int value;
  } cases[] = {{"12", 12},   {"-5", -5}, {"+7", 7},         {"1e3", 0},
               {"12abc", 0}, {"", 0},    {"99999999999", 0}};  // the last beyond 32 bits
  for (const auto& c : cases) EXPECT_EQ(ProfileInt(c.text), c.value) << c.text;
}

TEST(ProfileString, LookupRules) {
  const std::string text =
      "; comment\n[ sets ]\n  zfile =  \"C:\\my drawings\\plan a.jww\"  \nBKCOL=\n"
      "[Sets]\nLGRAY=1\n";
  std::string wide;
  for (int i = 0; i < 300; ++i) wide += "図";
  const struct {
    std::string text, section, key;
    std::size_t buffer;
    std::optional<std::string> value;
  } cases[] = {
      {text, "Sets", "ZFILE", 512, "C:\\my drawings\\plan a.jww"},
      {text, "Sets", "BKCOL", 22, std::nullopt},   // empty counts as missing
      {text, "Form", "ZFILE", 512, std::nullopt},  // other section
      {text, "Sets", "LGRAY", 22, "1"},
      // Only one pair of quotes goes; a lone quote stays.
      {"[S]\nK=\"\"a\"\"\n", "S", "K", 22, "\"a\""},
      {"[S]\nK=\"a\n", "S", "K", 22, "\"a"},
      // A cut never splits a character.
      {"[S]\nK=" + wide + "\n", "S", "K", 512, wide.substr(0, 510)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadProfileString(c.text, c.section, c.key, c.buffer), c.value) << c.text;
  }
}

TEST(ParseSettings, FlagsAreZeroOrOneAndBoundsTakeNumbers) {
  const struct {
    std::string text;
    AppSettings settings;
  } cases[] = {
      {"[Sets]\nBKCOL=7\nLGRAY=-3\n", {.backBlack = 1, .grayEmpty = 1}},
      {"[Sets]\nBKCOL=x\nLGRAY=0\n", {}},
      // F02_X stands in another section.
      {"[Form]\r\nF01_X=abc\r\nF01_Y=-20\r\nF01_W=\r\nF03_H=700\r\n[Other]\r\nF02_X=1\r\n",
       {.windows = {{{0, -20, 555, 423}, kDesignedBounds[1], {234, 173, 503, 700}}}}},
      // 21 characters of a longer number are still a number.
      {"[Form]\nF01_X=000000000000000000042999\n",
       {.windows = {{{42, 107, 555, 423}, kDesignedBounds[1], kDesignedBounds[2]}}}},
      {"[Sets]\nZFILE=\"" + std::string(600, 'p') + "\"\n", {.lastFile = std::string(511, 'p')}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSettings(c.text), c.settings) << c.text;
}

TEST(FormatSettings, WritesSeventeenLines) {
  AppSettings s{.backBlack = 1, .grayEmpty = 1};
  s.windows[0].top = -20;
  EXPECT_EQ(FormatSettings(s),
            "[Form]\r\nF01_X=192\r\nF01_Y=-20\r\nF01_W=555\r\nF01_H=423\r\n"
            "F02_X=304\r\nF02_Y=262\r\nF02_W=503\r\nF02_H=376\r\n"
            "F03_X=234\r\nF03_Y=173\r\nF03_W=503\r\nF03_H=376\r\n"
            "[Sets]\r\nZFILE=\"\"\r\nBKCOL=1\r\nLGRAY=1\r\n");
}

}  // namespace
}  // namespace quintaro
