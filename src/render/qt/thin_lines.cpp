#include "render/qt/thin_lines.h"

#include <cstdlib>
#include <utility>

namespace quintaro::render {

namespace {

// Device pixels to 26.6 fixed point, truncating as the painter does.
int Fixed(double v) {
  return static_cast<int>(v * 64.);
}

// num / den in 16.16 fixed point.
int Ratio(int num, int den) {
  if (std::abs(num) > 0x7fff) return static_cast<int>(std::int64_t{num} * 65536 / den);
  return num * 65536 / den;
}

}  // namespace

bool ThinLines::SetStyle(PenStyle style) {
  // The painter's patterns, in pixels: dash 4, gap 2, dot 1.
  static constexpr int kDash[] = {4, 2}, kDot[] = {1, 2}, kDashDot[] = {4, 2, 1, 2},
                       kDashDotDot[] = {4, 2, 1, 2, 1, 2};
  std::span<const int> pattern;
  switch (style) {
    case PenStyle::kSolid:
      break;
    case PenStyle::kDash:
      pattern = kDash;
      break;
    case PenStyle::kDot:
      pattern = kDot;
      break;
    case PenStyle::kDashDot:
      pattern = kDashDot;
      break;
    case PenStyle::kDashDotDot:
      pattern = kDashDotDot;
      break;
    default:
      return false;
  }
  dashCount_ = static_cast<int>(pattern.size());
  int forward = 0, backward = 0;
  for (int i = 0; i < dashCount_; ++i) {
    dashEnds_[i] = forward += pattern[i] * 64;
    backEnds_[i] = backward += pattern[dashCount_ - 1 - i] * 64;
  }
  dashLength_ = forward;
  return true;
}

ThinLines::Dashes::Dashes(ThinLines& lines, bool backwards, int start, int stop)
    : lines_(lines), ends_(backwards ? lines.backEnds_ : lines.dashEnds_), on_(backwards ? 0 : 1) {
  const int length = lines.dashLength_;
  const int delta = stop - start;
  offset_ = backwards ? length - lines.dashOffset_ - delta - ((start & 63) - 32)
                      : lines.dashOffset_ - ((start & 63) - 32);
  offset_ %= length;
  if (offset_ < 0) offset_ += length;
  while (index_ < lines.dashCount_ - 1 && offset_ >= ends_[index_]) ++index_;
  lines.dashOffset_ = (lines.dashOffset_ + delta) % length;
}

void ThinLines::Dashes::Next() {
  offset_ += 64;
  if (offset_ >= ends_[index_]) index_ = (index_ + 1) % lines_.dashCount_;
  offset_ %= lines_.dashLength_;
}

void ThinLines::Restart() {
  last_ = {kNoPixel, kNoPixel};
  lastRun_ = kNone;
  lastNearlyStraight_ = false;
}

// Cuts the line to the device and a pixel around it (in that order of
// borders, in floating point as the painter does, so that clipped lines
// keep its pixels). True when nothing is left. A cut end leaves no last
// pixel to join.
bool ThinLines::ClipToDevice(double& x1, double& y1, double& x2, double& y2) {
  const double xmin = -1, xmax = t_.width + 1, ymin = -1, ymax = t_.height + 1;
  if (x1 < xmin) {
    if (x2 <= xmin) return Cut();
    y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
    x1 = xmin;
  } else if (x1 > xmax) {
    if (x2 >= xmax) return Cut();
    y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
    x1 = xmax;
  }
  if (x2 < xmin) {
    last_.x = kNoPixel;
    y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
    x2 = xmin;
  } else if (x2 > xmax) {
    last_.x = kNoPixel;
    y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
    x2 = xmax;
  }
  if (y1 < ymin) {
    if (y2 <= ymin) return Cut();
    x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
    y1 = ymin;
  } else if (y1 > ymax) {
    if (y2 >= ymax) return Cut();
    x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
    y1 = ymax;
  }
  if (y2 < ymin) {
    last_.x = kNoPixel;
    x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
    y2 = ymin;
  } else if (y2 > ymax) {
    last_.x = kNoPixel;
    x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
    y2 = ymax;
  }
  return false;
}

// The closing stroke of a closed outline, walked first only to know where
// and which way it ends, so that the first stroke joins it.
void ThinLines::NoteClosingStroke(double rx1, double ry1, double rx2, double ry2) {
  last_ = {kNoPixel, kNoPixel};
  if (ClipToDevice(rx1, ry1, rx2, ry2)) return;
  int x1 = Fixed(rx1), y1 = Fixed(ry1), x2 = Fixed(rx2), y2 = Fixed(ry2);
  const bool vertical = std::abs(x2 - x1) < std::abs(y2 - y1);
  if (!vertical && x1 == x2) return;
  // Along the longer axis a, across it b.
  int a1 = vertical ? y1 : x1, b1 = vertical ? x1 : y1;
  int a2 = vertical ? y2 : x2, b2 = vertical ? x2 : y2;
  const bool backwards = a1 > a2;
  if (backwards) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const int step = Ratio(b2 - b1, a2 - a1);
  const int a = (a1 + 32) >> 6, end = (a2 + 32) >> 6;
  if (a == end) return;
  const int b = b1 * 1024 + (((a * 64) + (step > 0 ? 32 : 0) - a1) * step >> 6);
  const int lastA = backwards ? a : end - 1;
  const int lastB = (backwards ? b : b + (end - a - 1) * step) >> 16;
  last_ = vertical ? Pixel{lastB, lastA} : Pixel{lastA, lastB};
  lastRun_ = vertical ? (backwards ? kUp : kDown) : (backwards ? kLeft : kRight);
  lastNearlyStraight_ = std::abs(step) < (1 << 14);
}

// Walks one stroke along its longer axis a (y when vertical), b across it,
// both in 26.6; `last` becomes its last pixel in drawing order. False when
// it covers no pixel.
template <bool kVertical>
bool ThinLines::Walk(int a1, int b1, int a2, int b2, Pixel& last) {
  const auto at = [](int a, int b) { return kVertical ? Pixel{b, a} : Pixel{a, b}; };
  const auto along = [](Pixel p) { return kVertical ? p.y : p.x; };
  const std::uint8_t axis = kVertical ? (kDown | kUp) : (kRight | kLeft);
  const bool backwards = a1 > a2;
  if (backwards) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const std::uint8_t run = kVertical ? (backwards ? kUp : kDown) : (backwards ? kLeft : kRight);
  const int step = Ratio(b2 - b1, a2 - a1);
  int b = b1 * 1024;
  // Turning back along the same axis, the stroke reaches half a pixel
  // further at the turn.
  const bool turn = (lastRun_ ^ axis) == run;
  if (turn && !backwards) {
    a1 -= 32;
    b -= step >> 1;
  }
  if (turn && backwards) a2 += 32;
  int a = (a1 + 32) >> 6, end = (a2 + 32) >> 6;
  if (turn && !backwards && along(last_) == a + 1) ++a;
  if (a == end) return false;
  b += ((a * 64) + (step > 0 ? 32 : 0) - a1) * step >> 6;
  Pixel first = at(a, b >> 16);
  last = at(end - 1, (b + (end - a - 1) * step) >> 16);
  if (backwards) std::swap(first, last);
  const bool nearlyStraight = std::abs(step) < (1 << 14);
  if (last_.x != kNoPixel) {
    const int gapX = std::abs(last_.x - first.x), gapY = std::abs(last_.y - first.y);
    if (first == last_) {
      // The corner is the last stroke's pixel already.
      if (backwards) {
        --end;
      } else {
        ++a;
        b += step;
      }
    } else if (lastRun_ != run &&
               ((nearlyStraight && lastNearlyStraight_ && gapX != 0 && gapY != 0) || gapX > 1 ||
                gapY > 1)) {
      // The corner would show a gap: one pixel more.
      if (backwards) {
        ++end;
      } else {
        --a;
        b -= step;
      }
    } else if (lastRun_ == run && gapX <= 1 && gapY > 1) {
      b += step >> 1;
      last = at(along(last), (backwards ? b : b + (end - a - 1) * step) >> 16);
    }
  }
  lastRun_ = run;
  lastNearlyStraight_ = nearlyStraight;
  if (dashCount_ == 0) {
    do {
      PutAt<kVertical>(a, b >> 16);
      b += step;
    } while (++a < end);
    return true;
  }
  Dashes dashes(*this, backwards, a * 64, end * 64);
  do {
    if (dashes.On()) PutAt<kVertical>(a, b >> 16);
    dashes.Next();
    b += step;
  } while (++a < end);
  return true;
}

// True when the stroke moved the pen on (a polyline's next stroke then
// starts from its end).
bool ThinLines::Stroke(double x1, double y1, double x2, double y2) {
  bool moved = std::abs(x2 - x1) + std::abs(y2 - y1) >= 1.0;
  if (ClipToDevice(x1, y1, x2, y2)) return true;
  const int fx1 = Fixed(x1), fy1 = Fixed(y1), fx2 = Fixed(x2), fy2 = Fixed(y2);
  Pixel last = last_;
  if (std::abs(fx2 - fx1) < std::abs(fy2 - fy1)) {
    moved |= Walk<true>(fy1, fx1, fy2, fx2, last);
  } else {
    if (fx1 == fx2) return true;
    moved |= Walk<false>(fx1, fy1, fx2, fy2, last);
  }
  last_ = last;
  return moved;
}

void ThinLines::Line(PixelPoint a, PixelPoint b) {
  if (a == b) return Put(a.x, a.y);
  last_ = {kNoPixel, kNoPixel};
  dashOffset_ = 0;
  Stroke(a.x, a.y, b.x, b.y);
}

void ThinLines::Polyline(std::span<const PixelPoint> p, bool closeBack) {
  const std::size_t n = p.size();
  if (n == 0) return;
  last_ = {kNoPixel, kNoPixel};
  dashOffset_ = 0;
  const bool explicitlyClosed = n > 2 && p[0] == p[n - 1];
  if (closeBack || p[0] == p[n - 1]) {
    const PixelPoint& from = explicitlyClosed ? p[n - 2] : p[n - 1];
    NoteClosingStroke(from.x, from.y, p[0].x, p[0].y);
  }
  PixelPoint at = p[0];
  for (std::size_t i = 1; i < n; ++i) {
    // A stroke from a pixel to itself changes nothing unless it lies so far
    // out that it clears the last pixel: the common case of small curves.
    if (p[i] == at && p[i].x >= -1 && p[i].x <= t_.width + 1 && p[i].y >= -1 &&
        p[i].y <= t_.height + 1) {
      continue;
    }
    // A stroke too short to move keeps its start for the next one, except
    // at both ends.
    if (Stroke(at.x, at.y, p[i].x, p[i].y) || i == 1 || i == n - 1) at = p[i];
  }
  if (closeBack) Stroke(at.x, at.y, p[0].x, p[0].y);
}

}  // namespace quintaro::render
