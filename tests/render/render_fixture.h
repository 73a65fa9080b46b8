// Shared set-up for drawing tests: an attribute store, a context whose
// window is given in millimetres, and a recording canvas.
#pragma once

#include "render/draw_context.h"
#include "render/gra_attribute.h"
#include "render/recording_canvas.h"

namespace quintaro::render::test {

struct Drawing {
  TgraAttribute attr;
  DrawContext dc{attr};
  RecordingCanvas canvas;

  // Window with its lower left corner at (left, bottom), `scale` pixels per mm.
  explicit Drawing(double left = 0, double bottom = 0, double scale = 1, int width = 100,
                   int height = 100)
      : canvas(width, height) {
    dc.view.Set(left, bottom, scale, width, height);
  }
};

}  // namespace quintaro::render::test
