// Drawing extents: the axis-aligned box, in drawing units, that holds every
// coordinate of every figure of a drawing.
//
// The box is not a tight geometric bound: arcs contribute selected points of
// their ellipse, texts their two stored corners, and any single coordinate
// beyond CoordLimit counts as 0. Every point is divided by a divisor before it
// is compared (1 for JWW, JWS and JWC; the symbol scale for JWK).
#pragma once

#include <cmath>

#include "formats/common/types.h"

namespace quintaro {

class TJwwData;
class TJwsData;
class TJwcData;
class TJwkData;

// A coordinate whose magnitude exceeds this counts as 0.
inline constexpr double CoordLimit = 10'000'000.0;

// The coordinate as it enters the box: 0 beyond CoordLimit. A value that is
// not a number also counts as 0, so that it cannot poison the box.
inline double LimitCoord(double v) {
  return std::fabs(v) <= CoordLimit ? v : 0.0;
}

// Starts the box at one point.
inline void ExtentsSeed(DrawingExtents& e, double x, double y, double divisor) {
  e.minX = e.maxX = LimitCoord(x) / divisor;
  e.minY = e.maxY = LimitCoord(y) / divisor;
}

// Widens the box by one point (strict comparisons, each side on its own).
inline void ExtentsAdd(DrawingExtents& e, double x, double y, double divisor) {
  const double px = LimitCoord(x) / divisor;
  const double py = LimitCoord(y) / divisor;
  if (px < e.minX) e.minX = px;
  if (py < e.minY) e.minY = py;
  if (px > e.maxX) e.maxX = px;
  if (py > e.maxY) e.maxY = py;
}

// Widens the box by a point (x, y) of a block definition placed at (ox, oy)
// with the matrix (a b / c d). The limit applies to the local coordinates.
// A placement that yields no finite point (overflowing or invalid matrix)
// contributes nothing.
inline void ExtentsAddPlaced(DrawingExtents& e, double x, double y, double ox, double oy, double a,
                             double b, double c, double d, double divisor) {
  const double lx = LimitCoord(x), ly = LimitCoord(y);
  const double px = (ox + a * lx + b * ly) / divisor;
  const double py = (oy + c * lx + d * ly) / divisor;
  if (!std::isfinite(px) || !std::isfinite(py)) return;
  if (px < e.minX) e.minX = px;
  if (py < e.minY) e.minY = py;
  if (px > e.maxX) e.maxX = px;
  if (py > e.maxY) e.maxY = py;
}

struct EllipsePointXY {
  double x = 0, y = 0;
};

// Parameter angles of the four axis points (the last as the drawing program
// has always written it), with their cosines and sines as the math library
// gives them, so that axis points cost no trigonometry.
inline constexpr double kAxisAngles[4] = {0.0, 1.5707963267948966, 3.141592653589793,
                                          4.71238898038469};
inline constexpr double kAxisCos[4] = {1.0, 6.123233995736766e-17, -1.0, -1.8369701987210297e-16};
inline constexpr double kAxisSin[4] = {0.0, 1.0, 1.2246467991473532e-16, -1.0};

// An ellipse with centre (cx, cy), radius r, flatness f and tilt t (radians),
// with the tilt's cosine and sine worked out once.
struct EllipseShape {
  EllipseShape(double centreX, double centreY, double radius, double flatness, double tilt)
      : cx(centreX),
        cy(centreY),
        r(radius),
        f(flatness),
        ct(tilt == 0 ? 1.0 : std::cos(tilt)),
        st(tilt == 0 ? 0.0 : std::sin(tilt)) {}
  // The same with the tilt's cosine and sine already at hand.
  EllipseShape(double centreX, double centreY, double radius, double flatness, double tiltCos,
               double tiltSin)
      : cx(centreX), cy(centreY), r(radius), f(flatness), ct(tiltCos), st(tiltSin) {}
  // The point at parameter angle theta (radians): (r cos theta, r f sin theta)
  // rotated counter-clockwise by the tilt, then moved to the centre.
  EllipsePointXY At(double theta) const { return AtCosSin(std::cos(theta), std::sin(theta)); }
  // The axis point k (0..3), at kAxisAngles[k].
  EllipsePointXY AtAxis(int k) const { return AtCosSin(kAxisCos[k], kAxisSin[k]); }
  EllipsePointXY AtCosSin(double c, double s) const {
    const double u = r * c, v = r * f * s;
    return {cx + ct * u - st * v, cy + st * u + ct * v};
  }
  double cx, cy, r, f, ct, st;
};

// Which axis points an arc sweep reaches: bit k for the axis point at k * 90
// degrees. `start` in [0, 360) and `sweep` >= 0, both in degrees.
int ArcAxisMask(double start, double sweep);
// The same for an arc of a JWW or JWS drawing (angles in radians; the sweep
// may be negative).
int JwwArcAxisMask(double startRad, double arcRad);
// For an arc of a JWC or JWK drawing (angles in degrees); -1 for a full
// circle (a sweep of 0 or 360 degrees).
int JwcArcAxisMask(double startDeg, double endDeg);

// Width and height named by an image text "^@BM" path "," width ["," height];
// false when the text is no image text or holds no comma. A part that is not
// a number counts as 0.
bool ImageTextSize(const EncodedText& text, double& width, double& height);

// Compute the extents of the drawing into `shared` and copy them into the
// container's own extents field. A JWW or JWC drawing without figures leaves
// `shared` as it was; JWS starts from its header's reference point and JWK
// from the origin.
void ComputeExtents(TJwwData& doc, DrawingExtents& shared);
void ComputeExtents(TJwsData& doc, DrawingExtents& shared);
void ComputeExtents(TJwcData& doc, DrawingExtents& shared);
void ComputeExtents(TJwkData& doc, DrawingExtents& shared);

// The divisor of a symbol: its scale, or 1 where the scale is not usable.
double JwkDivisor(const TJwkData& doc);

}  // namespace quintaro
