#include "formats/jww/chunked_array.h"

#include <gtest/gtest.h>

#include <string>

namespace quintaro {
namespace {

TEST(ChunkedArray, GrowsInChunksAndIndexes) {
  ChunkedArray<int> a(1000);
  for (int i = 0; i < 2500; ++i) *a.Append() = i;
  EXPECT_EQ(a.size(), 2500u);
  EXPECT_EQ(a.capacity(), 3000u);
  EXPECT_EQ(a[1999], 1999);
  EXPECT_EQ(a.back(), 2499);
  a.ShrinkToFit();
  EXPECT_EQ(a.capacity(), 2500u);
  int expect = 0;
  for (int v : a) EXPECT_EQ(v, expect++);
  EXPECT_EQ(expect, 2500);
  *a.Append() = 2500;  // grows the cut chunk again
  EXPECT_EQ(a[2500], 2500);
}

TEST(ChunkedArray, EntriesNeverMove) {
  ChunkedArray<std::string> a(4);
  a.Append()->assign("first entry, longer than the small buffer");
  std::string* p = &a[0];
  for (int i = 0; i < 100; ++i) a.Append()->assign(std::to_string(i));
  EXPECT_EQ(p, &a[0]);
  EXPECT_EQ(a[100], "99");
}

// A large array takes its chunks from slabs of large pages: entries stay
// where they are through pops, regrowth and the cut to size.
TEST(ChunkedArray, SlabsKeepEntriesInPlace) {
  ChunkedArray<int> a(1000);
  for (int i = 0; i < 300'000; ++i) *a.Append() = i;
  const int* kept = &a[123'456];
  for (int i = 0; i < 2'500; ++i) a.pop_back();
  for (int i = 297'500; i < 299'000; ++i) *a.Append() = i;
  a.ShrinkToFit();
  EXPECT_EQ(kept, &a[123'456]);
  int expect = 0;
  for (int v : a) ASSERT_EQ(v, expect++);
  EXPECT_EQ(expect, 299'000);
}

TEST(ChunkedArray, RoomBoundsTheFirstChunk) {
  ChunkedArray<double> a(1000);
  a.Append(3);
  EXPECT_EQ(a.capacity(), 3u);
  a.Append(3);
  a.Append(3);
  a.Append(1);  // more than announced: the chunk widens
  EXPECT_EQ(a.size(), 4u);
  EXPECT_GE(a.capacity(), 4u);
  EXPECT_LE(a.capacity(), 1000u);
}

TEST(ChunkedArray, PopBackCopyMoveAndEquality) {
  ChunkedArray<std::string> a(2);
  for (int i = 0; i < 5; ++i) *a.Append() = std::string(20, static_cast<char>('a' + i));
  a.pop_back();
  a.pop_back();
  EXPECT_EQ(a.size(), 3u);
  EXPECT_EQ(a.capacity(), 4u);
  ChunkedArray<std::string> b = a;
  EXPECT_TRUE(a == b);
  b[1] = "x";
  EXPECT_FALSE(a == b);
  ChunkedArray<std::string> c = std::move(b);
  EXPECT_TRUE(b.empty());
  EXPECT_EQ(c[1], "x");
  c.clear();
  EXPECT_TRUE(c.empty());
  EXPECT_EQ(c.capacity(), 0u);
}

}  // namespace
}  // namespace quintaro
