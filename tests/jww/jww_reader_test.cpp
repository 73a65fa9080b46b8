// Reader edge cases, on files built byte by byte.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "formats/jww/jww_data.h"
#include "jww/jww_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::BaseAttrs;
using test::HeaderSpec;
using test::JwwBuilder;

BaseAttrs Base(std::uint16_t group, std::uint16_t layer, std::uint16_t width = 0) {
  BaseAttrs s;
  s.layerGroup = group;
  s.layer = layer;
  s.penWidth = width;
  s.penColor = 2;
  s.curveAttr = 7;
  s.flags = 0x1234;
  return s;
}

// A whole file: header, the given main list, no definitions, and the image
// count when the version needs it.
std::vector<std::uint8_t> Finish(JwwBuilder& b, std::uint32_t defs = 0) {
  if (defs == 0) b.Count(0);
  if (b.Version() > 699) b.ImageCount(0);
  return b.Bytes();
}

TEST(JwwReader, MinimalFilesOfEveryVersionStepLoadComplete) {
  for (int v : {220, 223, 225, 230, 231, 250, 300, 350, 351, 420, 600, 700}) {
    SCOPED_TRACE(v);
    JwwBuilder b(v);
    HeaderSpec h;
    h.memo = "first\r\nsecond";
    h.drawTime = 3725;
    h.printScale = 50;
    b.Header(h).Count(1).Line(Base(1, 2), 1, 2, 3, 4);
    auto bytes = Finish(b);
    TJwwData d;
    ASSERT_TRUE(d.LoadFromBytes(bytes, "x.jww")) << d.loadReport.reason;
    EXPECT_TRUE(d.loadReport.complete);
    EXPECT_EQ(d.Header.Version, v);
    ASSERT_EQ(d.Sen.size(), 1u);
    EXPECT_EQ(V(d.Sen[0].EndY), 4.0);
    EXPECT_EQ(d.LayerGroups[3].Scale, 100.0);
    EXPECT_EQ(V(d.Header.PrintScale), 50.0);
    EXPECT_EQ(d.macros.fileName, "x.jww");
    EXPECT_EQ(d.macros.memo1, "first");
    EXPECT_EQ(d.macros.memo2, "second");
    EXPECT_EQ(d.macros.printScale, 50.0);
    EXPECT_EQ(d.macros.drawTime, v > 222 ? "1 : 02" : "0 : 00");
    EXPECT_EQ(d.Header.Switch11Units, 1);
    EXPECT_EQ(d.Header.Switch11Tens, 1);
    // jumps 5..8 keep their defaults in the short form
    EXPECT_EQ(d.Header.ZoomJumps[6].LayerGroup, -1);
    EXPECT_EQ(V(d.Header.ZoomJumps[6].Scale), 1.0);
  }
}

TEST(JwwReader, VersionBelow220IsRefused) {
  JwwBuilder b(219);
  b.Header().Count(0);
  TJwwData d;
  EXPECT_FALSE(d.LoadFromBytes(b.Bytes()));
  EXPECT_FALSE(d.loadReport.complete);
  EXPECT_EQ(d.Header.Version, 219);
  EXPECT_NE(d.loadReport.reason.find("219"), std::string::npos);
}

TEST(JwwReader, Version350HasNoPenWidthAnd351Has) {
  for (int v : {350, 351}) {
    JwwBuilder b(v);
    b.Header().Count(6);
    b.Line(Base(1, 2, 55), 1, 2, 3, 4);
    b.Arc(Base(3, 4, 55), 10, 20, 5, 0.5, 1.0, false);
    BaseAttrs p = Base(5, 6, 55);
    p.penStyle = 100;
    b.Point(p, 7, 8, 1, 42, 0.25, 3.0);
    b.Text(Base(7, 8, 55), 1, 1, "font", "text");
    BaseAttrs sc = Base(9, 10, 55);
    sc.penColor = 10;
    b.Solid(sc, 0x123456);
    b.Insert(Base(11, 12, 55), 5, 6, 2, 3, 0.5, 9);
    auto bytes = Finish(b);
    TJwwData d;
    ASSERT_TRUE(d.LoadFromBytes(bytes)) << v << " " << d.loadReport.reason;
    std::uint16_t w = v > 350 ? 55 : 0;
    EXPECT_EQ(V(d.Sen[0].Base.PenWidth), w);
    EXPECT_EQ(V(d.Sen[0].Base.LayerGroup), 1);
    EXPECT_EQ(V(d.Sen[0].Base.Layer), 2);
    EXPECT_EQ(V(d.Sen[0].Base.Flags), 0x1234);
    EXPECT_EQ(d.Sen[0].Base.CurveAttr, 7u);
    EXPECT_EQ(V(d.Sen[0].StartY), 2.0);
    EXPECT_EQ(V(d.Enko[0].Base.PenWidth), w);
    EXPECT_EQ(V(d.Enko[0].Radius), 5.0);
    EXPECT_EQ(V(d.Enko[0].ArcAngle), 1.0);
    EXPECT_EQ(V(d.Ten[0].Base.PenWidth), w);
    EXPECT_EQ(V(d.Ten[0].Temporary), 1);
    EXPECT_EQ(V(d.Ten[0].Code), 42);
    EXPECT_EQ(V(d.Ten[0].Angle), 0.25);
    EXPECT_EQ(V(d.Ten[0].Scale), 3.0);
    EXPECT_EQ(V(d.Moji[0].Base.LayerGroup), 7);
    EXPECT_EQ(d.Moji[0].Text.bytes, "text");
    EXPECT_EQ(d.Moji[0].FontName.bytes, "font");
    EXPECT_EQ(V(d.Solid[0].Color), 0x123456);
    EXPECT_EQ(V(d.Solid[0].Y4), 7.0);
    EXPECT_EQ(V(d.Block[0].Number), 9);
    EXPECT_EQ(V(d.Block[0].ScaleY), 3.0);
    EXPECT_EQ(V(d.Block[0].Base.PenWidth), w);
    ASSERT_EQ(d.EntityOrder.size(), 6u);
    EXPECT_EQ(d.EntityOrder[4], (EntityOrderEntry{kEntSolid, 0}));
  }
}

TEST(JwwReader, PointAndSolidExtrasOnlyWithTheirMarks) {
  JwwBuilder b(600);
  b.Header().Count(2);
  b.Point(Base(0, 0), 1, 2);  // PenStyle 1: 35 bytes only
  b.Solid(Base(0, 0), 0);     // PenColor 2: 79 bytes only
  auto bytes = Finish(b);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  EXPECT_EQ(V(d.Ten[0].Code), 0);
  EXPECT_EQ(V(d.Ten[0].Angle), 0.0);
  EXPECT_EQ(V(d.Ten[0].Scale), 1.0);
  EXPECT_EQ(V(d.Solid[0].Color), 0);
}

TEST(JwwReader, DimensionsWithAndWithoutTheSxfPart) {
  for (int v : {351, 420}) {
    JwwBuilder b(v);
    BaseAttrs pb = Base(4, 5);
    pb.penStyle = 100;
    b.Header().Count(1).Dimension(Base(2, 3), 1, pb);
    auto bytes = Finish(b);
    TJwwData d;
    ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
    ASSERT_EQ(d.Sunpo.size(), 1u);
    const auto& dim = d.Sunpo[0];
    EXPECT_EQ(V(dim.Line.EndX), 100.0);
    EXPECT_EQ(dim.Text.Text.bytes, "100");
    if (v > 419) {
      EXPECT_EQ(dim.SxfMode, 1);
      EXPECT_EQ(dim.Aux2.StartX, 100.0);
      EXPECT_EQ(V(dim.Points[3].X), 3.0);
      EXPECT_EQ(dim.Points[3].Code, 7);
      EXPECT_EQ(V(dim.Points[3].Scale), 2.0);
      EXPECT_EQ(V(dim.Points[0].Base.LayerGroup), 4);
    } else {
      EXPECT_EQ(dim.SxfMode, 0);
      EXPECT_EQ(dim.Aux1.Base, dim.Base);
      EXPECT_EQ(V(dim.Aux1.EndY), 0.0);
      EXPECT_EQ(V(dim.Points[2].Base.LayerGroup), 2);
      EXPECT_EQ(dim.Points[2].Base.PenStyle, 0);
      EXPECT_EQ(V(dim.Points[2].Scale), 0.0);
    }
  }
}

TEST(JwwReader, ZeroCountReadsNoEntityAndGoesOnWithTheDefinitions) {
  JwwBuilder b(600);
  b.Header().Count(0).Count(1).DefHead(3, "blk").Count(1).Line(Base(0, 0), 0, 0, 1, 1);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes())) << d.loadReport.reason;
  EXPECT_EQ(d.TotalCount(), 0u);
  ASSERT_EQ(d.BlockDefs.size(), 1u);
  EXPECT_EQ(d.BlockDefs[0].Number, 3);
  EXPECT_EQ(d.BlockDefs[0].Sen.size(), 1u);
}

TEST(JwwReader, CountOf0xFFFFFollowedByAUint32) {
  JwwBuilder b(600);
  b.Header();
  std::size_t countAt = b.Size();
  b.Count(70000);
  for (int i = 0; i < 70000; ++i) b.Line(Base(0, 0), i, 0, i, 1);
  auto bytes = Finish(b);
  const std::uint8_t marker[6] = {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00};  // 0xFFFF, then 70000
  ASSERT_EQ(std::vector<std::uint8_t>(bytes.begin() + countAt, bytes.begin() + countAt + 6),
            std::vector<std::uint8_t>(marker, marker + 6));
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  EXPECT_EQ(d.EntityCount, 70000);
  ASSERT_EQ(d.Sen.size(), 70000u);
  EXPECT_EQ(d.Sen[69999].StartX, 69999.0);
  // and the writer uses the same form
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  TJwwData e;
  ASSERT_TRUE(e.LoadFromBytes(out));
  EXPECT_EQ(e.Sen.size(), 70000u);
}

TEST(JwwReader, ClassTagIndicesRunAcrossObjects) {
  // "CDataSen" takes index 1; two lines (objects 2 and 3); "CDataEnko" then
  // takes 4, so the second arc carries 0x8004.
  JwwBuilder b(600);
  b.Header();
  std::size_t listStart = b.Size();
  b.Count(4);
  b.Line(Base(0, 0), 0, 0, 1, 1).Line(Base(0, 0), 0, 0, 2, 2);
  b.Arc(Base(0, 0), 0, 0, 1, 0, 1, false).Arc(Base(0, 0), 0, 0, 2, 0, 1, false);
  EXPECT_EQ(b.ClassIndex("CDataSen"), 1u);
  EXPECT_EQ(b.ClassIndex("CDataEnko"), 4u);
  auto bytes = Finish(b);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  EXPECT_EQ(d.Sen.size(), 2u);
  EXPECT_EQ(d.Enko.size(), 2u);
  EXPECT_EQ(V(d.Enko[1].Radius), 2.0);
  // The writer produces the same tags: the file round-trips byte for byte
  // from the lists on.
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  std::vector<std::uint8_t> a(bytes.begin() + listStart, bytes.end());
  std::vector<std::uint8_t> c(out.end() - a.size(), out.end());
  EXPECT_EQ(a, c);
}

TEST(JwwReader, LongClassIndexForm0x7FFF) {
  // 39998 lines: "CDataSen" is 1, the lines take 2..39999, "CDataEnko" gets 40000.
  JwwBuilder b(600);
  const int n = 39998;
  b.Header().Count(n + 2);
  for (int i = 0; i < n; ++i) b.Line(Base(0, 0), i, 0, 0, 0);
  b.Arc(Base(0, 0), 0, 0, 1, 0, 1, true);
  ASSERT_EQ(b.ClassIndex("CDataEnko"), 40000u);
  std::size_t second = b.Size();
  b.Arc(Base(0, 0), 0, 0, 2, 0, 1, true);
  auto bytes = Finish(b);
  EXPECT_EQ(bytes[second], 0xFF);
  EXPECT_EQ(bytes[second + 1], 0x7F);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  EXPECT_EQ(d.Enko.size(), 2u);
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  // The second arc in the output is preceded by 0x7FFF and 0x80000000 | 40000.
  std::size_t arcPos = out.size() - 2 - 75;  // the last arc, then the definition count
  std::uint8_t expect[6] = {0xFF, 0x7F, 0x40, 0x9C, 0x00, 0x80};
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + arcPos - 6, out.begin() + arcPos),
            std::vector<std::uint8_t>(expect, expect + 6));
}

TEST(JwwReader, ObjectsOfUnknownClassesCountNothing) {
  JwwBuilder b(600);
  b.Header().Count(1);
  b.B().U16(0x0005);  // a reference to an earlier object: no class, no object
  b.Line(Base(0, 0), 0, 0, 1, 1);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(Finish(b))) << d.loadReport.reason;
  EXPECT_EQ(d.Sen.size(), 1u);
}

TEST(JwwReader, BlockDefinitionWithA64BitTimeStamp) {
  JwwBuilder b(600);
  b.Header().Count(0).Count(2);
  b.DefHead(1, "a", 1000).Count(0);
  b.DefHead(2, "b", 0xFFFFFFFFu).Count(0);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes())) << d.loadReport.reason;
  ASSERT_EQ(d.BlockDefs.size(), 2u);
  EXPECT_EQ(d.BlockDefs[0].TimeStamp, 1000);
  EXPECT_EQ(d.BlockDefs[1].TimeStamp, -1);  // the wide form: its 8 bytes kept
  EXPECT_EQ(d.BlockDefs[1].TimeStampWide, 0x01234567DEADBEEFu);
  EXPECT_EQ(d.BlockDefs[1].Name.bytes, "b");
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  EXPECT_EQ(out, b.Bytes());
}

// A file cut after every byte never crashes, and keeps exactly what was
// completely read.
TEST(JwwReader, TruncatedFilesKeepEveryCompleteEntity) {
  JwwBuilder b(600);
  b.Header().Count(5);
  b.Line(Base(0, 0), 0, 0, 1, 1).Text(Base(0, 0), 0, 0, "f", "hello").Line(Base(0, 0), 0, 0, 3, 3);
  b.Point(Base(0, 0), 1, 1).Insert(Base(0, 0), 0, 0, 1, 1, 0, 1);
  std::size_t listEnd = b.Size();
  b.Count(1).DefHead(1, "d").Count(2).Line(Base(0, 0), 0, 0, 1, 1).Line(Base(0, 0), 0, 0, 2, 2);
  auto full = b.Bytes();
  TJwwData whole;
  ASSERT_TRUE(whole.LoadFromBytes(full));
  std::size_t last = 0;
  for (std::size_t n = 0; n < full.size(); ++n) {
    std::vector<std::uint8_t> part(full.begin(), full.begin() + n);
    TJwwData d;
    ASSERT_FALSE(d.LoadFromBytes(part));
    EXPECT_FALSE(d.loadReport.complete);
    EXPECT_FALSE(d.loadReport.reason.empty());
    std::size_t filled = 0;
    for (const auto& o : d.EntityOrder) filled += o.kind != kEntNone;
    EXPECT_EQ(filled, d.TotalCount());
    EXPECT_GE(d.TotalCount(), last);  // more bytes never give fewer entities
    last = d.TotalCount();
    if (n == listEnd - 1) {
      // cut inside the insertion: the first four stay
      EXPECT_EQ(d.TotalCount(), 4u);
      EXPECT_EQ(d.Moji[0].Text.bytes, "hello");
      EXPECT_EQ(d.EntityCount, 5);
      ASSERT_EQ(d.EntityOrder.size(), 5u);
      EXPECT_EQ(d.EntityOrder[4].kind, kEntNone);
      EXPECT_NE(d.loadReport.reason.find("main entity list (entity 5 of 5)"), std::string::npos)
          << d.loadReport.reason;
      EXPECT_GE(d.loadReport.failOffset, listEnd - 59);
    }
  }
  // cut inside the second line of the definition
  std::vector<std::uint8_t> part(full.begin(), full.end() - 3);
  TJwwData d;
  ASSERT_FALSE(d.LoadFromBytes(part));
  ASSERT_EQ(d.BlockDefs.size(), 1u);
  EXPECT_EQ(d.BlockDefs[0].Sen.size(), 1u);
  EXPECT_EQ(d.BlockDefs[0].EntityOrder[1].kind, kEntNone);
  EXPECT_NE(d.loadReport.reason.find("definition 1 of 1, entity 2 of 2"), std::string::npos)
      << d.loadReport.reason;
  // the tree was still built
  EXPECT_EQ(d.BlockTree.size(), 1u);
}

TEST(JwwReader, PartialLoadOfASampleKeepsWhatWasRead) {
  QUINTARO_NEEDS_SAMPLES();
  auto bytes = test::ReadAll(test::SamplePath("jww/dist_test1.jww"));
  TJwwData whole;
  ASSERT_TRUE(whole.LoadFromBytes(bytes));
  std::vector<std::uint8_t> half(bytes.begin(), bytes.begin() + bytes.size() / 2);
  TJwwData d;
  ASSERT_FALSE(d.LoadFromBytes(half));
  EXPECT_GT(d.TotalCount(), 0u);
  EXPECT_LT(d.TotalCount(), whole.TotalCount());
  for (std::size_t i = 0; i < d.Sen.size(); ++i) ASSERT_TRUE(d.Sen[i] == whole.Sen[i]);
  // The order list is sized to the announced count, bounded by what the
  // rest of the file could hold (an entity takes at least 35 bytes).
  EXPECT_EQ(d.EntityCount, whole.EntityCount);
  EXPECT_GE(d.EntityOrder.size(), d.TotalCount());
  EXPECT_LE(d.EntityOrder.size(), (bytes.size() / 2) / 35);
}

TEST(JwwReader, HostileCountsFailQuicklyWithoutHugeReservations) {
  auto start = std::chrono::steady_clock::now();
  {
    JwwBuilder b(600);
    b.Header().Count(0xFFFFFFFFu);
    b.B().Zeros(40);
    TJwwData d;
    EXPECT_FALSE(d.LoadFromBytes(b.Bytes()));
    EXPECT_EQ(d.EntityCount, -1);  // announced 0xFFFFFFFF, kept as read
    EXPECT_LE(d.EntityOrder.capacity(), 2u);
  }
  {
    JwwBuilder b(600);
    b.Header().Count(0).Count(0xFFFFFFFFu);
    b.B().Zeros(100);
    TJwwData d;
    EXPECT_FALSE(d.LoadFromBytes(b.Bytes()));
    EXPECT_LE(d.BlockDefs.size(), 4u);
  }
  {
    // a definition announcing 0xFFFFFFFF entities
    JwwBuilder b(600);
    b.Header().Count(0).Count(1).DefHead(1, "x").Count(0xFFFFFFFFu).Line(Base(0, 0), 0, 0, 1, 1);
    TJwwData d;
    EXPECT_FALSE(d.LoadFromBytes(b.Bytes()));
    ASSERT_EQ(d.BlockDefs.size(), 1u);
    EXPECT_EQ(d.BlockDefs[0].Sen.size(), 1u);
    EXPECT_LE(d.BlockDefs[0].EntityOrder.capacity(), 2u);
  }
  {
    // an image count of 0xFFFFFFFF
    JwwBuilder b(700);
    b.Header().Count(0).Count(0).ImageCount(0xFFFFFFFFu);
    b.B().Zeros(12);
    BindImageStore store;
    TJwwData d;
    d.SetImageStore(&store);
    EXPECT_FALSE(d.LoadFromBytes(b.Bytes()));
    EXPECT_LE(store.list.capacity(), 3u);
  }
  {
    // a string that announces 0xFFFFFFFE bytes
    JwwBuilder b(600);
    b.B().Str("JwwData.").I32(600).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFEu).Zeros(10);
    TJwwData d;
    EXPECT_FALSE(d.LoadFromBytes(b.Bytes()));
    EXPECT_TRUE(d.Header.Memo.Empty());
  }
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  EXPECT_LT(ms, 1000);
}

TEST(JwwReader, LoadFromFileOfAMissingFileIsEmpty) {
  TJwwData d;
  EXPECT_FALSE(d.LoadFromFile("/nonexistent/x.jww"));
  EXPECT_EQ(d.TotalCount(), 0u);
  EXPECT_TRUE(d.Layers.empty());
  EXPECT_EQ(d.loadReport.reason, "cannot open the file");
  EXPECT_FALSE(TJwwData::IsJwwFile("/nonexistent/x.jww"));
}

TEST(JwwReader, IsJwwFileChecksTheMagic) {
  test::TempDir dir;
  test::WriteAll(dir.File("a"), {'J', 'w', 'w', 'D', 'a', 't', 'a', '.', 1});
  test::WriteAll(dir.File("b"), {'J', 'w', 'w', 'D', 'a', 't', 'a'});
  test::WriteAll(dir.File("c"), {'j', 'w', 'w', 'D', 'a', 't', 'a', '.'});
  EXPECT_TRUE(TJwwData::IsJwwFile(dir.File("a")));
  EXPECT_FALSE(TJwwData::IsJwwFile(dir.File("b")));
  EXPECT_FALSE(TJwwData::IsJwwFile(dir.File("c")));
}

TEST(JwwReader, PublishLayersStatesNamesAndScales) {
  JwwBuilder b(600);
  HeaderSpec h;
  h.groupState[1] = 0;
  h.groupState[2] = 1;
  h.layerState[3 * 16 + 4] = 0;
  h.layerState[3 * 16 + 5] = 1;
  h.groupScale[6] = 0;
  h.groupScale[7] = 50;
  h.layerNames[3 * 16 + 4] = "wall";
  h.groupNames[3] = "plan";
  b.Header(h).Count(0);
  auto bytes = Finish(b);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(bytes));
  PublishedLayers p = d.PublishLayers();
  EXPECT_EQ(p[1 * 16 + 0].state, 3);
  EXPECT_EQ(p[2 * 16 + 0].state, 2);
  EXPECT_EQ(p[3 * 16 + 4].state, 3);
  EXPECT_EQ(p[3 * 16 + 5].state, 2);
  EXPECT_EQ(p[3 * 16 + 6].state, 1);
  EXPECT_EQ(p[3 * 16 + 4].name.bytes, "wall");
  EXPECT_EQ(p[3 * 16 + 4].groupName.bytes, "plan");
  EXPECT_DOUBLE_EQ(p[0].scale, 0.01);
  EXPECT_EQ(p[6 * 16].scale, 1.0);
  EXPECT_DOUBLE_EQ(p[7 * 16 + 15].scale, 0.02);
  // an empty container still hands every layer over
  TJwwData empty;
  EXPECT_EQ(empty.PublishLayers()[255].scale, 1.0);
}

TEST(JwwReader, ResetAndClearEmptyEverything) {
  QUINTARO_NEEDS_SAMPLES();
  TJwwData d;
  ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jww/jdu_sample.jww")));
  d.SetSaveMode(3);
  EXPECT_EQ(d.SaveMode, 3);
  d.SetSaveMode(16);
  EXPECT_EQ(d.SaveMode, 0);
  d.ClearData();
  EXPECT_TRUE(d == TJwwData());
  EXPECT_EQ(V(d.Header.PrintScale), 1.0);
  EXPECT_EQ(d.Header.ZoomJumps[7].LayerGroup, -1);
}

}  // namespace
}  // namespace quintaro
