// The writer: repairs, renumbering, versions, atomic saves.
#include <gtest/gtest.h>

#include <filesystem>

#include "formats/jww/jww_data.h"
#include "jww/jww_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::BaseAttrs;
using test::HeaderSpec;
using test::JwwBuilder;

BaseAttrs Attrs(std::uint8_t style, std::uint16_t color, std::uint16_t group = 0,
                std::uint16_t layer = 0) {
  BaseAttrs s;
  s.penStyle = style;
  s.penColor = color;
  s.layerGroup = group;
  s.layer = layer;
  return s;
}

TJwwData Load(const std::vector<std::uint8_t>& bytes) {
  TJwwData d;
  EXPECT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
  return d;
}

TJwwData SaveAndLoad(TJwwData& d, std::int32_t version) {
  std::vector<std::uint8_t> out;
  EXPECT_TRUE(d.SaveToBytes(version, out)) << d.saveError;
  return Load(out);
}

TEST(JwwWriter, BaseBlockRepairs) {
  JwwBuilder b(351);
  b.Header().Count(7);
  b.Line(Attrs(1, 2, 3, 20), 0, 0, 1, 1);  // layer 20 -> 0
  b.Line(Attrs(1, 105), 0, 0, 1, 1);       // extended colour 105 -> 4 below 420
  b.Line(Attrs(33, 2), 0, 0, 1, 1);        // extended line type 33 -> 3 below 420
  b.Line(Attrs(10, 2), 0, 0, 1, 1);        // line type 10 -> replacement 0
  b.Point(Attrs(5, 2), 0, 0);              // point line type 5 -> 1
  b.Text(Attrs(12, 400), 0, 0, "f", "t");  // text line type 12 -> 1, colour 400 -> 0
  b.Solid(Attrs(1, 10), 0x00FF00);         // solid colour 10 kept with its RGB
  b.Count(0);
  TJwwData d = Load(b.Bytes());
  d.Sen[0].Base.PenWidth = 40000;
  TJwwData e = SaveAndLoad(d, 351);
  EXPECT_EQ(V(e.Sen[0].Base.Layer), 0);
  EXPECT_EQ(V(e.Sen[0].Base.LayerGroup), 3);
  EXPECT_EQ(V(e.Sen[0].Base.PenWidth), 0);
  EXPECT_EQ(e.Sen[1].Base.PenColor, 4);
  EXPECT_EQ(e.Sen[2].Base.PenStyle, 3);
  EXPECT_EQ(e.Sen[3].Base.PenStyle, 0);
  EXPECT_EQ(e.Ten[0].Base.PenStyle, 1);
  EXPECT_EQ(e.Moji[0].Base.PenStyle, 1);
  EXPECT_EQ(V(e.Moji[0].Base.PenColor), 0);
  EXPECT_EQ(V(e.Solid[0].Base.PenColor), 10);
  EXPECT_EQ(V(e.Solid[0].Color), 0x00FF00);
  // Each rule noted once per figure it repaired.
  auto log = [](std::vector<const char*> kinds) {
    std::vector<Repair> items;
    for (const char* k : kinds) items.push_back({k, 1});
    return items;
  };
  const char* const kLayer = "layer above 15 written as 0";
  const char* const kWidth = "pen width above 30000 written as 0";
  const char* const kLineType = "unknown line type of a line or arc written as 0";
  const char* const kPoint = "unknown style of a point written as 1";
  const char* const kText = "unknown line type of a text written as 1";
  const char* const kColour = "unknown colour written as 0";
  EXPECT_EQ(d.SaveRepairs().Items(),
            log({kLayer, kWidth, "extended line type written as a standard one (version below 420)",
                 "extended colour written as a standard one (version below 420)", kLineType, kPoint,
                 kText, kColour}));
  // From version 420 on the extended values are kept.
  TJwwData f = SaveAndLoad(d, 600);
  EXPECT_EQ(f.Sen[1].Base.PenColor, 105);
  EXPECT_EQ(f.Sen[2].Base.PenStyle, 33);
  EXPECT_EQ(d.SaveRepairs().Items(), log({kLayer, kWidth, kLineType, kPoint, kText, kColour}));
}

// Strings the reader changed make the save differ from the file: told too.
TEST(JwwWriter, StringsChangedWhenReadAreTold) {
  JwwBuilder b(600);
  b.Header().Count(3);
  b.Text(Attrs(1, 1), 0, 0, "f", "a\tb");
  b.Text(Attrs(1, 1), 0, 0, "f", std::string(300, 'x'));
  b.Text(Attrs(1, 1), 0, 0, "f", "plain");
  b.Count(0);
  TJwwData d = Load(b.Bytes());
  SaveAndLoad(d, 600);
  EXPECT_EQ(d.SaveRepairs().Items(),
            (std::vector<Repair>{{"control characters removed from a string when read", 1},
                                 {"text longer than 255 characters cut when read", 1}}));
}

TEST(JwwWriter, HeaderRepairs) {
  JwwBuilder b(600);
  HeaderSpec h;
  h.screenWidth = 0;
  h.printerWidth = 600;
  h.pointRadius = 0.05;
  b.Header(h).Count(0).Count(0);
  TJwwData d = Load(b.Bytes());
  d.Pens[0].PrinterColor = 0x123456;
  d.Pens[2].ScreenColor = 0x1000000;
  d.Pens[3].PrinterPointRadius = 11;
  d.Header.MaxDrawWidth = -200;
  TJwwData e = SaveAndLoad(d, 600);
  EXPECT_EQ(e.Pens[1].ScreenWidth, 1);
  EXPECT_EQ(e.Pens[1].PrinterWidth, 500);
  EXPECT_DOUBLE_EQ(e.Pens[1].PrinterPointRadius, 0.1);
  EXPECT_EQ(e.Pens[3].PrinterPointRadius, 10.0);
  EXPECT_EQ(e.Pens[0].PrinterColor, 0xFFFFFF);
  EXPECT_EQ(e.Pens[2].ScreenColor, 0);
  EXPECT_EQ(e.Header.MaxDrawWidth, -200);  // kept above version 420
  EXPECT_EQ(d.SaveRepairs().Items(),
            (std::vector<Repair>{{"screen pen width outside 1..16 written as the nearest", 10},
                                 {"screen pen colour out of range written as 0", 1},
                                 {"printer colour of pen 0 written as white", 1},
                                 {"printer pen width outside 1..500 written as the nearest", 10},
                                 {"point radius outside 0.1..10 written as the nearest", 10}}));
  TJwwData f = SaveAndLoad(d, 351);
  EXPECT_EQ(f.Header.MaxDrawWidth, -101);
  EXPECT_EQ(d.SaveRepairs().Items()[0].what, "maximum draw width below -101 written as -101");
}

TEST(JwwWriter, EleventhSwitchTens) {
  JwwBuilder b(600);
  HeaderSpec h;
  h.switch11 = 3;  // units 3, tens 0
  b.Header(h).Count(0).Count(0);
  TJwwData d = Load(b.Bytes());
  EXPECT_EQ(d.Header.Switch11Units, 3);
  EXPECT_EQ(d.Header.Switch11Tens, 0);
  TJwwData e = SaveAndLoad(d, 600);  // tens 0 -> written as 10
  EXPECT_EQ(e.Header.Switch11Units, 3);
  EXPECT_EQ(e.Header.Switch11Tens, 1);
  EXPECT_EQ(d.SaveRepairs().Items().size(), 1u);
  d.Header.Switch11Tens = 4;
  EXPECT_EQ(SaveAndLoad(d, 600).Header.Switch11Tens, 4);
  EXPECT_EQ(SaveAndLoad(d, 420).Header.Switch11Tens, 4);  // kept below 600 too
  EXPECT_TRUE(d.SaveRepairs().Empty());
}

TEST(JwwWriter, VersionsTheWriterCanWriteReadBack) {
  QUINTARO_NEEDS_SAMPLES();
  // Every version step, including 231..299 whose shadow block the text had
  // written 16 bytes short.
  for (int v : {220, 223, 225, 230, 231, 250, 299, 300, 350, 351, 419, 420, 599, 600, 699, 700}) {
    SCOPED_TRACE(v);
    TJwwData d;
    ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jww/dist_test3.jww")));
    std::vector<std::uint8_t> b1, b2;
    ASSERT_TRUE(d.SaveToBytes(v, b1));
    TJwwData e;
    ASSERT_TRUE(e.LoadFromBytes(b1)) << e.loadReport.reason;
    EXPECT_EQ(e.Header.Version, v);
    EXPECT_EQ(e.TotalCount(), d.TotalCount());
    EXPECT_EQ(e.Moji.size(), d.Moji.size());
    EXPECT_EQ(e.Moji[5].Text, d.Moji[5].Text);
    ASSERT_TRUE(e.SaveToBytes(v, b2));
    EXPECT_EQ(b1, b2);
  }
}

// Definitions 5, 7, 9 of which only 7 and 9 are placed, a second
// definition 7, and a placement of 4 that matches none.
JwwBuilder BlocksFile() {
  JwwBuilder b(600);
  b.Header().Count(3);
  for (int n : {7, 9, 4}) b.Insert(Attrs(1, 1), 0, 0, 1, 1, 0, n);
  b.Count(4);
  b.DefHead(5, "five").Count(1).Line(Attrs(1, 1), 0, 0, 5, 5);
  b.DefHead(7, "seven").Count(1).Line(Attrs(1, 1), 0, 0, 7, 7);
  b.DefHead(9, "nine", 0xFFFFFFFFu).Count(1).Line(Attrs(1, 1), 0, 0, 9, 9);
  b.DefHead(7, "second seven").Count(0);
  return b;
}

TEST(JwwWriter, KeepsEveryBlockDefinitionWithItsNumber) {
  JwwBuilder b = BlocksFile();
  TJwwData d = Load(b.Bytes());
  EXPECT_EQ(d.ReferencedBlockCount, 2);
  EXPECT_EQ(d.BlockDefs[0].UseIndex, -1);
  EXPECT_EQ(d.BlockDefs[2].UseIndex, 1);
  EXPECT_EQ(d.BlockDefs[3].InUse, 0);  // the first definition with a number wins
  EXPECT_EQ(d.BlockTree[0].Name.bytes, "seven");
  EXPECT_EQ(d.BlockTree[2].DefIndex, -1);
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  EXPECT_EQ(out, b.Bytes());
  EXPECT_TRUE(d.SaveRepairs().Empty());
}

TEST(JwwWriter, NumbersBlocksFromScratch) {
  TJwwData d = Load(BlocksFile().Bytes());
  d.NumberBlocksFromScratch();
  std::vector<std::int32_t> defs, placed;
  for (const auto& def : d.BlockDefs) defs.push_back(def.Number);
  for (const auto& ins : d.Block) placed.push_back(std::int32_t{ins.Number});  // packed: copy
  EXPECT_EQ(defs, (std::vector<std::int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(placed, (std::vector<std::int32_t>{1, 2, 4}));  // 4: no definition
  EXPECT_EQ(d.BlockTree[1].Name.bytes, "nine");
  EXPECT_EQ(d.BlockTree[2].DefIndex, -1);
}

TEST(JwwWriter, BytesAfterTheLastSectionAreKept) {
  for (int v : {600, 700}) {
    JwwBuilder b(v);
    b.Header().Count(0).Count(0);
    if (v > 699) b.ImageCount(0);
    b.B().Str("tail");
    TJwwData d = Load(b.Bytes());
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(d.SaveToBytes(v, out));
    EXPECT_EQ(out, b.Bytes()) << v;
  }
}

TEST(JwwWriter, PartialLoadSavesWhatItHas) {
  QUINTARO_NEEDS_SAMPLES();
  auto bytes = test::ReadAll(test::SamplePath("jww/dist_sample.jww"));
  bytes.resize(bytes.size() * 2 / 3);
  TJwwData d;
  ASSERT_FALSE(d.LoadFromBytes(bytes));
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out)) << d.saveError;
  TJwwData e;
  ASSERT_TRUE(e.LoadFromBytes(out)) << e.loadReport.reason;
  EXPECT_EQ(e.TotalCount(), d.TotalCount());
  EXPECT_EQ(static_cast<std::size_t>(e.EntityCount), d.TotalCount());
}

TEST(JwwWriter, SaveOfAnEmptyContainerIsRefused) {
  TJwwData d;
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(d.SaveToBytes(600, out));
  EXPECT_FALSE(d.saveError.empty());
}

TEST(JwwWriter, FailedSaveLeavesTheTargetUntouched) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  std::string target = dir.File("target.jww");
  test::WriteAll(target, {1, 2, 3});
  TJwwData d;
  ASSERT_TRUE(d.LoadFromFile(test::SamplePath("jww/dist_test5.jww")));
  // An order entry that names no entity makes the writer stop after the
  // header has been written.
  const std::int32_t kept = d.EntityOrder.back().index;
  d.EntityOrder.back().index = 1000000;
  EXPECT_FALSE(d.SaveToFile(target, 600));
  EXPECT_FALSE(d.saveError.empty());
  EXPECT_EQ(test::ReadAll(target), (std::vector<std::uint8_t>{1, 2, 3}));
  // no temporary file left beside it
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.Path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
  // a folder that does not exist: false, nothing created
  EXPECT_FALSE(d.SaveToFile(dir.File("missing/x.jww"), 600));
  // and a good save replaces the target
  d.EntityOrder.back().index = kept;
  EXPECT_TRUE(d.SaveToFile(target, 600)) << d.saveError;
  TJwwData e;
  EXPECT_TRUE(e.LoadFromFile(target));
}

TEST(JwwWriter, DimensionsKeepTheirPartsAcrossVersions) {
  JwwBuilder b(420);
  BaseAttrs pb = Attrs(100, 2, 4, 5);
  b.Header().Count(1).Dimension(Attrs(1, 2, 2, 3), 1, pb).Count(0);
  TJwwData d = Load(b.Bytes());
  TJwwData e = SaveAndLoad(d, 600);
  EXPECT_TRUE(e.Sunpo == d.Sunpo);
  TJwwData f = SaveAndLoad(d, 351);  // no SXF part: copies of the base
  EXPECT_EQ(f.Sunpo[0].SxfMode, 0);
  EXPECT_EQ(V(f.Sunpo[0].Points[0].Base.LayerGroup), 2);
  EXPECT_EQ(V(f.Sunpo[0].Line.EndX), 100.0);
}

}  // namespace
}  // namespace quintaro
