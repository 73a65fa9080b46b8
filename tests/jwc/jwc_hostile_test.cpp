// Damaged and hostile drawings: no crash, bounded memory, and a partial
// load that keeps exactly the records read completely.
#include <gtest/gtest.h>

#include <random>

#include "formats/jwc/jwc_data.h"
#include "formats/jwc/jwc_records.h"
#include "jwc_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::JwcFile;

JwcFile Sample() {
  JwcFile f;
  f.values2 = test::JwcLine2(3, 2, 2, 2, 1, 4, 518);
  f.values4 = test::JwcLine4("6000:0000", "6000:0007");
  for (int i = 0; i < 3; ++i) JwcFile::AddLine(f.lines, i, 1, 2, 3, 1, 1, 0x10);
  for (int i = 0; i < 2; ++i) JwcFile::AddArc(f.arcs, i, 0, 5, 10000, 0, 0, 0, 1, 2, 0x20);
  JwcFile::AddText(f.texts, 0, 0, 1, 1, 0, 0x6000, 1, 0x30, 0);
  JwcFile::AddText(f.texts, 0, 0, 1, 1, 4, 0x6000, 2, 0x31, 0);
  f.textBlock = std::string("one\0two", 7);
  for (int i = 0; i < 2; ++i) JwcFile::AddPoint(f.points, i, i, 0x40, 3);
  f.layerNames[5] = "five";
  f.groupNames[1] = "g1";
  f.groupScale.fill(100);
  return f;
}

// Records of `part` are a prefix of those of `full`.
template <typename T, typename A>
void ExpectPrefix(const std::vector<T, A>& part, const std::vector<T, A>& full) {
  ASSERT_LE(part.size(), full.size());
  for (std::size_t i = 0; i < part.size(); ++i) EXPECT_TRUE(part[i] == full[i]) << i;
}

// The drawing as a reread of its saved file holds it.
TJwcData AsWritten(TJwcData d) {
  for (auto& s : d.lines) s = WrittenForm(s);
  for (auto& a : d.arcs) a = WrittenForm(a);
  for (auto& p : d.points) p = WrittenForm(p);
  for (auto& s : std::span(d.textStyles).first(TJwcData::kFileTextStyles)) s = WrittenForm(s);
  return d;
}

TEST(JwcHostile, TruncationAtEveryByteKeepsCompleteRecords) {
  auto bytes = Sample().Build();
  TJwcData full;
  ASSERT_TRUE(full.LoadFromBytes(bytes));
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    SCOPED_TRACE(n);
    TJwcData d;
    ASSERT_FALSE(d.LoadFromBytes(std::span(bytes).first(n)));
    EXPECT_FALSE(d.loadReport.complete);
    EXPECT_LE(d.loadReport.failOffset, n);
    EXPECT_FALSE(d.loadReport.reason.empty());
    ExpectPrefix(d.lines, full.lines);
    ExpectPrefix(d.arcs, full.arcs);
    ASSERT_LE(d.texts.size(), full.texts.size());
    for (std::size_t i = 0; i < d.texts.size(); ++i) {
      TEntJwcMoji2 t = d.texts[i];
      if (t.text.empty()) t.text = full.texts[i].text;  // the block may not have been read
      EXPECT_TRUE(t == full.texts[i]);
    }
    ExpectPrefix(d.points, full.points);
    for (double s : {d.GroupScaleFactor(0), d.PublishLayers()[0].scale}) {
      EXPECT_TRUE(s == 1.0 || s == 0.01);
    }
  }
}

TEST(JwcHostile, ReasonNamesTheSectionAndRecord) {
  auto bytes = Sample().Build();
  std::size_t arcs = 2357 + 64 + 3 * 22;
  TJwcData d;
  EXPECT_FALSE(d.LoadFromBytes(std::span(bytes).first(arcs + 32 + 10)));
  EXPECT_EQ(d.loadReport.reason, "unexpected end of file in the arc section (arc 2 of 2)");
  EXPECT_GE(d.loadReport.failOffset, arcs + 32);  // inside the second arc
  EXPECT_LE(d.loadReport.failOffset, arcs + 42);
  EXPECT_EQ(d.lines.size(), 3u);
  EXPECT_EQ(d.arcs.size(), 1u);
  EXPECT_FALSE(d.LoadFromBytes(std::span(bytes).first(1000)));
  EXPECT_EQ(d.loadReport.reason, "unexpected end of file in the point slot table");
  EXPECT_FALSE(d.LoadFromBytes(std::span(bytes).first(500)));
  EXPECT_EQ(d.loadReport.reason, "unexpected end of file in the header line 3");
}

TEST(JwcHostile, StreamedFileStopsWhereMemoryStops) {
  auto bytes = Sample().Build();
  bytes.resize(bytes.size() - 300);
  test::TempDir dir;
  test::WriteAll(dir.File("cut.jwc"), bytes);
  TJwcData fromFile, fromMemory;
  EXPECT_FALSE(fromFile.LoadFromFile(dir.File("cut.jwc")));
  EXPECT_FALSE(fromMemory.LoadFromBytes(bytes));
  EXPECT_TRUE(fromFile == fromMemory);
  EXPECT_EQ(fromFile.loadReport.reason, fromMemory.loadReport.reason);
  EXPECT_EQ(fromFile.loadReport.reason, "unexpected end of file in the layer names");
}

TEST(JwcHostile, HugeCountsReserveOnlyWhatTheFileHolds) {
  for (const char* which : {"lines", "arcs", "texts", "points"}) {
    SCOPED_TRACE(which);
    JwcFile f;
    std::string big = "2000000000";
    std::string w = which;
    f.values2 = big + ",0,0,0";
    if (w == "arcs") f.values2 = "0," + big + ",0,0";
    if (w == "texts") f.values2 = "0,0," + big + ",0";
    if (w == "points") f.values2 = "0,0,0," + big;
    auto bytes = f.Build();
    std::size_t left = bytes.size() - (2357 + 64);
    TJwcData d;
    EXPECT_FALSE(d.LoadFromBytes(bytes));
    EXPECT_LE(d.lines.capacity(), left / 22);
    EXPECT_LE(d.arcs.capacity(), left / 32);
    EXPECT_LE(d.texts.capacity(), left / 24);
    EXPECT_LE(d.points.capacity(), left / 12);
    EXPECT_NE(d.loadReport.reason.find("of 2000000000)"), std::string::npos);
  }
}

TEST(JwcHostile, ImpossibleTextBlockAndNegativeCounts) {
  JwcFile f;
  f.values2 = "-5,-1,0,-2147483648";
  f.values4 = test::JwcLine4("0000:0000", "FFFF:FFFF");  // a megabyte of text announced
  TJwcData d;
  EXPECT_FALSE(d.LoadFromBytes(f.Build()));
  EXPECT_EQ(d.loadReport.reason, "unexpected end of file in the text block");
  EXPECT_EQ(d.loadReport.notes.size(), 3u);
  EXPECT_EQ(d.header.lineCount, 0);

  f.values4 = test::JwcLine4("6000:0010", "6000:0000");  // end before start: no block
  EXPECT_TRUE(d.LoadFromBytes(f.Build()));
}

TEST(JwcHostile, ShortFileStillPublishesUsableLayers) {
  auto bytes = Sample().Build();
  TJwcData d;
  EXPECT_FALSE(d.LoadFromBytes(std::span(bytes).first(450)));
  EXPECT_EQ(d.header.lineCount, 3);  // line 2 was read
  EXPECT_TRUE(d.headerLines[2].empty());
  PublishedLayers p = d.PublishLayers();
  for (const auto& l : p) EXPECT_EQ(l.scale, 1.0);
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(out));  // what was read can still be written
  TJwcData again;
  EXPECT_TRUE(again.LoadFromBytes(out));
}

TEST(JwcHostile, MutatedFilesLoadOrStopAndCompleteOnesRoundTrip) {
  auto base = Sample().Build();
  std::mt19937 rng(12345);
  int complete = 0;
  for (int iter = 0; iter < 3000; ++iter) {
    auto bytes = base;
    int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
      std::size_t at = rng() % bytes.size();
      // Bias towards the header lines and fixed tables, where values steer the reader.
      if (rng() % 2) at = rng() % 2500;
      bytes[at] = static_cast<std::uint8_t>(rng() % 4 ? rng() : ",0$-.f9"[rng() % 7]);
    }
    if (rng() % 4 == 0) bytes.resize(rng() % bytes.size());
    TJwcData d;
    if (!d.LoadFromBytes(bytes)) continue;
    ++complete;
    std::vector<std::uint8_t> once, twice;
    if (!d.SaveToBytes(once)) continue;
    TJwcData again;
    ASSERT_TRUE(again.LoadFromBytes(once)) << iter << ": " << again.loadReport.reason;
    ASSERT_TRUE(again == AsWritten(d)) << iter;
    ASSERT_TRUE(again.SaveToBytes(twice));
    ASSERT_EQ(once, twice) << iter;
  }
  EXPECT_GT(complete, 300);
}

}  // namespace
}  // namespace quintaro
