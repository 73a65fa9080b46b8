#include "formats/common/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "formats/common/types.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

namespace fs = std::filesystem;

std::size_t CountEntries(const std::string& dir) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(FsPath(dir)), fs::directory_iterator()));
}

TEST(AtomicSave, ReplacesTheTargetOnlyOnSuccess) {
  test::TempDir dir;
  std::string target = dir.File("out.jww");
  test::WriteAll(target, {1, 2, 3});

  // A body that fails part-way leaves the old content and no stray file.
  EXPECT_FALSE(WriteFileAtomically(target, [](ByteWriter& w) {
    w.Fill(9, 5000);
    return false;
  }));
  EXPECT_EQ(test::ReadAll(target), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(CountEntries(dir.Path()), 1u);

  EXPECT_TRUE(WriteFileAtomically(target, [](ByteWriter& w) {
    w.U8(42);
    return true;
  }));
  EXPECT_EQ(test::ReadAll(target), (std::vector<std::uint8_t>{42}));
  EXPECT_EQ(CountEntries(dir.Path()), 1u);
}

TEST(WorkFolder, IsPrivateToEachInstanceAndRemovedWithItsContent) {
  std::string kept;
  {
    WorkFolder a, b;
    ASSERT_TRUE(a.IsValid());
    ASSERT_TRUE(b.IsValid());
    EXPECT_NE(a.Path(), b.Path());
    test::WriteAll(a.Path() + "img.gz", {1});
    kept = a.Path();
  }
  EXPECT_FALSE(fs::exists(FsPath(kept)));
}

#ifndef _WIN32
// A signal that ends the process first still takes the work folder and the
// files being written in it along.
TEST(WorkFolder, IsRemovedWhenASignalEndsTheProcess) {
  for (int sig : {SIGPIPE, SIGINT, SIGTERM}) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      WorkFolder w;
      w.Track("img.gz");
      test::WriteAll(w.Path() + "img.gz", {1});
      (void)!::write(fds[1], w.Path().data(), w.Path().size());
      ::close(fds[1]);
      ::raise(sig);
      ::_exit(0);
    }
    ::close(fds[1]);
    char path[1024] = {};
    (void)!::read(fds[0], path, sizeof path - 1);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
    EXPECT_FALSE(std::string(path).empty() || fs::exists(path)) << path;
  }
}
#endif

TEST(SafeFileName, RefusesEveryWayOutOfTheFolder) {
  EXPECT_TRUE(IsSafeFileName("photo.jpg.gz"));
  EXPECT_TRUE(IsSafeFileName("\x95\x5C.gz"));  // Shift-JIS character with trail byte 0x5C
  for (const char* bad : {"", ".", "..", "../x.gz", "a/b.gz", "..\\x.gz", "C:x.gz", "/etc/x"})
    EXPECT_FALSE(IsSafeFileName(bad)) << bad;
}

TEST(DetectFormat, ChoosesByMagicNotByExtension) {
  test::TempDir dir;
  auto put = [&](const std::string& name, const std::string& head) {
    test::WriteAll(dir.File(name), std::vector<std::uint8_t>(head.begin(), head.end()));
    return dir.File(name);
  };
  EXPECT_EQ(DetectFormat(put("a.jwc", "JwwData.\x5e\x02")), DocFormat::kJww);
  EXPECT_EQ(DetectFormat(put("b.jww", "JwsData....")), DocFormat::kJws);
  EXPECT_EQ(DetectFormat(put("c", std::string(kJwcMagic) + "x")), DocFormat::kJwc);
  EXPECT_EQ(DetectFormat(put("d", kJwkMagic)), DocFormat::kJwk);
  EXPECT_EQ(DetectFormat(put("e", "jw_cad(c)sym.......")), DocFormat::kUnknown);  // one short
  EXPECT_EQ(DetectFormat(dir.File("missing")), DocFormat::kUnknown);
}

}  // namespace
}  // namespace quintaro
