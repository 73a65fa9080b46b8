// Figures per layer of a document, and what a move should make of them.
#pragma once

#include <array>

#include "document/document.h"

namespace quintaro::app::testing {

using Totals = std::array<int, 256>;

// Each layer counted on its own (group * 16 + layer).
inline Totals TotalsByLayer(const Document& doc) {
  Totals t{};
  for (int code = 0; code < 256; ++code) t[code] = doc.LayerTotal(code / 16, code % 16);
  return t;
}

// The figures of (sg, sl) now lie on (dg, dl); layers -1 for whole groups.
inline Totals Moved(Totals t, int sg, int sl, int dg, int dl) {
  for (int l = 0; l < 16; ++l) {
    if (sl >= 0 && l != sl) continue;
    int to = dg * 16 + (dl >= 0 ? dl : l);
    t[to] += t[sg * 16 + l];
    t[sg * 16 + l] = 0;
  }
  return t;
}

}  // namespace quintaro::app::testing
