// The per-figure rule of a layer move, for both ways a format keeps layers.
#pragma once

#include <cstdint>

#include "formats/common/types.h"
#include "formats/jww/jww_types.h"

namespace quintaro::layermove {

struct MoveRule {
  int srcGroup, srcLayer, dstGroup, dstLayer;

  bool Matches(int g, int l) const { return g == srcGroup && (srcLayer == -1 || l == srcLayer); }

  // A JWW or JWS base block.
  void Apply(TEntJwwBase& b) const {
    if (!Matches(b.LayerGroup, b.Layer)) return;
    b.LayerGroup = static_cast<std::uint16_t>(dstGroup);
    if (dstLayer != -1) b.Layer = static_cast<std::uint16_t>(dstLayer);
  }

  // A JWC or JWK layer code: group in the high nibble, layer in the low one.
  void Apply(std::uint8_t& code) const {
    const int l = LayerOfCode(code);
    if (!Matches(GroupOfCode(code), l)) return;
    code = static_cast<std::uint8_t>(dstGroup * 16 + (dstLayer == -1 ? l : dstLayer));
  }
};

// Every base of a JWW or JWS drawing: the main list, each block definition's
// own base and list, and each block tree entry. Dimensions' auxiliary lines
// and points only exist in files of version 420 and later. `Rule` is a
// MoveRule or any rule with the same Apply(TEntJwwBase&).
template <class Doc, class Rule>
void ApplyToDrawing(Doc& doc, std::int32_t version, const Rule& rule) {
  const bool withSxfParts = version >= 420;
  auto apply = [&rule](TEntJwwBase& b) { rule.Apply(b); };
  doc.ForEachBase(withSxfParts, apply);
  for (auto& def : doc.BlockDefs) {
    rule.Apply(def.Base);
    def.ForEachBase(withSxfParts, apply);
  }
  for (auto& entry : doc.BlockTree) rule.Apply(entry.Base);
}

}  // namespace quintaro::layermove
