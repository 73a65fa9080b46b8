// Polygons filled with one colour by the even-odd rule, written straight
// into the image: exactly the pixels the painter fills without
// antialiasing. A pixel is filled when its centre lies inside; each edge
// crosses the rows at their centres in 16.16 fixed point.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "render/qt/pixel_target.h"

namespace quintaro::render {

class SolidFill {
 public:
  // Fills the polygon and returns true when every corner lies inside the
  // clip; otherwise draws nothing and returns false (the painter fills it).
  bool Fill(const PixelTarget& target, std::span<const PixelPoint> points, std::uint32_t value);

 private:
  struct Edge {
    std::int64_t x;      // 16.16, at the centre of row `top`
    std::int64_t slope;  // 16.16 per row
    int top, bottom;     // rows crossed, inclusive
  };
  struct Crossing {
    int x;
    friend auto operator<=>(const Crossing&, const Crossing&) = default;
  };

  std::vector<Edge> edges_;
  std::vector<Crossing> row_;
};

}  // namespace quintaro::render
