// Label texts of the group and layer thumbnails.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "formats/common/text.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/labels.h"

namespace quintaro {
namespace {

TEST(ScaleText, ThreeDecimalsWithThousandsSeparators) {
  EXPECT_EQ(ScaleText(100), "1/100.000");
  EXPECT_EQ(ScaleText(1), "1/1.000");
  EXPECT_EQ(ScaleText(50), "1/50.000");
  EXPECT_EQ(ScaleText(999.9996), "1/1,000.000");
  EXPECT_EQ(ScaleText(1234567.25), "1/1,234,567.250");
  EXPECT_EQ(ScaleText(0.5), "2.000/1");
  EXPECT_EQ(ScaleText(0.0004), "2,500.000/1");
  EXPECT_EQ(ScaleText(-0.5), "-2.000/1");
}

TEST(ScaleRatio, AtMostThreeDecimalsWithoutTrailingZeros) {
  for (auto [d, text] :
       {std::pair{100.0, "1/100"}, {2.5, "1/2.5"}, {0.5, "2/1"}, {1.0, "1/1"}, {1.0 / 3, "3/1"}})
    EXPECT_EQ(ScaleRatio(d), text) << d;
}

TEST(ScaleText, ScalesWithoutReciprocalShowAsOne) {
  EXPECT_EQ(ScaleText(0), "1/1.000");
  EXPECT_EQ(ScaleText(std::numeric_limits<double>::quiet_NaN()), "1/1.000");
  EXPECT_EQ(ScaleText(std::numeric_limits<double>::infinity()), "1/1.000");
  EXPECT_EQ(ScaleText(1e-320), "1/1.000");
}

TEST(Labels, JwwGroupsAndLayersCarryScalesAndNames) {
  TJwwData doc;
  doc.LayerGroups.resize(16);
  doc.Layers.resize(256);
  doc.LayerGroups[0].Scale = 50;
  doc.LayerGroups[0].Name.bytes = "1F";
  doc.LayerGroups[10].Scale = 0.5;
  doc.LayerGroups[10].Name.bytes = Utf8ToCp932("屋根");
  doc.Layers[2 * 16 + 0].Name.bytes = "walls";
  EXPECT_EQ(GroupLabel(doc, 0), "[0] 1/50.000 1F");
  EXPECT_EQ(GroupLabel(doc, 10), "[A] 2.000/1 屋根");
  EXPECT_EQ(LayerLabel(doc, 2, 0), "(0)  walls");
  EXPECT_EQ(LayerLabel(doc, 2, 15), "(F)  ");
  EXPECT_EQ(GroupLabel(doc, 16), "");
  EXPECT_EQ(LayerLabel(doc, 2, -1), "");
}

TEST(Labels, JwcNamesAreShiftJis) {
  TJwcData doc;
  doc.layerGroups[3].scale = 100;
  doc.layerGroups[3].name = Utf8ToCp932("１階");
  doc.layers[3 * 16 + 3].name = "walls";
  EXPECT_EQ(GroupLabel(doc, 3), "[3] 1/100.000 １階");
  EXPECT_EQ(LayerLabel(doc, 3, 3), "(3)  walls");
}

TEST(Labels, SymbolsShowOnlyNumbers) {
  TJwsData jws;
  jws.LayerGroups.resize(16);
  jws.LayerGroups[0].Scale = 50;
  TJwkData jwk;
  EXPECT_EQ(GroupLabel(jws, 0), "[0] ");
  EXPECT_EQ(GroupLabel(jwk, 11), "[B] ");
  EXPECT_EQ(LayerLabel(jws, 0, 12), "(C) ");
  EXPECT_EQ(LayerLabel(jwk, 0, 0), "(0) ");
}

}  // namespace
}  // namespace quintaro
