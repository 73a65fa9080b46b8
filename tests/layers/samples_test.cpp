// Census and moves on the shared sample drawings.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/census.h"
#include "layers/move.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

using GroupTotals = std::array<int, 16>;

template <class Doc>
GroupTotals TotalsOf(const Doc& doc) {
  GroupTotals t{};
  for (int g = 0; g < 16; ++g) t[g] = GroupTotal(doc, g);
  return t;
}

std::string BaseName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Loading and saving per format.
template <class Doc>
bool Load(Doc& d, const std::vector<std::uint8_t>& bytes) {
  return d.LoadFromBytes(bytes);
}
bool Save(TJwwData& d, std::vector<std::uint8_t>& out) {
  return d.SaveToBytes(d.Header.Version, out);
}
bool Save(TJwsData& d, std::vector<std::uint8_t>& out) {
  return d.SaveToBytes(d.Version, out);
}
bool Save(TJwkData& d, std::vector<std::uint8_t>& out) {
  return d.SaveToBytes(out);
}
// The destination's own name is lost in a move (JWW only carries names).
// After a group g went to h and back, h has no names left: its group name
// was replaced, and each named layer of it went to g where g's was unnamed.
void ForgetNames(TJwwData& d, int g, int h) {
  if (d.LayerGroups.size() == 16) d.LayerGroups[h].Name = {};
  for (int l = 0; l < 16 && d.Layers.size() == 256; ++l) {
    EncodedText &back = d.Layers[g * 16 + l].Name, &lost = d.Layers[h * 16 + l].Name;
    if (back.Empty() && lost.Empty()) continue;
    if (back.Empty()) back = lost;
    lost = {};
  }
}
void ForgetNames(TJwsData&, int, int) {}
void ForgetNames(TJwkData&, int, int) {}

// Whether anything at all lies on group g: figures of unplaced block
// definitions and definitions' own bases count here, though not in the census.
template <class Doc>
bool AnythingOnGroup(Doc doc, int g) {
  int n = 0;
  auto on = [&](TEntJwwBase& b) { n += b.LayerGroup == g; };
  doc.ForEachBase(true, on);
  for (auto& def : doc.BlockDefs) {
    on(def.Base);
    def.ForEachBase(true, on);
  }
  for (auto& entry : doc.BlockTree) on(entry.Base);
  return n > 0;
}
bool AnythingOnGroup(const TJwkData& doc, int g) {
  return GroupTotal(doc, g) > 0;
}

// Moves the first non-empty group g into the first group h with nothing on
// it and checks the census, a save and reload, and the move back.
template <class Doc>
void CheckGroupMoveRoundTrip(const std::string& path) {
  SCOPED_TRACE(path);
  Doc original;
  ASSERT_TRUE(Load(original, test::ReadAll(path)));
  const GroupTotals before = TotalsOf(original);
  int g = -1, h = -1;
  for (int i = 0; i < 16; ++i) {
    if (g < 0 && before[i] > 0) g = i;
    if (h < 0 && !AnythingOnGroup(original, i)) h = i;
  }
  ASSERT_GE(g, 0);
  if (h < 0) GTEST_SKIP() << "no empty group";

  Doc doc = original;
  MoveLayerGroup(doc, g, -1, h, -1);
  GroupTotals want = before;
  want[h] = before[g];
  want[g] = 0;
  EXPECT_EQ(TotalsOf(doc), want);
  for (int l = 0; l < 16; ++l) EXPECT_EQ(LayerCensus(doc, h, l), LayerCensus(original, g, l));
  EXPECT_EQ(LayerCensus(doc, -1, -1), LayerCensus(original, -1, -1));

  std::vector<std::uint8_t> bytes;
  Doc saved = doc;  // a save may tidy texts and header lines in memory
  ASSERT_TRUE(Save(saved, bytes));
  Doc reread;
  ASSERT_TRUE(Load(reread, bytes));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(LayerCensus(reread, i, -1), LayerCensus(doc, i, -1));

  MoveLayerGroup(doc, h, -1, g, -1);
  Doc expected = original;
  ForgetNames(expected, g, h);
  EXPECT_TRUE(doc == expected);
}

TEST(SampleMoves, JwwGroupMoveRoundTrip) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jww")) CheckGroupMoveRoundTrip<TJwwData>(path);
}

TEST(SampleMoves, JwsGroupMoveRoundTrip) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jws")) CheckGroupMoveRoundTrip<TJwsData>(path);
}

TEST(SampleMoves, JwkGroupMoveRoundTrip) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jwk")) CheckGroupMoveRoundTrip<TJwkData>(path);
}

// Main-list counts per group and layer as independent readers report them.
const std::map<std::string, std::vector<std::pair<int, int>>>& OracleCounts() {
  static const std::map<std::string, std::vector<std::pair<int, int>>> counts = {
      {"diff_jww1.jww", {{0x00, 8}}},
      {"dist_amansion_heimen.jww",
       {{0x00, 35},
        {0x01, 221},
        {0x02, 96},
        {0x03, 516},
        {0x04, 632},
        {0x05, 140},
        {0x06, 47},
        {0x07, 36},
        {0x08, 30},
        {0x09, 1}}},
      {"dist_mokuzo_heimen.jww", {{0x00, 780}}},
      {"dist_sample.jww",
       {{0x00, 16}, {0x01, 115}, {0x02, 20}, {0x03, 320}, {0x04, 8}, {0x05, 62}, {0x08, 154}}},
      {"dist_shikichizu.jww", {{0x00, 9}}},
      {"dist_test1.jww", {{0x00, 23}, {0x01, 33}, {0x02, 8}, {0x04, 20}, {0x0A, 1602}}},
      {"dist_test3.jww", {{0x00, 35}, {0x01, 66}, {0x02, 8}, {0x03, 90}}},
      {"dist_test5.jww",
       {{0x00, 8}, {0x01, 8}, {0x02, 8}, {0x03, 8}, {0x04, 15}, {0x08, 29}, {0x09, 8}, {0x0A, 5}}},
      {"dist_test7.jww",
       {{0x00, 8},
        {0x01, 8},
        {0x02, 8},
        {0x03, 8},
        {0x04, 6},
        {0x05, 11},
        {0x06, 87},
        {0x07, 31},
        {0x08, 82},
        {0x09, 24},
        {0x0A, 5},
        {0x0B, 5},
        {0x0C, 3091},
        {0x0D, 498},
        {0x0E, 335}}},
      {"ezj_2blocks.jww", {{0x00, 8}}},
      {"ezj_copy_block.jww", {{0x00, 7}}},
      {"ezj_out1_in2.jww", {{0x00, 8}}},
      {"jdu_sample.jww", {{0x00, 6}, {0xF0, 2533}}},
      // Symbols: the whole main list.
      {"dist_bkit.jws", {{-1, 28}}},
      {"dist_car_plan11.jws", {{-1, 214}}},
      {"dist_car_side1.jws", {{-1, 74}}},
      {"dist_desk.jws", {{-1, 31}}},
      {"dist_door_ryo1350.jws", {{-1, 18}}},
      {"dist_kitchen.jws", {{-1, 98}}},
      {"jdu_f4006.jws", {{-1, 1}}},
      {"jdu_irikomi1800.jws", {{-1, 195}}},
      {"jdu_jasyur.jws", {{-1, 1}}},
      {"dist_bkit.jwk", {{-1, 28}}},
      {"dist_desk.jwk", {{-1, 31}}},
  };
  return counts;
}

// Checks the main-list census against the reference counts: each listed
// group-layer holds its count and nothing lies elsewhere.
template <class Doc>
void CheckOracle(const std::string& path) {
  SCOPED_TRACE(path);
  const auto it = OracleCounts().find(BaseName(path));
  ASSERT_NE(it, OracleCounts().end());
  Doc doc;
  ASSERT_TRUE(Load(doc, test::ReadAll(path)));
  int sum = 0;
  for (const auto& [code, count] : it->second) {
    const int g = code < 0 ? -1 : code >> 4, l = code < 0 ? -1 : code & 15;
    EXPECT_EQ(LayerCensus(doc, g, l).Direct(), count) << "group-layer " << std::hex << code;
    sum += count;
  }
  EXPECT_EQ(LayerCensus(doc, -1, -1).Direct(), sum);
}

TEST(SampleCensus, MainListMatchesReferenceCounts) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jww")) CheckOracle<TJwwData>(path);
  for (const auto& path : test::SampleFiles("jws")) CheckOracle<TJwsData>(path);
  for (const auto& path : test::SampleFiles("jwk")) CheckOracle<TJwkData>(path);
}

// The one-pass table gives what a census of each layer and group gives.
template <class Doc>
void CheckTableAgainstCensus(const std::string& path) {
  SCOPED_TRACE(path);
  Doc doc;
  doc.LoadFromBytes(test::ReadAll(path));  // a partial load is counted too
  const LayerTotals table = CensusAllLayers(doc);
  for (int g = 0; g < 16; ++g) {
    EXPECT_EQ(table.Group(g), GroupTotal(doc, g)) << "group " << g;
    for (int l = 0; l < 16; ++l)
      EXPECT_EQ(table.Layer(g, l), LayerTotal(doc, g, l)) << g << "-" << l;
  }
}

TEST(SampleCensus, OnePassTableEqualsCensusOfEachLayer) {
  QUINTARO_NEEDS_SAMPLES();
  for (const auto& path : test::SampleFiles("jww")) CheckTableAgainstCensus<TJwwData>(path);
  for (const auto& path : test::SampleFiles("jws")) CheckTableAgainstCensus<TJwsData>(path);
  for (const auto& path : test::SampleFiles("jwc")) CheckTableAgainstCensus<TJwcData>(path);
  for (const auto& path : test::SampleFiles("jwk")) CheckTableAgainstCensus<TJwkData>(path);
}

}  // namespace
}  // namespace quintaro
