// The opened file is never written, whatever name the output is given:
// the same path, another spelling of it, a symbolic or a hard link to it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "cli/commands.h"
#include "formats/common/file_io.h"
#include "support/temp_dir.h"

namespace quintaro::cli {
namespace {

namespace fs = std::filesystem;

struct Input {
  std::string path;
  std::vector<std::uint8_t> bytes;
  fs::file_time_type time;
};

Input MakeInput(const test::TempDir& dir) {
  Input in{dir.File("plan.jww"), {}, {}};
  fs::copy_file(test::SamplePath("jww/dist_test5.jww"), in.path);
  // An old time stamp, so that any write would show.
  fs::last_write_time(in.path, fs::file_time_type::clock::now() - std::chrono::hours(24));
  in.bytes = test::ReadAll(in.path);
  in.time = fs::last_write_time(in.path);
  return in;
}

void ExpectUntouched(const Input& in) {
  EXPECT_EQ(test::ReadAll(in.path), in.bytes);
  EXPECT_EQ(fs::last_write_time(in.path), in.time);
}

std::vector<std::string> AliasesOf(const test::TempDir& dir, const Input& in) {
  fs::create_directory(dir.File("sub"));
  fs::create_hard_link(in.path, dir.File("hard.jww"));
  std::vector<std::string> names = {in.path, dir.Path() + "/./plan.jww",
                                    dir.File("sub") + "/../plan.jww", dir.File("hard.jww")};
  if (FileNamesIgnoreCase()) names.push_back(dir.File("PLAN.JWW"));
  // Symbolic links need a privilege on Windows; without it there are none to test.
  std::error_code ec;
  fs::create_symlink(in.path, dir.File("link.jww"), ec);
  if (!ec) names.push_back(dir.File("link.jww"));
  return names;
}

TEST(InputSafety, EverySavePathRefusesEveryNameOfTheOpenedFile) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  Input in = MakeInput(dir);
  for (const std::string& alias : AliasesOf(dir, in)) {
    std::ostringstream out, err;
    Io io{out, err, false};
    EXPECT_EQ(RunConvert({in.path, alias, true}, io), 1) << alias;
    MoveOptions m;
    m.inputs = {in.path};
    m.out = alias;
    m.steps = {{0, -1, 9, -1}};
    m.overwrite = true;
    EXPECT_EQ(RunMove(m, io), 1) << alias;
    ExpectUntouched(in);
  }
  // A batch whose output folder holds a link to an input refuses that file.
  test::TempDir outDir;
  std::error_code ec;
  fs::create_symlink(in.path, outDir.File("plan.jww"), ec);
  if (ec) return;  // no symbolic links (Windows without the privilege)
  MoveOptions batch;
  batch.inputs = {in.path};
  batch.outDir = outDir.Path();
  batch.steps = {{0, -1, 9, -1}};
  batch.overwrite = true;
  std::ostringstream out, err;
  EXPECT_EQ(RunMove(batch, {out, err, false}), 1);
  ExpectUntouched(in);
}

}  // namespace
}  // namespace quintaro::cli
