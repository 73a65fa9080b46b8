// Figures of JWW and JWS drawings built in memory for tests.
#pragma once

#include <cstdint>
#include <string>

#include "formats/jww/jww_types.h"

namespace quintaro::test {

inline TEntJwwBase JwwBase(int group = 0, int layer = 0, int penStyle = 1) {
  return {0, static_cast<std::uint8_t>(penStyle), 1,
          0, static_cast<std::uint16_t>(layer),   static_cast<std::uint16_t>(group),
          0};
}

inline TEntJwwSen JwwLine(double x1, double y1, double x2, double y2, TEntJwwBase b = JwwBase()) {
  return {b, x1, y1, x2, y2};
}

// An arc; angles in radians.
inline TEntJwwEnko JwwArc(double cx, double cy, double r, double start, double sweep,
                          bool full = false, double flat = 1, double tilt = 0,
                          TEntJwwBase b = JwwBase()) {
  return {b, cx, cy, r, start, sweep, tilt, flat, full ? 1 : 0};
}

inline TEntJwwTen JwwPoint(double x, double y, bool temporary = false, TEntJwwBase b = JwwBase()) {
  return {b, x, y, temporary ? 1 : 0, 0, 0, 1.0};
}

template <class MojiT = TEntJwwMoji>
MojiT JwwText(double x1, double y1, double x2, double y2, const std::string& content,
              TEntJwwBase b = JwwBase()) {
  MojiT t{};
  static_cast<TEntJwwMojiFixed&>(t) = {b, x1, y1, x2, y2, 1, 2.5, 2.5, 0, 0};
  t.Text.bytes = content;
  return t;
}

inline TEntJwwSolid JwwSolid(double x1, double y1, double x2, double y2, double x3, double y3,
                             double x4, double y4, TEntJwwBase b = JwwBase()) {
  return {b, x1, y1, x2, y2, x3, y3, x4, y4, 0};
}

// An insertion of block `number`; angle in radians.
inline TEntJwwBlock JwwInsert(double x, double y, double scale, double angle, int number,
                              TEntJwwBase b = JwwBase()) {
  return {b, x, y, scale, scale, angle, number};
}

// A dimension whose nine parts all lie on `b`'s layer.
template <class MojiT = TEntJwwMoji>
TEntJwwSunpoT<MojiT> JwwDimension(double x1, double y1, double x2, double y2,
                                  TEntJwwBase b = JwwBase()) {
  TEntJwwSunpoT<MojiT> d;
  d.Base = b;
  d.Line = JwwLine(x1, y1, x2, y2, b);
  d.Text = JwwText<MojiT>(x1, y1 + 1, x2, y2 + 1, "100", b);
  d.Aux1 = JwwLine(x1, y1 - 5, x1, y1, b);
  d.Aux2 = JwwLine(x2, y2 - 5, x2, y2, b);
  for (auto& p : d.Points) p = JwwPoint(x1, y1, false, b);
  return d;
}

}  // namespace quintaro::test
