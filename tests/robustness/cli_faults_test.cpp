// The command line's save paths (convert, move, batch move) when the write
// fails: one clear line on stderr, exit code 1, no partial file, input and
// existing target as they were; a batch goes on with the next file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "cli/commands.h"
#include "faults.h"
#include "formats/jww/jww_data.h"

namespace quintaro::cli {
namespace {

namespace fs = std::filesystem;
using test::Snap;

struct CliRun {
  int code;
  std::string out, err;
};

struct CliFixture {
  test::TempDir dir;
  std::string input = dir.File("plan.jww");
  std::string outDir = dir.File("out");
  std::string target = dir.File("out/plan.jww");

  CliFixture() {
    fs::copy_file(test::SamplePath("jww/dist_test7.jww"), input);
    test::Age(input);
    fs::create_directory(outDir);
    test::WriteAll(target, {'o', 'l', 'd'});
    test::Age(target);
  }
  // The three save paths, each asked to replace `target`.
  std::vector<CliRun> SaveEveryWay() {
    std::vector<CliRun> runs;
    auto run = [&](auto&& body) {
      std::ostringstream out, err;
      int code = body(Io{out, err, false});
      runs.push_back({code, out.str(), err.str()});
    };
    run([&](Io io) { return RunConvert({input, target, true, false}, io); });
    MoveOptions m;
    m.inputs = {input};
    m.steps = {{0, -1, 9, -1}};
    m.overwrite = true;
    m.out = target;
    run([&](Io io) { return RunMove(m, io); });
    m.out.clear();
    m.outDir = outDir;
    run([&](Io io) { return RunMove(m, io); });
    return runs;
  }
};

// Each save path fails, names the target and the system's reason.
void ExpectRefusedCleanly(CliFixture& f, int error) {
  SCOPED_TRACE(std::strerror(error));
  auto in = Snap(f.input);
  auto old = Snap(f.target);
  auto names = test::Names(f.outDir);
  for (const CliRun& r : f.SaveEveryWay()) {
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("quintaro-cli: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(f.target), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(std::strerror(error)), std::string::npos) << r.err;
    EXPECT_EQ(Snap(f.input), in);
    EXPECT_EQ(Snap(f.target), old);
  }
  // Nothing but the backup of the old target, which is a whole copy.
  std::vector<std::string> after = test::Names(f.outDir);
  std::erase(after, "plan._JWW");
  std::erase(names, "plan._JWW");
  EXPECT_EQ(after, names);
}

TEST(CliFaults, EverySavePathReportsAFullDisk) {
  QUINTARO_NEEDS_SAMPLES();
  CliFixture f;
  test::FileSizeLimit full(20000);
  ExpectRefusedCleanly(f, EFBIG);
}

TEST(CliFaults, EverySavePathReportsAReadOnlyTarget) {
  QUINTARO_NEEDS_SAMPLES();
  CliFixture f;
  test::ReadOnly target(f.target);
  if (!target.Ok()) GTEST_SKIP() << test::ReadOnly::kWhyNot;
  ExpectRefusedCleanly(f, target.Error());
}

TEST(CliFaults, EverySavePathReportsAReadOnlyFolder) {
  QUINTARO_NEEDS_SAMPLES();
  CliFixture f;
  test::ReadOnly folder(f.outDir);
  if (!folder.Ok()) GTEST_SKIP() << test::ReadOnly::kWhyNot;
  ExpectRefusedCleanly(f, folder.Error());
}

TEST(CliFaults, AFolderInPlaceOfTheTargetIsReportedEvenToRoot) {
  QUINTARO_NEEDS_SAMPLES();
  CliFixture f;
  fs::remove(f.target);
  fs::create_directory(f.target);
  test::WriteAll(f.target + "/keep", {'k'});
  for (const CliRun& r : f.SaveEveryWay()) {
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(f.target), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::Names(f.target), std::vector<std::string>{"keep"});
  EXPECT_EQ(test::Names(f.outDir), std::vector<std::string>{"plan.jww"});
}

TEST(CliFaults, ABatchGoesOnPastATargetThatCannotBeWritten) {
  QUINTARO_NEEDS_SAMPLES();
  CliFixture f;
  std::string second = f.dir.File("sub/desk.jww");
  fs::create_directory(f.dir.File("sub"));
  fs::copy_file(test::SamplePath("jww/dist_test5.jww"), second);
  fs::remove(f.target);
  fs::create_directory(f.target);  // plan.jww cannot be written, desk.jww can
  MoveOptions m;
  m.inputs = {f.input, second};
  m.steps = {{0, -1, 9, -1}};
  m.outDir = f.outDir;
  std::ostringstream out, err;
  EXPECT_EQ(RunMove(m, {out, err, false}), 1);
  EXPECT_NE(out.str().find("1 file(s) done, 1 failed"), std::string::npos) << out.str();
  EXPECT_NE(err.str().find(f.target), std::string::npos) << err.str();
  EXPECT_TRUE(quintaro::TJwwData::IsJwwFile(f.dir.File("out/desk.jww")));
}

}  // namespace
}  // namespace quintaro::cli
