// Helpers shared by the drawing of text and dimension records.
#pragma once

#include "formats/jww/jww_types.h"
#include "render/canvas/draw_context.h"
#include "render/shapes/geometry.h"
#include "render/text/text_draw.h"

namespace quintaro::render {

double RoundHalfAwayReal(double x);

// The row of a text record: style bits from its style number, sizes, and
// for vertical writing width and height exchanged and "@" before the face.
// The strings live in the context's buffers until the next call.
TextRow PrepareTextRow(DrawContext& dc, const TEntJwwMojiFixed& m, const EncodedText& font,
                       const EncodedText& text);

// Places a row through a block: its points placed, and for a matrix other
// than the identity its sizes measured in the placed drawing (a mirrored
// placement exchanges start and end). Sizes end rounded to 4 places.
void PlaceTextRow(TextRow& row, const Placement& p);

}  // namespace quintaro::render
