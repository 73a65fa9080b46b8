// The store of drawing attributes: background, foreground and grey colours,
// the screen colour, default width and point radius of every colour number,
// and the display state of each of the 256 layers.
#pragma once

#include <array>
#include <cstdint>

#include "formats/common/text.h"
#include "formats/common/types.h"
#include "render/canvas/canvas.h"

namespace quintaro::render {

struct LayerView {
  LayerDisplay state = kLayerNormal;
  double scale = 1.0;
  EncodedText groupLabel;  // "[G] " + group name
  EncodedText layerLabel;  // "(L) " + layer name
};

struct PenColorEntry {
  Color screenColor = 0;
  double defaultWidth = 0;  // mm
  double pointRadius = 0;   // mm
};

class GraphicAttributes {
 public:
  static constexpr int kLayerCount = 256;
  static constexpr int kColorCount = 265;

  GraphicAttributes();

  // 0 white background, 1 black; anything else a grey background with black
  // pens that keeps the mode (for empty thumbnails). The colour table is not
  // rebuilt here.
  void SetBackMode(int mode);
  int BackMode() const { return backMode_; }
  void BuildPenColors();
  Color BackColor() const { return backColor_; }
  void SetGrayColor(Color c) { grayColor_ = c; }
  Color GrayColor() const { return grayColor_; }

  void ResetLayers();
  // A state out of the enum's range is taken as kLayerNormal.
  void SetLayer(int index, LayerDisplay state, const EncodedText& layerName,
                const EncodedText& groupName, double scale);
  void SetLayerStateScale(int index, LayerDisplay state, double scale);
  void SetLayerState(int index, LayerDisplay state);
  LayerDisplay LayerState(int index) const {
    if (index < 0 || index >= kLayerCount) return kLayerNormal;
    return layers_[static_cast<std::size_t>(index)].state;
  }
  const LayerView& Layer(int index) const { return layers_[static_cast<std::size_t>(index)]; }

  // Table entry of a colour number (1..9 -> 0..8, 101..356 -> 9..264), -1 when none.
  static int ColorIndex(int colorNumber) {
    if (colorNumber >= 1 && colorNumber <= 9) return colorNumber - 1;
    if (colorNumber >= 101 && colorNumber <= 356) return colorNumber - 92;
    return -1;
  }
  Color ColorOfPen(int colorNumber) const {
    int i = ColorIndex(colorNumber);
    return i < 0 ? backColor_ : pens_[static_cast<std::size_t>(i)].screenColor;
  }
  double PenWidthOf(int colorNumber) const {
    int i = ColorIndex(colorNumber);
    return i < 0 ? 0.0 : pens_[static_cast<std::size_t>(i)].defaultWidth;
  }
  double PointRadiusOf(int colorNumber) const;

  // The colour an entity of this layer and colour number is drawn in.
  Color EntityColor(int layerCode, int colorNumber) const {
    const LayerDisplay state = LayerState(layerCode);
    if (state == kLayerDisplayOnly) return grayColor_;
    return state == kLayerHidden ? backColor_ : ColorOfPen(colorNumber);
  }
  // Before every line, arc, marker and outline: clear brush, thinnest pen in
  // the entity colour, solid for line types 1 and 31, dotted otherwise. The
  // width is accepted for the callers' sake and not used.
  void SetEntityPen(Canvas& canvas, int layerCode, int colorNumber, int lineType,
                    double width) const;
  // Before a filled shape: brush in the entity colour, style by fill kind.
  void SetEntityBrush(Canvas& canvas, int layerCode, int colorNumber, int fillKind) const;

 private:
  int backMode_ = 0;
  Color backColor_ = 0xFFFFFF;
  Color foreColor_ = 0;
  Color grayColor_ = 0x808080;
  std::array<LayerView, kLayerCount> layers_;
  std::array<PenColorEntry, kColorCount> pens_;
};

// Brush style of a fill kind: 1 solid, 2..7 the six hatches, else clear.
BrushStyle BrushStyleOfFill(int fillKind);

// Hands a container's layers to the store: every layer reset, then each set
// with its state, scale and (when `withNames`) the layer and group labels.
void PublishLayersTo(GraphicAttributes& attributes, const PublishedLayers& layers, bool withNames);

}  // namespace quintaro::render
