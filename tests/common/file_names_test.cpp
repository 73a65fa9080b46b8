// File names beyond ASCII and the identity of files, as the platform layer
// sees them on every system.
#include <gtest/gtest.h>

#include <filesystem>

#include "formats/common/file_io.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

namespace fs = std::filesystem;

TEST(FileNames, AJapaneseDrawingInAJapaneseFolderIsSavedReadAndRemoved) {
  test::TempDir dir;
  std::string folder = dir.File("受取");
  ASSERT_TRUE(fs::create_directory(FsPath(folder)));
  std::string path = folder + "/平面図.jww";
  ASSERT_TRUE(WriteFileAtomically(path, [](ByteWriter& w) {
    w.Bytes("JwwData.");
    return true;
  }));
  EXPECT_EQ(FsPath(path).filename().string(), "平面図.jww");
  EXPECT_TRUE(FileStartsWith(path, "JwwData."));
  {
    InputFile in(path);  // closed again before the removal, which Windows refuses for open files
    ASSERT_TRUE(in.IsOpen());
    EXPECT_EQ(in.Size(), 8u);
  }
  std::FILE* f = OpenFile(path, "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(test::ReadAll(path).size(), 8u);
  EXPECT_TRUE(RemoveFile(path));
  EXPECT_FALSE(FileStartsWith(path, "JwwData."));
  // Only the folder is left: the save kept no temporary file.
  EXPECT_TRUE(fs::is_empty(FsPath(folder)));
}

TEST(FileNames, SameFileGoesByIdentityNotBySpelling) {
  test::TempDir dir;
  std::string a = dir.File("図面.jww"), b = dir.File("b.jww"), link = dir.File("link.jww");
  test::WriteAll(a, {1});
  test::WriteAll(b, {1});
  std::error_code ec;
  fs::create_hard_link(FsPath(a), FsPath(link), ec);
  ASSERT_FALSE(ec) << ec.message();
#ifdef _WIN32
  constexpr bool kNamesFoldCase = true;
#else
  constexpr bool kNamesFoldCase = false;
#endif
  struct Case {
    std::string x, y;
    bool same;
  };
  const Case cases[] = {
      {a, a, true},
      {a, dir.Path() + "/./" + "図面.jww", true},
      {a, link, true},
      {a, dir.File("図面.JWW"), kNamesFoldCase},
      {a, b, false},
      {a, dir.File("missing.jww"), false},
      {dir.File("missing.jww"), dir.File("missing.jww"), false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameFile(c.x, c.y), c.same) << c.x << " / " << c.y;
}

}  // namespace
}  // namespace quintaro
