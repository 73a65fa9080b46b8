// The carried-image section of version 700 and the
// BindImageStore: image names must never reach outside the work folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "formats/jww/jww_data.h"
#include "jww/jww_builder.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using test::BaseAttrs;
using test::JwwBuilder;

std::string FileText(const std::string& path) {
  auto b = test::ReadAll(path);
  return std::string(b.begin(), b.end());
}

// A version-700 drawing with two image texts and an image section.
std::vector<std::uint8_t> DrawingWithImages() {
  JwwBuilder b(700);
  BaseAttrs s;
  s.penColor = 2;
  b.Header().Count(3);
  b.Text(s, 0, 0, "f", "^@BM%temp%A.BMP,10,10");
  b.Text(s, 0, 0, "f", "^@BM%temp%b.gz,5");
  b.Text(s, 0, 0, "f", "plain");
  b.Count(0);
  b.ImageCount(8);
  b.Image("a.bmp.gz", "AAAA");
  b.Image("", "");          // empty name: no data
  b.Image("empty.gz", "");  // size 0: no data
  b.Image("../evil.gz", "EVIL");
  b.Image("sub/dir.gz", "S");
  b.Image("C:x.gz", "C");
  b.WStr(u"\u753B\u50CF.gz");  // a UTF-16 name
  b.B().I32(1).Str("W");
  b.Image("b.gz", "BBBB");
  return b.Bytes();
}

TEST(JwwImages, ExtractsSafeNamesAndConsumesTheOthers) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("work"));
  BindImageStore store(dir.File("work"));
  TJwwData d;
  d.SetImageStore(&store);
  ASSERT_TRUE(d.LoadFromBytes(DrawingWithImages())) << d.loadReport.reason;
  ASSERT_EQ(store.list.size(), 8u);
  EXPECT_EQ(FileText(dir.File("work/a.bmp.gz")), "AAAA");
  EXPECT_EQ(FileText(dir.File("work/b.gz")), "BBBB");  // read from the right place
  EXPECT_EQ(FileText(dir.File("work/画像.gz")), "W");
  EXPECT_FALSE(test::FileExists(dir.File("evil.gz")));
  EXPECT_FALSE(test::FileExists(dir.File("work/sub")));
  EXPECT_FALSE(test::FileExists(dir.File("work/empty.gz")));
  EXPECT_TRUE(store.list[3].FileName.empty());
  EXPECT_TRUE(store.list[4].FileName.empty());
  EXPECT_TRUE(store.list[5].FileName.empty());
  EXPECT_EQ(store.list[6].Name.encoding, TextEncoding::kUtf16le);
  EXPECT_EQ(store.list[6].FileName, "画像.gz");
  EXPECT_EQ(store.list[7].Size, 4);
  EXPECT_EQ(d.loadReport.warnings.size(), 3u);
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.File("work"))) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 3);
}

TEST(JwwImages, UnsafeUtf16NamesGetNoFile) {
  using enum TextEncoding;
  const struct {
    EncodedText name;
    std::string file;  // "" = no file
  } cases[] = {
      {{std::string("..", 2), kCp932}, ""},
      {{std::string(".\0.\0", 4), kUtf16le}, ""},
      {{std::string("a\0/\0b\0", 6), kUtf16le}, ""},
      {{std::string("a\0\\\0b\0", 6), kUtf16le}, ""},
      // U+3041 U+002F: the UTF-8 bytes E3 81 81 2F would fool a Shift-JIS check
      {{std::string("\x41\x30/\0", 4), kUtf16le}, ""},
      {{std::string("a\0.\0g\0z\0", 8), kUtf16le}, "a.gz"},
      // Shift-JIS: a trail byte 0x5C is part of its character
      {{"\x95\x5C.gz", kCp932}, "\x95\x5C.gz"},
  };
  for (const auto& c : cases) EXPECT_EQ(BindImageStore::LocalFileName(c.name), c.file) << c.file;
}

TEST(JwwImages, WithoutAStoreOrFolderTheDataAreDropped) {
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(DrawingWithImages()));
  EXPECT_EQ(d.Moji.size(), 3u);
  BindImageStore noFolder;
  TJwwData e;
  e.SetImageStore(&noFolder);
  ASSERT_TRUE(e.LoadFromBytes(DrawingWithImages()));
  EXPECT_EQ(noFolder.list.size(), 8u);
  // saves carry no images then
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(e.SaveToBytes(700, out));
  EXPECT_EQ(std::vector<std::uint8_t>(out.end() - 4, out.end()),
            (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(JwwImages, SaveCarriesTheUsedImagesThatExist) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("w1"));
  std::filesystem::create_directory(dir.File("w2"));
  BindImageStore store(dir.File("w1"));
  TJwwData d;
  d.SetImageStore(&store);
  ASSERT_TRUE(d.LoadFromBytes(DrawingWithImages()));
  // b.gz disappears before the save: not carried, and the count says so
  std::filesystem::remove(dir.File("w1/b.gz"));
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(700, out)) << d.saveError;
  EXPECT_EQ(store.list[0].Used, 1);  // "A.BMP" matches "a.bmp.gz" without regard to case
  EXPECT_EQ(store.list[7].Used, 0);
  // The six that no text shows are left out, and the save says so.
  EXPECT_EQ(d.SaveRepairs().Items(),
            (std::vector<Repair>{{"carried image that no text shows left out", 6}}));
  BindImageStore other(dir.File("w2"));
  TJwwData e;
  e.SetImageStore(&other);
  ASSERT_TRUE(e.LoadFromBytes(out)) << e.loadReport.reason;
  ASSERT_EQ(other.list.size(), 1u);
  EXPECT_EQ(other.list[0].Name.bytes, "a.bmp.gz");
  EXPECT_EQ(other.list[0].Size, 4);
  EXPECT_EQ(FileText(dir.File("w2/a.bmp.gz")), "AAAA");
  // Below version 700 there is no image section.
  ASSERT_TRUE(d.SaveToBytes(600, out));
  TJwwData f;
  ASSERT_TRUE(f.LoadFromBytes(out));
  EXPECT_EQ(f.Moji[0].Text.bytes, "^@BM%temp%A.BMP,10,10");
}

TEST(JwwImages, DeleteFilesRemovesTheImagesAndTheirUnpackedForms) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("work"));
  BindImageStore store(dir.File("work"));
  TJwwData d;
  d.SetImageStore(&store);
  ASSERT_TRUE(d.LoadFromBytes(DrawingWithImages()));
  test::WriteAll(dir.File("work/a.bmp"), {1});
  test::WriteAll(dir.File("keep.gz"), {1});
  test::WriteAll(dir.File("work/other"), {1});
  store.DeleteFiles();
  EXPECT_TRUE(store.list.empty());
  EXPECT_FALSE(test::FileExists(dir.File("work/a.bmp.gz")));
  EXPECT_FALSE(test::FileExists(dir.File("work/a.bmp")));
  EXPECT_FALSE(test::FileExists(dir.File("work/b.gz")));
  EXPECT_FALSE(test::FileExists(dir.File("work/画像.gz")));
  EXPECT_TRUE(test::FileExists(dir.File("work/other")));
  EXPECT_TRUE(test::FileExists(dir.File("keep.gz")));
}

TEST(JwwImages, ATruncatedImageLeavesNoPartialFile) {
  test::TempDir dir;
  BindImageStore store(dir.Path());
  JwwBuilder b(700);
  b.Header().Count(0).Count(0).ImageCount(1).Str("x.gz");
  b.B().I32(100).Str("only part");
  TJwwData d;
  d.SetImageStore(&store);
  EXPECT_FALSE(d.LoadFromBytes(b.Bytes()));
  EXPECT_FALSE(test::FileExists(dir.File("x.gz")));
  EXPECT_NE(d.loadReport.reason.find("carried-image section"), std::string::npos)
      << d.loadReport.reason;
}

TEST(JwwImages, BothSwitchesOffSkipTheSection) {
  BindImageStore store;
  store.extractImages = store.keepImages = false;
  JwwBuilder b(700);
  b.Header().Count(0).Count(0);  // no section at all
  TJwwData d;
  d.SetImageStore(&store);
  EXPECT_TRUE(d.LoadFromBytes(b.Bytes()));
}

#ifndef _WIN32
// The store's own work folder exists only while a drawing carries images.
TEST(JwwImages, TheOwnWorkFolderIsMadeOnlyForImages) {
  test::TempDir runtime;
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string restore = saved ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
  JwwBuilder none(700);
  none.Header().Count(0).Count(0).ImageCount(0);
  const std::pair<std::vector<std::uint8_t>, int> cases[] = {{none.Bytes(), 0},
                                                             {DrawingWithImages(), 1}};
  for (const auto& [bytes, folders] : cases) {
    {
      BindImageStore store;
      store.UseWorkFolder();
      TJwwData d;
      d.SetImageStore(&store);
      ASSERT_TRUE(d.LoadFromBytes(bytes)) << d.loadReport.reason;
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(runtime.Path()), {}), folders);
    }
    EXPECT_TRUE(std::filesystem::is_empty(runtime.Path()));
  }
  if (saved)
    ::setenv("XDG_RUNTIME_DIR", restore.c_str(), 1);
  else
    ::unsetenv("XDG_RUNTIME_DIR");
}
#endif

}  // namespace
}  // namespace quintaro
