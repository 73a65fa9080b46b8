// The growing box of the JWW and JWS extents loops, with a point's x and y
// handled as one pair: the compilers' vector extension turns each step into
// single instructions where the processor has them, and the two lanes do
// exactly what the scalar ExtentsAdd does on each coordinate.
#pragma once

#include "formats/extents/extents.h"

namespace quintaro::extents {

// (x, y), or the same operation on both.
using Xy = double __attribute__((vector_size(16)));
using XyMask = long long __attribute__((vector_size(16)));

// LimitCoord on both coordinates: 0 beyond the limit or not a number.
inline Xy LimitXy(Xy p) {
  const Xy limit = {CoordLimit, CoordLimit};
  return ((p <= limit) & (p >= -limit)) ? p : Xy{0.0, 0.0};
}

// Whether both coordinates are finite.
inline bool FiniteXy(Xy p) {
  const XyMask ok = (p - p) == Xy{0.0, 0.0};
  return (ok[0] & ok[1]) != 0;
}

// The box while it grows: lo = (minX, minY), hi = (maxX, maxY). Each side is
// compared on its own with the strict comparisons of ExtentsAdd, written as
// selections so that they need no branches.
struct ExtentsBox {
  Xy lo, hi;
  static ExtentsBox Of(const DrawingExtents& e) { return {Xy{e.minX, e.minY}, Xy{e.maxX, e.maxY}}; }
  DrawingExtents Extents() const { return {lo[0], lo[1], hi[0], hi[1]}; }
  void Take(Xy p) {
    lo = p < lo ? p : lo;
    hi = p > hi ? p : hi;
  }
  // Whether every point from `from` to `to` (each side included) lies in the
  // box, so that none of them could widen it. False when any bound is not a
  // number.
  bool Holds(Xy from, Xy to) const {
    const XyMask in = (from >= lo) & (to <= hi);
    return (in[0] & in[1]) != 0;
  }
};

}  // namespace quintaro::extents
