// quintaro-cli diff exits as diff(1) does; convert and info tell repairs.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "jwc/jwc_builder.h"
#include "support/temp_dir.h"

namespace quintaro::cli {
namespace {

struct Outcome {
  int code;
  std::string out, err;
};

Outcome Diff(const std::string& a, const std::string& b, bool json) {
  std::ostringstream out, err;
  int code = RunDiff(a, b, json, {out, err, false});
  return {code, out.str(), err.str()};
}

std::string Drawing(const test::TempDir& dir, const std::string& name, std::uint8_t color) {
  TJwcData d;
  d.lines.push_back({.endX = 1, .lineType = 1, .color = color, .layer = 0x10});
  EXPECT_TRUE(d.SaveToFile(dir.File(name))) << d.saveError;
  return dir.File(name);
}

TEST(CliDiff, ExitCodesFollowDiff) {
  test::TempDir dir;
  std::string a = Drawing(dir, "a.jwc", 1), same = Drawing(dir, "same.jwc", 1);
  std::string other = Drawing(dir, "b.jwc", 2);
  TJwkData symbol;
  ASSERT_TRUE(symbol.SaveToFile(dir.File("s.jwk")));
  EXPECT_EQ(Diff(a, same, false).code, 0);
  Outcome differ = Diff(a, other, true);
  EXPECT_EQ(differ.code, 1);
  EXPECT_NE(differ.out.find(R"("first_changes": [{"kind": "line", "where": "", "index": 0, )"
                            R"("what": "colour"}])"),
            std::string::npos)
      << differ.out;
  EXPECT_EQ(Diff(a, dir.File("missing.jwc"), false).code, 2);
  Outcome formats = Diff(a, dir.File("s.jwk"), false);
  EXPECT_EQ(formats.code, 2);
  EXPECT_NE(formats.err.find("different formats"), std::string::npos) << formats.err;
}

TEST(CliRepairs, ConvertWarnsAndInfoListsWhatASaveRepairs) {
  test::TempDir dir;
  test::JwcFile f;
  f.values2 = test::JwcLine2(2, 0, 0, 0);
  test::JwcFile::AddLine(f.lines, 0, 0, 1, 1, 1, 9, 0x00);  // colour 9: written as 0
  test::JwcFile::AddLine(f.lines, 0, 0, 1, 1, 1, 8, 0x00);
  test::WriteAll(dir.File("bad.jwc"), f.Build());
  std::ostringstream out, err, info, infoErr;
  ASSERT_EQ(RunConvert({dir.File("bad.jwc"), dir.File("out.jwc")}, {out, err, false}), 0);
  // The save's warning (printed by the session every saving command shares).
  EXPECT_NE(err.str().find("colour out of range written as 0 (2)"), std::string::npos) << err.str();
  RunInfo(dir.File("bad.jwc"), true, {info, infoErr, false});
  EXPECT_NE(
      info.str().find(R"("repairs": [{"what": "colour out of range written as 0", "count": 2}])"),
      std::string::npos)
      << info.str();
}

}  // namespace
}  // namespace quintaro::cli
