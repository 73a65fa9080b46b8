#include "render/canvas/draw_context.h"

#include <ctime>

namespace quintaro::render {

void ViewTransform::Set(double x0, double y0, double pixelsPerMm, int w, int h) {
  *this = {x0, y0, x0 + w / pixelsPerMm, y0 + h / pixelsPerMm, pixelsPerMm, w, h};
}

void ViewTransform::Centre(int w, int h) {
  Set(-w / 2.0, -h / 2.0, 1.0, w, h);
}

int WeekdayOf(const DateTime& t) {
  // Zeller-style count on the proleptic Gregorian calendar.
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  int y = t.year - (t.month < 3 ? 1 : 0);
  int m = (t.month - 1) % 12;
  if (m < 0) m += 12;
  int d = (y + y / 4 - y / 100 + y / 400 + kOffsets[m] + t.day) % 7;
  return d < 0 ? d + 7 : d;
}

DateTime DrawContext::Now() const {
  if (clock) return clock();
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace quintaro::render
