// Applying a re-layering plan to an open drawing, rule by rule, with what
// each rule did: the moves it made (a name rule one per matched group or
// layer, in group-layer order), the census around each, renames and
// warnings. The desktop program and the command line share it.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"
#include "document/relayer_plan.h"

namespace quintaro {

struct AppliedMove {
  LayerRef from, to;
  bool swap = false;
  std::string name;  // name rules: the matched name as decoded (UTF-8)
  // Census totals (block members included) of both sides around the move.
  int fromBefore = 0, toBefore = 0, fromAfter = 0, toAfter = 0;
  // Figures that changed place: a move's leaving ones, a swap's both ways.
  int Moved() const;
  friend bool operator==(const AppliedMove&, const AppliedMove&) = default;
};

struct RuleOutcome {
  RelayerRule rule;
  std::vector<AppliedMove> moves;
  std::string oldName, newName;  // renames (newName as written, after any cut)
  std::vector<std::string> warnings;
};

struct PlanOutcome {
  // Set when the plan was refused (nothing changed: a rename the file cannot
  // hold) or went wrong (the figure count changed): do not save.
  std::string error;
  std::vector<RuleOutcome> rules;
  bool Ok() const { return error.empty(); }
  int Moved() const;
};

struct ApplyOptions {
  bool namesAsStored = false;  // compare names without trimming or NFKC
};

PlanOutcome ApplyRelayerPlan(Document& doc, const RelayerPlan& plan,
                             const ApplyOptions& options = {});

// The warning of a move between groups of different scales, e.g. "group 2
// -> 5: scale 1/100 -> 1/50; the figures keep their coordinates, so texts
// and dimensions show at another size on paper"; "" when none applies.
std::string ScaleWarning(const Document& doc, const LayerRef& from, const LayerRef& to);

}  // namespace quintaro
