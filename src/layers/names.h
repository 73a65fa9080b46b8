// Group and layer names of each format as users read them (UTF-8), the
// scale each group is drawn at, and renaming: which names a file can take
// and how they are written. A group is (group, -1), a layer (group, layer).
// JWS and JWK drawings keep no names.
#pragma once

#include <optional>
#include <string>

namespace quintaro {

class TJwwData;
class TJwsData;
class TJwcData;
class TJwkData;

// The name as UTF-8; "" for none, and outside 0..15.
std::string NameOf(const TJwwData& doc, int group, int layer);
std::string NameOf(const TJwcData& doc, int group, int layer);
inline std::string NameOf(const TJwsData&, int, int) {
  return {};
}
inline std::string NameOf(const TJwkData&, int, int) {
  return {};
}

// The group's scale denominator as stored; none for JWK, outside 0..15,
// or without a layer table.
std::optional<double> GroupScale(const TJwwData& doc, int group);
std::optional<double> GroupScale(const TJwsData& doc, int group);
std::optional<double> GroupScale(const TJwcData& doc, int group);
inline std::optional<double> GroupScale(const TJwkData&, int) {
  return std::nullopt;
}

// The name of a format that keeps no group or layer names ("JWS", "JWK"),
// null where it keeps them: a rename has nothing to write there.
inline const char* NamelessFormat(const TJwwData&) {
  return nullptr;
}
inline const char* NamelessFormat(const TJwcData&) {
  return nullptr;
}
inline const char* NamelessFormat(const TJwsData&) {
  return "JWS";
}
inline const char* NamelessFormat(const TJwkData&) {
  return "JWK";
}

// Why the drawing cannot take `utf8` as the name of the group or layer: ""
// when it can. A file that keeps its names in Shift-JIS refuses characters
// without a Shift-JIS form.
std::string NameRefusal(const TJwwData& doc, int group, int layer, const std::string& utf8);
std::string NameRefusal(const TJwcData& doc, int group, int layer, const std::string& utf8);
std::string NameRefusal(const TJwsData& doc, int group, int layer, const std::string& utf8);
std::string NameRefusal(const TJwkData& doc, int group, int layer, const std::string& utf8);

// Writes a name that NameRefusal accepts in the file's own string form
// (Shift-JIS, or UTF-16 where the file keeps its names so); JWC names are
// cut to 16 (group) or 8 (layer) bytes at a character boundary. True when
// the name had to be cut.
bool Rename(TJwwData& doc, int group, int layer, const std::string& utf8);
bool Rename(TJwcData& doc, int group, int layer, const std::string& utf8);
inline bool Rename(TJwsData&, int, int, const std::string&) {
  return false;
}
inline bool Rename(TJwkData&, int, int, const std::string&) {
  return false;
}

}  // namespace quintaro
