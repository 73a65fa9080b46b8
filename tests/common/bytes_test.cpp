#include "formats/common/bytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "support/byte_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

TEST(ByteReader, ReadsLittleEndianAndFailsStickyAtTheEnd) {
  test::ByteBuilder b;
  b.U16(0x1234).I32(-5).F64(2.5).U8(7);
  ByteReader r(b.Bytes());
  EXPECT_EQ(r.U16(), 0x1234);
  EXPECT_EQ(r.I32(), -5);
  EXPECT_EQ(r.F64(), 2.5);
  EXPECT_EQ(r.Remaining(), 1u);
  EXPECT_EQ(r.U32(), 0u);  // only one byte left
  EXPECT_FALSE(r.Ok());
  EXPECT_EQ(r.FailOffset(), 14u);
  EXPECT_EQ(r.U8(), 0);  // sticky: the byte that was there is not handed out
  EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ByteReader, CanHoldBoundsCountsByWhatRemains) {
  std::vector<std::uint8_t> bytes(100);
  ByteReader r(bytes);
  EXPECT_TRUE(r.CanHold(2, 47));
  EXPECT_FALSE(r.CanHold(3, 47));
  EXPECT_FALSE(r.CanHold(0xFFFFFFFFu, 1));
  EXPECT_TRUE(r.CanHold(100, 0));
}

TEST(ByteReader, StreamsAFileAcrossBufferBoundaries) {
  test::TempDir dir;
  std::vector<std::uint8_t> bytes(1'000'003);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  test::WriteAll(dir.File("f"), bytes);
  std::FILE* f = std::fopen(dir.File("f").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  ByteReader r(f, bytes.size());
  std::vector<std::uint8_t> got(bytes.size());
  // Odd-sized pieces (taken in place where the buffer holds them whole,
  // copied where one straddles its end), one large block, then single bytes.
  std::size_t at = 0;
  for (; at + 333 < 400'000; at += 333) {
    if (const std::uint8_t* p = r.TakeInPlace<333>()) {
      std::memcpy(&got[at], p, 333);
    } else {
      ASSERT_TRUE(r.Read(&got[at], 333));
    }
  }
  ASSERT_TRUE(r.Read(&got[at], 500'000));
  at += 500'000;
  ASSERT_TRUE(r.Skip(10));
  for (std::size_t i = 0; i < 10; ++i) got[at + i] = bytes[at + i];
  at += 10;
  while (at < bytes.size()) got[at++] = r.U8();
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(got, bytes);
  r.U8();
  EXPECT_FALSE(r.Ok());
  EXPECT_EQ(r.FailOffset(), bytes.size());
  std::fclose(f);
}

TEST(ByteWriter, WritesLittleEndianToMemory) {
  ByteWriter w;
  w.U16(0xABCD);
  w.I32(-2);
  w.Fill('.', 3);
  std::vector<std::uint8_t> expect{0xCD, 0xAB, 0xFE, 0xFF, 0xFF, 0xFF, '.', '.', '.'};
  EXPECT_EQ(w.Bytes(), expect);
  EXPECT_EQ(w.Size(), 9u);
}

}  // namespace
}  // namespace quintaro
