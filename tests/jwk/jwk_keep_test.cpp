// A symbol comes back byte for byte: header texts, the text block as read
// (with a string nothing names), the word after each text's offset and the
// bytes after the block.
#include <gtest/gtest.h>

#include <algorithm>

#include "formats/jwk/jwk_data.h"
#include "jwk_builder.h"

namespace quintaro {
namespace {

TEST(JwkKeep, SymbolWithTextsComesBackAsRead) {
  test::JwkFile f;
  f.values = "0,0,0,2,0.000000,0.000000,1.000000,9,100.000000";
  f.texts.F32(1).F32(2).F32(3).F32(4).U16(0).U16(0x6000).U8(1).U8(0x21).U8(0).U8(0xC1);
  f.texts.F32(5).F32(6).F32(7).F32(8).U16(3).U16(0x6000).U8(2).U8(0x21).U8(0x20).U8(0);
  f.textBlock = std::string("ab\0cd\0xy\0", 9);
  std::vector<std::uint8_t> original = f.Build();
  original.push_back(0x1A);
  TJwkData d;
  ASSERT_TRUE(d.LoadFromBytes(original));
  for (int save = 0; save < 2; ++save) {
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(d.SaveToBytes(out)) << d.saveError;
    ASSERT_EQ(out.size(), original.size());
    auto at = std::mismatch(out.begin(), out.end(), original.begin()).first - out.begin();
    EXPECT_EQ(at, out.end() - out.begin()) << "first differing byte";
  }
}

}  // namespace
}  // namespace quintaro
