// The extents loops against a point-by-point reference built from the public
// rules (ExtentsAdd, ExtentsAddPlaced, EllipseShape, JwwArcAxisMask), on
// random drawings. The results must agree to the bit: the loops keep the box
// in registers, reuse the trigonometry of repeated angles and gather the
// points of definitions placed many times, none of which may change a result
// (not even which of 0.0 and -0.0 ends up in the box).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>
#include <string>

#include "extents/jww_models.h"
#include "formats/extents/extents.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro {
namespace {

using namespace quintaro::test;

// --- The reference: one ExtentsAdd or ExtentsAddPlaced per point. ---

struct RefSink {
  DrawingExtents& e;
  const TEntJwwBlockTree* placement = nullptr;  // null: directly in the drawing
  void Add(double x, double y) const {
    if (!placement) return ExtentsAdd(e, x, y, 1.0);
    const TEntJwwBlockTree& t = *placement;
    ExtentsAddPlaced(e, x, y, t.OriginX, t.OriginY, t.M11, t.M12, t.M21, t.M22, 1.0);
  }
  void Add(EllipsePointXY p) const { Add(p.x, p.y); }
};

void RefArc(const TEntJwwEnko& a, const RefSink& s) {
  const EllipseShape el(a.CenterX, a.CenterY, a.Radius, a.Flatness, a.TiltAngle);
  int mask = 15;
  if (a.FullCircle == 0) {
    s.Add(el.At(a.StartAngle));
    s.Add(el.At(a.StartAngle + a.ArcAngle));
    mask = JwwArcAxisMask(a.StartAngle, a.ArcAngle);
  }
  for (int k = 0; k < 4; ++k)
    if (mask & (1 << k)) s.Add(el.AtAxis(k));
}

template <class MojiT>
void RefList(const TJwwEntityListT<MojiT>& l, const RefSink& s) {
  for (const auto& o : l.Sen) s.Add(o.StartX, o.StartY), s.Add(o.EndX, o.EndY);
  for (const auto& o : l.Enko) RefArc(o, s);
  for (const auto& o : l.Ten) s.Add(o.X, o.Y);
  for (const auto& o : l.Moji) {
    s.Add(o.StartX, o.StartY), s.Add(o.EndX, o.EndY);
    double w = 0, h = 0;
    if (!s.placement && ImageTextSize(o.Text, w, h)) s.Add(o.StartX + w, o.StartY + h);
  }
  for (const auto& d : l.Sunpo) {
    s.Add(d.Line.StartX, d.Line.StartY), s.Add(d.Line.EndX, d.Line.EndY);
    s.Add(d.Text.StartX, d.Text.StartY), s.Add(d.Text.EndX, d.Text.EndY);
    if (d.SxfMode == 0) continue;
    s.Add(d.Aux1.StartX, d.Aux1.StartY), s.Add(d.Aux1.EndX, d.Aux1.EndY);
    s.Add(d.Aux2.StartX, d.Aux2.StartY), s.Add(d.Aux2.EndX, d.Aux2.EndY);
  }
  for (const auto& o : l.Solid) {
    s.Add(o.X1, o.Y1);
    if (o.Base.PenStyle > 100) {
      const EllipseShape el(o.X1, o.Y1, o.X2, o.Y2, o.X3);
      for (int k = 0; k < 4; ++k) s.Add(el.AtAxis(k));
      continue;
    }
    s.Add(o.X2, o.Y2), s.Add(o.X3, o.Y3), s.Add(o.X4, o.Y4);
  }
}

// Seeds from the first point of the first non-empty list (JWW).
template <class MojiT>
bool RefSeed(const TJwwEntityListT<MojiT>& l, DrawingExtents& e) {
  if (!l.Sen.empty()) return ExtentsSeed(e, l.Sen[0].StartX, l.Sen[0].StartY, 1.0), true;
  if (!l.Enko.empty()) return ExtentsSeed(e, l.Enko[0].CenterX, l.Enko[0].CenterY, 1.0), true;
  if (!l.Ten.empty()) return ExtentsSeed(e, l.Ten[0].X, l.Ten[0].Y, 1.0), true;
  if (!l.Moji.empty()) return ExtentsSeed(e, l.Moji[0].StartX, l.Moji[0].StartY, 1.0), true;
  if (!l.Sunpo.empty()) {
    return ExtentsSeed(e, l.Sunpo[0].Line.StartX, l.Sunpo[0].Line.StartY, 1.0), true;
  }
  if (!l.Solid.empty()) return ExtentsSeed(e, l.Solid[0].X1, l.Solid[0].Y1, 1.0), true;
  if (!l.Block.empty()) return ExtentsSeed(e, l.Block[0].X, l.Block[0].Y, 1.0), true;
  return false;
}

template <class Doc>
void RefDrawing(const Doc& d, DrawingExtents& e) {
  RefList(d, RefSink{e});
  for (const auto& t : d.BlockTree) {
    if (t.DefIndex < 0 || static_cast<std::size_t>(t.DefIndex) >= d.BlockDefs.size()) continue;
    RefList(d.BlockDefs[static_cast<std::size_t>(t.DefIndex)], RefSink{e, &t});
  }
}

// --- Random drawings. ---

class Random {
 public:
  // With `zeros`, every coordinate and size is 0.0, -0.0 or one value
  // `Off()` (1 or -1) of the drawing, so that the box holds zeros whose signs
  // depend on which point came first.
  Random(unsigned seed, bool zeros = false) : rng_(seed), zeros_(zeros) {
    off_ = Int(2) ? 1.0 : -1.0;
  }
  double Off() const { return off_; }
  int Int(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  double Uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng_);
  }
  // Mostly ordinary coordinates; now and then a signed zero, a value at or
  // beyond the limit, or no number at all.
  double Coord() {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double odd[] = {0.0, -0.0,   CoordLimit, -CoordLimit,
                          2e7, -3e300, kInf,       std::numeric_limits<double>::quiet_NaN()};
    if (zeros_) return Int(2) ? Zero() : off_;
    return Int(8) == 0 ? odd[Int(8)] : Uniform(-1000, 1000);
  }
  double Size(double lo, double hi) { return zeros_ ? Coord() : Uniform(lo, hi); }
  // Angles from a small pool, so that runs of equal angles (and of 0.0
  // against -0.0) are common, and now and then any angle.
  double Angle() {
    const double pool[] = {0.0, -0.0, 0.5, 1.0, std::numbers::pi / 2, -std::numbers::pi,
                           7.0, 1e300};
    return Int(4) == 0 && !zeros_ ? Uniform(-10, 10) : pool[Int(8)];
  }

 private:
  double Zero() { return Int(2) ? 0.0 : -0.0; }
  std::mt19937 rng_;
  bool zeros_;
  double off_;
};

template <class List>
void AddRandomFigures(List& l, Random& r, int count, int blockNumbers, int firstKind = 0) {
  using MojiT = typename List::Moji_t;
  for (int i = 0; i < count; ++i) {
    switch (firstKind + r.Int(7 - firstKind)) {
      case 0:
        l.Sen.push_back(JwwLine(r.Coord(), r.Coord(), r.Coord(), r.Coord()));
        break;
      case 1:
        l.Enko.push_back(JwwArc(r.Coord(), r.Coord(), r.Size(0, 100), r.Angle(), r.Angle(),
                                r.Int(4) == 0, r.Size(0.1, 2), r.Int(2) ? r.Angle() : 0.0));
        break;
      case 2:
        l.Ten.push_back(JwwPoint(r.Coord(), r.Coord()));
        break;
      case 3:
        l.Moji.push_back(JwwText<MojiT>(r.Coord(), r.Coord(), r.Coord(), r.Coord(),
                                        r.Int(2) ? "^@BMa.bmp,30,40" : "text"));
        break;
      case 4:
        l.Sunpo.push_back(JwwDimension<MojiT>(r.Coord(), r.Coord(), r.Coord(), r.Coord()));
        l.Sunpo.back().SxfMode = static_cast<std::uint16_t>(r.Int(2));
        break;
      case 5:
        l.Solid.push_back(JwwSolid(r.Coord(), r.Coord(), r.Size(0, 50), r.Size(0.1, 2), r.Angle(),
                                   r.Coord(), r.Coord(), r.Coord(),
                                   JwwBase(0, 0, r.Int(2) ? 101 : 1)));
        break;
      default:
        if (blockNumbers == 0) break;
        l.Block.push_back(JwwInsert(r.Coord(), r.Coord(), r.Int(8) ? r.Size(-3, 3) : 1e308,
                                    r.Angle(), 1 + r.Int(blockNumbers + 1)));
    }
  }
}

// Three definitions (1 may place 2 and 3; 2 may place 3) and insertions of
// numbers 1 to 4, of which 4 has no definition.
template <class Doc>
Doc RandomDrawing(unsigned seed, bool zeros = false) {
  Random r(seed, zeros);
  Doc d;
  d.BlockDefs.resize(3);
  for (int k = 0; k < 3; ++k) {
    d.BlockDefs[k].Number = k + 1;
    AddRandomFigures(d.BlockDefs[k], r, 1 + r.Int(12), 0);
    for (int n = k + 2; n <= 3; ++n)
      if (r.Int(2)) d.BlockDefs[k].Block.push_back(JwwInsert(r.Coord(), 1, 2, r.Angle(), n));
  }
  if (zeros) {
    // The seed lies off the zeros, so that the first zero point decides the
    // signs of the sides it reaches: one of the arcs and points (after
    // others that left the box alone), or one of a placed definition.
    d.Sen.push_back(JwwLine(r.Off(), r.Off(), r.Off(), r.Off()));
    AddRandomFigures(d, r, r.Int(40), 3, r.Int(3) ? 1 : 6);
  } else {
    AddRandomFigures(d, r, r.Int(40), 3);
  }
  d.BuildBlockTree();
  return d;
}

void ExpectSameBits(const DrawingExtents& got, const DrawingExtents& want) {
  EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0)
      << "got " << got.minX << " " << got.minY << " " << got.maxX << " " << got.maxY << ", want "
      << want.minX << " " << want.minY << " " << want.maxX << " " << want.maxY;
}

TEST(ExtentsReference, JwwDrawingsAgreeToTheBit) {
  for (unsigned seed = 1; seed <= 800; ++seed) {
    SCOPED_TRACE(seed);
    TJwwData doc = RandomDrawing<TJwwData>(seed, seed % 2 == 0);
    DrawingExtents want{5, 6, 7, 8};
    if (RefSeed(doc, want)) RefDrawing(doc, want);
    DrawingExtents got{5, 6, 7, 8};
    ComputeExtents(doc, got);
    ExpectSameBits(got, want);
  }
}

TEST(ExtentsReference, JwsSymbolsAgreeToTheBit) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    TJwsData doc = RandomDrawing<TJwsData>(seed, seed % 2 == 0);
    doc.Header.RefX = doc.Header.RefY = seed % 4 == 0 ? 1.0 : -1.0;
    DrawingExtents want;
    ExtentsSeed(want, doc.Header.RefX, doc.Header.RefY, 1.0);
    RefDrawing(doc, want);
    DrawingExtents got;
    ComputeExtents(doc, got);
    ExpectSameBits(got, want);
  }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

// Arcs beside the box of a frame line above the origin.
enum class Beside {
  kAny,         // inside or straddling a side, flattened either way
  kOddSize,     // and one whose size overflows or is no number
  kOddAngle,    // and one whose angle is no finite number
  kToTheSide,   // circles reaching exactly to the right side along their tilt
  kTinyAtSide,  // circles a few units in the last place big at that side
};

TEntJwwEnko ArcBesideFrame(Random& r, const TEntJwwSen& frame, Beside kind) {
  const double cx = r.Uniform(frame.StartX, frame.EndX), cy = r.Uniform(frame.StartY, frame.EndY);
  const double flats[] = {0.25, 0.8, 1.0, 1.25, 4.0};
  const double f = flats[r.Int(5)];
  const double room =
      std::min({cx - frame.StartX, frame.EndX - cx, cy - frame.StartY, frame.EndY - cy});
  const double tilt = r.Int(3) == 0 ? 0.0 : r.Uniform(-7, 7);
  TEntJwwEnko a = JwwArc(cx, cy, room * r.Uniform(0.2, 1.5) / std::max(1.0, f), r.Angle(),
                         r.Angle(), r.Int(4) == 0, f, tilt);
  if (kind == Beside::kToTheSide) a.Radius = frame.EndX - cx, a.StartAngle = -tilt, a.Flatness = 1;
  if (kind == Beside::kTinyAtSide) {
    const double ulp = std::nextafter(frame.EndX, kInf) - frame.EndX;
    a.CenterX = frame.EndX - ulp * r.Int(4), a.Radius = ulp * r.Uniform(0.3, 2.3);
    a.StartAngle = r.Uniform(-7, 7), a.Flatness = 1;
  }
  return a;
}

// An odd size or angle makes points that count as the origin (only the
// negative radius does not).
void MakeOdd(Random& r, Beside kind, TEntJwwEnko& a) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double sizes[][2] = {{kInf, 1}, {nan, 1}, {1e200, 1e200}, {1, nan}, {-a.Radius, 1}};
  const double angles[] = {kInf, -kInf, nan, 1e308};
  if (kind == Beside::kOddSize) {
    const int k = r.Int(5);
    a.Radius = sizes[k][0], a.Flatness = sizes[k][1];
  } else if (kind == Beside::kOddAngle) {
    // The record is packed: its fields are assigned, never pointed at.
    const int k = r.Int(3);
    if (k > 0) a.FullCircle = 0;
    const double angle = angles[r.Int(4)];
    if (k == 0) {
      a.TiltAngle = angle;
    } else if (k == 1) {
      a.StartAngle = angle;
    } else {
      a.ArcAngle = angle;
    }
  }
}

// Arcs whose whole ellipse lies in the box so far may be left out; any other
// must add its points, down to the last rounding.
TEST(ExtentsReference, ArcsBesideTheBoxSoFar) {
  for (unsigned seed = 1; seed <= 1000; ++seed) {
    SCOPED_TRACE(seed);
    Random r(seed);
    const auto kind = static_cast<Beside>(seed % 5);
    const double x = r.Uniform(-600, 5000), y = r.Uniform(100, 5000);
    TJwwData doc;
    doc.Sen.push_back(JwwLine(x, y, x + r.Uniform(10, 500), y + r.Uniform(10, 500)));
    for (int i = 0; i < 100; ++i) doc.Enko.push_back(ArcBesideFrame(r, doc.Sen[0], kind));
    MakeOdd(r, kind, doc.Enko[r.Int(100)]);
    DrawingExtents want;
    ASSERT_TRUE(RefSeed(doc, want));
    RefDrawing(doc, want);
    DrawingExtents got;
    ComputeExtents(doc, got);
    ExpectSameBits(got, want);
  }
}

// An arc after another whose angles differ only in the sign of a zero: the
// second keeps its own sines. Its points are zeros (radius and centre of
// either sign), the first that the box meets below the seed at (1, 1).
TEST(ExtentsReference, AnglesOfZeroKeepTheirSign) {
  const double zeros[] = {0.0, -0.0};
  for (int bits = 0; bits < 64; ++bits) {
    SCOPED_TRACE(bits);
    auto z = [&](int k) { return zeros[(bits >> k) & 1]; };
    TJwwData doc;
    doc.Sen.push_back(JwwLine(1, 1, 1, 1));
    doc.Enko.push_back(JwwArc(1, 1, 1, z(0), 1.0));
    doc.Enko.push_back(JwwArc(z(1), z(2), z(3), z(4), z(5), false, 1, z(0)));
    DrawingExtents want;
    ASSERT_TRUE(RefSeed(doc, want));
    RefDrawing(doc, want);
    DrawingExtents got;
    ComputeExtents(doc, got);
    ExpectSameBits(got, want);
  }
}

}  // namespace
}  // namespace quintaro
