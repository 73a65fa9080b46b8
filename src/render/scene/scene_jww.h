// Scene drawing of JWW drawings and JWS symbols. Images first (under
// everything), then solids, lines, arcs, points, texts, dimensions, and the
// contents of every placed block. The caller sets the view, clears the
// canvas and draws the frame first; dc.drawAborted tells afterwards whether
// the drawing stopped early.
#pragma once

#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"

namespace quintaro::render {

// Every figure on a layer that is not hidden.
void DrawScene(DrawContext& dc, Canvas& canvas, const TJwwData& data);
void DrawScene(DrawContext& dc, Canvas& canvas, const TJwsData& data);
// Only the figures of layer group `group` (-1 every group) and, when
// `layer` is not -1, of that layer; display states are not consulted.
void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwwData& data, int layer, int group);
void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwsData& data, int layer, int group);

}  // namespace quintaro::render
