// Texts: a row of characters from a start point towards an end point, each
// character placed and rotated on the canvas; macros, trailing marks and
// "^" control sequences; texts too small or too large become a thick line.
// Texts are Shift-JIS bytes.
#pragma once

#include <string_view>

#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"

namespace quintaro::render {

inline constexpr int kStyleBold = 1;
inline constexpr int kStyleItalic = 2;
inline constexpr int kStyleUnderline = 4;
inline constexpr int kStyleStrikeOut = 8;

// The face of texts whose format names none.
inline constexpr char kDefaultFontName[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

// Bytes of the character at `pos` (2 for a Shift-JIS lead byte with a
// following byte, else 1).
inline std::size_t SjisCharLength(std::string_view s, std::size_t pos) {
  return IsSjisLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

struct TextRow {
  int style = 0;  // bits: 1 bold, 2 italic, 4 underline, 8 strike-out
  std::string_view fontName;
  std::string_view text;
  double spacing = 0, width = 0, height = 0;
  double startX = 0, startY = 0, endX = 0, endY = 0;
};

// The pen must already be set for the entity.
void DrawTextRow(DrawContext& dc, Canvas& canvas, const TextRow& row);

// How far from the point a row starts at (its end point when its width is
// negative) any of its character cells can reach, in drawing units, at any
// scale; a macro counts as `macroBytes` bytes at most. A row too small or
// too large on the screen draws only the line between its two points.
double TextReach(const TextRow& row, std::size_t macroBytes);

// Font set-up and the character loop from a base point along `angle`.
void DrawCharRun(DrawContext& dc, Canvas& canvas, int style, std::string_view fontName,
                 std::string_view chars, double spacing, double width, double height, double angle,
                 double baseX, double baseY);

// One character; `anchor` 0..8 names the point of its cell at the base
// point (0 bottom left ... 8 top right). Skipped when its cell lies wholly
// outside the window.
void DrawCharCell(DrawContext& dc, Canvas& canvas, int anchor, std::string_view character,
                  double angle, double width, double height, double baseX, double baseY);

// Draws a text that holds "^" control sequences and is no macro.
void DrawControlledText(DrawContext& dc, Canvas& canvas, const TextRow& row, double angle);

}  // namespace quintaro::render
