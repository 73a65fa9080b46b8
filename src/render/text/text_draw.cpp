#include "render/text/text_draw.h"

#include <algorithm>
#include <cmath>

#include "render/shapes/geometry.h"
#include "render/shapes/primitives.h"
#include "render/text/text_macros.h"

namespace quintaro::render {

namespace {

constexpr unsigned char kHalfDot = 0xA5;
constexpr char kFullDot[] = "\x81\x45";

bool Greeked(const ViewTransform& v, double width, double height, double length) {
  double s = v.scale;
  return std::fabs(height) < 1e-14 || std::fabs(height) * s < 6 || std::fabs(height) * s > 1000 ||
         length < 1e-14 || length * s < 6 || std::fabs(width) * s > 1000;
}

// Sum of 1 per single-byte and 2 per double-byte character, the last left out.
double UnitsButLast(std::string_view t) {
  double u = 0;
  std::size_t last = 0;
  for (std::size_t i = 0; i < t.size(); i += SjisCharLength(t, i)) last = i;
  for (std::size_t i = 0; i < last; i += SjisCharLength(t, i)) u += SjisCharLength(t, i);
  return u;
}

// Spreading marks at the end of a text ("･", a run of "・") fit the text
// between its points; "^" and a digit at the end compress it.
void ApplyTrailingMarks(std::string_view& text, double& width, double& spacing) {
  double s = 0;
  int k = 0, c = 0;
  bool armed = false;
  std::size_t lastPos = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = SjisCharLength(text, i);
    std::string_view ch = text.substr(i, len);
    if (i + len < text.size()) s += len == 2 ? spacing : spacing / 2;
    if (ch == "^") {
      c = 0;
      armed = true;
    } else {
      if (armed && ch[0] >= '1' && ch[0] <= '9') {
        c = ch[0] - '0';
      } else if (ch == kFullDot) {
        ++k;
      } else {
        k = 0;
        c = 0;
      }
      armed = false;
    }
    lastPos = i;
    i += len;
  }
  if (!text.empty() && static_cast<unsigned char>(text[lastPos]) == kHalfDot) {
    text = text.substr(0, lastPos);
    double u = UnitsButLast(text);
    if (u > 0) spacing = (width / 2 + s) / u * 2;
  }
  if (k > 0) {
    text = text.substr(0, text.size() - std::min(text.size(), static_cast<std::size_t>(2 * k)));
    double u = UnitsButLast(text);
    if (u > 0) spacing = (k * width + s) / u * 2;
  }
  if (c > 0) {
    text = text.substr(0, text.size() - std::min<std::size_t>(text.size(), 2));
    double m = static_cast<double>(text.size());
    if (m - c > 1) {
      double f = (m - c) / m;
      width *= f;
      spacing *= f;
    }
  }
}

int RoundEven(double v) {
  double r = std::nearbyint(v);
  if (!(std::fabs(r) < 2e9)) return 0;
  return static_cast<int>(r);
}

}  // namespace

void DrawTextRow(DrawContext& dc, Canvas& canvas, const TextRow& in) {
  if (in.text.empty()) return;
  TextRow row = in;
  double length = Distance({row.startX, row.startY}, {row.endX, row.endY});
  if (Greeked(dc.view, row.width, row.height, length)) {
    canvas.SetPenWidth(3);
    DrawSegment(dc, canvas, row.startX, row.startY, row.endX, row.endY);
    return;
  }
  double angle = Direction(row.endX - row.startX, row.endY - row.startY);
  if (row.width < 0) {
    row.width = -row.width;
    row.spacing = -row.spacing;
    angle += kPi;
    std::swap(row.startX, row.endX);
    std::swap(row.startY, row.endY);
  }
  ApplyTrailingMarks(row.text, row.width, row.spacing);
  bool macro = SubstituteMacro(dc, row.text, dc.macroBuffer);
  if (macro) row.text = dc.macroBuffer;
  if (macro || row.text.find('^') == std::string_view::npos) {
    DrawCharRun(dc, canvas, row.style, row.fontName, row.text, row.spacing, row.width, row.height,
                angle, row.startX, row.startY);
  } else {
    DrawControlledText(dc, canvas, row, angle);
  }
}

// Every character advances the cursor by at most its cell and spacing, a
// byte at a time counted as a whole cell; a cell, raised or turned about,
// lies within twice its width and height of the cursor.
double TextReach(const TextRow& in, std::size_t macroBytes) {
  std::string_view text = in.text;
  double width = std::fabs(in.width), spacing = in.width < 0 ? -in.spacing : in.spacing;
  ApplyTrailingMarks(text, width, spacing);
  std::size_t bytes = text.size();
  const bool mayBeMacro =
      !text.empty() && std::string_view("$&%_=").find(text[0]) != std::string_view::npos;
  if (mayBeMacro) bytes = std::max(bytes, macroBytes);
  const double w = std::fabs(width), h = std::fabs(in.height);
  return static_cast<double>(bytes) * (w + std::fabs(spacing)) + 3 * (w + h) +
         2 * (std::fabs(in.width) + h);
}

void DrawCharRun(DrawContext& dc, Canvas& canvas, int style, std::string_view fontName,
                 std::string_view chars, double spacing, double width, double height, double angle,
                 double baseX, double baseY) {
  FontSpec& font = dc.font;
  font.height = RoundEven(std::fabs(height) * dc.view.scale);
  font.width = RoundEven(std::fabs(width) * dc.view.scale / 2);
  int esc = RoundEven(angle * 1800 / kPi);
  font.orientation = 0;
  font.weight = style & kStyleBold ? 700 : 400;
  font.italic = style & kStyleItalic;
  font.underline = style & kStyleUnderline;
  font.strikeOut = style & kStyleStrikeOut;
  if (fontName.substr(0, 2) == "@@") {
    // Upside-down vertical face: turned half round about the cell.
    fontName.remove_prefix(2);
    esc = esc >= 1800 ? esc + 1800 - 3600 : esc + 1800;
    baseX += std::fabs(width) * std::cos(angle) + std::fabs(height) * std::cos(angle - kPi / 2);
    baseY += std::fabs(width) * std::sin(angle) + std::fabs(height) * std::sin(angle - kPi / 2);
  }
  font.escapement = esc;
  font.faceName.assign(fontName);
  canvas.SetFont(font);
  canvas.SetTextColor(canvas.CurrentPen().color);
  canvas.SetBrushStyle(BrushStyle::kClear);
  double c = std::cos(angle), s = std::sin(angle);
  for (std::size_t i = 0; i < chars.size();) {
    std::size_t len = SjisCharLength(chars, i);
    DrawCharCell(dc, canvas, 0, chars.substr(i, len), angle, width, height, baseX, baseY);
    double step = len == 2 ? width + spacing : (width + spacing) / 2;
    baseX += step * c;
    baseY += step * s;
    i += len;
  }
}

void DrawCharCell(DrawContext& dc, Canvas& canvas, int anchor, std::string_view character,
                  double angle, double width, double height, double baseX, double baseY) {
  double w = std::fabs(width) * (character.size() == 2 ? 1.0 : 0.5);
  double h = height;
  if (h < 0) {
    h = -h;
    if (anchor <= 2) {
      anchor += 6;
    } else if (anchor >= 6) {
      anchor -= 6;
    }
  }
  double c = std::cos(angle), s = std::sin(angle);
  // Top left corner, from the anchor's place in the cell.
  double lx = -(anchor % 3) * w / 2, ly = h - (anchor / 3) * h / 2;
  double tx = baseX + lx * c - ly * s, ty = baseY + lx * s + ly * c;
  const double cx[4] = {0, w, 0, w}, cy[4] = {0, 0, -h, -h};
  bool visible = false;
  for (int k = 0; k < 4 && !visible; ++k) {
    visible = OutCode(dc.view, tx + cx[k] * c - cy[k] * s, ty + cx[k] * s + cy[k] * c) == 0;
  }
  if (!visible) return;
  const ViewTransform& v = dc.view;
  canvas.TextOut(RoundEven((tx - v.left) * v.scale),
                 v.height - RoundEven((ty - v.bottom) * v.scale), character, TextEncoding::kCp932);
}

}  // namespace quintaro::render
