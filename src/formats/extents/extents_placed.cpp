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

}  // namespace quintaro::extents
