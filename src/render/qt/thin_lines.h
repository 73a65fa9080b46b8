// One-pixel solid lines written straight into the image: exactly the pixels
// the painter sets for its thinnest pen without antialiasing, without the
// cost of a painter call per figure. A line is walked one pixel per step
// along its longer axis in 16.16 fixed point, from its ends in 26.6 after a
// rough clip to the device; its last pixel is left for the next stroke, and
// the strokes of one polyline neither repeat nor drop a corner pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "render/qt/pixel_target.h"

namespace quintaro::render {

class ThinLines {
 public:
  explicit ThinLines(const PixelTarget& target) : t_(target) {}

  void SetTarget(const PixelTarget& target) { t_ = target; }
  void SetPixel(std::uint32_t value) { value_ = value; }
  // A new painter call begins: the run of the last stroke is forgotten.
  void Restart();
  // One line of a batch of separate lines; a line from a pixel to itself
  // sets that pixel. A batch remembers the run of its last stroke.
  void Line(PixelPoint a, PixelPoint b);
  // A polyline (one painter call), or a polygon's outline with `closeBack`.
  void Polyline(std::span<const PixelPoint> points, bool closeBack);

 private:
  // Directions of a stroke; the masks pick the two of one axis.
  enum Run : std::uint8_t { kNone = 0, kDown = 1, kUp = 2, kRight = 4, kLeft = 8 };
  struct Pixel {
    int x, y;
    friend bool operator==(const Pixel&, const Pixel&) = default;
  };
  static constexpr int kNoPixel = INT32_MIN;

  bool ClipToDevice(double& x1, double& y1, double& x2, double& y2);
  bool Cut() {
    last_.x = kNoPixel;
    return true;
  }
  void NoteClosingStroke(double x1, double y1, double x2, double y2);
  bool Stroke(double x1, double y1, double x2, double y2);
  template <bool kVertical>
  bool Walk(int a1, int b1, int a2, int b2, Pixel& last);
  void Put(int x, int y) {
    if (t_.InClip(x, y)) t_.Row(y)[x] = value_;
  }

  PixelTarget t_;
  std::uint32_t value_ = 0xFF000000u;
  Pixel last_{kNoPixel, kNoPixel};  // the last pixel of the previous stroke
  std::uint8_t lastRun_ = kNone;
  bool lastNearlyStraight_ = false;
};

}  // namespace quintaro::render
