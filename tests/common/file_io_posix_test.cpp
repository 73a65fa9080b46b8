// Ways a save fails on Linux: a read-only folder and a full disk (a file-size limit).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "formats/common/file_io.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

namespace fs = std::filesystem;

std::size_t CountEntries(const std::string& dir) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(AtomicSave, FailsCleanlyInAReadOnlyFolderAndWhenTheDiskFills) {
  if (geteuid() == 0) {
    // root ignores folder permissions; the file-size limit below still applies.
  } else {
    test::TempDir ro;
    chmod(ro.Path().c_str(), 0555);
    EXPECT_FALSE(WriteFileAtomically(ro.File("x"), [](ByteWriter&) { return true; }));
  }

  test::TempDir dir;
  std::string target = dir.File("big");
  test::WriteAll(target, {7});
  // Simulate a full disk: the process may not write more than 64 KiB into one file.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  setrlimit(RLIMIT_FSIZE, &small);
  bool ok = WriteFileAtomically(target, [](ByteWriter& w) {
    w.Fill(1, 3 << 20);
    return true;
  });
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(ok);
  EXPECT_EQ(test::ReadAll(target), (std::vector<std::uint8_t>{7}));
  EXPECT_EQ(CountEntries(dir.Path()), 1u);
}

}  // namespace
}  // namespace quintaro
