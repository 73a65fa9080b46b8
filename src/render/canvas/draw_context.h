// Everything one drawing shares across its calls: the view transform, the
// vertex and pixel buffers, the abort state, the current group scale and the
// values that text macros substitute. One context per drawing surface; it is
// not meant to be shared between threads.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/common/types.h"
#include "render/canvas/canvas.h"
#include "render/canvas/graphic_attributes.h"

namespace quintaro::render {

struct DrawPoint {
  double x = 0;
  double y = 0;
};

// Drawing millimetres (y up) to canvas pixels (y down).
struct ViewTransform {
  double left = 0, bottom = 0, right = 0, top = 0;
  double scale = 1.0;  // pixels per millimetre
  int width = 0, height = 0;

  // Sets the window from its lower left corner (x0, y0); right and top follow.
  void Set(double x0, double y0, double pixelsPerMm, int w, int h);
  // The window centred on the origin at scale 1.
  void Centre(int w, int h);
};

// A local date and time, broken down.
struct DateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

// Weekday of a date, 0 = Sunday.
int WeekdayOf(const DateTime& t);

// The cosines and sines of the 73 angles of the last arc drawn, kept for
// the next arc with the same start and sweep (copies of one figure share
// them), matched by the bits of both.
struct ArcAngles {
  bool valid = false;
  std::uint64_t startBits = 0, sweepBits = 0;
  std::array<DrawPoint, 73> cosSin{};
};

struct DrawContext {
  explicit DrawContext(const GraphicAttributes& attributes) : attr(&attributes) {}

  const GraphicAttributes* attr;
  ViewTransform view;

  // Set at the start of a scene drawing, cleared when it reaches its end.
  bool drawAborted = false;
  // Scale denominator of the layer group of the text or block being drawn.
  double groupScale = 1.0;
  // Scale denominators of the drawing's 16 layer groups (100 for 1:100),
  // set by the scene drawing from the container.
  std::array<double, 16> groupScales{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

  TextMacroValues macros;
  // The "now" of the date macros; the local clock when empty.
  std::function<DateTime()> clock;
  // The instant of the document time stamp macros ("_" and "=" prefixes).
  // Nothing in a drawing file carries it, so it stays the zero date
  // 1899-12-30 00:00:00 unless the caller sets it (for example to the
  // file's modification time).
  DateTime documentTime;
  // Curves and polygons whose points all fall on one pixel draw nothing and
  // are left out; false hands every one to the canvas (as a count of all
  // the straight pieces of a drawing needs).
  bool omitSinglePixelShapes = true;
  // Asked every tenth entity and between kinds; true stops the drawing.
  std::function<bool()> abortCheck;

  bool CheckAbort() const { return abortCheck && abortCheck(); }
  DateTime Now() const;

  // Work buffers, kept between calls so drawing does not allocate.
  std::vector<DrawPoint> vertices;
  std::vector<PixelPoint> pixels;
  ArcAngles arcAngles;
  std::string textBuffer;
  std::string macroBuffer;
  std::string fontBuffer;
  std::string contentBuffer;
  FontSpec font;
};

}  // namespace quintaro::render
