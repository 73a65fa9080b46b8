// Swaps of groups and layers, and finding them by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/census.h"
#include "layers/move.h"
#include "layers/name_match.h"
#include "layers/swap.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

struct Pick {
  int a = -1, b = -1, spare = -1;  // two groups (the fullest first) and an unused third
};

template <class Doc>
Pick PickGroups(const Doc& doc) {
  Pick p;
  for (int g = 0; g < 16; ++g)
    if (p.a < 0 || GroupTotal(doc, g) > GroupTotal(doc, p.a)) p.a = g;
  for (int g = 0; g < 16; ++g)
    if (g != p.a && (p.b < 0 || GroupTotal(doc, g) > GroupTotal(doc, p.b))) p.b = g;
  for (int g = 15; g >= 0 && p.spare < 0; --g)
    if (g != p.a && g != p.b && GroupTotal(doc, g) == 0) p.spare = g;
  return p;
}

// A swap must equal the three moves an operator makes through a spare
// group: A to spare, B to A, spare to B (figures and names alike).
template <class Doc>
void ExpectSwapIsThreeMoves(const Doc& original, int ga, int la, int gb, int lb, int gs, int ls,
                            const std::string& what) {
  Doc swapped = original, moved = original;
  SwapLayerGroups(swapped, ga, la, gb, lb);
  MoveLayerGroup(moved, ga, la, gs, ls);
  MoveLayerGroup(moved, gb, lb, ga, la);
  MoveLayerGroup(moved, gs, ls, gb, lb);
  EXPECT_TRUE(swapped == moved) << what;
  EXPECT_FALSE(swapped == original) << what << ": the swap changed nothing";
}

template <class Doc>
void CheckSample(const std::string& sample) {
  Doc doc;
  ASSERT_TRUE(doc.LoadFromFile(test::SamplePath(sample))) << sample;
  Pick p = PickGroups(doc);
  ASSERT_TRUE(p.a >= 0 && p.b >= 0 && p.spare >= 0) << sample;
  if constexpr (requires { doc.Layers; }) {  // the spare's names would be lost by the moves
    doc.LayerGroups[p.spare].Name = {};
    for (int l = 0; l < 16; ++l) doc.Layers[p.spare * 16 + l].Name = {};
  }
  ExpectSwapIsThreeMoves(doc, p.a, -1, p.b, -1, p.spare, -1, sample + " groups");
  // The two fullest layers of the fullest group.
  int la = 0, lb = 1;
  for (int l = 0; l < 16; ++l) {
    int t = LayerTotal(doc, p.a, l);
    if (t > LayerTotal(doc, p.a, la))
      lb = la, la = l;
    else if (l != la && t > LayerTotal(doc, p.a, lb))
      lb = l;
  }
  ExpectSwapIsThreeMoves(doc, p.a, la, p.a, lb, p.spare, 0, sample + " layers");
}

TEST(Swap, EqualsThreeMovesThroughASpareGroupInEveryFormat) {
  QUINTARO_NEEDS_SAMPLES();
  CheckSample<TJwwData>("jww/dist_amansion_heimen.jww");
  CheckSample<TJwwData>("jww/ezj_2blocks.jww");
  CheckSample<TJwsData>("jws/dist_kitchen.jws");
  CheckSample<TJwkData>("jwk/dist_desk.jwk");

  TJwcData jwc;  // no JWC samples: figures on four layers, point slots, names
  for (std::uint8_t code : {0x23, 0x24, 0x53, 0x50, 0x11}) {
    jwc.lines.emplace_back().layer = code;
    jwc.arcs.emplace_back().layer = code;
    jwc.points.emplace_back().layer = code;
    jwc.texts.emplace_back().layer = code;
  }
  jwc.header.slotCount = 2;
  for (std::uint8_t i = 0; i < 4; ++i) jwc.pointSlots[i].layer = i % 2 ? 0x23 : 0x50;
  jwc.layerGroups[2].name = "A";
  jwc.layerGroups[5].name = "\x95\xc7";  // 壁
  jwc.layers[0x23].name = "x";
  ExpectSwapIsThreeMoves(jwc, 2, -1, 5, -1, 9, -1, "JWC groups");
  ExpectSwapIsThreeMoves(jwc, 2, 3, 5, 0, 9, 0, "JWC layers");
  TJwcData same = jwc;
  SwapLayerGroups(same, 2, 3, 2, 3);  // onto itself, and a group with a layer: nothing
  SwapLayerGroups(same, 2, -1, 5, 0);
  EXPECT_TRUE(same == jwc);
}

TEST(NameMatch, ComparesAsUsersSeeNamesUnlessAskedForTheStoredForm) {
  struct Case {
    const char* pattern;
    const char* name;
    bool asStored;
    bool matches;
  } cases[] = {
      {"壁", "壁", false, true},
      {"壁", "　壁　", false, true},  // ideographic spaces align names
      {"躯体", " 　躯体", false, true},
      {"壁", "　壁", true, false},
      {"　壁", "　壁", true, true},
      {"ベランダ", "ﾍﾞﾗﾝﾀﾞ", false, true},  // half-width katakana with sound marks
      {"ﾍﾟﾝｷ", "ペンキ", false, true},
      {"ベランダ", "ﾍﾞﾗﾝﾀﾞ", true, false},
      {"1階*", "１階平面図", false, true},  // full-width digit
      {"1階*", "2階平面図", false, false},
      {"?階", "10階", false, false},  // '?' is one character, not one byte
      {"??階", "10階", false, true},
      {"?", "壁", false, true},
      {"*芯", "通り芯", false, true},
      {"通り*芯*", "通り芯", false, true},
      {"a*b*c", "axxbyyc", false, true},
      {"a*b*c", "axxbyyd", false, false},
      {"*", "", false, false},  // an unnamed layer matches nothing
      {"*", "　", false, false},
      {"寸法", "寸法線", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NamePattern(c.pattern, c.asStored).Matches(c.name), c.matches)
        << c.pattern << " / " << c.name << (c.asStored ? " (as stored)" : "");
  }
}

}  // namespace
}  // namespace quintaro
