// Ways a save fails on Windows: a read-only target and a target another
// program holds open. Either way the target stays as it was and no
// temporary file is left.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "formats/common/file_io.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

namespace fs = std::filesystem;

TEST(AtomicSaveOnWindows, LeavesAReadOnlyOrOpenTargetAsItWas) {
  struct Case {
    const char* what;
    bool readOnly;
    const char* reason;
  };
  for (const Case c :
       {Case{"read-only", true, std::strerror(EACCES)}, Case{"held open", false, nullptr}}) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    std::string target = dir.File("平面図.jww");
    test::WriteAll(target, {7});
    std::FILE* held = nullptr;
    if (c.readOnly) {
      fs::permissions(FsPath(target),
                      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    } else {
      held = OpenFile(target, "rb");
      ASSERT_NE(held, nullptr);
    }
    std::string why;
    EXPECT_FALSE(WriteFileAtomically(
        target,
        [](ByteWriter& w) {
          w.U8(1);
          return true;
        },
        &why));
    if (held) std::fclose(held);
    EXPECT_FALSE(why.empty());
    if (c.reason) EXPECT_EQ(why, c.reason);
    EXPECT_EQ(test::ReadAll(target), (std::vector<std::uint8_t>{7}));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(FsPath(dir.Path())))
      names.push_back(e.path().filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"平面図.jww"}));
  }
}

}  // namespace
}  // namespace quintaro
