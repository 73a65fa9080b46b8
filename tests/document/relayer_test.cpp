// Re-layering plans: the mapping file's text, and each rule kind applied to
// drawings of every format, checked against the census taken before.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "document/demo_drawing.h"
#include "document/document.h"
#include "formats/common/file_io.h"
#include "formats/common/text.h"
#include "support/containers.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

TEST(RelayerPlan, ReadsTheCommandLineFormsAndWritesEveryKindBackEqual) {
  RelayerRule inGroup = *ParseLayerNameRule("a\"b\\c:2-3");
  inGroup.inGroup = 1;
  RelayerPlan plan = {*ParseGroupMove("2:5"),
                      *ParseLayerMove("2-3:5-0"),
                      *ParseSwap("a:B"),
                      *ParseSwap("1-1:2-2"),
                      *ParseGroupNameRule("1階*:2"),
                      *ParseLayerNameRule("x:y:F-0"),
                      inGroup,
                      *ParseRenameGroup("2=壁"),
                      *ParseRenameLayer("2-3=")};
  EXPECT_EQ(plan[5].pattern, "x:y");  // the target follows the last colon
  EXPECT_EQ(plan[5].to, (LayerRef{15, 0}));
  EXPECT_EQ(plan[8].name, "");
  PlanParseResult back = ParseRelayerPlan(SerializeRelayerPlan(plan));
  ASSERT_TRUE(back.Ok()) << back.error;
  EXPECT_EQ(back.rules, plan);

  for (const char* bad : {":5", "壁:2-", "壁:5-0-1", "2-3:5"}) {
    EXPECT_FALSE(ParseLayerNameRule(bad)) << bad;
    EXPECT_FALSE(ParseSwap(bad)) << bad;
  }
  EXPECT_FALSE(ParseRenameGroup("G=x"));
  EXPECT_FALSE(ParseRenameLayer("2=x"));
}

TEST(RelayerPlan, ReadsHexadecimalMovesAndMappingFilesInOrder) {
  EXPECT_EQ(ParseGroupMove("2:5"), (RelayerRule{2, -1, 5, -1}));
  EXPECT_EQ(ParseGroupMove("a:F"), (RelayerRule{10, -1, 15, -1}));
  EXPECT_EQ(ParseLayerMove("2-3:5-0"), (RelayerRule{2, 3, 5, 0}));
  EXPECT_EQ(ParseLayerMove("F-f:0-a"), (RelayerRule{15, 15, 0, 10}));
  for (const char* bad : {"", "2", "2:", "G:1", "10:2", "2:5 ", "2-3:5"})
    EXPECT_FALSE(ParseGroupMove(bad)) << bad;
  for (const char* bad : {"2:5", "2-3:5-", "2-3-5-0", "2-G:5-0", "2-3:5-00"})
    EXPECT_FALSE(ParseLayerMove(bad)) << bad;
  EXPECT_EQ(Describe(RelayerRule{10, 3, 5, 11}), "layer A-3 -> 5-B");
  EXPECT_EQ(Describe(RelayerRule{2, -1, 12, -1}), "group 2 -> C");

  PlanParseResult map = ParseRelayerPlan(R"( [ {"group": "2:5"}, {"layer":"1-0:1-F"} ] )");
  EXPECT_EQ(map.rules, (RelayerPlan{{2, -1, 5, -1}, {1, 0, 1, 15}}));
  EXPECT_TRUE(ParseRelayerPlan("[]").Ok());
  struct Case {
    const char* json;
    const char* error;
  } cases[] = {
      {"{}", "expected a list '[' of moves at character 1"},
      {"[{\"group\": \"2:G\"}]", "expected a valid move, not \"group\": \"2:G\" at character 12"},
      {"[{\"grp\": \"2:5\"}]", "expected a rule, not \"grp\" at character 2"},
      {"[{\"group\": \"2:5\"} {\"group\": \"1:2\"}]", "expected ',' or ']' at character 19"},
      {"[{\"group\": \"2:5\"}] x", "expected the end of the file at character 20"},
      {"[{\"group\": 2}]", "expected a string as the value of \"group\" at character 12"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRelayerPlan(c.json).error, c.error) << c.json;
}

TEST(RelayerPlan, SaysWhatARuleObjectLacksAndWhere) {
  struct Case {
    std::string json;
    std::string expected;  // what is expected
    std::string at;        // where: the text it starts at
  } cases[] = {
      {R"([{"layer-name": "w", "to": "2"}])", R"("to": "H-M", not "2")", R"("2")"},
      {R"([{"group-name": "w"}])", R"("to": "D")", R"({"group-name")"},
      {R"([{"group-name": "w", "to": "2", "in-group": "1"}])",
       R"(no "in-group" in a "group-name" rule)", R"("1")"},
      {R"([{"rename-layer": "2", "name": "w"}])", R"(a layer G-L, not "2")", R"("2")"},
      {R"([{"swap": "2:5-0"}])", R"(a valid move, not "swap": "2:5-0")", R"("2:5-0")"},
      {R"([{"rename-group": "2", "name": "\ud800"}])", "a valid escape in the string", R"("}])"},
      {"[{\"rename-group\": \"2\", \"name\": \"\xFF\"}]", "UTF-8 text", "\xFF"},
  };
  for (const Case& c : cases) {
    PlanParseResult r = ParseRelayerPlan(c.json);
    std::size_t at = c.json.find(c.at);
    EXPECT_EQ(r.error, "expected " + c.expected + " at character " + std::to_string(at + 1))
        << c.json;
    EXPECT_TRUE(r.rules.empty());
  }
}

// Census totals of all 256 layers.
using Census = std::array<int, 256>;

Census CensusOf(const Document& doc) {
  Census c{};
  LayerTotals t = doc.Totals();
  for (int i = 0; i < 256; ++i) c[i] = t.Layer(i / 16, i % 16);
  return c;
}

std::string SampleOrFile(const std::string& s) {
  return FsPath(s).has_root_directory() ? s : test::SamplePath(s);  // "C:\\..." on Windows
}

struct ApplyCase {
  std::string file;  // a sample, or an absolute path
  std::string rules;
  std::vector<LayerRef> from;  // what the rules should find, in order, all onto `to`
  LayerRef to;
};

// Applies the rules, then checks every layer against the census before:
// the sources are empty, the target holds its own and their figures, all
// else is as it was; the target carries the last source's name.
void CheckApply(const ApplyCase& c) {
  SCOPED_TRACE(c.file + " " + c.rules);
  Document doc;
  ASSERT_EQ(doc.Open(SampleOrFile(c.file)), OpenResult::kOpened);
  const Census before = CensusOf(doc);
  Census want = before;
  std::string name;
  for (const LayerRef& f : c.from) {
    for (int l = 0; l < 16; ++l) {
      int src = f.group * 16 + (f.IsGroup() ? l : f.layer);
      int dst = c.to.group * 16 + (c.to.IsGroup() ? l : c.to.layer);
      if (src == dst || (!f.IsGroup() && l > 0)) continue;
      want[dst] += want[src];
      want[src] = 0;
    }
    name = doc.LayerName(f.group, f.layer);
  }
  PlanParseResult plan = ParseRelayerPlan(c.rules);
  ASSERT_TRUE(plan.Ok()) << plan.error;
  LayerChange out = doc.Apply(plan.rules);
  ASSERT_TRUE(out.Ok()) << out.error;
  std::vector<LayerRef> found;
  for (const LayerChange::Step& r : out.steps)
    for (const LayerChange::Flow& m : r.flows) found.push_back(m.from);
  EXPECT_EQ(found, c.from);
  EXPECT_EQ(CensusOf(doc), want);
  if (!c.from.empty()) {
    EXPECT_EQ(doc.LayerName(c.to.group, c.to.layer), name);
  }
}

// A small JWC drawing (there are no JWC samples): figures on 0-1, 0-2 and
// 3-4, named layers, the half-width name on 3-4.
std::string WriteJwc(const test::TempDir& dir) {
  TJwcData jwc;
  for (std::uint8_t code : {0x01, 0x02, 0x02, 0x34}) {
    jwc.lines.emplace_back().layer = code;
    jwc.texts.emplace_back().layer = code;
  }
  jwc.layerGroups[0].name = Utf8ToCp932("1階平面図");
  jwc.layers[0x02].name = Utf8ToCp932("　壁");
  jwc.layers[0x34].name = Utf8ToCp932("ﾍﾞﾗﾝﾀﾞ");
  std::string path = dir.File("small.jwc");
  EXPECT_TRUE(jwc.SaveToFile(path));
  return path;
}

TEST(RelayerApply, EachRuleKindMovesWhatTheCensusBeforeSays) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  const std::string jwc = WriteJwc(dir), mansion = "jww/dist_amansion_heimen.jww";
  const ApplyCase cases[] = {
      {mansion, R"([{"layer-name": "エレベ-タ", "to": "5-8"}])", {{0, 8}}, {5, 8}},
      {mansion, R"([{"layer-name": "躯体", "in-group": "0", "to": "5-1"}])", {{0, 1}}, {5, 1}},
      {mansion, R"([{"layer-name": "躯体", "in-group": "1", "to": "5-1"}])", {}, {5, 1}},
      {mansion,
       R"([{"layer-name": "?-?ﾚｲﾔ", "in-group": "2", "to": "2-8"}])",
       {{2, 8}, {2, 9}, {2, 10}, {2, 11}, {2, 12}, {2, 13}, {2, 14}, {2, 15}},
       {2, 8}},
      {mansion, R"([{"group-name": "一般図", "to": "4"}])", {{0, -1}}, {4, -1}},
      {mansion, R"([{"group": "0:4"}])", {{0, -1}}, {4, -1}},
      {"jww/dist_test1.jww", R"([{"layer": "0-A:3-3"}])", {{0, 10}}, {3, 3}},
      {"jws/dist_kitchen.jws", R"([{"group": "0:7"}])", {{0, -1}}, {7, -1}},
      {"jws/dist_kitchen.jws", R"([{"layer-name": "*", "to": "1-1"}])", {}, {1, 1}},
      {"jwk/dist_desk.jwk", R"([{"layer": "0-0:9-9"}])", {{0, 0}}, {9, 9}},
      {jwc, R"([{"layer-name": "壁", "to": "7-2"}])", {{0, 2}}, {7, 2}},
      {jwc, R"([{"layer-name": "ベランダ", "to": "0-1"}])", {{3, 4}}, {0, 1}},
      {jwc, R"([{"group-name": "1階*", "to": "2"}])", {{0, -1}}, {2, -1}},
  };
  for (const ApplyCase& c : cases) CheckApply(c);
}

TEST(RelayerApply, ReportsUnmatchedRulesAndScaleChangesAsWarnings) {
  QUINTARO_NEEDS_SAMPLES();
  Document doc;
  ASSERT_EQ(doc.Open(test::SamplePath("jww/dist_amansion_heimen.jww")), OpenResult::kOpened);
  // Group F is drawn at 5:1, groups 0 and 1 at 1:100.
  LayerChange out = doc.Apply(ParseRelayerPlan(R"([{"group": "0:1"}, {"group": "1:F"},
      {"group-name": "nothing", "to": "1"}])")
                                  .rules);
  ASSERT_EQ(out.steps.size(), 3u);
  EXPECT_EQ(out.steps[0].warnings, std::vector<std::string>{});
  EXPECT_EQ(out.steps[1].warnings,
            std::vector<std::string>{"group 1 -> F: scale 1/100 -> 5/1; the figures keep their "
                                     "coordinates, so texts and dimensions show at another size "
                                     "on paper"});
  EXPECT_EQ(out.steps[2].warnings,
            std::vector<std::string>{"groups named \"nothing\" -> 1: matched nothing"});
}

// What an edit may change: every layer's figures and every name.
std::pair<Census, std::vector<std::string>> StateOf(const Document& doc) {
  std::vector<std::string> names;
  for (int i = 0; i < 16 * 17; ++i) names.push_back(doc.LayerName(i / 17, i % 17 - 1));
  return {CensusOf(doc), names};
}

// The record of an edit puts every format back and does it again: figures
// by their place, names where the format has them.
TEST(LayerChange, PutsEveryFormatBackAndDoesItAgain) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  const std::string jwc = dir.File("made.jwc");  // no shared JWC sample: made here
  ASSERT_TRUE(MakeLargeJwc(3000).SaveToFile(jwc));
  for (const std::string& path :
       {test::SamplePath("jww/dist_sample.jww"), test::SamplePath("jws/dist_kitchen.jws"),
        test::SamplePath("jwk/dist_desk.jwk"), jwc}) {
    SCOPED_TRACE(path);
    Document doc;
    ASSERT_EQ(doc.Open(path), OpenResult::kOpened);
    const Census census = CensusOf(doc);
    const int code = static_cast<int>(
        std::find_if(census.begin(), census.end(), [](int n) { return n > 0; }) - census.begin());
    const int g = code / 16, h = (g + 5) % 16;
    const auto before = StateOf(doc);
    LayerChange change = doc.Apply(RelayerPlan{{{g, -1}, {h, -1}}, {{h, code % 16}, {7, 0}}});
    const auto after = StateOf(doc);
    ASSERT_TRUE(after != before && !change.Empty());
    const int moved = change.Moved();
    change = doc.Apply(std::move(change).Inverse());
    EXPECT_EQ(StateOf(doc), before);
    EXPECT_EQ(change.steps.back().flows[0].from, (LayerRef{h, -1}));  // what went back, and where
    EXPECT_EQ(change.Moved(), moved);
    doc.Apply(std::move(change).Inverse());
    EXPECT_EQ(StateOf(doc), after);
  }
}

TJwwData* Jww(Document& doc) {
  return test::Container<TJwwData>(doc);
}

// Applies the rules, saves and reopens; returns the record.
LayerChange ApplyAndReopen(Document& doc, const std::string& rules, const std::string& to) {
  LayerChange out = doc.Apply(ParseRelayerPlan(rules).rules);
  if (out.Ok()) {
    EXPECT_EQ(doc.Save(to).error, "");
    EXPECT_EQ(doc.Open(to), OpenResult::kOpened);
  }
  return out;
}

TEST(RelayerApply, RenamesInTheFilesOwnStringFormAndRefusesWhatItCannotHold) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  Document doc;
  ASSERT_EQ(doc.Open(test::SamplePath("jww/dist_test1.jww")), OpenResult::kOpened);
  ASSERT_TRUE(ApplyAndReopen(doc, R"([{"rename-layer": "0-0", "name": "壁"},
      {"rename-group": "3", "name": "通り芯"}])",
                             dir.File("sjis.jww"))
                  .Ok());
  EXPECT_EQ(Jww(doc)->Layers[0].Name, (EncodedText{"\x95\xC7", TextEncoding::kCp932}));
  EXPECT_EQ(doc.GroupName(3), "通り芯");

  const TJwwData before = *Jww(doc);  // Korean has no Shift-JIS form: nothing changes
  LayerChange refused = doc.Apply(
      ParseRelayerPlan(
          R"([{"rename-group": "1", "name": "x"}, {"rename-layer": "0-1", "name": "한"}])")
          .rules);
  EXPECT_NE(refused.error.find("Shift-JIS cannot hold"), std::string::npos) << refused.error;
  EXPECT_TRUE(*Jww(doc) == before);

  // A file with names in the Unicode form takes any name, in that form.
  Jww(doc)->Layers[1].Name = EncodedText{std::string("x\0", 2), TextEncoding::kUtf16le};
  ASSERT_TRUE(
      ApplyAndReopen(doc, R"([{"rename-layer": "0-0", "name": "한국"}])", dir.File("wide.jww"))
          .Ok());
  EXPECT_EQ(Jww(doc)->Layers[0].Name, (EncodedText{"\x5C\xD5\x6D\xAD", TextEncoding::kUtf16le}));

  // JWC names are cut to 8 (layer) and 16 (group) bytes, never inside a character.
  Document jwc;
  ASSERT_EQ(jwc.Open(WriteJwc(dir)), OpenResult::kOpened);
  LayerChange cut = ApplyAndReopen(jwc, R"([{"rename-layer": "0-2", "name": "通り芯通り芯"},
      {"rename-group": "0", "name": "a壁壁壁壁壁壁壁壁"}])",
                                   dir.File("cut.jwc"));
  ASSERT_TRUE(cut.Ok()) << cut.error;
  EXPECT_EQ(jwc.LayerName(0, 2), "通り芯通");
  EXPECT_EQ(jwc.GroupName(0), "a壁壁壁壁壁壁壁");
  EXPECT_EQ(cut.steps[0].warnings.size(), 1u);

  for (const char* symbol : {"jws/dist_desk.jws", "jwk/dist_desk.jwk"}) {
    Document d;
    ASSERT_EQ(d.Open(test::SamplePath(symbol)), OpenResult::kOpened);
    // A symbol has no names: the rename is skipped, the other rules apply.
    const int onZero = d.GroupTotal(0), onE = d.GroupTotal(14);
    LayerChange none = d.Apply(
        ParseRelayerPlan(R"([{"rename-layer": "1-3", "name": "x"}, {"group": "0:e"}])").rules);
    ASSERT_TRUE(none.Ok()) << none.error;
    const std::string format = std::string(symbol).substr(0, 3) == "jws" ? "JWS" : "JWK";
    EXPECT_EQ(none.steps[0].warnings,
              std::vector<std::string>{format + " has no layer names: rename 1-3 skipped"});
    EXPECT_EQ((std::pair{d.GroupTotal(0), d.GroupTotal(14)}), (std::pair{0, onZero + onE}));
  }
}

}  // namespace
}  // namespace quintaro
