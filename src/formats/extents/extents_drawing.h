// The extents of a whole JWW or JWS drawing: the main list and every placed
// block.
#pragma once

#include <cstddef>
#include <vector>

#include "formats/extents/extents.h"
#include "formats/extents/extents_lists.h"
#include "formats/jww/jww_types.h"

namespace quintaro::extents {

// Places gathered points (extents_placed.cpp).
ExtentsBox AddPlacedPoints(const std::vector<Xy>& points, const PlacedSink& s);
// The smallest box that holds the gathered points; call with points.
ExtentsBox SpanOf(const std::vector<Xy>& points);
// Whether placing points that `span` holds leaves the sink's box as it is.
bool PlacedHeld(const ExtentsBox& span, const PlacedSink& s);

// The limited points of the definitions placed more than once, gathered on
// first use: a placement then costs one matrix product per point instead of
// a walk through the definition's records (and its arcs' trigonometry).
// Large definitions are walked each time, so that the gathered points stay
// a small amount of memory. A placement whose gathered points all land in
// the box so far is left out, judged by the span of the points.
template <class MojiT>
class PlacedDefinitions {
 public:
  PlacedDefinitions(const std::vector<TEntJwwBlockDefT<MojiT>>& defs,
                    const std::vector<TEntJwwBlockTree>& tree)
      : defs_(defs), uses_(defs.size()), points_(defs.size()), spans_(defs.size()) {
    for (const auto& t : tree)
      if (Known(t)) ++uses_[static_cast<std::size_t>(t.DefIndex)];
    for (std::size_t i = 0; i < defs.size(); ++i)
      if (RecordsOf(defs[i]) > kMaxGathered) uses_[i] = 1;
  }

  bool Known(const TEntJwwBlockTree& t) const {
    return t.DefIndex >= 0 && static_cast<std::size_t>(t.DefIndex) < defs_.size();
  }

  ExtentsBox Add(const TEntJwwBlockTree& t, ExtentsBox box) {
    const auto i = static_cast<std::size_t>(t.DefIndex);
    const PlacedSink s(box, t);
    if (uses_[i] < 2) return AddFigures(defs_[i], s).box;
    if (uses_[i] != kGathered) {
      AddFigures(defs_[i], CollectSink{&points_[i]});
      if (!points_[i].empty()) spans_[i] = SpanOf(points_[i]);
      uses_[i] = kGathered;
    }
    if (points_[i].empty() || PlacedHeld(spans_[i], s)) return box;
    return AddPlacedPoints(points_[i], s);
  }

 private:
  static constexpr std::size_t kGathered = static_cast<std::size_t>(-1);
  static constexpr std::size_t kMaxGathered = 100'000;
  static std::size_t RecordsOf(const TEntJwwBlockDefT<MojiT>& d) {
    return d.Sen.size() + d.Enko.size() + d.Ten.size() + d.Moji.size() + d.Sunpo.size() +
           d.Solid.size();
  }
  const std::vector<TEntJwwBlockDefT<MojiT>>& defs_;
  std::vector<std::size_t> uses_;  // placements, kGathered once collected
  std::vector<std::vector<Xy>> points_;
  std::vector<ExtentsBox> spans_;  // of the gathered points
};

// Every placed block with a definition adds that definition's figures
// through its placement.
template <class MojiT>
ExtentsBox AddPlacedBlocks(const std::vector<TEntJwwBlockDefT<MojiT>>& defs,
                           const std::vector<TEntJwwBlockTree>& tree, ExtentsBox box) {
  if (tree.empty()) return box;
  PlacedDefinitions<MojiT> placed(defs, tree);
  for (const auto& t : tree)
    if (placed.Known(t)) box = placed.Add(t, box);
  return box;
}

// Seeds the box with the first point of the first non-empty list; false when
// the list holds no figure at all.
template <class MojiT>
bool SeedFromFirstFigure(const TJwwEntityListT<MojiT>& l, DrawingExtents& e) {
  if (!l.Sen.empty()) {
    ExtentsSeed(e, l.Sen[0].StartX, l.Sen[0].StartY, 1.0);
  } else if (!l.Enko.empty()) {
    ExtentsSeed(e, l.Enko[0].CenterX, l.Enko[0].CenterY, 1.0);
  } else if (!l.Ten.empty()) {
    ExtentsSeed(e, l.Ten[0].X, l.Ten[0].Y, 1.0);
  } else if (!l.Moji.empty()) {
    ExtentsSeed(e, l.Moji[0].StartX, l.Moji[0].StartY, 1.0);
  } else if (!l.Sunpo.empty()) {
    ExtentsSeed(e, l.Sunpo[0].Line.StartX, l.Sunpo[0].Line.StartY, 1.0);
  } else if (!l.Solid.empty()) {
    ExtentsSeed(e, l.Solid[0].X1, l.Solid[0].Y1, 1.0);
  } else if (!l.Block.empty()) {
    ExtentsSeed(e, l.Block[0].X, l.Block[0].Y, 1.0);
  } else {
    return false;
  }
  return true;
}

// Widens a box seeded by ExtentsSeed (so that it holds limited points only)
// by the main list and every placed block.
template <class MojiT>
void AddDrawing(const TJwwEntityListT<MojiT>& main,
                const std::vector<TEntJwwBlockDefT<MojiT>>& defs,
                const std::vector<TEntJwwBlockTree>& tree, DrawingExtents& e) {
  ExtentsBox box = AddFigures(main, DirectSink{ExtentsBox::Of(e)}).box;
  e = AddPlacedBlocks(defs, tree, box).Extents();
}

}  // namespace quintaro::extents
