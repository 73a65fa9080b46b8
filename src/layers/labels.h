// Label texts of the layer-group and layer thumbnails (UTF-8).
#pragma once

#include <string>

namespace quintaro {

class TJwwData;
class TJwsData;
class TJwcData;
class TJwkData;

// A group's scale as shown: "1/100.000" for s >= 1, "2.000/1" for s = 0.5;
// three decimals with thousands separators ("1/1,000.000"). A scale that has
// no reciprocal (0 or not a number) shows as 1/1.000.
std::string ScaleText(double s);

// A scale as a ratio in messages: "1/100", "1/2.5", "2/1" for 0.5 (at most
// three decimals, trailing zeros left out).
std::string ScaleRatio(double denominator);

// "[3] 1/100.000 1F": the group number as one hexadecimal digit, then for
// JWW and JWC the group's scale and name. JWS and JWK: "[A] ". A JWW
// drawing without layer tables (no header read) shows the number only.
// Empty for a group outside 0..15.
std::string GroupLabel(const TJwwData& doc, int group);
std::string GroupLabel(const TJwsData& doc, int group);
std::string GroupLabel(const TJwcData& doc, int group);
std::string GroupLabel(const TJwkData& doc, int group);

// "(3)  walls": the layer number, then for JWW and JWC a space and the
// layer's name. JWS and JWK: "(0) ". Empty outside 0..15.
std::string LayerLabel(const TJwwData& doc, int group, int layer);
std::string LayerLabel(const TJwsData& doc, int group, int layer);
std::string LayerLabel(const TJwcData& doc, int group, int layer);
std::string LayerLabel(const TJwkData& doc, int group, int layer);

}  // namespace quintaro
