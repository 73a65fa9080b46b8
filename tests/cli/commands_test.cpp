#include "cli/commands.h"
#include "capture.h"
#include "cli/command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "document/document.h"
#include "formats/common/file_io.h"
#include "support/containers.h"
#include "support/temp_dir.h"
#ifdef QUINTARO_CAN_RENDER
#include "render/qt/render_image.h"
#endif

namespace quintaro::cli {
namespace {

namespace fs = std::filesystem;

using testing::Capture;

std::string Copy(const test::TempDir& dir, const std::string& sample, const std::string& name) {
  std::string to = dir.File(name);
  fs::copy_file(test::SamplePath(sample), to);
  return to;
}

TEST(CliInfo, PrintsTheSchemaWithMainListCountsForEachFormat) {
  QUINTARO_NEEDS_SAMPLES();
  Capture jww;
  ASSERT_EQ(RunInfo(test::SamplePath("jww/dist_test3.jww"), true, jww.io()), 0) << jww.err.str();
  std::string j = jww.out.str();
  for (const char* part :
       {"\"format\": \"JWW\"", "\"version\": 600", "\"complete\": true", "\"lines\": 104",
        "\"arcs\": 6", "\"texts\": 56", "\"extents\": [", "\"groups\": [{\"group\": 0, \"name\": "})
    EXPECT_NE(j.find(part), std::string::npos) << part << "\n" << j;

  Capture jwk;
  ASSERT_EQ(RunInfo(test::SamplePath("jwk/dist_bkit.jwk"), true, jwk.io()), 0) << jwk.err.str();
  std::string k = jwk.out.str();
  for (const char* part : {"\"format\": \"JWK\"", "\"version\": null", "\"lines\": 22",
                           "\"arcs\": 6", "\"scale\": null"})
    EXPECT_NE(k.find(part), std::string::npos) << part << "\n" << k;
  EXPECT_EQ(std::count(k.begin(), k.end(), '\n'), 1) << "exactly one JSON object on one line";
}

// Whole command lines: options take one value each and leave the files to
// the files; every complaint is one line a user can act on.
TEST(CliCommandLine, OptionsTakeOneValueAndErrorsSayWhatToDo) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  const std::string a = Copy(dir, "jww/dist_test1.jww", "a.jww"), o = dir.File("o"),
                    foreign = dir.File("notes.jww"), cut = dir.File("cut.jww"),
                    map = dir.File("bad.json");
  test::WriteAll(foreign, {'h', 'e', 'l', 'l', 'o'});
  test::WriteAll(map, {'[', '{', '"', 'g'});
  auto bytes = test::ReadAll(a);
  bytes.resize(bytes.size() / 2);
  test::WriteAll(cut, bytes);
  Document damaged;
  damaged.Open(cut);
  struct Case {
    std::vector<std::string> words;
    int exit;
    std::string err, out;  // out: "" when it does not matter
  } cases[] = {
      {{"imfo", a},
       2,
       "imfo: no such command; the commands are info, convert, diff, move, layers, render, demo "
       "(see quintaro-cli --help)"},
      {{"info", foreign}, 1, foreign + ": is not a JWW, JWS, JWC or JWK file"},
      {{"info", dir.File("missing.jww")},
       1,
       dir.File("missing.jww") + ": cannot be read: no such file"},
      {{"info", dir.Path()}, 1, dir.Path() + ": cannot be read: is a folder, not a file"},
      {{"info", a, a}, 2, "info takes one file; for several, use quintaro-cli layers FILE..."},
      {{"diff", a, cut}, 2, cut + ": damaged or cut short: " + damaged.LoadProblem()},
      {{"render", a, "-o", dir.File("x.bmp")},
       2,
       dir.File("x.bmp") + ": give a name ending in .png or .svg"},
      {{"move", "--map", map, "--out-dir", o, a},
       2,
       map + ": expected a closed string at character 3"},
      {{"move", "--out-dir", o, "--layer"},
       2,
       "--layer: 1 required G-L:H-M missing (see quintaro-cli move --help)"},
      {{"layers", "--", "--json"}, 1, "--json: cannot be read: no such file"},
      {{"move", "--out-dir", o, "--layer", "0-0:0-3", "0-1:0-4", a},
       1,
       "0-1:0-4: cannot be read: no such file"},
      {{"move", a, "--out-dir", o, "--layer", "0-0:0-3", "--layer", "0-3:0-5"},
       1,
       dir.File("o/a.jww") + ": exists already (use --overwrite to replace it; the old file is " +
           "kept as " + dir.File("o/a._JWW") + ")",
       "0 file(s) done, 1 failed, 0 figure(s) moved\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[0] + " " + c.words[1]);
    Capture r;
    EXPECT_EQ(RunCommandLine(c.words, "0", r.io()), c.exit);
    EXPECT_EQ(r.err.str(), "quintaro-cli: " + c.err + "\n");
    if (!c.out.empty()) {
      EXPECT_EQ(r.out.str(), c.out);
    }
  }
}

TEST(CliInfo, DescribesACutFileAndSaysWhereItStopped) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  auto bytes = test::ReadAll(test::SamplePath("jww/dist_sample.jww"));
  bytes.resize(bytes.size() / 2);
  test::WriteAll(dir.File("cut.jww"), bytes);
  Capture r;
  EXPECT_EQ(RunInfo(dir.File("cut.jww"), true, r.io()), 1);
  EXPECT_NE(r.out.str().find("\"complete\": false"), std::string::npos);
  EXPECT_NE(r.err.str().find("at byte"), std::string::npos) << r.err.str();
}

TEST(CliConvert, RefusesTheInputAnotherFormatAndAnExistingOutput) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  std::string in = Copy(dir, "jww/dist_test5.jww", "plan.jww");
  auto original = test::ReadAll(in);

  // Another case is another file where the file system says so; a missing
  // output folder is made.
  Capture upper;
  EXPECT_EQ(RunConvert({in, dir.File("PLAN.JWW")}, upper.io()), FileNamesIgnoreCase() ? 1 : 0);
  Capture deeper;
  EXPECT_EQ(RunConvert({in, dir.File("new/plan.jww")}, deeper.io()), 0) << deeper.err.str();
  EXPECT_EQ(test::ReadAll(in), original);
  Capture other;
  EXPECT_EQ(RunConvert({in, dir.File("plan.jwc")}, other.io()), 1);
  EXPECT_NE(other.err.str().find("is not .JWW"), std::string::npos) << other.err.str();
  EXPECT_FALSE(fs::exists(dir.File("plan.jwc")));

  test::WriteAll(dir.File("_plan.jww"), {1, 2, 3});
  Capture exists;
  EXPECT_EQ(RunConvert({in, dir.File("_plan.jww")}, exists.io()), 1);
  EXPECT_EQ(test::ReadAll(dir.File("_plan.jww")), (std::vector<std::uint8_t>{1, 2, 3}));

  Capture over;
  ASSERT_EQ(RunConvert({in, dir.File("_plan.jww"), true}, over.io()), 0) << over.err.str();
  EXPECT_EQ(test::ReadAll(dir.File("_plan._JWW")), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(test::ReadAll(in), original);

  Document a, b;
  ASSERT_EQ(a.Open(in), OpenResult::kOpened);
  ASSERT_EQ(b.Open(dir.File("_plan.jww")), OpenResult::kOpened);
  // The figures and layer tables come back as they were (the writer may only
  // repair header values, such as blank extended colour names).
  const TJwwData& x = *test::Container<TJwwData>(a);
  const TJwwData& y = *test::Container<TJwwData>(b);
  EXPECT_TRUE(static_cast<const TJwwEntityList&>(x) == static_cast<const TJwwEntityList&>(y));
  EXPECT_TRUE(x.BlockDefs == y.BlockDefs);
  EXPECT_TRUE(x.LayerGroups == y.LayerGroups);
  EXPECT_TRUE(x.Layers == y.Layers);
}

TEST(CliConvert, WritesEveryFormatSoThatItReadsBackEqual) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  for (const char* sample : {"jws/dist_desk.jws", "jwk/dist_desk.jwk", "jww/ezj_2blocks.jww"}) {
    std::string ext = fs::path(sample).extension().string();
    std::string out = dir.File(std::string("out") + ext);
    Capture r;
    ASSERT_EQ(RunConvert({test::SamplePath(sample), out}, r.io()), 0) << sample << r.err.str();
    Document a, b;
    ASSERT_EQ(a.Open(test::SamplePath(sample)), OpenResult::kOpened);
    ASSERT_EQ(b.Open(out), OpenResult::kOpened);
    EXPECT_EQ(a.Counts().lines, b.Counts().lines) << sample;
    for (int g = 0; g < 16; ++g) EXPECT_EQ(a.GroupTotal(g), b.GroupTotal(g)) << sample;
  }
}

TEST(CliMove, MovesAGroupOntoAnEmptyOneAndSavesIt) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  std::string in = Copy(dir, "jww/dist_test1.jww", "t1.jww");
  Document before;
  ASSERT_EQ(before.Open(in), OpenResult::kOpened);
  ASSERT_EQ(before.GroupTotal(5), 0);
  int g0 = before.GroupTotal(0);
  ASSERT_GT(g0, 0);

  MoveOptions o;
  o.inputs = {in};
  o.out = dir.File("moved.jww");
  o.steps = {{0, -1, 5, -1}};
  Capture r;
  ASSERT_EQ(RunMove(o, r.io()), 0) << r.err.str();
  EXPECT_NE(r.out.str().find("before  group 0: " + std::to_string(g0) + "  group 5: 0"),
            std::string::npos)
      << r.out.str();
  EXPECT_NE(r.out.str().find("after   group 0: 0  group 5: " + std::to_string(g0)),
            std::string::npos);

  Document after;
  ASSERT_EQ(after.Open(o.out), OpenResult::kOpened);
  EXPECT_EQ(after.GroupTotal(0), 0);
  EXPECT_EQ(after.GroupTotal(5), g0);
  for (int g = 1; g < 16; ++g) {
    if (g != 5) {
      EXPECT_EQ(after.GroupTotal(g), before.GroupTotal(g)) << g;
    }
  }
  EXPECT_EQ(after.GroupName(5), before.GroupName(0));
}

TEST(CliMove, BatchGoesOnPastABadFileAndDryRunWritesNothing) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir in, out;
  std::vector<std::string> files = {Copy(in, "jww/dist_test5.jww", "a.jww"), in.File("bad.jww"),
                                    Copy(in, "jws/dist_bkit.jws", "b.jws")};
  test::WriteAll(files[1], {'J', 'w', 'w', 'D', 'a', 't', 'a', '.', 0x5E});
  test::WriteAll(in.File("map.json"), {});
  std::string map = "[{\"group\": \"0:9\"}, {\"layer\": \"9-1:9-E\"}]";
  test::WriteAll(in.File("map.json"), std::vector<std::uint8_t>(map.begin(), map.end()));

  MoveOptions o;
  o.inputs = files;
  o.outDir = out.Path();
  o.mapFile = in.File("map.json");
  o.dryRun = true;
  Capture dry;
  EXPECT_EQ(RunMove(o, dry.io()), 1);
  EXPECT_TRUE(fs::is_empty(out.Path()));
  EXPECT_NE(dry.out.str().find("dry run: 2 file(s) done, 1 failed"), std::string::npos)
      << dry.out.str();

  o.dryRun = false;
  Capture real;
  EXPECT_EQ(RunMove(o, real.io()), 1);
  EXPECT_TRUE(fs::exists(out.File("a.jww")));
  EXPECT_TRUE(fs::exists(out.File("b.jws")));
  EXPECT_FALSE(fs::exists(out.File("bad.jww")));
  EXPECT_NE(real.err.str().find("bad.jww"), std::string::npos) << real.err.str();

  Document moved;
  ASSERT_EQ(moved.Open(out.File("a.jww")), OpenResult::kOpened);
  EXPECT_EQ(moved.GroupTotal(0), 0);
  EXPECT_EQ(moved.LayerTotal(9, 1), 0);

  o.outDir = in.Path();  // never next to an input
  Capture beside;
  EXPECT_EQ(RunMove(o, beside.io()), 1);
  EXPECT_NE(beside.err.str().find("apart from the inputs"), std::string::npos);
}

}  // namespace
}  // namespace quintaro::cli

namespace quintaro::cli {
namespace {

TEST(CliRender, DrawsTheWholeDrawingOrOneGroupAndRefusesOtherPictureKinds) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  RenderOptions o;
  o.in = test::SamplePath("jws/dist_desk.jws");
  o.out = dir.File("desk.png");
  o.width = 200;
  o.height = 150;
  Capture r;
#ifndef QUINTARO_CAN_RENDER
  EXPECT_EQ(RunRender(o, r.io()), 1);
  EXPECT_NE(r.err.str().find("this build cannot draw"), std::string::npos) << r.err.str();
  GTEST_SKIP() << "built without Qt: nothing is drawn";
#endif
  ASSERT_EQ(RunRender(o, r.io()), 0) << r.err.str();
  auto png = test::ReadAll(o.out);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");

  o.out = dir.File("desk.svg");
  o.group = 0;
  Capture s;
  if (render::kCanWriteSvg) {
    ASSERT_EQ(RunRender(o, s.io()), 0) << s.err.str();
    auto svg = test::ReadAll(o.out);
    EXPECT_NE(std::string(svg.begin(), svg.end()).find("<svg"), std::string::npos);
  } else {  // a Qt without its SVG module (Windows builds may lack it)
    EXPECT_EQ(RunRender(o, s.io()), 1);
  }

  o.out = dir.File("desk.jpg");
  Capture bad;
  EXPECT_EQ(RunRender(o, bad.io()), 2);
  o.out = dir.File("desk2.png");
  o.group = -1;
  o.layer = 3;
  Capture noGroup;
  EXPECT_EQ(RunRender(o, noGroup.io()), 2);
  EXPECT_FALSE(fs::exists(dir.File("desk.jpg")));
  EXPECT_FALSE(fs::exists(dir.File("desk2.png")));
}

}  // namespace
}  // namespace quintaro::cli
