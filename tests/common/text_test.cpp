#include "formats/common/text.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(Text, DecodesBothFormsAndReplacesBrokenBytes) {
  EXPECT_EQ(Cp932ToUtf8("\x95\xC7\x20" "A"), "\xE5\xA3\x81 A");  // "壁 A"
  EXPECT_EQ(Utf16leToUtf8(std::string("\xC1\x58\x41\x00", 4)), "\xE5\xA3\x81" "A");
  EXPECT_EQ(Cp932ToUtf8("A\x81"), "A\xEF\xBF\xBD");  // lone lead byte at the end
  EXPECT_EQ(ToUtf8({std::string("\x41\x00", 2), TextEncoding::kUtf16le}), "A");
  EXPECT_EQ(Utf8ToCp932("\xE5\xA3\x81"), "\x95\xC7");
}

}  // namespace
}  // namespace quintaro
