// The figures of JWC drawings and JWK symbols for the display list: lines,
// arcs, texts, points, then a drawing's used point slots, with their boxes.
#include <algorithm>
#include <cmath>

#include "render/scene/display_list.h"
#include "render/scene/dos_figures.h"

namespace quintaro::render {

namespace {

FigureBox Around(double x, double y, double reach) {
  return FigureBox::Around(x - reach, y - reach, x + reach, y + reach);
}

class DosFigures : public FigureSource {
 public:
  explicit DosFigures(DosSource src) : src_(src) {}

  void AddAll(DisplayList& out, std::size_t macroBytes) const {
    const double d = src_.divisor;
    for (const TEntJwcSen& e : src_.lines) {
      out.Add({FigureBox::Around(std::min(e.startX, e.endX) / d, std::min(e.startY, e.endY) / d,
                                 std::max(e.startX, e.endX) / d, std::max(e.startY, e.endY) / d),
               &e, -1, FigureKind::kDosLine});
    }
    for (const TEntJwcEnko& e : src_.arcs) {
      // Every point of the ellipse, at any tilt, with a margin for rounding.
      const double cx = e.centerX / d, cy = e.centerY / d;
      const double r = std::fabs(e.radius / d) * std::max(1.0, std::fabs(e.flatness));
      const double margin = 1e-9 * (std::fabs(cx) + std::fabs(cy) + r);
      out.Add({Around(cx, cy, r + margin), &e, -1, FigureKind::kDosArc, false, true});
    }
    for (const TEntJwcMoji2& e : src_.texts) {
      if (e.style >= src_.styles.size()) continue;  // not drawn
      const TextRow row = DosTextRow(src_, e);
      const double reach = TextReach(row, macroBytes);
      const double x0 = std::min(row.startX, row.endX), x1 = std::max(row.startX, row.endX);
      const double y0 = std::min(row.startY, row.endY), y1 = std::max(row.startY, row.endY);
      out.Add({FigureBox::Around(x0 - reach, y0 - reach, x1 + reach, y1 + reach), &e, -1,
               FigureKind::kDosText});
    }
    // A plain dot: the colour's default width and point radius, at least a
    // pixel (the pixel margin).
    for (const TEntJwcTen& e : src_.points) {
      const double reach = attr_.PenWidthOf(e.color) + attr_.PointRadiusOf(e.color);
      out.Add({Around(e.x / d, e.y / d, reach), &e, -1, FigureKind::kDosPoint, true});
    }
    if (src_.drawing == nullptr) return;
    const int n = src_.drawing->UsedPointSlots();
    for (int k = 1; k <= n; ++k) {
      const TEntJwcPointSlot& slot = src_.drawing->pointSlots[k];
      out.Add({Around(slot.x, slot.y, 0), &slot, -1, FigureKind::kDosSlot, true});
    }
  }

  bool Passes(const Figure& f, const SceneFilter& filter,
              const GraphicAttributes& attr) const override {
    return filter.Passes(attr, LayerOf(f));
  }

  void Draw(DrawContext& dc, Canvas& c, const Figure& f) const override {
    switch (f.kind) {
      case FigureKind::kDosLine:
        return DrawDosLine(dc, c, src_, *static_cast<const TEntJwcSen*>(f.record));
      case FigureKind::kDosArc:
        return DrawDosArc(dc, c, src_, *static_cast<const TEntJwcEnko*>(f.record));
      case FigureKind::kDosText:
        return DrawDosText(dc, c, src_, *static_cast<const TEntJwcMoji2*>(f.record));
      case FigureKind::kDosPoint:
        return DrawDosPoint(dc, c, src_, *static_cast<const TEntJwcTen*>(f.record));
      case FigureKind::kDosSlot:
        return DrawDosSlot(dc, c, *static_cast<const TEntJwcPointSlot*>(f.record));
      default:
        return;
    }
  }

 private:
  static int LayerOf(const Figure& f) {
    switch (f.kind) {
      case FigureKind::kDosLine:
        return static_cast<const TEntJwcSen*>(f.record)->layer;
      case FigureKind::kDosArc:
        return static_cast<const TEntJwcEnko*>(f.record)->layer;
      case FigureKind::kDosText:
        return static_cast<const TEntJwcMoji2*>(f.record)->layer;
      case FigureKind::kDosPoint:
        return static_cast<const TEntJwcTen*>(f.record)->layer;
      default:
        return static_cast<const TEntJwcPointSlot*>(f.record)->layer;
    }
  }

  DosSource src_;
  GraphicAttributes attr_;  // the default widths and point radii
};

void AddDosFigures(DisplayList& list, DosSource src, const TJwcData* drawing,
                   std::size_t macroBytes) {
  auto figures = std::make_unique<DosFigures>(src);
  figures->AddAll(list, macroBytes);
  std::array<double, 16> scales;
  for (int g = 0; g < 16; ++g) scales[g] = drawing != nullptr ? drawing->layerGroups[g].scale : 1.0;
  list.SetGroupScales(scales);
  list.SetSource(std::move(figures));
}

}  // namespace

void AddFigures(DisplayList& list, const TJwcData& d, std::size_t macroBytes) {
  AddDosFigures(list, SourceOf(d), &d, macroBytes);
}

void AddFigures(DisplayList& list, const TJwkData& d, std::size_t macroBytes) {
  AddDosFigures(list, SourceOf(d), nullptr, macroBytes);
}

}  // namespace quintaro::render
