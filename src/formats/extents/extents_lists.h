// The points that the figures of a JWW or JWS entity list contribute to the
// extents, written once over the list types that both formats share.
//
// The loops hold the growing box by value (each sink owns its copy and is
// handed back), so that it stays in registers: a box reached through a
// reference would be stored and reloaded for every point, since the
// compiler cannot tell it apart from the records being read.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "formats/extents/extents.h"
#include "formats/extents/extents_arcs.h"
#include "formats/extents/extents_box.h"
#include "formats/jww/jww_types.h"

namespace quintaro::extents {

// Adds points of figures standing directly in the drawing.
struct DirectSink {
  static constexpr bool kImageCorners = true;
  ExtentsBox box;
  void Add(double x, double y) { box.Take(LimitXy(Xy{x, y})); }
  void Add(EllipsePointXY p) { Add(p.x, p.y); }
  // Whether no point from `from` to `to` could widen the box. The box holds
  // limited points only, so LimitXy leaves any point in it as it is.
  bool Holds(Xy from, Xy to) const { return box.Holds(from, to); }
};

// Adds points of a block definition's figures through one placement: the
// limit applies to the local coordinates, and a point that does not come
// out finite is left out (as ExtentsAddPlaced does).
struct PlacedSink {
  static constexpr bool kImageCorners = false;
  ExtentsBox box;
  Xy origin, xCol, yCol;  // (ox, oy), (a, c), (b, d)
  PlacedSink(ExtentsBox start, const TEntJwwBlockTree& t)
      : box(start), origin{t.OriginX, t.OriginY}, xCol{t.M11, t.M21}, yCol{t.M12, t.M22} {}
  void Add(double x, double y) { AddLimited(LimitXy(Xy{x, y})); }
  void Add(EllipsePointXY p) { Add(p.x, p.y); }
  // (ox + a x + b y, oy + c x + d y), each summed in that order.
  Xy Place(Xy l) const { return origin + xCol * Xy{l[0], l[0]} + yCol * Xy{l[1], l[1]}; }
  void AddLimited(Xy l) {
    const Xy p = Place(l);
    if (FiniteXy(p)) box.Take(p);
  }
  bool Holds(Xy, Xy) const { return false; }
};

// Collects the limited points of a definition's figures, to be placed
// afterwards as often as the definition is.
struct CollectSink {
  static constexpr bool kImageCorners = false;
  std::vector<Xy>* points;  // limited, in definition coordinates
  void Add(double x, double y) { points->push_back(LimitXy(Xy{x, y})); }
  void Add(EllipsePointXY p) { Add(p.x, p.y); }
  bool Holds(Xy, Xy) const { return false; }
};

template <class Sink>
void AddPoints(const ArcPoints& pts, Sink& s) {
  for (int i = 0; i < pts.n; ++i) s.Add(pts.p[i]);
}

// An arc whose whole ellipse lies in the box cannot widen it: its points,
// and their trigonometry, are left out. The box only grows, so this holds
// wherever the arc comes in the list.
template <class Sink>
void AddArc(const TEntJwwEnko& a, ArcTrig& trig, Sink& s) {
  Xy from, to;
  if (ArcReach(a, from, to) && s.Holds(from, to)) return;
  AddPoints(trig.PointsOf(a), s);
}

template <class Sink>
void AddSolid(const TEntJwwSolid& o, Sink& s) {
  s.Add(o.X1, o.Y1);
  if (o.Base.PenStyle > 100) {
    AddPoints(CurvedSolidPoints(o), s);
    return;
  }
  s.Add(o.X2, o.Y2);
  s.Add(o.X3, o.Y3);
  s.Add(o.X4, o.Y4);
}

template <class Sunpo, class Sink>
void AddDimension(const Sunpo& d, Sink& s) {
  s.Add(d.Line.StartX, d.Line.StartY);
  s.Add(d.Line.EndX, d.Line.EndY);
  s.Add(d.Text.StartX, d.Text.StartY);
  s.Add(d.Text.EndX, d.Text.EndY);
  if (d.SxfMode == 0) return;
  s.Add(d.Aux1.StartX, d.Aux1.StartY);
  s.Add(d.Aux1.EndX, d.Aux1.EndY);
  s.Add(d.Aux2.StartX, d.Aux2.StartY);
  s.Add(d.Aux2.EndX, d.Aux2.EndY);
}

// Texts standing directly in the drawing also reach the far corner of the
// image they name; texts inside block definitions do not.
template <class Moji, class Sink>
void AddText(const Moji& t, Sink& s) {
  const double x = t.StartX, y = t.StartY;
  s.Add(x, y);
  s.Add(t.EndX, t.EndY);
  if constexpr (Sink::kImageCorners) {
    double w = 0, h = 0;
    if (MayBeImageText(t.Text) && ImageTextSize(t.Text, w, h)) s.Add(x + w, y + h);
  }
}

// Each kind of record in a loop of its own, which takes the sink by value
// and hands it back: small enough for the compiler to inline the helpers,
// so that the box never leaves the registers.
template <class Array, class Sink, class AddOne>
Sink AddEach(const Array& records, Sink s, AddOne add) {
  for (const auto& o : records) add(o, s);
  return s;
}

// Lines, arcs, points, texts, dimensions and solids of one list; block
// insertions are reached through the block tree.
template <class MojiT, class Sink>
Sink AddFigures(const TJwwEntityListT<MojiT>& list, Sink s) {
  s = AddEach(list.Sen, s, [](const TEntJwwSen& o, Sink& k) {
    k.Add(o.StartX, o.StartY);
    k.Add(o.EndX, o.EndY);
  });
  ArcTrig trig;
  s = AddEach(list.Enko, s, [&trig](const TEntJwwEnko& o, Sink& k) { AddArc(o, trig, k); });
  s = AddEach(list.Ten, s, [](const TEntJwwTen& o, Sink& k) { k.Add(o.X, o.Y); });
  s = AddEach(list.Moji, s, [](const MojiT& o, Sink& k) { AddText(o, k); });
  s = AddEach(list.Sunpo, s, [](const auto& o, Sink& k) { AddDimension(o, k); });
  return AddEach(list.Solid, s, [](const TEntJwwSolid& o, Sink& k) { AddSolid(o, k); });
}

}  // namespace quintaro::extents
