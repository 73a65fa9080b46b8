// Saves that fail on the way: the disk fills, the folder or the target is
// read-only, the target's folder is a file, a folder stands in the target's
// place. Each failure names its reason, leaves no partial file, keeps the
// opened file and an existing target as they were, and the drawing still
// saves once the cause is gone. Also: the opened file vanishing before a
// save, and a carried image missing from the work folder at save time.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "document/demo_drawing.h"
#include "document/document.h"
#include "faults.h"
#include "jww/jww_builder.h"

namespace quintaro {
namespace {

namespace fs = std::filesystem;
using test::Snap;

// A folder with an opened drawing (JWW or JWC, both larger than 64 KiB) and
// a subfolder `out` holding an older target.
struct SaveFixture {
  test::TempDir dir;
  std::string input, out = dir.File("out"), target = dir.File("out/plan");
  Document doc;

  explicit SaveFixture(DocFormat format) {
    fs::create_directory(out);
    if (format == DocFormat::kJww) {
      input = dir.File("plan.jww");
      EXPECT_TRUE(MakeLargeDrawing(3000).SaveToFile(input, 600));
      target += ".jww";
    } else {
      input = dir.File("plan.jwc");
      EXPECT_TRUE(MakeLargeJwc(3000).SaveToFile(input));
      target += ".jwc";
    }
    test::Age(input);
    EXPECT_EQ(doc.Open(input), OpenResult::kOpened);
    test::WriteAll(target, {'o', 'l', 'd'});
    test::Age(target);
  }

  // The state a failed save must leave, and a retry that must succeed.
  void ExpectCleanFailure(const test::Snapshot& in, const test::Snapshot& old,
                          const std::string& why, int error) {
    EXPECT_NE(why.find(std::strerror(error)), std::string::npos) << why;
    EXPECT_EQ(Snap(input), in);
    EXPECT_EQ(Snap(target), old);
    EXPECT_EQ(test::Names(out), std::vector<std::string>{fs::path(target).filename()});
  }
  void ExpectSavesNow() {
    ASSERT_EQ(doc.Save(target).error, "");
    Document again;
    ASSERT_EQ(again.Open(target), OpenResult::kOpened);
    EXPECT_EQ(again.Counts().lines, doc.Counts().lines);
    EXPECT_EQ(again.Counts().texts, doc.Counts().texts);
  }
};

class SaveFaults : public ::testing::TestWithParam<DocFormat> {};

TEST_P(SaveFaults, TheDiskFillingUpLeavesNoPartialFile) {
  SaveFixture f(GetParam());
  auto in = Snap(f.input), old = Snap(f.target);
  ASSERT_GT(in.bytes.size(), 64u << 10);
  std::string why;
  {
    test::FileSizeLimit full(16 << 10);
    why = f.doc.Save(f.target).error;
  }
  f.ExpectCleanFailure(in, old, why, EFBIG);
  f.ExpectSavesNow();
}

TEST_P(SaveFaults, AReadOnlyFolderOrTargetIsReported) {
  SaveFixture f(GetParam());
  auto in = Snap(f.input), old = Snap(f.target);
  {
    test::ReadOnly folder(f.out);
    if (!folder.Ok()) GTEST_SKIP() << test::ReadOnly::kWhyNot;
    f.ExpectCleanFailure(in, old, f.doc.Save(f.target).error, folder.Error());
  }
  {
    test::ReadOnly target(f.target);
    ASSERT_TRUE(target.Ok());
    f.ExpectCleanFailure(in, old, f.doc.Save(f.target).error, target.Error());
  }
  f.ExpectSavesNow();
}

TEST_P(SaveFaults, AFileForAFolderOrAFolderForTheTargetIsReported) {
  // These bind root too: no permission bit is involved.
  SaveFixture f(GetParam());
  auto in = Snap(f.input), old = Snap(f.target);
  std::string ext = fs::path(f.target).extension();
  f.ExpectCleanFailure(in, old, f.doc.Save(f.target + "/x" + ext).error, ENOTDIR);
  fs::create_directory(f.out + "/folder" + ext);
  test::WriteAll(f.out + "/folder" + ext + "/keep", {'k'});
  const std::string why = f.doc.Save(f.out + "/folder" + ext).error;
  EXPECT_NE(why.find(std::strerror(EISDIR)), std::string::npos) << why;
  EXPECT_EQ(test::Names(f.out + "/folder" + ext), std::vector<std::string>{"keep"});
  EXPECT_EQ(test::Names(f.out).size(), 2u);
  EXPECT_EQ(Snap(f.input), in);
}

TEST_P(SaveFaults, TheOpenedFileVanishingDoesNotStopASave) {
  // The drawing is in memory; the opened file is not read again.
  SaveFixture f(GetParam());
  fs::remove(f.input);
  f.ExpectSavesNow();
  EXPECT_FALSE(fs::exists(f.input));
}

INSTANTIATE_TEST_SUITE_P(Formats, SaveFaults, ::testing::Values(DocFormat::kJww, DocFormat::kJwc),
                         [](const auto& test) { return std::string(FactsOf(test.param)->name); });

TEST(SaveFaults, ACarriedImageMissingAtSaveTimeIsLeftOut) {
  test::TempDir dir;
  fs::create_directory(dir.File("work"));
  test::BaseAttrs s;
  test::JwwBuilder b(700);
  b.Header().Count(2).Text(s, 0, 0, "f", "^@BM%temp%a.gz,10,10");
  b.Text(s, 0, 0, "f", "^@BM%temp%b.gz,10,10").Count(0);
  b.ImageCount(2).Image("a.gz", "AAAA").Image("b.gz", "BBBB");
  test::WriteAll(dir.File("in.jww"), b.Bytes());
  Document doc(Document::Images::kKeep, dir.File("work"));
  ASSERT_EQ(doc.Open(dir.File("in.jww")), OpenResult::kOpened);
  fs::remove(dir.File("work/a.gz"));
  const SaveResult saved = doc.Save(dir.File("out.jww"));
  ASSERT_EQ(saved.error, "");
  EXPECT_EQ(saved.warnings,
            std::vector<std::string>{
                "the carried image a.gz is missing from the work folder and was left out"});
  // The other image and both texts are kept; reading back carries one image.
  BindImageStore back;
  TJwwData reread;
  reread.SetImageStore(&back);
  ASSERT_TRUE(reread.LoadFromFile(dir.File("out.jww"))) << reread.loadReport.reason;
  ASSERT_EQ(back.list.size(), 1u);
  EXPECT_EQ(back.list[0].Name.bytes, "b.gz");
  EXPECT_EQ(reread.Moji.size(), 2u);
  EXPECT_EQ(test::Names(dir.File("work")), std::vector<std::string>{"b.gz"});
}

}  // namespace
}  // namespace quintaro
