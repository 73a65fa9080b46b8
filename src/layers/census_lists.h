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

// Where a figure on (group, layer) is counted: Add(g, l, &Tally::field)
// counts one figure, Target(g, l) is the tally of a whole placement (null
// when the sink does not want it).

// One filter: -1 matches any group or layer. Adding the match itself keeps
// each counter in a register and the loops free of branches.
struct FilterSink {
  int group;
  int layer;
  Tally tally;

  bool Match(int g, int l) const {
    return (group == -1 || g == group) && (layer == -1 || l == layer);
  }
  void Add(int g, int l, std::int64_t Tally::*field) { tally.*field += Match(g, l); }
  Tally* Target(int g, int l) { return Match(g, l) ? &tally : nullptr; }
};

// Every layer at once.
struct TableSink {
  std::array<Tally, 256> tallies{};
  void Add(int g, int l, std::int64_t Tally::*field) { ++(*Target(g, l).*field); }
  Tally* Target(int g, int l) {
    return &tallies[static_cast<std::size_t>(((g & 15) << 4) | (l & 15))];
  }
};

// The totals of the table's layers and groups.
LayerTotals TotalsOf(const TableSink& sink);

template <class Sink>
void Add(Sink& s, const TEntJwwBase& b, std::int64_t Tally::*field) {
  s.Add(b.LayerGroup, b.Layer, field);
}

template <class MojiT, class Sink>
void CountMainList(const TJwwEntityListT<MojiT>& l, Sink& s) {
  for (const auto& o : l.Sen) Add(s, o.Base, &Tally::lines);
  for (const auto& o : l.Enko) Add(s, o.Base, &Tally::arcs);
  for (const auto& o : l.Ten)
    Add(s, o.Base, o.Temporary == 1 ? &Tally::temporaryPoints : &Tally::points);
  for (const auto& o : l.Moji) Add(s, o.Base, &Tally::texts);
  for (const auto& o : l.Sunpo) Add(s, o.Base, &Tally::dimensions);  // sub-records not counted
  for (const auto& o : l.Solid) Add(s, o.Base, &Tally::solids);
  for (const auto& o : l.Block) Add(s, o.Base, &Tally::blocks);
}

// Members of one placed definition counted on their own layers.
template <class MojiT, class Sink>
void CountMembersOwnLayer(const TJwwEntityListT<MojiT>& d, Sink& s) {
  for (const auto& o : d.Sen) Add(s, o.Base, &Tally::linesInBlocks);
  for (const auto& o : d.Enko) Add(s, o.Base, &Tally::arcsInBlocks);
  for (const auto& o : d.Ten)
    Add(s, o.Base, o.Temporary == 1 ? &Tally::temporaryPointsInBlocks : &Tally::pointsInBlocks);
  for (const auto& o : d.Moji) Add(s, o.Base, &Tally::textsInBlocks);
  for (const auto& o : d.Sunpo) Add(s, o.Base, &Tally::dimensionsInBlocks);
  for (const auto& o : d.Solid) Add(s, o.Base, &Tally::solidsInBlocks);
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
    } else if (Tally* t = s.Target(e.Base.LayerGroup, e.Base.Layer)) {
      CountMembersAll(d, *t);
    }
  }
}

template <class Data, class Sink>
void CountJww(const Data& doc, Sink& s) {
  CountMainList(doc, s);
  CountPlacedBlocks(doc.BlockDefs, doc.BlockTree, s);
}

// The DOS-era formats: every record carries its layer code.
template <class Record, class A, class Field, class Sink>
void CountCodes(const std::vector<Record, A>& records, Field field, Sink& s) {
  for (const auto& o : records) s.Add(GroupOfCode(o.layer), LayerOfCode(o.layer), field);
}

}  // namespace quintaro::census
