// Layer moves as users write them: hexadecimal digits, "S:D" for a group
// move and "G-L:H-M" for a layer move; and mapping files holding a list of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quintaro::cli {

struct MoveStep {
  int srcGroup = 0, srcLayer = -1, dstGroup = 0, dstLayer = -1;  // layers -1: group move
  bool IsGroupMove() const { return srcLayer < 0; }
  friend bool operator==(const MoveStep&, const MoveStep&) = default;
};

// "2:5" (group 2 onto group 5); digits 0-9, A-F, a-f.
std::optional<MoveStep> ParseGroupMove(const std::string& text);
// "2-3:5-0" (layer 3 of group 2 onto layer 0 of group 5).
std::optional<MoveStep> ParseLayerMove(const std::string& text);
// "group 2 -> 5" or "layer 2-3 -> 5-0", as the tool prints a step.
std::string Describe(const MoveStep& step);

// A mapping file: a JSON list of objects, each {"group": "S:D"} or
// {"layer": "G-L:H-M"}, applied in list order. On a malformed file, sets
// `error` (with the position) and returns nothing.
std::optional<std::vector<MoveStep>> ParseMoveMap(const std::string& json, std::string& error);

}  // namespace quintaro::cli
