#include "document/drawing_diff.h"

#include <algorithm>

#include "document/diff_builder.h"

namespace quintaro {
namespace diff {

DiffBuilder::DiffBuilder(DrawingDiff& out) : out_(out) {
  for (auto& table : flat_) table.assign(256 * 256, 0);
}

void DiffBuilder::Figure(std::string_view kind, std::string_view where, std::int64_t index,
                         std::string what) {
  if (out_.firstChanges.size() < DrawingDiff::kListedFigures) {
    out_.firstChanges.push_back({std::string(kind), std::string(where), index, std::move(what)});
  }
  ++out_.changedFigures;
}

void DiffBuilder::Finish() {
  for (int inBlock = 0; inBlock < 2; ++inBlock) {
    auto& moves = inBlock ? out_.blockLayerMoves : out_.layerMoves;
    const auto& flat = flat_[inBlock];
    for (int key = 0; key < 256 * 256; ++key) {
      if (flat[key] == 0) continue;
      int from = key >> 8, to = key & 255;
      moves.push_back({from / 16, from % 16, to / 16, to % 16, flat[key]});
    }
    for (const auto& [k, count] : odd_[inBlock]) {
      moves.push_back({std::get<0>(k), std::get<1>(k), std::get<2>(k), std::get<3>(k), count});
    }
    std::sort(moves.begin(), moves.end(), [](const LayerMove& x, const LayerMove& y) {
      return std::tie(x.fromGroup, x.fromLayer, x.toGroup, x.toLayer) <
             std::tie(y.fromGroup, y.fromLayer, y.toGroup, y.toLayer);
    });
  }
}

}  // namespace diff

namespace {

void DiffCounts(const EntityCounts& a, const EntityCounts& b, DrawingDiff& out) {
  const std::pair<const char*, std::int64_t EntityCounts::*> kinds[] = {
      {"lines", &EntityCounts::lines},   {"arcs", &EntityCounts::arcs},
      {"points", &EntityCounts::points}, {"temporary_points", &EntityCounts::temporaryPoints},
      {"texts", &EntityCounts::texts},   {"dimensions", &EntityCounts::dimensions},
      {"solids", &EntityCounts::solids}, {"blocks", &EntityCounts::blocks},
  };
  for (const auto& [name, member] : kinds) {
    if (a.*member != 0 || b.*member != 0) out.counts.push_back({name, a.*member, b.*member});
  }
}

void DiffNames(const Document& a, const Document& b, DrawingDiff& out) {
  for (int g = 0; g < 16; ++g) {
    std::string x = a.GroupName(g), y = b.GroupName(g);
    if (x != y) out.names.push_back({g, -1, std::move(x), std::move(y)});
    for (int l = 0; l < 16; ++l) {
      std::string p = a.LayerName(g, l), q = b.LayerName(g, l);
      if (p != q) out.names.push_back({g, l, std::move(p), std::move(q)});
    }
  }
}

}  // namespace

bool DrawingDiff::Same() const {
  bool countsSame = std::all_of(counts.begin(), counts.end(),
                                [](const KindCount& c) { return c.before == c.after; });
  return countsSame && layerMoves.empty() && blockLayerMoves.empty() && changedFigures == 0 &&
         blocks.empty() && names.empty() && values.empty();
}

bool DiffDocuments(const Document& before, const Document& after, DrawingDiff& out,
                   std::string* why) {
  out = {};
  if (!before.IsOpen() || !after.IsOpen()) {
    if (why) *why = "no drawing is open";
    return false;
  }
  if (before.Format() != after.Format()) {
    if (why) *why = "the drawings are of different formats";
    return false;
  }
  DiffCounts(before.Counts(), after.Counts(), out);
  diff::DiffBuilder d(out);
  Document::WithContainers(before, after,
                           [&](const auto& a, const auto& b) { diff::Compare(a, b, d); });
  d.Finish();
  DiffNames(before, after, out);
  return true;
}

}  // namespace quintaro
