// The block tree: every placed block of a JWW or JWS drawing with its
// placement, built after each load. Internal to the format libraries.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "formats/jww/jww_types.h"

namespace quintaro::jww {

// ---------------------------------------------------------------------------
// BuildBlockTree with the bounds of jww_types.h. Returns the
// number of entries refused (cycles, depth, size).
template <class Def>
std::size_t BuildBlockTree(const ChunkedArray<TEntJwwBlock>& mainBlocks, std::vector<Def>& defs,
                           std::vector<TEntJwwBlockTree>& tree, std::int32_t& referencedCount) {
  tree.clear();
  std::unordered_map<std::int32_t, std::int32_t> first;
  for (std::size_t i = 0; i < defs.size(); ++i) {
    defs[i].InUse = 0;
    defs[i].UseIndex = -1;
    first.emplace(defs[i].Number, static_cast<std::int32_t>(i));
  }
  auto lookup = [&](std::int32_t number) {
    auto it = first.find(number);
    return it == first.end() ? -1 : it->second;
  };

  // In-use flags: the definitions reachable from the main list (each
  // definition visited once, whatever the tree's bounds cut).
  std::vector<std::int32_t> stack;
  auto reach = [&](std::int32_t d) {
    if (d >= 0 && !defs[static_cast<std::size_t>(d)].InUse) {
      defs[static_cast<std::size_t>(d)].InUse = 1;
      stack.push_back(d);
    }
  };
  for (const auto& b : mainBlocks) reach(lookup(b.Number));
  while (!stack.empty()) {
    std::int32_t d = stack.back();
    stack.pop_back();
    for (const auto& b : defs[static_cast<std::size_t>(d)].Block) reach(lookup(b.Number));
  }
  std::int32_t next = 0;
  for (auto& d : defs)
    if (d.InUse) d.UseIndex = next++;
  referencedCount = next;

  std::size_t refused = 0;
  auto place = [&](TEntJwwBlockTree& t, const TEntJwwBlock& b) {
    t.Number = b.Number;
    t.DefIndex = lookup(b.Number);
    if (t.DefIndex >= 0) t.Name = defs[static_cast<std::size_t>(t.DefIndex)].Name;
  };
  // Room for the main insertions and the insertions their definitions
  // hold: the whole tree of a drawing nested two deep, so that it is built
  // without moving (deeper trees grow on).
  std::size_t expected = mainBlocks.size();
  for (const auto& b : mainBlocks) {
    const std::int32_t d = lookup(b.Number);
    if (d >= 0) expected += defs[static_cast<std::size_t>(d)].Block.size();
  }
  tree.reserve(std::min(expected, kMaxBlockTreeEntries));
  for (const auto& b : mainBlocks) {
    // Every insertion of the main list gets its entry; the bounds apply to
    // the nested ones.
    TEntJwwBlockTree t;
    t.Base = b.Base;
    t.Level = 0;
    t.Parent = -1;
    double sx = b.ScaleX, sy = b.ScaleY, a = b.Angle;
    double c = std::cos(a), s = std::sin(a);
    t.OriginX = b.X;
    t.OriginY = b.Y;
    t.M11 = sx * c;
    t.M12 = -sy * s;
    t.M21 = sx * s;
    t.M22 = sy * c;
    place(t, b);
    tree.push_back(std::move(t));
  }
  for (std::size_t k = 0; k < tree.size(); ++k) {
    if (tree[k].DefIndex < 0) continue;
    const Def& def = defs[static_cast<std::size_t>(tree[k].DefIndex)];
    if (def.Block.empty()) continue;
    if (tree[k].Level + 1 > kMaxBlockTreeDepth || tree.size() >= kMaxBlockTreeEntries) {
      refused += def.Block.size();
      continue;
    }
    for (const auto& j : def.Block) {
      std::int32_t d = lookup(j.Number);
      bool refuse = false;
      if (tree.size() >= kMaxBlockTreeEntries) {
        refuse = true;
      } else if (d >= 0) {
        // The definition must not stand among the new entry's ancestors.
        for (std::int64_t p = static_cast<std::int64_t>(k); p >= 0;
             p = tree[static_cast<std::size_t>(p)].Parent) {
          if (tree[static_cast<std::size_t>(p)].DefIndex == d) {
            refuse = true;
            break;
          }
        }
      }
      if (refuse) {
        ++refused;
        continue;
      }
      const TEntJwwBlockTree& e = tree[k];
      TEntJwwBlockTree t;
      t.Base = def.Base;
      t.Level = e.Level + 1;
      t.Parent = static_cast<std::int32_t>(k);
      double jx = j.X, jy = j.Y, sx = j.ScaleX, sy = j.ScaleY, a = j.Angle;
      double c = std::cos(a), s = std::sin(a);
      t.OriginX = e.OriginX + e.M11 * jx + e.M12 * jy;
      t.OriginY = e.OriginY + e.M21 * jx + e.M22 * jy;
      t.M11 = e.M11 * sx * c + e.M12 * sx * s;
      t.M12 = -e.M11 * sy * s + e.M12 * sy * c;
      t.M21 = e.M21 * sx * c + e.M22 * sx * s;
      t.M22 = -e.M21 * sy * s + e.M22 * sy * c;
      place(t, j);
      tree.push_back(std::move(t));  // may move tree[k]: `e` is not used after this
    }
  }
  tree.shrink_to_fit();
  return refused;
}

}  // namespace quintaro::jww
