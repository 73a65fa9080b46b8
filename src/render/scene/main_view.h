// The whole-drawing view: fit-all transform, background and frame, and the
// set-up a drawing needs before it is drawn the first time.
#pragma once

#include <string>

#include "formats/common/types.h"
#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"
#include "render/canvas/graphic_attributes.h"

namespace quintaro::render {

// The scale at which `extents` fills 0.9 of a width x height canvas; an
// extent of 1e-14 or less counts as 1e-14.
double FitAllScale(const DrawingExtents& extents, int width, int height);
// The view that shows `extents` whole at FitAllScale, centred (scale 1 when
// that is not a positive number).
ViewTransform FitAllView(const DrawingExtents& extents, int width, int height);

// Fills the canvas with the background and draws the blue frame along its edge.
void ClearWithFrame(Canvas& canvas, const GraphicAttributes& attr);

// Hands a drawing's layers to the store and shows every layer in its own
// colours (state 1), as after opening a drawing; `withNames` for JWW and JWC.
void ShowAllLayers(GraphicAttributes& attr, const PublishedLayers& layers, bool withNames);

// The document time stamp for the date macros: the file's modification time
// (local time) when it can be read, else the zero date.
DateTime FileTimeStamp(const std::string& path);

}  // namespace quintaro::render
