#include "render/qt/solid_fill.h"

#include <algorithm>
#include <utility>

namespace quintaro::render {

bool SolidFill::Fill(const PixelTarget& t, std::span<const PixelPoint> points,
                     std::uint32_t value) {
  for (const PixelPoint& p : points) {
    if (!t.InClip(p.x, p.y)) return false;
  }
  edges_.clear();
  const std::size_t n = points.size();
  int firstRow = t.clipBottom, lastRow = t.clipTop - 1;
  for (std::size_t i = 0; i < n; ++i) {
    PixelPoint a = points[i], b = points[(i + 1) % n];
    if (a.y > b.y) std::swap(a, b);
    // Rows whose centres lie in [a.y, b.y): the top end counts, the bottom not.
    const int top = a.y, bottom = b.y - 1;
    if (top > bottom) continue;
    const std::int64_t x = 32768 + std::int64_t{a.x} * 65536;
    std::int64_t slope = 0, atTop = x;
    if (b.x != a.x) {
      const double perRow = static_cast<double>(b.x - a.x) / static_cast<double>(b.y - a.y);
      slope = static_cast<std::int64_t>(perRow * 65536.);
      atTop = x + ((slope * 32768) >> 16);
    }
    edges_.push_back({atTop, slope, top, bottom});
    firstRow = std::min(firstRow, top);
    lastRow = std::max(lastRow, bottom);
  }
  for (int y = firstRow; y <= lastRow; ++y) {
    row_.clear();
    for (const Edge& e : edges_) {
      if (y >= e.top && y <= e.bottom) {
        row_.push_back({static_cast<int>((e.x + e.slope * (y - e.top)) >> 16)});
      }
    }
    std::sort(row_.begin(), row_.end());
    std::uint32_t* line = t.Row(y);
    for (std::size_t k = 0; k + 1 < row_.size(); k += 2) {
      std::fill(line + row_[k].x, line + row_[k + 1].x, value);
    }
  }
  return true;
}

}  // namespace quintaro::render
