#include "formats/common/text.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(Text, DecodesBothFormsAndReplacesBrokenBytes) {
  EXPECT_EQ(Cp932ToUtf8("\x95\xC7\x20"
                        "A"),
            "\xE5\xA3\x81 A");  // "壁 A"
  EXPECT_EQ(Utf16leToUtf8(std::string("\xC1\x58\x41\x00", 4)),
            "\xE5\xA3\x81"
            "A");
  EXPECT_EQ(Cp932ToUtf8("A\x81"), "A\xEF\xBF\xBD");  // lone lead byte at the end
  EXPECT_EQ(ToUtf8({std::string("\x41\x00", 2), TextEncoding::kUtf16le}), "A");
  EXPECT_EQ(Utf8ToCp932("\xE5\xA3\x81"), "\x95\xC7");
}

// Every system's converter gives the same results for broken input.
TEST(Text, BrokenInputGivesTheSameResultOnEverySystem) {
  const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD
  EXPECT_EQ(Cp932ToUtf8("\x81\x20"
                        "A"),
            kBad + " A");  // lead byte without a trail
  EXPECT_EQ(Utf16leToUtf8(std::string("\x00\xD8\x41\x00", 4)), kBad + "A");  // lone surrogate
  EXPECT_EQ(Utf16leToUtf8(std::string("\x41\x00\x42", 3)), "A" + kBad);      // half a unit
  struct Case {
    std::string utf8;
    bool exact;
    std::string cp932;
  };
  for (const Case& c : {Case{"\xE5\xA3\x81"
                             "1",
                             true,
                             "\x95\xC7"
                             "1"},                        // "壁1"
                        Case{"\xE2\x82\xAC", false, ""},  // euro sign
                        Case{"A\xFF", false, ""}}) {      // not UTF-8
    std::string out;
    EXPECT_EQ(Utf8ToCp932Exact(c.utf8, out), c.exact) << c.utf8;
    if (c.exact) {
      EXPECT_EQ(out, c.cp932);
    }
  }
}

}  // namespace
}  // namespace quintaro
