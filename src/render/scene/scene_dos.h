// Scene drawing of the DOS-era drawings (JWC) and symbols (JWK): lines,
// arcs, texts and points in that order, then the JWC point slots. The
// caller sets the view, clears the canvas and draws the frame first;
// dc.drawAborted tells afterwards whether the drawing stopped early.
#pragma once

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"

namespace quintaro::render {

// Every figure on a layer that is not hidden.
void DrawScene(DrawContext& dc, Canvas& canvas, const TJwcData& data);
void DrawScene(DrawContext& dc, Canvas& canvas, const TJwkData& data);
// Only the figures of layer group `group` (-1 every group) and, when
// `layer` is not -1, of that layer; display states are not consulted.
void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwcData& data, int layer, int group);
void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwkData& data, int layer, int group);

}  // namespace quintaro::render
