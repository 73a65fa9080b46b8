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
  // The painter's dash pattern of a pen style (solid: none); false for a
  // style without lines.
  bool SetStyle(PenStyle style);
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

  // The painter's dashes along one stroke: a pattern in 64ths of a pixel
  // that goes on from stroke to stroke of a polyline, walked backwards for
  // a stroke drawn from its far end.
  class Dashes {
   public:
    Dashes(ThinLines& lines, bool backwards, int start, int stop);
    bool On() const { return ((index_ + on_) & 1) != 0; }
    void Next();

   private:
    const ThinLines& lines_;
    const int* ends_;
    int offset_, index_ = 0, on_;
  };

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
  // The pixel at a along the stroke's longer axis and b across it.
  template <bool kVertical>
  void PutAt(int a, int b) {
    if constexpr (kVertical) {
      Put(b, a);
    } else {
      Put(a, b);
    }
  }

  PixelTarget t_;
  std::uint32_t value_ = 0xFF000000u;
  // Dash pattern: where each dash or gap ends, forwards and backwards, in
  // 64ths of a pixel; none for a solid pen.
  int dashCount_ = 0, dashLength_ = 0, dashOffset_ = 0;
  int dashEnds_[6] = {}, backEnds_[6] = {};
  Pixel last_{kNoPixel, kNoPixel};  // the last pixel of the previous stroke
  std::uint8_t lastRun_ = kNone;
  bool lastNearlyStraight_ = false;
};

}  // namespace quintaro::render
