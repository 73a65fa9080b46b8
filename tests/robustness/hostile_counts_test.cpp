// Counts and lengths that announce far more than the file holds: each file
// opens as far as it goes, says where it stopped, and the heap stays within
// HeapBound of the file's size.
#include <gtest/gtest.h>

#include <functional>

#include "hostile_open.h"
#include "jwc/jwc_builder.h"
#include "jwk/jwk_builder.h"
#include "jww/jww_builder.h"

namespace quintaro {
namespace {

using test::BaseAttrs;
using test::JwwBuilder;

constexpr std::uint32_t kAll = 0xFFFFFFFFu;
constexpr std::uint32_t k2g = 0x80000000u;

struct Case {
  const char* what;
  const char* name;
  std::vector<std::uint8_t> bytes;
  std::int64_t linesKept;  // lines read before the hostile value (at least)
  const char* problem;     // part of the reason the open names
};

std::vector<std::uint8_t> Jww(int version, const std::function<void(JwwBuilder&)>& body) {
  JwwBuilder b(version);
  b.Header();
  body(b);
  return b.Bytes();
}

// A JWS header (452 bytes) followed by the lists.
std::vector<std::uint8_t> Jws(const std::function<void(JwwBuilder&)>& body) {
  JwwBuilder b(600);
  b.B().Str("JwsData").Fill('.', 193).I32(600).F64(0).F64(0);
  for (int g = 0; g < 16; ++g) b.B().F64(100);
  b.B().Zeros(6 * 4 + 10 * 8);
  body(b);
  return b.Bytes();
}

std::vector<std::uint8_t> JwcWith(const std::string& values2, const std::string& values4) {
  test::JwcFile f;
  f.values2 = values2;
  f.values4 = values4;
  test::JwcFile::AddLine(f.lines, 0, 0, 1, 1, 1, 1, 0);
  return f.Build();
}

std::vector<std::uint8_t> JwkWith(const std::string& values) {
  test::JwkFile f;
  f.values = values;
  f.lines.F32(0).F32(0).F32(1).F32(1).U8(1).U8(1).U8(0).U8(0).U8(0).U8(0);
  return f.Build();
}

std::vector<Case> Cases() {
  BaseAttrs s;
  std::string line4 = test::JwcLine4("6000:0000", "6000:0000");
  return {
      {"JWW entity count 0xFFFFFFFF", "a.jww",
       Jww(600, [](JwwBuilder& b) { b.Count(kAll).B().Zeros(40); }), 0, "at byte"},
      {"JWW entity count 2^31 after one line", "b.jww",
       Jww(600, [&](JwwBuilder& b) { b.Count(k2g).Line(s, 0, 0, 1, 1).B().Zeros(8); }), 1,
       "at byte"},
      {"JWW block definition count 0xFFFFFFFF", "c.jww",
       Jww(600, [&](JwwBuilder& b) { b.Count(1).Line(s, 0, 0, 1, 1).Count(kAll).B().Zeros(30); }),
       1, "at byte"},
      {"JWW definition with 2^31 entities", "d.jww",
       Jww(600,
           [&](JwwBuilder& b) {
             b.Count(0).Count(1).DefHead(1, "x").Count(k2g).Line(s, 0, 0, 1, 1);
           }),
       0, "at byte"},
      {"JWW image count 0xFFFFFFFF", "e.jww",
       Jww(700, [](JwwBuilder& b) { b.Count(0).Count(0).ImageCount(kAll).B().Zeros(12); }), 0,
       "carried-image"},
      {"JWW image of 2^31 - 1 bytes", "f.jww",
       Jww(700,
           [](JwwBuilder& b) {
             b.Count(0).Count(0).ImageCount(1).Str("big.gz").B().I32(0x7FFFFFFF).Str("abc");
           }),
       0, "carried-image"},
      {"JWW memo of 0xFFFFFFFE bytes", "g.jww",
       [] {
         JwwBuilder b(600);
         b.B().Str("JwwData.").I32(600).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFEu).Zeros(10);
         return b.Bytes();
       }(),
       0, "at byte"},
      {"JWW text of 2^31 UTF-16 units", "h.jww",
       Jww(600,
           [&](JwwBuilder& b) {
             b.Count(2).Line(s, 0, 0, 1, 1).Tag("CDataMoji").TextFixed(s, 0, 0).Str("font");
             b.B().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(k2g).Str("xy");
           }),
       1, "at byte"},
      {"JWS entity count 0xFFFFFFFF", "i.jws",
       Jws([](JwwBuilder& b) { b.Count(kAll).B().Zeros(20); }), 0, "at byte"},
      {"JWS definition count 2^31", "j.jws",
       Jws([&](JwwBuilder& b) { b.Count(1).Line(s, 0, 0, 1, 1).Count(k2g).B().Zeros(20); }), 1,
       "at byte"},
      {"JWC line count 2^31 - 1", "k.jwc", JwcWith(test::JwcLine2(2147483647, 0, 0, 0), line4), 1,
       "line"},
      {"JWC text count and a text block past the end", "l.jwc",
       JwcWith(test::JwcLine2(1, 0, 2147483647, 0), test::JwcLine4("6000:0000", "FFFF:FFFF")), 1,
       "at byte"},
      {"JWK point count 2^31 - 1", "m.jwk", JwkWith("1,0,2147483647,0,0,0,1,0,1"), 1, "point"},
      {"JWK text block of 2^31 - 1 bytes", "n.jwk", JwkWith("1,0,0,0,0,0,1,2147483647,1"), 1,
       "text block"},
  };
}

TEST(HostileCounts, OpenAsFarAsTheyGoWithinBoundedMemory) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    test::HostileOpen h;
    ASSERT_EQ(h.Open(c.bytes, c.name), OpenResult::kPartial);
    EXPECT_FALSE(h.doc.Complete());
    EXPECT_NE(h.doc.LoadProblem().find(c.problem), std::string::npos) << h.doc.LoadProblem();
    EXPECT_NE(h.doc.LoadProblem().find("(at byte "), std::string::npos);
    EntityCounts n = h.doc.Counts();
    EXPECT_GE(n.lines, c.linesKept);
    EXPECT_LE(h.heapPeak, test::HeapBound(c.bytes.size()))
        << "file of " << c.bytes.size() << " bytes";
    // What was read is usable: measured and counted by group.
    h.doc.Extents();
    std::int64_t groups = 0;
    for (int g = 0; g < 16; ++g) groups += h.doc.GroupTotal(g);
    EXPECT_GE(groups, n.lines);
  }
}

}  // namespace
}  // namespace quintaro
