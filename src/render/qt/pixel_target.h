// The pixels of a 32-bit image that the raster paths below write into
// directly, beside the painter that draws everything else on it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/canvas/canvas.h"

namespace quintaro::render {

// Rows of `stride` pixels of `width` x `height`. Only the pixels inside the
// clip (left and top inclusive, right and bottom exclusive) are written;
// shapes are still worked out against the whole device, so a clipped part
// has the same pixels as the whole.
struct PixelTarget {
  std::uint32_t* bits = nullptr;
  std::ptrdiff_t stride = 0;
  int width = 0, height = 0;
  int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;

  bool InClip(int x, int y) const {
    return x >= clipLeft && x < clipRight && y >= clipTop && y < clipBottom;
  }
  std::uint32_t* Row(int y) const { return bits + y * stride; }
};

// The opaque 32-bit pixel (0xFFRRGGBB) of a colour value 0x00BBGGRR.
inline constexpr std::uint32_t PixelOf(Color c) {
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}

}  // namespace quintaro::render
