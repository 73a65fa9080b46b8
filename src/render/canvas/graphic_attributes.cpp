#include "render/canvas/graphic_attributes.h"

namespace quintaro::render {

namespace {

struct ColorRow {
  int number;
  Color white;
  Color black;
};

// Colours that differ from the foreground; the rest follow it.
constexpr ColorRow kScreenColors[] = {
    {1, RgbColor(0, 192, 192), RgbColor(0, 255, 255)},
    {2, RgbColor(0, 0, 0), RgbColor(255, 255, 255)},
    {3, RgbColor(0, 192, 0), RgbColor(0, 255, 0)},
    {4, RgbColor(192, 192, 0), RgbColor(255, 255, 0)},
    {5, RgbColor(192, 0, 192), RgbColor(192, 0, 192)},
    {6, RgbColor(0, 0, 255), RgbColor(32, 32, 255)},
    {7, RgbColor(0, 128, 128), RgbColor(0, 128, 128)},
    {8, RgbColor(255, 0, 128), RgbColor(160, 0, 0)},
    {9, RgbColor(255, 128, 255), RgbColor(192, 128, 128)},
    {101, RgbColor(0, 0, 0), RgbColor(255, 255, 255)},
    {102, RgbColor(255, 0, 0), RgbColor(255, 0, 0)},
    {103, RgbColor(0, 255, 0), RgbColor(0, 255, 0)},
    {104, RgbColor(0, 0, 255), RgbColor(0, 0, 255)},
    {105, RgbColor(255, 255, 0), RgbColor(255, 255, 0)},
    {106, RgbColor(255, 0, 255), RgbColor(255, 0, 255)},
    {107, RgbColor(0, 255, 255), RgbColor(0, 255, 255)},
    {108, RgbColor(0, 0, 0), RgbColor(255, 255, 255)},
    {109, RgbColor(192, 0, 128), RgbColor(192, 0, 128)},
    {110, RgbColor(192, 128, 64), RgbColor(192, 128, 64)},
    {111, RgbColor(255, 128, 0), RgbColor(255, 128, 0)},
    {112, RgbColor(128, 192, 128), RgbColor(128, 192, 128)},
    {113, RgbColor(0, 128, 255), RgbColor(0, 128, 255)},
    {114, RgbColor(128, 64, 255), RgbColor(128, 64, 255)},
    {115, RgbColor(192, 192, 192), RgbColor(192, 192, 192)},
    {116, RgbColor(128, 128, 128), RgbColor(128, 128, 128)},
};

// Default width and point radius (mm) of colour numbers 1..9.
constexpr double kStandardWidths[9] = {0.10, 0.15, 0.20, 0.25, 0.30, 0.35, 0.40, 0.50, 0.01};
constexpr double kStandardRadii[9] = {0.2, 0.3, 0.4, 0.5, 0.5, 0.5, 0.5, 0.5, 0.2};

LayerDisplay ValidState(LayerDisplay state) {
  return state >= kLayerNormal && state <= kLayerHidden ? state : kLayerNormal;
}

// prefix + name, in the name's encoding.
EncodedText Label(const std::string& prefix, const EncodedText& name) {
  EncodedText out;
  out.encoding = name.encoding;
  for (char c : prefix) {
    out.bytes += c;
    if (name.encoding == TextEncoding::kUtf16le) out.bytes += '\0';
  }
  out.bytes += name.bytes;
  return out;
}

}  // namespace

GraphicAttributes::GraphicAttributes() {
  ResetLayers();
  BuildPenColors();
  for (int i = 0; i < kColorCount; ++i) {
    pens_[i].defaultWidth = i < 9 ? kStandardWidths[i] : 0.18;
    pens_[i].pointRadius = i < 9 ? kStandardRadii[i] : 0.2;
  }
}

void GraphicAttributes::SetBackMode(int mode) {
  if (mode == 0 || mode == 1) {
    backMode_ = mode;
    backColor_ = mode == 0 ? 0xFFFFFF : 0;
    foreColor_ = mode == 0 ? 0 : 0xFFFFFF;
  } else {
    backColor_ = 0x808080;
    foreColor_ = 0;
  }
}

void GraphicAttributes::BuildPenColors() {
  for (PenColorEntry& p : pens_) p.screenColor = foreColor_;
  for (const ColorRow& row : kScreenColors) {
    pens_[ColorIndex(row.number)].screenColor = backMode_ == 1 ? row.black : row.white;
  }
}

void GraphicAttributes::ResetLayers() {
  for (int i = 0; i < kLayerCount; ++i) SetLayer(i, kLayerNormal, {}, {}, 1.0);
}

void GraphicAttributes::SetLayer(int index, LayerDisplay state, const EncodedText& layerName,
                                 const EncodedText& groupName, double scale) {
  if (index < 0 || index >= kLayerCount) return;
  SetLayerStateScale(index, state, scale);
  LayerView& layer = layers_[index];
  layer.groupLabel = Label(std::string("[") + LayerDigit(GroupOfCode(index)) + "] ", groupName);
  layer.layerLabel = Label(std::string("(") + LayerDigit(LayerOfCode(index)) + ") ", layerName);
}

void GraphicAttributes::SetLayerStateScale(int index, LayerDisplay state, double scale) {
  if (index < 0 || index >= kLayerCount) return;
  layers_[index].state = ValidState(state);
  // NaN fails the test as well and becomes 1.
  layers_[index].scale = scale > 0 ? scale : 1.0;
}

void GraphicAttributes::SetLayerState(int index, LayerDisplay state) {
  if (index < 0 || index >= kLayerCount) return;
  layers_[index].state = ValidState(state);
}

double GraphicAttributes::PointRadiusOf(int colorNumber) const {
  int i = ColorIndex(colorNumber);
  return i < 0 ? 0.1 : pens_[i].pointRadius;
}

void GraphicAttributes::SetEntityPen(Canvas& canvas, int layerCode, int colorNumber, int lineType,
                                     double /*width*/) const {
  canvas.SetBrushStyle(BrushStyle::kClear);
  Pen pen = canvas.CurrentPen();
  pen.color = EntityColor(layerCode, colorNumber);
  pen.width = 0;
  pen.style = lineType == 1 || lineType == 31 ? PenStyle::kSolid : PenStyle::kDot;
  canvas.SetPen(pen);
}

void GraphicAttributes::SetEntityBrush(Canvas& canvas, int layerCode, int colorNumber,
                                       int fillKind) const {
  canvas.SetBrush({EntityColor(layerCode, colorNumber), BrushStyleOfFill(fillKind)});
}

BrushStyle BrushStyleOfFill(int fillKind) {
  switch (fillKind) {
    case 1:
      return BrushStyle::kSolid;
    case 2:
      return BrushStyle::kHorizontal;
    case 3:
      return BrushStyle::kVertical;
    case 4:
      return BrushStyle::kFDiagonal;
    case 5:
      return BrushStyle::kBDiagonal;
    case 6:
      return BrushStyle::kCross;
    case 7:
      return BrushStyle::kDiagCross;
    default:
      return BrushStyle::kClear;
  }
}

void PublishLayersTo(GraphicAttributes& attributes, const PublishedLayers& layers, bool withNames) {
  attributes.ResetLayers();
  for (int i = 0; i < GraphicAttributes::kLayerCount; ++i) {
    const PublishedLayer& l = layers[static_cast<std::size_t>(i)];
    if (withNames) {
      attributes.SetLayer(i, l.state, l.name, l.groupName, l.scale);
    } else {
      attributes.SetLayerStateScale(i, l.state, l.scale);
    }
  }
}

}  // namespace quintaro::render
