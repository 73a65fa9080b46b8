// What one layer edit did to a drawing (Document::Apply): every figure
// whose layer changed and every name that changed, each before and after,
// so that the edit can be put back and done again any number of times
// without a copy of the drawing; and what each rule did, for telling the
// user: the figures that went from each group or layer to another, the
// names, the warnings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/relayer_plan.h"
#include "formats/common/text.h"

namespace quintaro {

struct LayerChange {
  // A figure by its place in the fixed order of every layer a figure
  // carries (layers/layer_slots.h), with its layer before and after.
  struct Figure {
    std::uint32_t index, before, after;
    friend bool operator==(const Figure&, const Figure&) = default;
  };
  // Any group (layer -1) or layer name, as stored, before and after.
  struct Name {
    LayerRef ref;
    EncodedText before, after;
    friend bool operator==(const Name&, const Name&) = default;
  };
  // Figures that went from one group or layer to another by one rule
  // (a swap: both ways), with the census totals (block members included)
  // of both sides before and after.
  struct Flow {
    LayerRef from, to;
    bool swap = false;
    int figures = 0;   // figures that changed place
    std::string name;  // a rule by name: the name it found (UTF-8)
    int fromBefore = 0, toBefore = 0, fromAfter = 0, toAfter = 0;
    friend bool operator==(const Flow&, const Flow&) = default;
  };
  // One rule as it was applied.
  struct Step {
    RelayerRule rule;
    std::vector<Flow> flows;       // a rule by name: one per group or layer found
    std::string oldName, newName;  // renames, UTF-8 (the new one as written, after any cut)
    std::vector<std::string> warnings;
    bool skipped = false;  // the format cannot carry the rule (a rename where there are no names)
    int Moved() const;
    friend bool operator==(const Step&, const Step&) = default;
  };

  std::vector<Figure> figures;  // in their fixed order
  std::vector<Name> names;      // groups, then layers by group and layer
  std::vector<Step> steps;
  // Set when the edit was refused (nothing changed: a name the file cannot
  // hold) or went wrong (the figure count changed): do not save.
  std::string error;

  bool Ok() const { return error.empty(); }
  // True when the drawing was left as it was.
  bool Empty() const { return figures.empty() && names.empty(); }
  // Figures that changed place, over every step.
  int Moved() const;
  // The rules of the steps, in the order they were applied.
  RelayerPlan Rules() const;
  // The record that puts the drawing back: each figure and name from after
  // to before, the steps and their flows the other way round; the rules
  // and warnings stay those of the edit.
  LayerChange Inverse() &&;

  friend bool operator==(const LayerChange&, const LayerChange&) = default;
};

}  // namespace quintaro
