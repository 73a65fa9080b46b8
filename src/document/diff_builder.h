// Gathers a DrawingDiff while the format's comparisons walk their lists.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "document/drawing_diff.h"

namespace quintaro::diff {

class DiffBuilder {
 public:
  explicit DiffBuilder(DrawingDiff& out);

  // A figure went from one group and layer to another (nothing when equal).
  // `inBlock`: a figure inside a block definition.
  void Layer(int fromGroup, int fromLayer, int toGroup, int toLayer, bool inBlock) {
    if (fromGroup == toGroup && fromLayer == toLayer) return;
    if (InRange(fromGroup) && InRange(fromLayer) && InRange(toGroup) && InRange(toLayer)) {
      ++flat_[inBlock][((fromGroup * 16 + fromLayer) << 8) | (toGroup * 16 + toLayer)];
    } else {
      ++odd_[inBlock][{fromGroup, fromLayer, toGroup, toLayer}];
    }
  }
  void Figure(std::string_view kind, std::string_view where, std::int64_t index, std::string what);
  std::int64_t ChangedFigures() const { return out_.changedFigures; }
  void Block(std::int32_t number, BlockChangeKind change) {
    out_.blocks.push_back({number, change});
  }
  void Value(std::string name, std::string before = {}, std::string after = {}) {
    out_.values.push_back({std::move(name), std::move(before), std::move(after)});
  }
  // Moves the layer tables into the result, sorted by source then target.
  void Finish();

 private:
  static bool InRange(int v) { return v >= 0 && v < 16; }

  DrawingDiff& out_;
  std::array<std::vector<std::int64_t>, 2> flat_;
  std::array<std::map<std::tuple<int, int, int, int>, std::int64_t>, 2> odd_;
};

// Appends `part` to a comma-separated list.
inline void AddPart(std::string& list, std::string_view part) {
  if (!list.empty()) list += ", ";
  list += part;
}

// Each compares one format's figures, blocks and header values.
void Compare(const TJwwData& a, const TJwwData& b, DiffBuilder& d);
void Compare(const TJwsData& a, const TJwsData& b, DiffBuilder& d);
void Compare(const TJwcData& a, const TJwcData& b, DiffBuilder& d);
void Compare(const TJwkData& a, const TJwkData& b, DiffBuilder& d);
// The JWW header values and pens, one named value at a time.
void DiffJwwHeader(const TEntJwwHeaderValues& a, const TEntJwwHeaderValues& b, DiffBuilder& d);
void DiffJwwPens(const std::vector<TEntJwwPen>& a, const std::vector<TEntJwwPen>& b,
                 DiffBuilder& d);

}  // namespace quintaro::diff
