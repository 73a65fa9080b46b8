// The structural difference of two drawings of the same format: what a
// re-layering changed, so that a user can check that it did only what was
// meant. Figures are matched by their place in each list (the main list,
// each block definition by its number, the point slots).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"

namespace quintaro {

struct KindCount {
  std::string kind;  // "lines", "arcs", ... as the summary names them
  std::int64_t before = 0, after = 0;
  friend bool operator==(const KindCount&, const KindCount&) = default;
};

// `count` figures went from one group and layer to another.
struct LayerMove {
  int fromGroup = 0, fromLayer = 0, toGroup = 0, toLayer = 0;
  std::int64_t count = 0;
  friend bool operator==(const LayerMove&, const LayerMove&) = default;
};

// A figure that differs in more than its layer.
struct FigureChange {
  std::string kind;   // "line", "arc", ...
  std::string where;  // "" for the main list, "block 12" inside a definition
  std::int64_t index = 0;
  std::string what;  // "colour, geometry"
  friend bool operator==(const FigureChange&, const FigureChange&) = default;
};

enum class BlockChangeKind { kAdded, kRemoved, kChanged };
struct BlockChange {
  std::int32_t number = 0;
  BlockChangeKind change = BlockChangeKind::kChanged;
  friend bool operator==(const BlockChange&, const BlockChange&) = default;
};

// A group name (layer -1) or a layer name, as UTF-8.
struct NameChange {
  int group = 0, layer = -1;
  std::string before, after;
  friend bool operator==(const NameChange&, const NameChange&) = default;
};

// A header or table value; before and after are "" where no short text
// tells them.
struct ValueChange {
  std::string name, before, after;
  friend bool operator==(const ValueChange&, const ValueChange&) = default;
};

struct DrawingDiff {
  static constexpr std::size_t kListedFigures = 10;

  std::vector<KindCount> counts;           // kinds either drawing has, main list
  std::vector<LayerMove> layerMoves;       // main-list figures, by group and layer
  std::vector<LayerMove> blockLayerMoves;  // figures inside definitions both hold
  std::int64_t changedFigures = 0;         // figures that differ in more than the layer
  std::vector<FigureChange> firstChanges;  // the first kListedFigures of them
  std::vector<BlockChange> blocks;
  std::vector<NameChange> names;
  std::vector<ValueChange> values;

  // True when nothing at all differs.
  bool Same() const;
  friend bool operator==(const DrawingDiff&, const DrawingDiff&) = default;
};

// Compares two open drawings. False with the reason when they are not of
// the same format or one is not open.
bool DiffDocuments(const Document& before, const Document& after, DrawingDiff& out,
                   std::string* why);

}  // namespace quintaro
