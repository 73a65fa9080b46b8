#include "render/shapes/markers.h"

#include <algorithm>
#include <cmath>

#include "render/shapes/geometry.h"
#include "render/shapes/primitives.h"

namespace quintaro::render {

namespace {

enum class Fill { kCurrent, kBackground, kEntity };

class MarkerPainter {
 public:
  MarkerPainter(DrawContext& dc, Canvas& canvas, const PointMarker& m)
      : dc_(dc), canvas_(canvas), m_(m), c_(std::cos(m.angle)), s_(std::sin(m.angle)) {}

  // A marker point given relative to the position, rotated and moved there.
  DrawPoint At(double x, double y) const {
    return {m_.x + x * c_ - y * s_, m_.y + x * s_ + y * c_};
  }
  DrawPoint Polar(double r, double degrees) const {
    double a = degrees * kPi / 180;
    return At(r * std::cos(a), r * std::sin(a));
  }

  void SetFill(Fill fill) {
    if (fill == Fill::kBackground) dc_.attr->SetEntityBrush(canvas_, -1, -1, 1);
    if (fill == Fill::kEntity) dc_.attr->SetEntityBrush(canvas_, m_.layerCode, m_.penColor, 1);
  }
  void Circle(double r, Fill fill) {
    SetFill(fill);
    DrawEllipse(dc_, canvas_, m_.x, m_.y, r, 1, 0);
  }
  void Shape(std::initializer_list<DrawPoint> corners, Fill fill) {
    SetFill(fill);
    dc_.vertices.clear();
    dc_.vertices.insert(dc_.vertices.end(), corners);
    DrawPolygon(dc_, canvas_);
  }
  void Segment(DrawPoint a, DrawPoint b) { DrawSegment(dc_, canvas_, a.x, a.y, b.x, b.y); }
  // Segments through the position at the given directions, half-length r.
  void Spokes(double r, std::initializer_list<double> degrees) {
    for (double d : degrees) Segment(Polar(r, d), Polar(r, d + 180));
  }
  void Arrow(double u, Fill fill) { Shape({At(0, 0), At(-6 * u, u), At(-6 * u, -u)}, fill); }
  void Square(double u, Fill fill) { Shape({At(-u, -u), At(u, -u), At(u, u), At(-u, u)}, fill); }
  void QuarterArcs(double u) {
    double r = std::sqrt(2.0) * u;
    for (int side : {1, -1}) {
      DrawPoint c = At(side * r, 0);
      double start = (side == 1 ? 90 : 270) * kPi / 180;
      DrawArc(dc_, canvas_, c.x, c.y, r, 1, m_.angle, start, kPi / 2);
    }
  }
  void Outline(std::initializer_list<DrawPoint> corners) {
    const DrawPoint* p = corners.begin();
    for (std::size_t i = 0; i < corners.size(); ++i) Segment(p[i], p[(i + 1) % corners.size()]);
  }

  void Coded(int code, double u, double s);

 private:
  DrawContext& dc_;
  Canvas& canvas_;
  const PointMarker& m_;
  double c_, s_;
};

void MarkerPainter::Coded(int code, double u, double s) {
  switch (code) {
    case 1:
      return Arrow(u, Fill::kBackground);
    case 2:
      return Square(u, Fill::kBackground);
    case 3:
      return Circle(u, Fill::kBackground);
    case 4:
      return Circle(u, Fill::kCurrent);
    case 5:
      return Square(u, Fill::kEntity);
    case 6:
      return Arrow(u, Fill::kEntity);
    case 8:
      return QuarterArcs(u);
    case 9:
      Segment(At(0, 0), At(-6 * u, u));
      return Segment(At(0, 0), At(-6 * u, -u));
    case 10:
      return Segment(Polar(2 * u, 45), Polar(2 * u, 225));
    case 11:
      return Arrow(u, Fill::kCurrent);
    case -1:
      return Spokes(u, {90, 30, 150});
    case -2:
      return Circle(u, Fill::kCurrent);
    case -3:
      return Circle(dc_.attr->PenWidthOf(m_.penColor) * s, Fill::kEntity);
    case -4:
      return Spokes(u, {90, 0});
    case -5:
      return Outline({At(-u, -u), At(u, -u), At(u, u), At(-u, u)});
    case -6: {
      double r = 5.0 / 3.0 * s;
      return Outline({Polar(r, 90), Polar(r, 210), Polar(r, 330)});
    }
    case -7:
      return Spokes(u, {45, 135});
    default:
      return Circle(u, Fill::kEntity);  // 7 and unknown codes
  }
}

}  // namespace

void DrawPointMarker(DrawContext& dc, Canvas& canvas, const PointMarker& m) {
  const GraphicAttributes& attr = *dc.attr;
  if (m.temporary) {
    attr.SetEntityPen(canvas, m.layerCode, m.penColor, 1, 0);
    DrawEllipse(dc, canvas, m.x, m.y, 3 / dc.view.scale, 1, 0);
    return;
  }
  double w = m.penWidth != 0 ? m.penWidth * 0.01 : attr.PenWidthOf(m.penColor);
  attr.SetEntityPen(canvas, m.layerCode, m.penColor, 1, w);
  MarkerPainter painter(dc, canvas, m);
  if (m.code == 0) {
    double r = std::max(w / 2 + attr.PointRadiusOf(m.penColor), 1 / dc.view.scale);
    attr.SetEntityBrush(canvas, m.layerCode, m.penColor, 1);
    DrawEllipse(dc, canvas, m.x, m.y, r, 1, 0);
    return;
  }
  double s = m.scale <= 1e-8 ? 1.0 : m.scale;
  painter.Coded(m.code, 1.25 * s, s);
}

}  // namespace quintaro::render
