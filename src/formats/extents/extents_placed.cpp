// Points of curved solids and of block definitions placed many times.
#include <vector>

#include "formats/extents/extents_drawing.h"

namespace quintaro::extents {

ArcPoints CurvedSolidPoints(const TEntJwwSolid& o) {
  return AxisPointsOf(EllipseShape(o.X1, o.Y1, o.X2, o.Y2, o.X3));
}

// Works on a copy of the sink, so that the loop keeps the box and the
// placement in registers; out of line, so that no caller's memory gets in
// the way.
ExtentsBox AddPlacedPoints(const std::vector<Xy>& points, const PlacedSink& s) {
  PlacedSink k = s;
  for (const Xy& l : points) k.AddLimited(l);
  return k.box;
}

ExtentsBox SpanOf(const std::vector<Xy>& points) {
  ExtentsBox span{points[0], points[0]};
  for (const Xy& l : points) span.Take(l);
  return span;
}

// Each placed coordinate, rounding included, never falls as one local
// coordinate grows while the other stays, or never rises, as the sign of its
// matrix entry says. So over the span it is largest and smallest at corners,
// and every placed point lies between the placed corners. A corner that is
// not finite (an overflowing or invalid matrix) decides nothing.
bool PlacedHeld(const ExtentsBox& span, const PlacedSink& s) {
  const Xy corners[4] = {span.lo, span.hi, Xy{span.lo[0], span.hi[1]}, Xy{span.hi[0], span.lo[1]}};
  ExtentsBox placed;
  for (int k = 0; k < 4; ++k) {
    const Xy p = s.Place(corners[k]);
    if (!FiniteXy(p)) return false;
    if (k == 0) placed = {p, p};
    placed.Take(p);
  }
  return s.box.Holds(placed.lo, placed.hi);
}

}  // namespace quintaro::extents
