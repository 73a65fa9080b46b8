// Counting helpers shared by the census of the four formats; the JWW and
// JWS lists are counted by one set of templates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "formats/jww/jww_types.h"
#include "layers/census.h"

namespace quintaro::census {

// Counters wide enough for any drawing (a definition placed many times can
// count more members than an int32 holds); cut to int32 at the end.
struct Tally {
  std::int64_t lines = 0, arcs = 0, points = 0, temporaryPoints = 0, texts = 0, dimensions = 0,
               solids = 0, blocks = 0;
  std::int64_t linesInBlocks = 0, arcsInBlocks = 0, pointsInBlocks = 0, temporaryPointsInBlocks = 0,
               textsInBlocks = 0, dimensionsInBlocks = 0, solidsInBlocks = 0;

  LayerCensusResult Result() const;
};

// The census filter: -1 matches any group or layer.
struct LayerFilter {
  int group;
  int layer;
  bool Match(int g, int l) const {
    return (group == -1 || g == group) && (layer == -1 || l == layer);
  }
  bool Match(const TEntJwwBase& b) const { return Match(b.LayerGroup, b.Layer); }
  bool MatchCode(std::uint8_t code) const { return Match(code >> 4, code & 15); }
};

template <class MojiT>
void CountMainList(const TJwwEntityListT<MojiT>& l, const LayerFilter& f, Tally& t) {
  for (const auto& o : l.Sen) t.lines += f.Match(o.Base);
  for (const auto& o : l.Enko) t.arcs += f.Match(o.Base);
  for (const auto& o : l.Ten) {
    if (!f.Match(o.Base)) continue;
    if (o.Temporary == 1) {
      ++t.temporaryPoints;
    } else {
      ++t.points;
    }
  }
  for (const auto& o : l.Moji) t.texts += f.Match(o.Base);
  for (const auto& o : l.Sunpo) t.dimensions += f.Match(o.Base);  // sub-records not counted
  for (const auto& o : l.Solid) t.solids += f.Match(o.Base);
  for (const auto& o : l.Block) t.blocks += f.Match(o.Base);
}

// Members of one placed definition tested by their own layers.
template <class MojiT>
void CountMembersOwnLayer(const TJwwEntityListT<MojiT>& d, const LayerFilter& f, Tally& t) {
  for (const auto& o : d.Sen) t.linesInBlocks += f.Match(o.Base);
  for (const auto& o : d.Enko) t.arcsInBlocks += f.Match(o.Base);
  for (const auto& o : d.Ten) {
    if (!f.Match(o.Base)) continue;
    if (o.Temporary == 1) {
      ++t.temporaryPointsInBlocks;
    } else {
      ++t.pointsInBlocks;
    }
  }
  for (const auto& o : d.Moji) t.textsInBlocks += f.Match(o.Base);
  for (const auto& o : d.Sunpo) t.dimensionsInBlocks += f.Match(o.Base);
  for (const auto& o : d.Solid) t.solidsInBlocks += f.Match(o.Base);
}

// Members of one placed definition, all on the placement's layer.
template <class MojiT>
void CountMembersAll(const TJwwEntityListT<MojiT>& d, Tally& t) {
  t.linesInBlocks += static_cast<std::int64_t>(d.Sen.size());
  t.arcsInBlocks += static_cast<std::int64_t>(d.Enko.size());
  for (const auto& o : d.Ten) {
    if (o.Temporary == 1) {
      ++t.temporaryPointsInBlocks;
    } else {
      ++t.pointsInBlocks;
    }
  }
  t.textsInBlocks += static_cast<std::int64_t>(d.Moji.size());
  t.dimensionsInBlocks += static_cast<std::int64_t>(d.Sunpo.size());
  t.solidsInBlocks += static_cast<std::int64_t>(d.Solid.size());
}

// Members of every placed definition, once per placement. Their own block
// insertions have tree entries of their own and are not counted here.
template <class MojiT>
void CountPlacedBlocks(const std::vector<TEntJwwBlockDefT<MojiT>>& defs,
                       const std::vector<TEntJwwBlockTree>& tree, const LayerFilter& f, Tally& t) {
  constexpr std::uint8_t kOwnLayers = 0x40;
  for (const auto& e : tree) {
    if (e.DefIndex < 0 || static_cast<std::size_t>(e.DefIndex) >= defs.size()) continue;
    const auto& d = defs[static_cast<std::size_t>(e.DefIndex)];
    if (e.Base.PenStyle & kOwnLayers) {
      CountMembersOwnLayer(d, f, t);
    } else if (f.Match(e.Base)) {
      CountMembersAll(d, t);
    }
  }
}

}  // namespace quintaro::census
