// The layer survey, folder walks and the report of `move`.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <tuple>

#include "capture.h"
#include "cli/commands.h"
#include "document/document.h"
#include "document/json_reader.h"
#include "support/temp_dir.h"

namespace quintaro::cli {
namespace {

namespace fs = std::filesystem;

using testing::Capture;

JsonValue Json(const std::string& text) {
  std::string error;
  auto v = ParseJson(text, error);
  EXPECT_TRUE(v) << error << "\n" << text;
  return v ? *v : JsonValue{};
}

using Row = std::tuple<int, int, std::string, std::string, int>;  // group, layer, names, figures

TEST(CliLayers, ListsWhatInfoShowsOfNamedOrNonEmptyLayers) {
  QUINTARO_NEEDS_SAMPLES();
  for (const char* sample :
       {"jww/dist_amansion_heimen.jww", "jws/dist_kitchen.jws", "jwk/dist_desk.jwk"}) {
    SCOPED_TRACE(sample);
    const std::string path = test::SamplePath(sample);
    Capture info, layers, csv;
    ASSERT_EQ(RunInfo(path, true, info.io()), 0);
    ASSERT_EQ(RunLayers({path}, LayersFormat::kJson, layers.io()), 0);
    ASSERT_EQ(RunLayers({path}, LayersFormat::kCsv, csv.io()), 0);
    std::set<Row> want, got;
    const JsonValue summary = Json(info.out.str());
    for (const JsonValue& g : summary.Find("groups")->items) {
      for (const JsonValue& l : g.Find("layers")->items) {
        Row r{int(g.Find("group")->number), int(l.Find("layer")->number), g.Find("name")->string,
              l.Find("name")->string, int(l.Find("total")->number)};
        if (!std::get<3>(r).empty() || std::get<4>(r) > 0) want.insert(r);
      }
    }
    const JsonValue survey = Json(layers.out.str());
    for (const JsonValue& r : survey.Find("files")->items[0].Find("layers")->items) {
      got.insert({int(r.Find("group")->number), int(r.Find("layer")->number),
                  r.Find("group_name")->string, r.Find("layer_name")->string,
                  int(r.Find("figures")->number)});
    }
    EXPECT_EQ(got, want);
    std::string text = csv.out.str();
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF"
                         "file,group,layer,group name,layer name,scale,figures\r\n",
                         0),
              0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(want.size()) + 1);
  }
}

// A tree of drawings with extensions of every case, a text file and a file
// that only claims to be a drawing.
void MakeTree(const test::TempDir& dir) {
  fs::create_directories(dir.File("in/sub/deep"));
  fs::copy_file(test::SamplePath("jww/dist_test1.jww"), dir.File("in/A.JWW"));
  fs::copy_file(test::SamplePath("jws/dist_kitchen.jws"), dir.File("in/sub/b.Jws"));
  fs::copy_file(test::SamplePath("jwk/dist_desk.jwk"), dir.File("in/sub/deep/c.jwk"));
  fs::copy_file(test::SamplePath("jww/dist_test5.jww"), dir.File("in/sub/deep/d.jWw"));
  test::WriteAll(dir.File("in/notes.txt"), {'h', 'i'});
  test::WriteAll(dir.File("in/sub/fake.jww"), {'J', 'w', 'x'});
}

// A move over the tree MakeTree builds: in/ to out/, with a report.
MoveOptions TreeMove(const test::TempDir& dir) {
  MakeTree(dir);
  MoveOptions o;
  o.inDir = dir.File("in");
  o.outDir = dir.File("out");
  o.reportFile = dir.File("report.json");
  return o;
}

TEST(CliMove, WalksAFolderTreeKeepingRelativePathsAndReportsEachInput) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  MoveOptions o = TreeMove(dir);
  o.steps = {*ParseSwap("0:1")};
  Capture run;
  ASSERT_EQ(RunMove(o, run.io()), 0) << run.err.str();
  const std::vector<std::string> drawings = {"A.JWW", "sub/b.Jws", "sub/deep/c.jwk",
                                             "sub/deep/d.jWw"};
  for (const std::string& rel : drawings) {
    Document in, out;
    ASSERT_EQ(in.Open(dir.File("in/" + rel)), OpenResult::kOpened) << rel;
    ASSERT_EQ(out.Open(dir.File("out/" + rel)), OpenResult::kOpened) << rel;
    EXPECT_EQ((std::pair{out.GroupTotal(0), out.GroupTotal(1)}),
              (std::pair{in.GroupTotal(1), in.GroupTotal(0)}))
        << rel;
  }
  EXPECT_FALSE(fs::exists(dir.File("out/notes.txt")));
  EXPECT_FALSE(fs::exists(dir.File("out/sub/fake.jww")));

  std::ifstream f(o.reportFile);
  JsonValue report = Json(std::string(std::istreambuf_iterator<char>(f), {}));
  ASSERT_EQ(report.Find("files")->items.size(), drawings.size());
  EXPECT_EQ(report.Find("done")->number, 4);
  for (const JsonValue& file : report.Find("files")->items) {
    EXPECT_TRUE(file.Find("ok")->boolean);
    EXPECT_EQ(file.Find("moves")->items.size(), 1u);
  }

  o.outDir = dir.File("in/sub/out");  // never inside the walked folder
  Capture inside;
  EXPECT_EQ(RunMove(o, inside.io()), 1);
  EXPECT_NE(inside.err.str().find("lies inside"), std::string::npos) << inside.err.str();
}

TEST(CliMove, ARenameAFileCannotHoldFailsThatFileAndWritesNothing) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  MoveOptions o = TreeMove(dir);
  o.steps = {*ParseGroupMove("0:2"), *ParseRenameGroup("2=한")};
  Capture run;
  EXPECT_EQ(RunMove(o, run.io()), 1);
  EXPECT_TRUE(fs::is_empty(dir.File("out")));
  std::ifstream f(o.reportFile);
  JsonValue report = Json(std::string(std::istreambuf_iterator<char>(f), {}));
  EXPECT_EQ(report.Find("failed")->number, 4);
  for (const JsonValue& file : report.Find("files")->items) {
    EXPECT_EQ(file.Find("output")->type, JsonValue::Type::kNull);
    EXPECT_NE(file.Find("error")->string.find("nothing written"), std::string::npos);
  }
}

}  // namespace
}  // namespace quintaro::cli
