#include "render/scene/scene_dos.h"

#include <cmath>

#include "render/scene/dos_figures.h"
#include "render/scene/scene_filter.h"
#include "render/shapes/geometry.h"
#include "render/shapes/markers.h"
#include "render/shapes/primitives.h"
#include "render/text/text_draw.h"

namespace quintaro::render {

namespace {

constexpr double kDeg = kPi / 180;
constexpr char kVerticalFont[] = "@\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

class DosScene {
 public:
  DosScene(DrawContext& dc, Canvas& canvas, const DosSource& src, SceneFilter filter)
      : dc_(dc), canvas_(canvas), src_(src), filter_(filter), attr_(*dc.attr) {}

  void Run() {
    dc_.drawAborted = true;
    if (!Walk(src_.lines, DrawDosLine) || dc_.CheckAbort()) return;
    if (!Walk(src_.arcs, DrawDosArc) || dc_.CheckAbort()) return;
    if (!Walk(src_.texts, DrawDosText) || dc_.CheckAbort()) return;
    if (!Walk(src_.points, DrawDosPoint)) return;
    if (src_.drawing != nullptr && (dc_.CheckAbort() || !Slots())) return;
    dc_.drawAborted = false;
  }

 private:
  // Draws every record that passes the filter; false when aborted.
  template <class T, class A>
  bool Walk(const std::vector<T, A>& items,
            void (*draw)(DrawContext&, Canvas&, const DosSource&, const T&)) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!filter_.Passes(attr_, items[i].layer)) continue;
      draw(dc_, canvas_, src_, items[i]);
      if (i % 10 == 0 && dc_.CheckAbort()) return false;
    }
    return true;
  }

  bool Slots() {
    int n = src_.drawing->UsedPointSlots();
    for (int k = 1; k <= n; ++k) {
      const TEntJwcPointSlot& slot = src_.drawing->pointSlots[k];
      if (!filter_.Passes(attr_, slot.layer)) continue;
      DrawDosSlot(dc_, canvas_, slot);
      if (k % 10 == 0 && dc_.CheckAbort()) return false;
    }
    return true;
  }

  DrawContext& dc_;
  Canvas& canvas_;
  const DosSource& src_;
  SceneFilter filter_;
  const GraphicAttributes& attr_;
};

}  // namespace

DosSource SourceOf(const TJwcData& d) {
  return {d.lines, d.arcs, d.texts, d.points, d.textStyles, 1.0, &d};
}

DosSource SourceOf(const TJwkData& d) {
  double scale = d.header.SymbolScale > 1e-14 ? d.header.SymbolScale : 1.0;
  return {d.lines, d.arcs, d.texts, d.points, d.textStyles, scale, nullptr};
}

void DrawDosLine(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcSen& e) {
  const GraphicAttributes& attr = *dc.attr;
  attr.SetEntityPen(canvas, e.layer, e.color, e.lineType, attr.PenWidthOf(e.color));
  double d = src.divisor;
  DrawSegment(dc, canvas, e.startX / d, e.startY / d, e.endX / d, e.endY / d);
}

void DrawDosArc(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcEnko& e) {
  const GraphicAttributes& attr = *dc.attr;
  attr.SetEntityPen(canvas, e.layer, e.color, e.lineType, attr.PenWidthOf(e.color));
  double w = e.endAngle - e.startAngle;
  if (!std::isfinite(w)) return;
  w = std::fmod(w, 360.0);  // the same as stepping by whole turns
  if (w < 0) w += 360;
  if (w == 0 && e.endAngle != e.startAngle && std::fabs(e.endAngle - e.startAngle) > 1e-14) {
    w = 360;  // a positive whole number of turns stays a full turn
  }
  double d = src.divisor;
  double cx = e.centerX / d, cy = e.centerY / d, r = e.radius / d;
  if (std::fabs(w) < 1e-14 || std::fabs(w - 360) < 1e-14) {
    DrawEllipse(dc, canvas, cx, cy, r, e.flatness, e.tiltAngle * kDeg);
  } else {
    DrawArc(dc, canvas, cx, cy, r, e.flatness, e.tiltAngle * kDeg, e.startAngle * kDeg, w * kDeg);
  }
}

TextRow DosTextRow(const DosSource& src, const TEntJwcMoji2& e) {
  const TEntJwcMojiStyle& s = src.styles[e.style];
  TextRow row;
  row.width = s.width * 0.1;
  row.height = s.height * 0.1;
  row.spacing = s.spacing * 0.1;
  row.fontName = e.IsVertical() ? std::string_view(kVerticalFont) : kDefaultFontName;
  if (e.IsVertical()) std::swap(row.width, row.height);
  row.text = e.text;
  double d = src.divisor;
  row.startX = e.startX / d;
  row.startY = e.startY / d;
  row.endX = e.endX / d;
  row.endY = e.endY / d;
  return row;
}

void DrawDosText(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcMoji2& e) {
  // Only 12 styles exist; a text naming another is not drawn.
  if (e.style >= src.styles.size()) return;
  dc.groupScale =
      src.drawing != nullptr ? src.drawing->layerGroups[GroupOfCode(e.layer)].scale : 1.0;
  dc.attr->SetEntityPen(canvas, e.layer, src.styles[e.style].color, 1, 0);
  DrawTextRow(dc, canvas, DosTextRow(src, e));
}

void DrawDosPoint(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcTen& e) {
  PointMarker m;
  m.penColor = e.color;
  m.layerCode = e.layer;
  m.x = e.x / src.divisor;
  m.y = e.y / src.divisor;
  DrawPointMarker(dc, canvas, m);
}

void DrawDosSlot(DrawContext& dc, Canvas& canvas, const TEntJwcPointSlot& slot) {
  PointMarker m;
  m.temporary = true;
  m.penColor = 2;
  m.layerCode = -1;
  m.x = slot.x;
  m.y = slot.y;
  DrawPointMarker(dc, canvas, m);
}

void DrawScene(DrawContext& dc, Canvas& canvas, const TJwcData& data) {
  DosSource src = SourceOf(data);
  DosScene(dc, canvas, src, SceneFilter::MainView()).Run();
}

void DrawScene(DrawContext& dc, Canvas& canvas, const TJwkData& data) {
  DosSource src = SourceOf(data);
  DosScene(dc, canvas, src, SceneFilter::MainView()).Run();
}

void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwcData& data, int layer, int group) {
  DosSource src = SourceOf(data);
  DosScene(dc, canvas, src, SceneFilter::Thumbnail(layer, group)).Run();
}

void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwkData& data, int layer, int group) {
  DosSource src = SourceOf(data);
  DosScene(dc, canvas, src, SceneFilter::Thumbnail(layer, group)).Run();
}

}  // namespace quintaro::render
