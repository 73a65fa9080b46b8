// Drawing of the figures of a JWW or JWS drawing, one record at a time,
// directly or placed through a block.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "formats/jww/jww_types.h"
#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"
#include "render/shapes/geometry.h"
#include "render/shapes/markers.h"

namespace quintaro::render {

inline int LayerCodeOf(const TEntJwwBase& b) {
  return b.LayerGroup * 16 + b.Layer;
}

// A text's bytes as Shift-JIS (UTF-16 texts are converted into `buffer`;
// characters without a Shift-JIS form show as "?").
std::string_view SjisOf(const EncodedText& text, std::string& buffer);

// Where a block entry places its definition, and whether texts inside take
// the scale of their own layer group (bit 0x40 of the entry's line type).
struct BlockPlace {
  Placement place;
  bool ownGroupScale = false;
};

// Line width in mm of an entity: its own, else the colour's default.
double EntityWidth(const GraphicAttributes& attr, const TEntJwwBase& b);

void DrawLine(DrawContext& dc, Canvas& canvas, const TEntJwwSen& e,
              const Placement* place = nullptr);
void DrawArcEntity(DrawContext& dc, Canvas& canvas, const TEntJwwEnko& e,
                   const Placement* place = nullptr);
void DrawSolid(DrawContext& dc, Canvas& canvas, const TEntJwwSolid& e,
               const Placement* place = nullptr);
PointMarker MarkerOf(const TEntJwwTen& e);
void DrawPointEntity(DrawContext& dc, Canvas& canvas, const TEntJwwTen& e,
                     const Placement* place = nullptr);

// True for a text that describes an image: "^@BM" ... ",".
bool IsImageText(std::string_view sjis);
// The two corners of the frame an image text draws, placed; none for a text
// that describes no image.
struct ImageFrame {
  DrawPoint a, b;
};
std::optional<ImageFrame> ImageFrameOf(DrawContext& dc, const TEntJwwMojiFixed& m,
                                       const EncodedText& text, const Placement* place);
// An image as a hatched, axis-parallel frame of its size at its start point.
void DrawImageText(DrawContext& dc, Canvas& canvas, const TEntJwwMojiFixed& m,
                   const EncodedText& text, const Placement* place = nullptr);
void DrawText(DrawContext& dc, Canvas& canvas, const TEntJwwMojiFixed& m, const EncodedText& font,
              const EncodedText& text);
void DrawPlacedText(DrawContext& dc, Canvas& canvas, const TEntJwwMojiFixed& m,
                    const EncodedText& font, const EncodedText& text, const BlockPlace& block);

template <class MojiT>
void DrawText(DrawContext& dc, Canvas& canvas, const MojiT& m) {
  DrawText(dc, canvas, m, m.FontName, m.Text);
}
template <class MojiT>
void DrawImageText(DrawContext& dc, Canvas& canvas, const MojiT& m,
                   const Placement* place = nullptr) {
  DrawImageText(dc, canvas, m, m.Text, place);
}

// The parts of a dimension, whichever text record it holds.
struct DimensionParts {
  const TEntJwwSen* line;
  const TEntJwwMojiFixed* text;
  const EncodedText* font;
  const EncodedText* content;
  int sxfMode;
  const TEntJwwSen* aux1;
  const TEntJwwSen* aux2;
  const TEntJwwTen* point1;
  const TEntJwwTen* point2;
};

void DrawDimensionParts(DrawContext& dc, Canvas& canvas, const DimensionParts& d,
                        const BlockPlace* block = nullptr);

template <class MojiT>
void DrawDimension(DrawContext& dc, Canvas& canvas, const TEntJwwSunpoT<MojiT>& d,
                   const BlockPlace* block = nullptr) {
  DrawDimensionParts(dc, canvas,
                     {&d.Line, &d.Text, &d.Text.FontName, &d.Text.Text, d.SxfMode, &d.Aux1, &d.Aux2,
                      &d.Points[0], &d.Points[1]},
                     block);
}

// The text a dimension inside a scaled or turned block shows: the length of
// its placed line, formatted by the settings word `settings` and marked by
// the flags word `flags` of its text record. `length` is in drawing units
// times the group scale already.
std::string MeasuredDimensionText(double length, int settings, int flags);

}  // namespace quintaro::render
