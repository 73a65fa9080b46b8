// The marker drawn for a point: plain and temporary points and the coded
// markers (arrow heads, ticks, squares, circles, crosses).
#pragma once

#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"

namespace quintaro::render {

struct PointMarker {
  bool temporary = false;
  int code = 0;
  int penWidth = 0;  // 0.01 mm; 0 = the colour's default width
  int penColor = 0;
  int layerCode = 0;
  double scale = 1.0;
  double angle = 0;  // radians, counter-clockwise
  double x = 0, y = 0;
};

void DrawPointMarker(DrawContext& dc, Canvas& canvas, const PointMarker& m);

}  // namespace quintaro::render
