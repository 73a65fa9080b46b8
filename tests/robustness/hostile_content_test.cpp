// Files that are whole but built to mislead: a block cycle through four
// definitions, image names that try to leave the work folder, a JWC point
// slot count of 60000 and JWK text offsets beyond the text block. Each
// opens completely, with its repairs noted, and saves and reopens.
#include <gtest/gtest.h>

#include <filesystem>

#include "hostile_open.h"
#include "jwc/jwc_builder.h"
#include "jwk/jwk_builder.h"
#include "jww/jww_builder.h"
#include "support/containers.h"

namespace quintaro {
namespace {

namespace fs = std::filesystem;
using test::BaseAttrs;
using test::JwwBuilder;

// Every file below `root` except those below `except`, relative to root.
std::vector<std::string> FilesBelow(const std::string& root, const std::string& except) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.path().string().starts_with(except)) continue;
    if (!e.is_directory()) out.push_back(fs::relative(e.path(), root).string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

// Saves the open drawing beside the input and opens the result.
void ExpectSavesAndReopens(test::HostileOpen& h, const std::string& name) {
  ASSERT_EQ(h.doc.Save(h.dir.File(name)).error, "");
  Document again;
  EXPECT_EQ(again.Open(h.dir.File(name)), OpenResult::kOpened) << again.LoadProblem();
  EXPECT_EQ(again.Counts().lines, h.doc.Counts().lines);
}

TEST(HostileContent, ABlockInsertingItselfThroughThreeOthersIsCut) {
  // 1 -> 2 -> 3 -> 4 -> 1, with a line in each definition.
  BaseAttrs s;
  JwwBuilder b(600);
  b.Header().Count(1).Insert(s, 0, 0, 1, 1, 0, 1);
  b.Count(4);
  for (int n = 1; n <= 4; ++n) {
    b.DefHead(n, "d" + std::to_string(n)).Count(2).Line(s, 0, 0, n, n);
    b.Insert(s, 1, 1, 1, 1, 0, n % 4 + 1);
  }
  test::HostileOpen h;
  ASSERT_EQ(h.Open(b.Bytes(), "cycle.jww"), OpenResult::kOpened);
  const TJwwData& d = *test::Container<TJwwData>(h.doc);
  EXPECT_EQ(d.BlockTree.size(), 4u);  // each definition placed once, the closing insertion refused
  EXPECT_EQ(d.loadReport.blockEntriesRefused, 1u);
  EXPECT_FALSE(d.loadReport.warnings.empty());
  EXPECT_LE(h.heapPeak, test::HeapBound(b.Size()));
  DrawingExtents e = h.doc.Extents();
  EXPECT_GE(e.maxX, 4.0);  // the line of the fourth definition, placed at the end of the chain
  EXPECT_EQ(h.doc.GroupTotal(0), 1 + 4);  // the insertion, and the line of each placement
  ExpectSavesAndReopens(h, "out.jww");
}

TEST(HostileContent, ImageNamesNeverReachOutsideTheWorkFolder) {
  test::HostileOpen h;
  fs::create_directory(h.dir.File("outside"));
  std::string absolute = h.dir.File("outside/abs.gz");
  std::vector<std::string> names = {"../escape.gz",
                                    "../../escape.gz",
                                    "sub/../../x.gz",
                                    "..\\win.gz",
                                    absolute,
                                    "C:drive.gz",
                                    ".",
                                    "..",
                                    "ok.gz"};
  BaseAttrs s;
  JwwBuilder b(700);
  b.Header().Count(1).Text(s, 0, 0, "f", "^@BM%temp%ok.gz,10,10").Count(0);
  b.ImageCount(static_cast<std::uint32_t>(names.size() + 1));
  for (const auto& n : names) b.Image(n, "DATA");
  b.WStr(u"../u16.gz").B().I32(4).Str("DATA");
  ASSERT_EQ(h.Open(b.Bytes(), "images.jww"), OpenResult::kOpened) << h.doc.LoadProblem();
  // Only the safe name became a file, inside the work folder.
  EXPECT_EQ(FilesBelow(h.dir.Path(), h.work + "/"), std::vector<std::string>{"images.jww"});
  EXPECT_EQ(FilesBelow(h.work, "\n"), std::vector<std::string>{"ok.gz"});
  EXPECT_EQ(h.doc.CarriedImages()->list.size(), names.size() + 1);
  EXPECT_GE(test::Container<TJwwData>(h.doc)->loadReport.warnings.size(), names.size() - 1);
  ExpectSavesAndReopens(h, "out.jww");
  h.doc.Close();
  EXPECT_TRUE(fs::is_empty(h.work));
}

TEST(HostileContent, AJwcSlotCountOf60000IsLimitedToTheSlotsInUse) {
  test::JwcFile f;
  f.values2 = test::JwcLine2(1, 0, 0, 0, 60000);
  test::JwcFile::AddLine(f.lines, 0, 0, 1, 1, 1, 1, 0);
  f.slotX[1] = 5;
  f.slotX[2] = 6;
  test::HostileOpen h;
  ASSERT_EQ(h.Open(f.Build(), "slots.jwc"), OpenResult::kOpened) << h.doc.LoadProblem();
  const TJwcData& d = *test::Container<TJwcData>(h.doc);
  EXPECT_LE(d.header.slotCount, TJwcData::kMaxUsedSlots);
  EXPECT_EQ(d.header.slotCount, d.UsedPointSlots());
  ASSERT_FALSE(d.loadReport.notes.empty());
  EXPECT_NE(d.loadReport.notes[0].find("60000"), std::string::npos);
  ExpectSavesAndReopens(h, "out.jwc");
}

TEST(HostileContent, JwkTextOffsetsBeyondTheBlockGiveEmptyTexts) {
  test::JwkFile f;
  f.values = "0,0,0,3,0,0,1,4,1";
  for (std::uint16_t offset : {0, 4, 65535}) f.texts.Zeros(16).U16(offset).U16(0).Zeros(4);
  f.textBlock = std::string("ab\0\0", 4);
  test::HostileOpen h;
  ASSERT_EQ(h.Open(f.Build(), "sym.jwk"), OpenResult::kOpened) << h.doc.LoadProblem();
  const TJwkData& d = *test::Container<TJwkData>(h.doc);
  ASSERT_EQ(d.texts.size(), 3u);
  EXPECT_EQ(d.texts[0].text, "ab");
  EXPECT_EQ(d.texts[1].text, "");
  EXPECT_EQ(d.texts[2].text, "");
  ExpectSavesAndReopens(h, "out.jwk");
}

}  // namespace
}  // namespace quintaro
