#include "render/scene/entities.h"

#include <cmath>
#include <cstdlib>

#include "render/shapes/primitives.h"
#include "render/text/text_draw.h"

namespace quintaro::render {

std::string_view SjisOf(const EncodedText& text, std::string& buffer) {
  if (text.encoding == TextEncoding::kCp932) return text.bytes;
  buffer = Utf8ToCp932(Utf16leToUtf8(text.bytes));
  return buffer;
}

double EntityWidth(const GraphicAttributes& attr, const TEntJwwBase& b) {
  return b.PenWidth != 0 ? b.PenWidth * 0.01 : attr.PenWidthOf(b.PenColor);
}

void DrawLine(DrawContext& dc, Canvas& canvas, const TEntJwwSen& e, const Placement* place) {
  const TEntJwwBase& b = e.Base;
  dc.attr->SetEntityPen(canvas, LayerCodeOf(b), b.PenColor, b.PenStyle, EntityWidth(*dc.attr, b));
  DrawPoint s{e.StartX, e.StartY}, t{e.EndX, e.EndY};
  if (place != nullptr) {
    s = place->Apply(s);
    t = place->Apply(t);
  }
  DrawSegment(dc, canvas, s.x, s.y, t.x, t.y);
}

void DrawArcEntity(DrawContext& dc, Canvas& canvas, const TEntJwwEnko& e, const Placement* place) {
  const TEntJwwBase& b = e.Base;
  dc.attr->SetEntityPen(canvas, LayerCodeOf(b), b.PenColor, b.PenStyle, EntityWidth(*dc.attr, b));
  if (e.FullCircle == 0) {
    DrawArc(dc, canvas, e.CenterX, e.CenterY, e.Radius, e.Flatness, e.TiltAngle, e.StartAngle,
            e.ArcAngle, place);
  } else {
    DrawEllipse(dc, canvas, e.CenterX, e.CenterY, e.Radius, e.Flatness, e.TiltAngle, place);
  }
}

void DrawSolid(DrawContext& dc, Canvas& canvas, const TEntJwwSolid& e, const Placement* place) {
  const TEntJwwBase& b = e.Base;
  const GraphicAttributes& attr = *dc.attr;
  int code = LayerCodeOf(b);
  if (b.PenColor == 10) {
    const LayerDisplay state = attr.LayerState(code);
    Color c = state == kLayerDisplayOnly ? attr.GrayColor()
              : state == kLayerHidden    ? attr.BackColor()
                                         : static_cast<Color>(e.Color) & 0xFFFFFF;
    canvas.SetPen({c, 0, PenStyle::kSolid, canvas.CurrentPen().mode});
    canvas.SetBrush({c, BrushStyle::kSolid});
  } else {
    attr.SetEntityPen(canvas, code, b.PenColor, 1, 0);
    attr.SetEntityBrush(canvas, code, b.PenColor, 1);
  }
  const double reals[8] = {e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3, e.X4, e.Y4};
  if (b.PenStyle > 100) {
    DrawArcSolid(dc, canvas, b.PenStyle, std::span<const double, 8>(reals), place);
    return;
  }
  dc.vertices.clear();
  for (int k = 0; k < 4; ++k) AddVertex(dc, {reals[2 * k], reals[2 * k + 1]}, place);
  DrawPolygon(dc, canvas);
}

PointMarker MarkerOf(const TEntJwwTen& e) {
  const TEntJwwBase& b = e.Base;
  PointMarker m;
  m.temporary = e.Temporary != 0;
  bool coded = b.PenStyle == 100;
  m.code = coded ? e.Code : 0;
  m.angle = coded ? e.Angle : 0;
  m.scale = coded ? e.Scale : 1.0;
  m.penWidth = b.PenWidth;
  m.penColor = b.PenColor;
  m.layerCode = LayerCodeOf(b);
  m.x = e.X;
  m.y = e.Y;
  return m;
}

void DrawPointEntity(DrawContext& dc, Canvas& canvas, const TEntJwwTen& e, const Placement* place) {
  PointMarker m = MarkerOf(e);
  if (place != nullptr) {
    DrawPoint p = place->Apply({m.x, m.y});
    if (e.Base.PenStyle == 100) {
      DrawPoint q = place->Apply({m.x + 10, m.y});
      m.angle += Direction(q.x - p.x, q.y - p.y) + (place->m11 < 0 ? kPi : 0);
    }
    m.x = p.x;
    m.y = p.y;
  }
  DrawPointMarker(dc, canvas, m);
}

}  // namespace quintaro::render
