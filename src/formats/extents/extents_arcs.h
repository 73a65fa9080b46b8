// The points that arcs and curved solids of JWW and JWS drawings contribute
// to the extents.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "formats/extents/extents.h"
#include "formats/extents/extents_box.h"
#include "formats/jww/jww_types.h"

namespace quintaro::extents {

// Up to six points of one arc, in the order they are added.
struct ArcPoints {
  EllipsePointXY p[6];
  int n = 0;
};

inline void AddAxisPoints(const EllipseShape& el, int mask, ArcPoints& pts) {
  for (int k = 0; k < 4; ++k)
    if (mask & (1 << k)) pts.p[pts.n++] = el.AtAxis(k);
}

inline ArcPoints AxisPointsOf(const EllipseShape& el) {
  ArcPoints pts;
  AddAxisPoints(el, 15, pts);
  return pts;
}

// The axis points of a curved solid: corner 1 is the centre, corner 2 radius
// and flatness, corner 3's x the tilt.
ArcPoints CurvedSolidPoints(const TEntJwwSolid& o);

// The cosine and sine of the angle last asked for. Arcs of a drawing often
// share their angles (copies of one figure, door swings), and the pair costs
// more than all the other work on an arc. Angles match by their bits, so
// that 0.0 and -0.0 keep their own sines.
class CosSinMemo {
 public:
  void Of(double theta, double& c, double& s) {
    const auto bits = std::bit_cast<std::uint64_t>(theta);
    if (!valid_ || bits != bits_) {
      bits_ = bits;
      cos_ = std::cos(theta);
      sin_ = std::sin(theta);
      valid_ = true;
    }
    c = cos_;
    s = sin_;
  }

 private:
  bool valid_ = false;
  std::uint64_t bits_ = 0;
  double cos_ = 1, sin_ = 0;
};

// The points of arcs: both ends of a partial arc and the axis points its
// sweep reaches; the four axis points of a full circle. The same points as
// EllipseShape gives, with the trigonometry of repeated angles done once.
class ArcTrig {
 public:
  ArcPoints PointsOf(const TEntJwwEnko& a) {
    const EllipseShape el = Shape(a);
    if (a.FullCircle != 0) return AxisPointsOf(el);
    const double start = a.StartAngle, sweep = a.ArcAngle;
    ArcPoints pts;
    double c, s;
    start_.Of(start, c, s);
    pts.p[0] = el.AtCosSin(c, s);
    end_.Of(start + sweep, c, s);
    pts.p[1] = el.AtCosSin(c, s);
    pts.n = 2;
    AddAxisPoints(el, JwwArcAxisMask(start, sweep), pts);
    return pts;
  }

 private:
  EllipseShape Shape(const TEntJwwEnko& a) {
    const double t = a.TiltAngle;
    double ct = 1.0, st = 0.0;
    if (t != 0) tilt_.Of(t, ct, st);
    return EllipseShape(a.CenterX, a.CenterY, a.Radius, a.Flatness, ct, st);
  }
  CosSinMemo tilt_, start_, end_;
};

// A box from `from` to `to` around an arc's whole ellipse that holds every
// point PointsOf gives for the arc, whatever its angles; false when some
// point may not come out finite (LimitXy would then make it 0, which need not
// lie near the ellipse).
//
// A point is the centre plus (ct u - st v), with (u, v) = (r c, r f s) and
// both (ct, st) and (c, s) within rounding of the unit circle, so the offset
// is at most R = max(|r|, |r f|) long. The reach adds room for the roundings
// of the offset (relative to R), of the sum with the centre (relative to
// the centre) and of products below the normal range (absolute). Rounding
// never reverses an order, so no point passes a bound worked out from the
// same centre.
inline bool ArcReach(const TEntJwwEnko& a, Xy& from, Xy& to) {
  const double t = a.TiltAngle, s = a.StartAngle, e = s + a.ArcAngle;
  const double angles = a.FullCircle != 0 ? t - t : (t - t) + (s - s) + (e - e);
  if (angles != 0) return false;  // an infinite angle, or none at all
  const double rx = std::fabs(a.Radius), ry = std::fabs(a.Radius * a.Flatness);
  const double r = rx > ry ? rx : ry;  // not a number when ry is not
  const Xy c = {a.CenterX, a.CenterY};
  const Xy size = c < 0 ? -c : c;
  const Xy reach = Xy{r, r} * (1 + 1e-9) + (size * 0x1p-50 + 0x1p-1000);
  from = c - reach;
  to = c + reach;
  return true;
}

// Whether a text can be an image text ("^@BM" in either encoding): a cheap
// look at the first byte before the full test.
inline bool MayBeImageText(const EncodedText& t) {
  return !t.bytes.empty() && t.bytes[0] == '^';
}

}  // namespace quintaro::extents
