// The plain-pass baseline: reads every record's layer and first coordinate,
// the least any whole-drawing computation must do.
#pragma once

#include "formats/jww/jww_data.h"

namespace quintaro::bench {

template <class List>
double PlainPassOf(const List& l) {
  double s = 0;
  for (const auto& e : l.Sen) s += e.StartX + e.Base.LayerGroup;
  for (const auto& e : l.Enko) s += e.CenterX + e.Base.LayerGroup;
  for (const auto& e : l.Ten) s += e.X + e.Base.LayerGroup;
  for (const auto& e : l.Moji) s += e.StartX + e.Base.LayerGroup;
  for (const auto& e : l.Sunpo) s += e.Line.StartX + e.Base.LayerGroup;
  for (const auto& e : l.Solid) s += e.X1 + e.Base.LayerGroup;
  for (const auto& e : l.Block) s += e.X + e.Base.LayerGroup;
  return s;
}

// The main list and every block definition.
inline double PlainPass(const TJwwData& d) {
  double s = PlainPassOf(d);
  for (const auto& def : d.BlockDefs) s += PlainPassOf(def);
  return s;
}

}  // namespace quintaro::bench
