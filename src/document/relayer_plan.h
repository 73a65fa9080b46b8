// Re-layering plans: the rules of a mapping file, applied to a drawing in
// list order. A rule moves a group or a layer, moves the groups or layers
// found by name, renames one, or swaps two.
//
// The mapping file is a JSON list of objects, one rule each:
//   {"group": "2:5"}                      group 2 onto group 5
//   {"layer": "2-3:5-0"}                  layer 2-3 onto layer 5-0
//   {"group-name": "1階*", "to": "2"}     every group so named onto group 2
//   {"layer-name": "壁", "to": "2-3"}     every layer so named onto 2-3
//   {"layer-name": "壁", "in-group": "1", "to": "2-3"}   only in group 1
//   {"rename-group": "2", "name": "壁"}   {"rename-layer": "2-3", "name": "壁"}
//   {"swap": "2:5"}  {"swap": "2-3:5-0"}  exchange two groups or two layers
// Group and layer numbers are hexadecimal digits (0-9, A-F, a-f).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

// A whole group (layer -1) or one layer of it.
struct LayerRef {
  int group = 0;
  int layer = -1;
  bool IsGroup() const { return layer < 0; }
  friend bool operator==(const LayerRef&, const LayerRef&) = default;
};

enum class RuleKind { kMove, kSwap, kGroupName, kLayerName, kRenameGroup, kRenameLayer };

struct RelayerRule {
  LayerRef from;  // kMove, kSwap: the source; renames: the group or layer renamed
  LayerRef to;    // kMove, kSwap and the name rules: the destination
  RuleKind kind = RuleKind::kMove;
  std::string pattern;  // name rules: the name sought, UTF-8, with * and ?
  int inGroup = -1;     // kLayerName: only layers of this group (-1: any)
  std::string name;     // renames: the new name, UTF-8
  friend bool operator==(const RelayerRule&, const RelayerRule&) = default;
};

using RelayerPlan = std::vector<RelayerRule>;

struct ApplyOptions {
  bool namesAsStored = false;  // compare names without trimming or NFKC
};

// The text forms of the command line and the mapping file.
std::optional<LayerRef> ParseGroupRef(std::string_view text);      // "2"
std::optional<LayerRef> ParseLayerRef(std::string_view text);      // "2-3"
std::optional<RelayerRule> ParseGroupMove(std::string_view text);  // "2:5"
std::optional<RelayerRule> ParseLayerMove(std::string_view text);  // "2-3:5-0"
std::optional<RelayerRule> ParseSwap(std::string_view text);       // "2:5" or "2-3:5-0"
// "PATTERN:D" and "PATTERN:H-M": the pattern is everything before the last ':'.
std::optional<RelayerRule> ParseGroupNameRule(std::string_view text);
std::optional<RelayerRule> ParseLayerNameRule(std::string_view text);
// "2=NAME" and "2-3=NAME" (the name may be empty).
std::optional<RelayerRule> ParseRenameGroup(std::string_view text);
std::optional<RelayerRule> ParseRenameLayer(std::string_view text);

// "2" or "2-3".
std::string RefText(const LayerRef& ref);
// How the tool prints a rule: "group 2 -> 5", "layer 2-3 -> 5-0",
// "swap group 2 <-> 5", "groups named "1階*" -> 2",
// "layers named "壁" in group 1 -> 2-3", "rename layer 2-3 to "壁"".
std::string Describe(const RelayerRule& rule);

// A mapping file's rules, or an error that says where ("expected ... at
// character N").
struct PlanParseResult {
  RelayerPlan rules;
  std::string error;  // empty when the text was read
  bool Ok() const { return error.empty(); }
};
PlanParseResult ParseRelayerPlan(std::string_view json);

// The rules as a mapping file (one rule a line) that ParseRelayerPlan reads
// back equal.
std::string SerializeRelayerPlan(const RelayerPlan& plan);

}  // namespace quintaro
