// Shared set-up for drawing tests: an attribute store, a context whose
// window is given in millimetres, and a recording canvas.
#pragma once

#include <string>

#include "formats/jww/jww_types.h"
#include "render/canvas/draw_context.h"
#include "render/canvas/graphic_attributes.h"
#include "render/canvas/recording_canvas.h"

namespace quintaro::render::test {

struct Drawing {
  GraphicAttributes attr;
  DrawContext dc{attr};
  RecordingCanvas canvas;

  // Window with its lower left corner at (left, bottom), `scale` pixels per mm.
  explicit Drawing(double left = 0, double bottom = 0, double scale = 1, int width = 100,
                   int height = 100)
      : canvas(width, height) {
    dc.view.Set(left, bottom, scale, width, height);
  }
};

// A text record from (x1, y1) to (x2, y2), characters sizeX × sizeY mm.
inline TEntJwwMoji TextRecord(const TEntJwwBase& base, double x1, double y1, double x2, double y2,
                              double sizeX, double sizeY, const std::string& bytes) {
  TEntJwwMoji m{};
  m.Base = base;
  m.StartX = x1;
  m.StartY = y1;
  m.EndX = x2;
  m.EndY = y2;
  m.SizeX = sizeX;
  m.SizeY = sizeY;
  m.Text = {bytes};
  return m;
}

}  // namespace quintaro::render::test
