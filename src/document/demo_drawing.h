// Drawings made by the program itself: the demo that `scripts/run` shows,
// and large generated drawings for benchmarks and robustness tests.
#pragma once

#include <cstddef>

#include "document/document.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro {

// A small floor plan (version 600): several named layer groups and layers,
// lines, arcs, points, texts, a dimension and a block placed twice.
TJwwData MakeDemoDrawing();
// The same, open as a document of its own (it has no path).
Document DemoDocument();

// About `entities` figures of every kind over all 256 layers, with block
// definitions (one nested in another) placed throughout; version 600.
TJwwData MakeLargeDrawing(std::size_t entities);

// The same mix as a JWS symbol (version 600).
TJwsData MakeLargeSymbol(std::size_t entities);

// A JWC drawing holding as many lines, arcs, texts and points as `entities`
// allows (the text block keeps to what its 16-bit addresses reach).
TJwcData MakeLargeJwc(std::size_t entities);

}  // namespace quintaro
