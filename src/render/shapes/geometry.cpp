#include "render/shapes/geometry.h"

#include <cmath>

namespace quintaro::render {

DrawPoint RotateAbout(DrawPoint p, DrawPoint centre, double angle) {
  double c = std::cos(angle), s = std::sin(angle);
  double dx = p.x - centre.x, dy = p.y - centre.y;
  return {centre.x + dx * c - dy * s, centre.y + dx * s + dy * c};
}

double Direction(double dx, double dy) {
  if (std::fabs(dx) < 1e-14 && std::fabs(dy) < 1e-14) return 0;
  double a = std::atan2(dy, dx);
  if (a < 0) a += 2 * kPi;
  if (a >= 2 * kPi) a -= 2 * kPi;
  return a;
}

double Distance(DrawPoint a, DrawPoint b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

std::optional<DrawPoint> IntersectLines(DrawPoint a1, DrawPoint a2, DrawPoint b1, DrawPoint b2) {
  double ax = a2.x - a1.x, ay = a2.y - a1.y;
  double bx = b2.x - b1.x, by = b2.y - b1.y;
  double det = ax * by - ay * bx;
  if (std::fabs(det) < 1e-14) return std::nullopt;
  double t = ((b1.x - a1.x) * by - (b1.y - a1.y) * bx) / det;
  return DrawPoint{a1.x + t * ax, a1.y + t * ay};
}

bool Placement::IsIdentity() const {
  return std::fabs(m11 - 1) <= 1e-14 && std::fabs(m12) <= 1e-14 && std::fabs(m21) <= 1e-14 &&
         std::fabs(m22 - 1) <= 1e-14;
}

}  // namespace quintaro::render
