// Scene drawing of an open drawing of any format: the one entry point the
// views, the image renderer and the command line use.
#pragma once

#include "document/document.h"
#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"

namespace quintaro::render {

// Every figure on a layer that is not hidden; nothing when no drawing is
// open. The caller sets the view, clears the canvas and draws the frame.
void DrawScene(DrawContext& dc, Canvas& canvas, const Document& doc);
// Only the figures of layer group `group` (-1 every group) and, when
// `layer` is not -1, of that layer; display states are not consulted.
void DrawThumbnail(DrawContext& dc, Canvas& canvas, const Document& doc, int layer, int group);

}  // namespace quintaro::render
