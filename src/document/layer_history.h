// What a re-layering step changed in a drawing, kept small enough to undo
// and redo any number of steps: only the figures whose layer changed (their
// place in a fixed order, the layer before and after) and the names that
// changed. A snapshot of every figure's layer is taken before the step and
// dropped once the change is known; the drawing itself is never copied.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "document/document.h"
#include "formats/common/text.h"

namespace quintaro {

struct LayerSnapshot {
  std::vector<std::uint32_t> figures;              // every figure's layer, in a fixed order
  std::vector<std::pair<int, EncodedText>> names;  // group and layer names by index
};

struct LayerChange {
  struct Slot {
    std::uint32_t index, before, after;
    friend bool operator==(const Slot&, const Slot&) = default;
  };
  struct Name {
    int index;  // group 0..15, layer 16 + group * 16 + layer
    EncodedText before, after;
    friend bool operator==(const Name&, const Name&) = default;
  };
  std::vector<Slot> figures;
  std::vector<Name> names;

  bool Empty() const { return figures.empty() && names.empty(); }
  friend bool operator==(const LayerChange&, const LayerChange&) = default;
};

LayerSnapshot TakeLayerSnapshot(Document& doc);
// The differences between the snapshot and the drawing as it is now. The
// drawing must not have gained or lost figures since the snapshot.
LayerChange ChangeSince(const LayerSnapshot& before, Document& doc);
// Every changed figure and name as it was before the change (undo) or
// after it (redo).
void RestoreBefore(Document& doc, const LayerChange& change);
void RestoreAfter(Document& doc, const LayerChange& change);

}  // namespace quintaro
