#include "render/scene/scene_jww.h"

#include "render/scene/entities.h"
#include "render/scene/scene_filter.h"

namespace quintaro::render {

namespace {

template <class Data>
class JwwScene {
 public:
  using List = TJwwEntityListT<typename Data::Moji_t>;

  JwwScene(DrawContext& dc, Canvas& canvas, const Data& data, SceneFilter filter)
      : dc_(dc), canvas_(canvas), data_(data), filter_(filter) {}

  void Run() {
    dc_.drawAborted = true;
    for (int g = 0; g < 16; ++g) {
      dc_.groupScales[g] =
          g < static_cast<int>(data_.LayerGroups.size()) ? data_.LayerGroups[g].Scale : 1.0;
    }
    if (!DrawList(data_, nullptr, true)) return;
    for (const TEntJwwBlockTree& entry : data_.BlockTree) {
      if (!DrawEntry(entry)) return;
    }
    dc_.drawAborted = false;
  }

 private:
  bool Passes(const TEntJwwBase& b) const {
    if (!testElements_) return true;
    return filter_.thumbnail ? filter_.PassesGroupLayer(b.LayerGroup, b.Layer)
                             : filter_.Passes(*dc_.attr, LayerCodeOf(b));
  }

  // Draws each passing item; an abort check follows every tenth index and
  // the end of the loop. False when the drawing must stop.
  template <class Items, class Draw>
  bool Walk(const Items& items, Draw draw) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!Passes(items[i].Base)) continue;
      draw(items[i]);
      if (i % 10 == 0 && dc_.CheckAbort()) return false;
    }
    return !dc_.CheckAbort();
  }

  bool DrawList(const List& l, const BlockPlace* block, bool testElements) {
    testElements_ = testElements;
    const Placement* place = block != nullptr ? &block->place : nullptr;
    DrawContext& dc = dc_;
    Canvas& c = canvas_;
    if (!Walk(l.Moji, [&](const auto& m) { DrawImageText(dc, c, m, m.Text, place); })) return false;
    if (!Walk(l.Solid, [&](const auto& e) { DrawSolid(dc, c, e, place); })) return false;
    c.SetBrushStyle(BrushStyle::kClear);
    if (!Walk(l.Sen, [&](const auto& e) { DrawLine(dc, c, e, place); })) return false;
    if (!Walk(l.Enko, [&](const auto& e) { DrawArcEntity(dc, c, e, place); })) return false;
    if (!Walk(l.Ten, [&](const auto& e) { DrawPointEntity(dc, c, e, place); })) return false;
    if (!Walk(l.Moji, [&](const auto& m) {
          if (block != nullptr) {
            DrawPlacedText(dc, c, m, m.FontName, m.Text, *block);
          } else {
            DrawText(dc, c, m, m.FontName, m.Text);
          }
        })) {
      return false;
    }
    return Walk(l.Sunpo, [&](const auto& d) { DrawDimension(dc, c, d, block); });
  }

  bool DrawEntry(const TEntJwwBlockTree& entry) {
    if (entry.DefIndex < 0 || static_cast<std::size_t>(entry.DefIndex) >= data_.BlockDefs.size()) {
      return true;
    }
    bool ownLayers = (entry.Base.PenStyle & 0x40) != 0;
    if (filter_.thumbnail && !ownLayers &&
        !filter_.PassesGroupLayer(entry.Base.LayerGroup, entry.Base.Layer)) {
      return true;
    }
    int group = entry.Base.LayerGroup;
    dc_.groupScale = group < 16 ? dc_.groupScales[group] : 1.0;
    BlockPlace block{{entry.OriginX, entry.OriginY, entry.M11, entry.M12, entry.M21, entry.M22, 1},
                     ownLayers};
    // The main view tests every element; a thumbnail only when the entry
    // keeps its elements' own layers.
    bool testElements = !filter_.thumbnail || ownLayers;
    return DrawList(data_.BlockDefs[entry.DefIndex], &block, testElements);
  }

  DrawContext& dc_;
  Canvas& canvas_;
  const Data& data_;
  SceneFilter filter_;
  bool testElements_ = true;
};

template <class Data>
void Draw(DrawContext& dc, Canvas& canvas, const Data& data, SceneFilter filter) {
  JwwScene<Data>(dc, canvas, data, filter).Run();
}

}  // namespace

void DrawScene(DrawContext& dc, Canvas& canvas, const TJwwData& data) {
  Draw(dc, canvas, data, SceneFilter::MainView());
}

void DrawScene(DrawContext& dc, Canvas& canvas, const TJwsData& data) {
  Draw(dc, canvas, data, SceneFilter::MainView());
}

void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwwData& data, int layer, int group) {
  Draw(dc, canvas, data, SceneFilter::Thumbnail(layer, group));
}

void DrawThumbnail(DrawContext& dc, Canvas& canvas, const TJwsData& data, int layer, int group) {
  Draw(dc, canvas, data, SceneFilter::Thumbnail(layer, group));
}

}  // namespace quintaro::render
