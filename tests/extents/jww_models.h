// Figures of JWW and JWS drawings built in memory for tests.
#pragma once

#include <cstdint>
#include <string>

#include "formats/jww/jww_types.h"

namespace quintaro::test {

inline TEntJwwBase JwwBase(int group = 0, int layer = 0, int penStyle = 1) {
  TEntJwwBase b{};
  b.PenStyle = static_cast<std::uint8_t>(penStyle);
  b.PenColor = 1;
  b.LayerGroup = static_cast<std::uint16_t>(group);
  b.Layer = static_cast<std::uint16_t>(layer);
  return b;
}

inline TEntJwwSen JwwLine(double x1, double y1, double x2, double y2,
                          TEntJwwBase base = JwwBase()) {
  TEntJwwSen s{};
  s.Base = base;
  s.StartX = x1;
  s.StartY = y1;
  s.EndX = x2;
  s.EndY = y2;
  return s;
}

// An arc; angles in radians.
inline TEntJwwEnko JwwArc(double cx, double cy, double r, double start, double sweep,
                          bool full = false, double flatness = 1.0, double tilt = 0.0,
                          TEntJwwBase base = JwwBase()) {
  TEntJwwEnko a{};
  a.Base = base;
  a.CenterX = cx;
  a.CenterY = cy;
  a.Radius = r;
  a.StartAngle = start;
  a.ArcAngle = sweep;
  a.TiltAngle = tilt;
  a.Flatness = flatness;
  a.FullCircle = full ? 1 : 0;
  return a;
}

inline TEntJwwTen JwwPoint(double x, double y, bool temporary = false,
                           TEntJwwBase base = JwwBase()) {
  TEntJwwTen p{};
  p.Base = base;
  p.X = x;
  p.Y = y;
  p.Temporary = temporary ? 1 : 0;
  p.Scale = 1.0;
  return p;
}

template <class MojiT = TEntJwwMoji>
MojiT JwwText(double x1, double y1, double x2, double y2, const std::string& content,
              TEntJwwBase base = JwwBase()) {
  MojiT t{};
  t.Base = base;
  t.StartX = x1;
  t.StartY = y1;
  t.EndX = x2;
  t.EndY = y2;
  t.Style = 1;
  t.Text.bytes = content;
  return t;
}

inline TEntJwwSolid JwwSolid(double x1, double y1, double x2, double y2, double x3, double y3,
                             double x4, double y4, TEntJwwBase base = JwwBase()) {
  TEntJwwSolid s{};
  s.Base = base;
  s.X1 = x1;
  s.Y1 = y1;
  s.X2 = x2;
  s.Y2 = y2;
  s.X3 = x3;
  s.Y3 = y3;
  s.X4 = x4;
  s.Y4 = y4;
  return s;
}

// An insertion of block `number`; angle in radians.
inline TEntJwwBlock JwwInsert(double x, double y, double scale, double angle, int number,
                              TEntJwwBase base = JwwBase()) {
  TEntJwwBlock b{};
  b.Base = base;
  b.X = x;
  b.Y = y;
  b.ScaleX = b.ScaleY = scale;
  b.Angle = angle;
  b.Number = number;
  return b;
}

// A dimension whose parts all lie on `base`'s layer.
template <class MojiT = TEntJwwMoji>
TEntJwwSunpoT<MojiT> JwwDimension(double x1, double y1, double x2, double y2,
                                  TEntJwwBase base = JwwBase()) {
  TEntJwwSunpoT<MojiT> d;
  d.Base = base;
  d.Line = JwwLine(x1, y1, x2, y2, base);
  d.Text = JwwText<MojiT>(x1, y1 + 1, x2, y2 + 1, "100", base);
  d.Aux1 = JwwLine(x1, y1 - 5, x1, y1, base);
  d.Aux2 = JwwLine(x2, y2 - 5, x2, y2, base);
  for (auto& p : d.Points) p = JwwPoint(x1, y1, false, base);
  return d;
}

}  // namespace quintaro::test
