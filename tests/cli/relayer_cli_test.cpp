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
#include "formats/common/file_io.h"
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
                         "file,group,layer,group name,layer name,scale,scale label,figures\r\n",
                         0),
              0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(want.size()) + 1);
  }
}

// The scale as a number a spreadsheet keeps as one, and a label it cannot
// turn into a date or a time.
TEST(CliLayers, CsvScaleIsAPlainDenominatorBesideALabel) {
  QUINTARO_NEEDS_SAMPLES();
  const std::string path = test::SamplePath("jww/dist_amansion_heimen.jww");
  Capture csv;
  ASSERT_EQ(RunLayers({path}, LayersFormat::kCsv, csv.io()), 0);
  for (const char* row :
       {",0,0,一般図, 芯,100,S=1/100,35\r\n", ",F,0,Ｆグループ,Ｆ-０ﾚｲﾔ,0.2,S=5/1,0\r\n"})
    EXPECT_NE(csv.out.str().find(path + row), std::string::npos) << row;
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
  EXPECT_FALSE(fs::exists(dir.File("out/A.JWW")));
  EXPECT_FALSE(fs::exists(dir.File("out/sub/deep/d.jWw")));
  std::ifstream f(o.reportFile);
  JsonValue report = Json(std::string(std::istreambuf_iterator<char>(f), {}));
  EXPECT_EQ(report.Find("failed")->number, 2);  // the symbols have no names to refuse
  for (const JsonValue& file : report.Find("files")->items) {
    if (file.Find("ok")->boolean) continue;
    EXPECT_EQ(file.Find("output")->type, JsonValue::Type::kNull);
    EXPECT_NE(file.Find("error")->string.find("nothing written"), std::string::npos);
  }
}

void Replace(std::string& s, const std::string& from, const std::string& to) {
  for (auto at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
}

// Partners' drawings as they arrive: Japanese names, a drawing without an
// extension, a symbol named .jww, and two inputs that would share an output.
// Every rule kind in one scheme; the dry run must say what the real run does.
TEST(CliMove, AMixedTreeGoesThroughASchemeAndTheDryRunTellsTheTruth) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  const std::pair<const char*, const char*> tree[] = {
      {"jww/dist_amansion_heimen.jww", "田中/平面図.jww"},
      {"jww/dist_mokuzo_heimen.jww", "田中/図面/木造"},
      {"jws/dist_kitchen.jws", "山本/台所.jww"},
      {"jws/dist_desk.jws", "山本/机.JWS"},
      {"jww/dist_test1.jww", "山本/配置"},
      {"jww/dist_test3.jww", "山本/配置.jww"}};
  for (const auto& [sample, name] : tree) {
    fs::create_directories(FsPath(dir.File("受取/" + std::string(name))).parent_path());
    fs::copy_file(test::SamplePath(sample), FsPath(dir.File("受取/" + std::string(name))));
  }
  test::WriteAll(dir.File("scheme.json"), [] {
    const std::string s = R"([{"group-name": "一般*", "to": "5"}, {"layer-name": "芯", "to": "5-0"},
      {"layer-name": "躯体", "in-group": "5", "to": "5-2"}, {"group": "3:4"},
      {"layer": "5-9:5-F"}, {"swap": "1:2"}, {"rename-group": "5", "name": "平面"},
      {"rename-layer": "5-3", "name": "建具"}])";
    return std::vector<std::uint8_t>(s.begin(), s.end());
  }());
  MoveOptions o;
  o.inDir = dir.File("受取");
  o.outDir = dir.File("整理");
  o.mapFile = dir.File("scheme.json");
  auto run = [&](bool dryRun) {
    o.dryRun = dryRun;
    o.reportFile = dir.File(dryRun ? "dry.json" : "real.json");
    Capture c;
    EXPECT_EQ(RunMove(o, c.io()), 1);  // the second 配置 fails
    auto bytes = test::ReadAll(o.reportFile);
    std::string report(bytes.begin(), bytes.end()), out = c.out.str();
    // What only tells a dry run from a real one.
    Replace(report, "\"dry_run\": true", "\"dry_run\": false");
    Replace(report, "\"written\": true", "\"written\": false");
    Replace(out, " (dry run)", "");
    Replace(out, "dry run: ", "");
    return std::tuple{report, out, c.err.str()};
  };
  const auto dry = run(true);
  EXPECT_FALSE(fs::exists(dir.File("整理")));
  EXPECT_EQ(run(false), dry);

  std::set<std::string> written;
  for (const auto& e : fs::recursive_directory_iterator(FsPath(dir.File("整理"))))
    if (e.is_regular_file())
      written.insert(e.path().lexically_relative(FsPath(o.outDir)).generic_string());
  EXPECT_EQ(written, (std::set<std::string>{"田中/平面図.jww", "田中/図面/木造.jww",
                                            "山本/台所.jws", "山本/机.JWS", "山本/配置.jww"}));
  const std::string& err = std::get<2>(dry);
  for (const std::string& line :
       {"quintaro-cli: warning: " + dir.File("受取/山本/台所.jww") +
            ": JWS has no layer names: rename 5-3 skipped\n",
        "quintaro-cli: " + dir.File("受取/山本/配置.jww") + ": its output " +
            dir.File("整理/山本/配置.jww") + " is already that of " + dir.File("受取/山本/配置") +
            "; skipped, nothing overwritten\n"})
    EXPECT_NE(err.find(line), std::string::npos) << line << err;
  EXPECT_NE(std::get<1>(dry).find("5 file(s) done, 1 failed"), std::string::npos)
      << std::get<1>(dry);
}

}  // namespace
}  // namespace quintaro::cli
