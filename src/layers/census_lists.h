// Counting helpers shared by the census of the four formats; the JWW and
// JWS lists are counted by one set of templates.
#pragma once

#include <array>
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
  Tally& operator+=(const Tally& o);
};

// Where a figure on (group, layer) is counted. A sink answers with the
// tally to add to; figures it does not want go to a scratch tally, so the
// loops below stay free of branches.

// One filter: -1 matches any group or layer.
struct FilterSink {
  int group;
  int layer;
  Tally tally;
  Tally discard;

  bool Match(int g, int l) const {
    return (group == -1 || g == group) && (layer == -1 || l == layer);
  }
  Tally& At(int g, int l) { return Match(g, l) ? tally : discard; }
};

// Every layer at once.
struct TableSink {
  std::array<Tally, 256> tallies{};
  Tally& At(int g, int l) { return tallies[static_cast<std::size_t>(((g & 15) << 4) | (l & 15))]; }
};

// The totals of the table's layers and groups.
LayerTotals TotalsOf(const TableSink& sink);

template <class Sink>
Tally& AtBase(Sink& s, const TEntJwwBase& b) {
  return s.At(b.LayerGroup, b.Layer);
}

template <class Sink>
Tally& AtCode(Sink& s, std::uint8_t code) {
  return s.At(code >> 4, code & 15);
}

template <class MojiT, class Sink>
void CountMainList(const TJwwEntityListT<MojiT>& l, Sink& s) {
  for (const auto& o : l.Sen) ++AtBase(s, o.Base).lines;
  for (const auto& o : l.Enko) ++AtBase(s, o.Base).arcs;
  for (const auto& o : l.Ten) {
    Tally& t = AtBase(s, o.Base);
    ++(o.Temporary == 1 ? t.temporaryPoints : t.points);
  }
  for (const auto& o : l.Moji) ++AtBase(s, o.Base).texts;
  for (const auto& o : l.Sunpo) ++AtBase(s, o.Base).dimensions;  // sub-records not counted
  for (const auto& o : l.Solid) ++AtBase(s, o.Base).solids;
  for (const auto& o : l.Block) ++AtBase(s, o.Base).blocks;
}

// Members of one placed definition counted on their own layers.
template <class MojiT, class Sink>
void CountMembersOwnLayer(const TJwwEntityListT<MojiT>& d, Sink& s) {
  for (const auto& o : d.Sen) ++AtBase(s, o.Base).linesInBlocks;
  for (const auto& o : d.Enko) ++AtBase(s, o.Base).arcsInBlocks;
  for (const auto& o : d.Ten) {
    Tally& t = AtBase(s, o.Base);
    ++(o.Temporary == 1 ? t.temporaryPointsInBlocks : t.pointsInBlocks);
  }
  for (const auto& o : d.Moji) ++AtBase(s, o.Base).textsInBlocks;
  for (const auto& o : d.Sunpo) ++AtBase(s, o.Base).dimensionsInBlocks;
  for (const auto& o : d.Solid) ++AtBase(s, o.Base).solidsInBlocks;
}

// Members of one placed definition, all on the placement's layer.
template <class MojiT>
void CountMembersAll(const TJwwEntityListT<MojiT>& d, Tally& t) {
  t.linesInBlocks += static_cast<std::int64_t>(d.Sen.size());
  t.arcsInBlocks += static_cast<std::int64_t>(d.Enko.size());
  for (const auto& o : d.Ten) ++(o.Temporary == 1 ? t.temporaryPointsInBlocks : t.pointsInBlocks);
  t.textsInBlocks += static_cast<std::int64_t>(d.Moji.size());
  t.dimensionsInBlocks += static_cast<std::int64_t>(d.Sunpo.size());
  t.solidsInBlocks += static_cast<std::int64_t>(d.Solid.size());
}

// Members of every placed definition, once per placement. Their own block
// insertions have tree entries of their own and are not counted here.
template <class MojiT, class Sink>
void CountPlacedBlocks(const std::vector<TEntJwwBlockDefT<MojiT>>& defs,
                       const std::vector<TEntJwwBlockTree>& tree, Sink& s) {
  constexpr std::uint8_t kOwnLayers = 0x40;
  for (const auto& e : tree) {
    if (e.DefIndex < 0 || static_cast<std::size_t>(e.DefIndex) >= defs.size()) continue;
    const auto& d = defs[static_cast<std::size_t>(e.DefIndex)];
    if (e.Base.PenStyle & kOwnLayers) {
      CountMembersOwnLayer(d, s);
    } else {
      CountMembersAll(d, AtBase(s, e.Base));
    }
  }
}

template <class Data, class Sink>
void CountJww(const Data& doc, Sink& s) {
  CountMainList(doc, s);
  CountPlacedBlocks(doc.BlockDefs, doc.BlockTree, s);
}

// The DOS-era formats: every record carries its layer code.
template <class Record, class Field, class Sink>
void CountCodes(const std::vector<Record>& records, Field field, Sink& s) {
  for (const auto& o : records) ++(AtCode(s, o.layer).*field);
}

}  // namespace quintaro::census
