// The figures of the DOS-era drawings (JWC) and symbols (JWK), one record at
// a time, shared by the record walk and the display list.
#pragma once

#include <array>
#include <vector>

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"
#include "render/text/text_draw.h"

namespace quintaro::render {

// What differs between a drawing and a symbol.
struct DosSource {
  const JwcRecordList<TEntJwcSen>& lines;
  const JwcRecordList<TEntJwcEnko>& arcs;
  const std::vector<TEntJwcMoji2>& texts;
  const JwcRecordList<TEntJwcTen>& points;
  const std::array<TEntJwcMojiStyle, 12>& styles;
  double divisor;           // SymbolScale for symbols, 1 for drawings
  const TJwcData* drawing;  // group scales and point slots; null for symbols
};

DosSource SourceOf(const TJwcData& d);
DosSource SourceOf(const TJwkData& d);

void DrawDosLine(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcSen& e);
void DrawDosArc(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcEnko& e);
// A text naming a style beyond the twelve is not drawn.
void DrawDosText(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcMoji2& e);
void DrawDosPoint(DrawContext& dc, Canvas& canvas, const DosSource& src, const TEntJwcTen& e);
// A used point slot of a drawing: a temporary point.
void DrawDosSlot(DrawContext& dc, Canvas& canvas, const TEntJwcPointSlot& slot);

// The row a text is drawn with (its style must exist).
TextRow DosTextRow(const DosSource& src, const TEntJwcMoji2& e);

}  // namespace quintaro::render
