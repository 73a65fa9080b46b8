#include "render/scene/scene_dos.h"

#include <cmath>

#include "render/scene/scene_filter.h"
#include "render/shapes/geometry.h"
#include "render/shapes/markers.h"
#include "render/shapes/primitives.h"
#include "render/text/text_draw.h"

namespace quintaro::render {

namespace {

constexpr double kDeg = kPi / 180;

// What differs between a drawing and a symbol.
struct DosSource {
  const std::vector<TEntJwcSen>& lines;
  const std::vector<TEntJwcEnko>& arcs;
  const std::vector<TEntJwcMoji2>& texts;
  const std::vector<TEntJwcTen>& points;
  const std::array<TEntJwcMojiStyle, 12>& styles;
  double divisor;           // SymbolScale for symbols, 1 for drawings
  const TJwcData* drawing;  // group scales and point slots; null for symbols
};

class DosScene {
 public:
  DosScene(DrawContext& dc, Canvas& canvas, const DosSource& src, SceneFilter filter)
      : dc_(dc), canvas_(canvas), src_(src), filter_(filter), attr_(*dc.attr) {}

  void Run() {
    dc_.drawAborted = true;
    if (!Walk(src_.lines, &DosScene::Line) || dc_.CheckAbort()) return;
    if (!Walk(src_.arcs, &DosScene::Arc) || dc_.CheckAbort()) return;
    if (!Walk(src_.texts, &DosScene::Text) || dc_.CheckAbort()) return;
    if (!Walk(src_.points, &DosScene::Point)) return;
    if (src_.drawing != nullptr && (dc_.CheckAbort() || !Slots())) return;
    dc_.drawAborted = false;
  }

 private:
  // Draws every record that passes the filter; false when aborted.
  template <class T>
  bool Walk(const std::vector<T>& items, void (DosScene::*draw)(const T&)) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!filter_.Passes(attr_, items[i].layer)) continue;
      (this->*draw)(items[i]);
      if (i % 10 == 0 && dc_.CheckAbort()) return false;
    }
    return true;
  }

  void Line(const TEntJwcSen& e) {
    attr_.SetEntityPen(canvas_, e.layer, e.color, e.lineType, attr_.PenWidthOf(e.color));
    double d = src_.divisor;
    DrawSegment(dc_, canvas_, e.startX / d, e.startY / d, e.endX / d, e.endY / d);
  }

  void Arc(const TEntJwcEnko& e) {
    attr_.SetEntityPen(canvas_, e.layer, e.color, e.lineType, attr_.PenWidthOf(e.color));
    double w = e.endAngle - e.startAngle;
    if (!std::isfinite(w)) return;
    w = std::fmod(w, 360.0);  // the same as stepping by whole turns
    if (w < 0) w += 360;
    if (w == 0 && e.endAngle != e.startAngle && std::fabs(e.endAngle - e.startAngle) > 1e-14) {
      w = 360;  // a positive whole number of turns stays a full turn
    }
    double d = src_.divisor;
    double cx = e.centerX / d, cy = e.centerY / d, r = e.radius / d;
    if (std::fabs(w) < 1e-14 || std::fabs(w - 360) < 1e-14) {
      DrawEllipse(dc_, canvas_, cx, cy, r, e.flatness, e.tiltAngle * kDeg);
    } else {
      DrawArc(dc_, canvas_, cx, cy, r, e.flatness, e.tiltAngle * kDeg, e.startAngle * kDeg,
              w * kDeg);
    }
  }

  void Text(const TEntJwcMoji2& e) {
    // Only 12 styles exist; a text naming another is not drawn.
    if (e.style >= src_.styles.size()) return;
    dc_.groupScale =
        src_.drawing != nullptr ? src_.drawing->layerGroups[GroupOfCode(e.layer)].scale : 1.0;
    const TEntJwcMojiStyle& s = src_.styles[e.style];
    attr_.SetEntityPen(canvas_, e.layer, s.color, 1, 0);
    TextRow row;
    row.width = s.width * 0.1;
    row.height = s.height * 0.1;
    row.spacing = s.spacing * 0.1;
    row.fontName = e.IsVertical() ? std::string_view(kVerticalFont) : kDefaultFontName;
    if (e.IsVertical()) std::swap(row.width, row.height);
    row.text = e.text;
    double d = src_.divisor;
    row.startX = e.startX / d;
    row.startY = e.startY / d;
    row.endX = e.endX / d;
    row.endY = e.endY / d;
    DrawTextRow(dc_, canvas_, row);
  }

  void Point(const TEntJwcTen& e) {
    PointMarker m;
    m.penColor = e.color;
    m.layerCode = e.layer;
    m.x = e.x / src_.divisor;
    m.y = e.y / src_.divisor;
    DrawPointMarker(dc_, canvas_, m);
  }

  bool Slots() {
    int n = src_.drawing->UsedPointSlots();
    for (int k = 1; k <= n; ++k) {
      const TEntJwcPointSlot& slot = src_.drawing->pointSlots[k];
      if (!filter_.Passes(attr_, slot.layer)) continue;
      PointMarker m;
      m.temporary = true;
      m.penColor = 2;
      m.layerCode = -1;
      m.x = slot.x;
      m.y = slot.y;
      DrawPointMarker(dc_, canvas_, m);
      if (k % 10 == 0 && dc_.CheckAbort()) return false;
    }
    return true;
  }

  static constexpr char kVerticalFont[] = "@\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

  DrawContext& dc_;
  Canvas& canvas_;
  const DosSource& src_;
  SceneFilter filter_;
  const GraphicAttributes& attr_;
};

DosSource SourceOf(const TJwcData& d) {
  return {d.lines, d.arcs, d.texts, d.points, d.textStyles, 1.0, &d};
}

DosSource SourceOf(const TJwkData& d) {
  double scale = d.header.SymbolScale > 1e-14 ? d.header.SymbolScale : 1.0;
  return {d.lines, d.arcs, d.texts, d.points, d.textStyles, scale, nullptr};
}

}  // namespace

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
