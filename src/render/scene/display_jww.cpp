// The figures of JWW drawings and JWS symbols for the display list: the
// record walk's order (images, solids, lines, arcs, points, texts,
// dimensions, then every placed block), each figure's box, and its drawing.
#include <algorithm>
#include <cmath>

#include "render/scene/display_list.h"
#include "render/scene/entities.h"
#include "render/scene/text_entities.h"
#include "render/shapes/curve_math.h"

namespace quintaro::render {

namespace {

// A box grown point by point.
class Bounds {
 public:
  void Add(DrawPoint p) {
    minX_ = std::min(minX_, p.x);
    minY_ = std::min(minY_, p.y);
    maxX_ = std::max(maxX_, p.x);
    maxY_ = std::max(maxY_, p.y);
    any_ = true;
    finite_ = finite_ && std::isfinite(p.x) && std::isfinite(p.y);
  }
  void AddAround(DrawPoint p, double r) {
    Add({p.x - r, p.y - r});
    Add({p.x + r, p.y + r});
  }
  FigureBox Box() const {
    if (!any_ || !finite_) return FigureBox::Everything();
    return FigureBox::Around(minX_, minY_, maxX_, maxY_);
  }

 private:
  double minX_ = HUGE_VAL, minY_ = HUGE_VAL, maxX_ = -HUGE_VAL, maxY_ = -HUGE_VAL;
  bool any_ = false, finite_ = true;
};

BlockPlace PlaceOf(const TEntJwwBlockTree& e) {
  return {{e.OriginX, e.OriginY, e.M11, e.M12, e.M21, e.M22, 1}, (e.Base.PenStyle & 0x40) != 0};
}

template <class Data>
class JwwFigures : public FigureSource {
 public:
  using List = TJwwEntityListT<typename Data::Moji_t>;
  using Moji = typename Data::Moji_t;
  using Sunpo = typename List::Sunpo_t;

  JwwFigures(const Data& d, std::size_t macroBytes) : data_(d), macroBytes_(macroBytes) {}

  void AddAll(DisplayList& out) {
    out_ = &out;
    std::size_t count = Count(data_);
    for (const TEntJwwBlockTree& e : data_.BlockTree) {
      if (const List* def = DefinitionOf(e)) count += Count(*def);
    }
    out.Reserve(count);
    AddList(data_, -1);
    for (std::size_t i = 0; i < data_.BlockTree.size(); ++i) {
      if (const List* def = DefinitionOf(data_.BlockTree[i])) {
        AddList(*def, static_cast<std::int32_t>(i));
      }
    }
  }

  bool Passes(const Figure& f, const SceneFilter& filter,
              const GraphicAttributes& attr) const override {
    const TEntJwwBase& own = BaseOf(f);
    if (!filter.thumbnail) return filter.Passes(attr, LayerCodeOf(own));
    // A thumbnail tests a block's entry, unless the entry keeps its
    // elements' own layers.
    const TEntJwwBlockTree* entry = f.entry < 0 ? nullptr : &data_.BlockTree[f.entry];
    const TEntJwwBase& b = entry != nullptr && !(entry->Base.PenStyle & 0x40) ? entry->Base : own;
    return filter.PassesGroupLayer(b.LayerGroup, b.Layer);
  }

  void Draw(DrawContext& dc, Canvas& c, const Figure& f) const override {
    BlockPlace block;
    const Placement* place = nullptr;
    if (f.entry >= 0) {
      const TEntJwwBlockTree& entry = data_.BlockTree[f.entry];
      block = PlaceOf(entry);
      place = &block.place;
      const int group = entry.Base.LayerGroup;
      dc.groupScale = group < 16 ? dc.groupScales[group] : 1.0;
    }
    switch (f.kind) {
      case FigureKind::kImage: {
        const auto& m = *static_cast<const Moji*>(f.record);
        return DrawImageText(dc, c, m, m.Text, place);
      }
      case FigureKind::kSolid:
        return DrawSolid(dc, c, *static_cast<const TEntJwwSolid*>(f.record), place);
      case FigureKind::kLine:
        return DrawLine(dc, c, *static_cast<const TEntJwwSen*>(f.record), place);
      case FigureKind::kArc:
        return DrawArcEntity(dc, c, *static_cast<const TEntJwwEnko*>(f.record), place);
      case FigureKind::kPoint:
        return DrawPointEntity(dc, c, *static_cast<const TEntJwwTen*>(f.record), place);
      case FigureKind::kText: {
        const auto& m = *static_cast<const Moji*>(f.record);
        if (f.entry >= 0) return DrawPlacedText(dc, c, m, m.FontName, m.Text, block);
        return DrawText(dc, c, m, m.FontName, m.Text);
      }
      case FigureKind::kDimension:
        return DrawDimension(dc, c, *static_cast<const Sunpo*>(f.record),
                             f.entry >= 0 ? &block : nullptr);
      default:
        return;
    }
  }

 private:
  static const TEntJwwBase& BaseOf(const Figure& f) {
    switch (f.kind) {
      case FigureKind::kSolid:
        return static_cast<const TEntJwwSolid*>(f.record)->Base;
      case FigureKind::kLine:
        return static_cast<const TEntJwwSen*>(f.record)->Base;
      case FigureKind::kArc:
        return static_cast<const TEntJwwEnko*>(f.record)->Base;
      case FigureKind::kPoint:
        return static_cast<const TEntJwwTen*>(f.record)->Base;
      case FigureKind::kDimension:
        return static_cast<const Sunpo*>(f.record)->Base;
      default:
        return static_cast<const Moji*>(f.record)->Base;
    }
  }

  void Add(FigureKind kind, const void* record, FigureBox box, bool pixelMargin = false,
           bool vanishes = false) {
    out_->Add({box, record, entry_, kind, pixelMargin, vanishes});
  }

  const List* DefinitionOf(const TEntJwwBlockTree& e) const {
    if (e.DefIndex < 0 || static_cast<std::size_t>(e.DefIndex) >= data_.BlockDefs.size()) {
      return nullptr;
    }
    return &data_.BlockDefs[e.DefIndex];
  }
  // An upper bound of the figures of a list (images are among its texts).
  static std::size_t Count(const List& l) {
    return 2 * l.Moji.size() + l.Solid.size() + l.Sen.size() + l.Enko.size() + l.Ten.size() +
           l.Sunpo.size();
  }

  void AddList(const List& l, std::int32_t entry) {
    entry_ = entry;
    BlockPlace block;
    if (entry >= 0) block = PlaceOf(data_.BlockTree[entry]);
    const Placement* place = entry >= 0 ? &block.place : nullptr;
    for (const Moji& m : l.Moji) {
      if (auto frame = ImageFrameOf(dc_, m, m.Text, place)) {
        Bounds b;
        b.Add(frame->a);
        b.Add(frame->b);
        Add(FigureKind::kImage, &m, b.Box());
      }
    }
    for (const TEntJwwSolid& e : l.Solid) AddSolid(e, place);
    for (const TEntJwwSen& e : l.Sen) Add(FigureKind::kLine, &e, LineBox(e, place));
    for (const TEntJwwEnko& e : l.Enko) {
      const Curve curve(e.CenterX, e.CenterY, e.Radius, e.Flatness, e.TiltAngle);
      Add(FigureKind::kArc, &e, CurveFigureBox(curve, place), false, true);
    }
    for (const TEntJwwTen& e : l.Ten) {
      Bounds b;
      AddPoint(b, e, place);
      Add(FigureKind::kPoint, &e, b.Box(), true);
    }
    for (const Moji& m : l.Moji) {
      if (IsImageText(SjisOf(m.Text, dc_.contentBuffer))) continue;
      Bounds b;
      AddText(b, m, place, false);
      Add(FigureKind::kText, &m, b.Box());
    }
    for (const Sunpo& d : l.Sunpo) {
      Bounds b;
      AddLine(b, d.Aux1, place);
      AddLine(b, d.Aux2, place);
      AddPoint(b, d.Points[0], place);
      AddPoint(b, d.Points[1], place);
      AddLine(b, d.Line, place);
      AddText(b, d.Text, place, true);
      Add(FigureKind::kDimension, &d, b.Box(), true);
    }
  }

  static void AddLine(Bounds& b, const TEntJwwSen& e, const Placement* place) {
    b.Add(Placed({e.StartX, e.StartY}, place));
    b.Add(Placed({e.EndX, e.EndY}, place));
  }
  static FigureBox LineBox(const TEntJwwSen& e, const Placement* place) {
    Bounds b;
    AddLine(b, e, place);
    return b.Box();
  }
  static FigureBox CurveFigureBox(const Curve& curve, const Placement* place) {
    const CurveBox c = CurveBounds(curve, place);
    return FigureBox::Around(c.minX, c.minY, c.maxX, c.maxY);
  }

  void AddSolid(const TEntJwwSolid& e, const Placement* place) {
    if (e.Base.PenStyle > 100) {
      // Curved solids: sectors, rings, tangent corners. Rare; always drawn.
      Add(FigureKind::kSolid, &e, FigureBox::Everything());
      return;
    }
    Bounds b;
    for (DrawPoint p : {DrawPoint{e.X1, e.Y1}, DrawPoint{e.X2, e.Y2}, DrawPoint{e.X3, e.Y3},
                        DrawPoint{e.X4, e.Y4}}) {
      b.Add(Placed(p, place));
    }
    Add(FigureKind::kSolid, &e, b.Box(), false, true);
  }

  // A marker reaches its size in drawing units (arrow heads six units of
  // 1.25 times its scale) plus a few pixels (the pixel margin). Only what a
  // move between layers leaves alone is read: the list may be made while
  // the drawing is being moved.
  void AddPoint(Bounds& b, const TEntJwwTen& e, const Placement* place) const {
    const TEntJwwBase& base = e.Base;
    const double scale = base.PenStyle == 100 ? std::fabs(e.Scale) : 1.0;
    const double s = scale <= 1e-8 ? 1.0 : scale;
    const double pen = attr_.PenWidthOf(base.PenColor);
    const double w = base.PenWidth != 0 ? std::fabs(base.PenWidth * 0.01) : pen;
    const double reach = 8 * s + w + attr_.PointRadiusOf(base.PenColor) + pen * s;
    b.AddAround(Placed({e.X, e.Y}, place), reach);
  }

  // A text reaches around both its points; a dimension's text placed in a
  // block is centred anew between them, and may be measured anew.
  void AddText(Bounds& b, const Moji& m, const Placement* place, bool dimension) {
    TextRow row = PrepareTextRow(dc_, m, m.FontName, m.Text);
    if (place != nullptr) PlaceTextRow(row, *place);
    double reach = TextReach(row, macroBytes_);
    const DrawPoint s{row.startX, row.startY}, e{row.endX, row.endY};
    if (dimension && place != nullptr) {
      // The measured value replaces the text whatever it was.
      static const std::string kLongest(400, '0');
      row.text = kLongest;
      reach = std::max(reach, TextReach(row, macroBytes_));
      b.AddAround({(s.x + e.x) / 2, (s.y + e.y) / 2}, 2 * reach);
    }
    b.AddAround(s, reach);
    b.AddAround(e, reach);
  }

  const Data& data_;
  std::size_t macroBytes_;
  GraphicAttributes attr_;  // the default widths and point radii
  DrawContext dc_{attr_};
  DisplayList* out_ = nullptr;
  std::int32_t entry_ = -1;
};

template <class Data>
void AddJwwFigures(DisplayList& list, const Data& d, std::size_t macroBytes) {
  auto figures = std::make_unique<JwwFigures<Data>>(d, macroBytes);
  figures->AddAll(list);
  std::array<double, 16> scales;
  for (int g = 0; g < 16; ++g) {
    scales[g] = g < static_cast<int>(d.LayerGroups.size()) ? d.LayerGroups[g].Scale : 1.0;
  }
  list.SetGroupScales(scales);
  list.SetSource(std::move(figures));
}

}  // namespace

void AddFigures(DisplayList& list, const TJwwData& d, std::size_t macroBytes) {
  AddJwwFigures(list, d, macroBytes);
}

void AddFigures(DisplayList& list, const TJwsData& d, std::size_t macroBytes) {
  AddJwwFigures(list, d, macroBytes);
}

}  // namespace quintaro::render
