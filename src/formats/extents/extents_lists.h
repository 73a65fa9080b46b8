// The points that the figures of a JWW or JWS entity list contribute to the
// extents, written once over the list types that both formats share.
#pragma once

#include <cstddef>
#include <vector>

#include "formats/extents/extents.h"
#include "formats/jww/jww_types.h"

namespace quintaro::extents {

// Adds points of figures standing directly in the drawing.
struct DirectSink {
  DrawingExtents& e;
  void Add(double x, double y) const { ExtentsAdd(e, x, y, 1.0); }
  void Add(EllipsePointXY p) const { ExtentsAdd(e, p.x, p.y, 1.0); }
};

// Adds points of a block definition's figures through one placement.
struct PlacedSink {
  DrawingExtents& e;
  double ox, oy, a, b, c, d;
  void Add(double x, double y) const { ExtentsAddPlaced(e, x, y, ox, oy, a, b, c, d, 1.0); }
  void Add(EllipsePointXY p) const { Add(p.x, p.y); }
};

template <class Sink>
void AddAxisPoints(const EllipseShape& el, int mask, const Sink& s) {
  for (int k = 0; k < 4; ++k)
    if (mask & (1 << k)) s.Add(el.AtAxis(k));
}

template <class Sink>
void AddArc(const TEntJwwEnko& a, const Sink& s) {
  const EllipseShape el(a.CenterX, a.CenterY, a.Radius, a.Flatness, a.TiltAngle);
  if (a.FullCircle != 0) {
    AddAxisPoints(el, 15, s);
    return;
  }
  const double start = a.StartAngle, sweep = a.ArcAngle;
  s.Add(el.At(start));
  s.Add(el.At(start + sweep));
  AddAxisPoints(el, JwwArcAxisMask(start, sweep), s);
}

template <class Sink>
void AddSolid(const TEntJwwSolid& o, const Sink& s) {
  s.Add(o.X1, o.Y1);
  if (o.Base.PenStyle > 100) {
    // A curved solid: corner 1 is the centre, corner 2 radius and flatness,
    // corner 3's x the tilt.
    AddAxisPoints(EllipseShape(o.X1, o.Y1, o.X2, o.Y2, o.X3), 15, s);
    return;
  }
  s.Add(o.X2, o.Y2);
  s.Add(o.X3, o.Y3);
  s.Add(o.X4, o.Y4);
}

template <class Sunpo, class Sink>
void AddDimension(const Sunpo& d, const Sink& s) {
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
// image they name.
template <class Moji>
void AddText(const Moji& t, const DirectSink& s) {
  const double x = t.StartX, y = t.StartY;
  s.Add(x, y);
  s.Add(t.EndX, t.EndY);
  double w = 0, h = 0;
  if (ImageTextSize(t.Text, w, h)) s.Add(x + w, y + h);
}

template <class Moji>
void AddText(const Moji& t, const PlacedSink& s) {
  s.Add(t.StartX, t.StartY);
  s.Add(t.EndX, t.EndY);
}

// Lines, arcs, points, texts, dimensions and solids of one list; block
// insertions are reached through the block tree.
template <class MojiT, class Sink>
void AddFigures(const TJwwEntityListT<MojiT>& list, const Sink& s) {
  for (const auto& o : list.Sen) {
    s.Add(o.StartX, o.StartY);
    s.Add(o.EndX, o.EndY);
  }
  for (const auto& o : list.Enko) AddArc(o, s);
  for (const auto& o : list.Ten) s.Add(o.X, o.Y);
  for (const auto& o : list.Moji) AddText(o, s);
  for (const auto& o : list.Sunpo) AddDimension(o, s);
  for (const auto& o : list.Solid) AddSolid(o, s);
}

// Every placed block with a definition adds that definition's figures
// through its placement.
template <class MojiT>
void AddPlacedBlocks(const std::vector<TEntJwwBlockDefT<MojiT>>& defs,
                     const std::vector<TEntJwwBlockTree>& tree, DrawingExtents& e) {
  for (const auto& t : tree) {
    if (t.DefIndex < 0 || static_cast<std::size_t>(t.DefIndex) >= defs.size()) continue;
    const PlacedSink s{e, t.OriginX, t.OriginY, t.M11, t.M12, t.M21, t.M22};
    AddFigures(defs[static_cast<std::size_t>(t.DefIndex)], s);
  }
}

// Seeds the box with the first point of the first non-empty list; false when
// the list holds no figure at all.
template <class MojiT>
bool SeedFromFirstFigure(const TJwwEntityListT<MojiT>& l, DrawingExtents& e) {
  if (!l.Sen.empty()) {
    ExtentsSeed(e, l.Sen[0].StartX, l.Sen[0].StartY, 1.0);
  } else if (!l.Enko.empty()) {
    ExtentsSeed(e, l.Enko[0].CenterX, l.Enko[0].CenterY, 1.0);
  } else if (!l.Ten.empty()) {
    ExtentsSeed(e, l.Ten[0].X, l.Ten[0].Y, 1.0);
  } else if (!l.Moji.empty()) {
    ExtentsSeed(e, l.Moji[0].StartX, l.Moji[0].StartY, 1.0);
  } else if (!l.Sunpo.empty()) {
    ExtentsSeed(e, l.Sunpo[0].Line.StartX, l.Sunpo[0].Line.StartY, 1.0);
  } else if (!l.Solid.empty()) {
    ExtentsSeed(e, l.Solid[0].X1, l.Solid[0].Y1, 1.0);
  } else if (!l.Block.empty()) {
    ExtentsSeed(e, l.Block[0].X, l.Block[0].Y, 1.0);
  } else {
    return false;
  }
  return true;
}

// Widens a seeded box by the main list and every placed block.
template <class MojiT>
void AddDrawing(const TJwwEntityListT<MojiT>& main,
                const std::vector<TEntJwwBlockDefT<MojiT>>& defs,
                const std::vector<TEntJwwBlockTree>& tree, DrawingExtents& e) {
  AddFigures(main, DirectSink{e});
  AddPlacedBlocks(defs, tree, e);
}

}  // namespace quintaro::extents
