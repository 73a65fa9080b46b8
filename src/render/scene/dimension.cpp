// Dimensions: auxiliary lines and points, the dimension line and its text;
// inside a scaled or turned block the text may be measured anew.
#include <cmath>

#include "render/scene/entities.h"
#include "render/scene/text_entities.h"
#include "render/text/number_format.h"

namespace quintaro::render {

namespace {

// Shift-JIS full-width forms of the printable ASCII characters 0x20..0x7E.
constexpr unsigned short kFullWidth[95] = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x8196, 0x817B,
    0x8143, 0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262,
    0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
    0x815F, 0x816E, 0x814F, 0x8151, 0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293,
    0x8294, 0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,
};

// Printable single-byte characters become their full-width forms; double-byte
// characters are kept whole.
std::string FullWidth(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (IsSjisLeadByte(c) && i + 1 < s.size()) {
      out += s.substr(i++, 2);
    } else if (c >= 0x20 && c <= 0x7E) {
      out += static_cast<char>(kFullWidth[c - 0x20] >> 8);
      out += static_cast<char>(kFullWidth[c - 0x20] & 0xFF);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

double RoundValue(double value, int decimals, int settings) {
  double f = std::pow(10.0, decimals);
  double m = std::fabs(value) * f;
  bool truncate = (settings & 0x100) && !(settings & 0x200);
  bool up = (settings & 0x200) && !(settings & 0x100);
  m = truncate ? std::trunc(m) : up ? std::trunc(m + 0.9999999999) : std::floor(m + 0.5);
  return std::copysign(m / f, value);
}

std::string FormatValue(double value, int decimals, int settings) {
  if (settings & 0x40) {
    std::string s = FormatFixed(value, decimals, true);
    if (!(settings & 0x80) && s.find('.') != std::string::npos) {
      while (s.back() == '0') s.pop_back();
    }
    return s;
  }
  if (settings & 0x80) return FormatFixed(value, decimals, false);
  return FormatGeneral(value);
}

// Length of a row of characters: cells and the spacing between them.
double RowLength(std::string_view text, double width, double spacing) {
  double len = 0;
  for (std::size_t i = 0; i < text.size();) {
    bool wide = IsSjisLeadByte(static_cast<unsigned char>(text[i]));
    len += wide ? width : width / 2;
    i += wide ? 2 : 1;
    if (i < text.size()) len += wide ? spacing : spacing / 2;
  }
  return len;
}

void DrawDimensionText(DrawContext& dc, Canvas& canvas, const DimensionParts& d,
                       const BlockPlace* block) {
  if (block == nullptr) return DrawText(dc, canvas, *d.text, *d.font, *d.content);
  TextRow row = PrepareTextRow(dc, *d.text, *d.font, *d.content);
  if (IsImageText(row.text)) return;
  const Placement& p = block->place;
  int settings = d.text->Base.PenWidth;
  if (!p.IsIdentity() && (settings & 0x0002)) {
    DrawPoint a = p.Apply({d.line->StartX, d.line->StartY});
    DrawPoint b = p.Apply({d.line->EndX, d.line->EndY});
    int group = d.line->Base.LayerGroup;
    double g = group < 16 ? dc.groupScales[group] : 1.0;
    dc.macroBuffer =
        MeasuredDimensionText(Distance(a, b) * (g > 0 ? g : 1.0), settings, d.text->Base.Flags);
    // The row now refers to the measured text (the context's macro buffer is
    // used again by the row drawing, so keep a copy there).
    dc.textBuffer = dc.macroBuffer;
    row.text = dc.textBuffer;
  }
  PlaceTextRow(row, p);
  if (!p.IsIdentity()) {
    double len = RowLength(row.text, row.width, row.spacing);
    DrawPoint s{row.startX, row.startY}, e{row.endX, row.endY};
    double dist = Distance(s, e);
    double ux = dist > 0 ? (e.x - s.x) / dist : 1, uy = dist > 0 ? (e.y - s.y) / dist : 0;
    DrawPoint mid{(s.x + e.x) / 2, (s.y + e.y) / 2};
    row.startX = mid.x - len / 2 * ux;
    row.startY = mid.y - len / 2 * uy;
    row.endX = mid.x + len / 2 * ux;
    row.endY = mid.y + len / 2 * uy;
  }
  int group = d.text->Base.LayerGroup;
  if (block->ownGroupScale) dc.groupScale = group < 16 ? dc.groupScales[group] : 1.0;
  dc.attr->SetEntityPen(canvas, LayerCodeOf(d.text->Base), d.text->Base.PenColor, 1, 0);
  DrawTextRow(dc, canvas, row);
}

}  // namespace

std::string MeasuredDimensionText(double length, int settings, int flags) {
  double value = settings & 0x0010 ? length / 1000 : length;
  int decimals = (settings / 4096) % 10;
  std::string text = FormatValue(RoundValue(value, decimals, settings), decimals, settings);
  const char* mark = flags & 0x100 ? "R" : flags & 0x200 ? "\x83\xD3" : "";
  if (settings & 0x0400) {
    text = mark + text;
  } else if (settings & 0x0800) {
    text += mark;
  }
  if (settings & 0x0008) text = FullWidth(text);
  if (settings & 0x0020) text += settings & 0x0010 ? "\x82\x8D" : "mm";
  return text;
}

void DrawDimensionParts(DrawContext& dc, Canvas& canvas, const DimensionParts& d,
                        const BlockPlace* block) {
  const Placement* place = block != nullptr ? &block->place : nullptr;
  if (d.sxfMode != 0) {
    DrawLine(dc, canvas, *d.aux1, place);
    DrawLine(dc, canvas, *d.aux2, place);
    DrawPointEntity(dc, canvas, *d.point1, place);
    DrawPointEntity(dc, canvas, *d.point2, place);
  }
  DrawLine(dc, canvas, *d.line, place);
  DrawDimensionText(dc, canvas, d, block);
}

}  // namespace quintaro::render
