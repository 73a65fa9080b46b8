// Text records: the row prepared from the record, images, placed texts.
#include <charconv>
#include <cmath>

#include "render/scene/entities.h"
#include "render/scene/text_entities.h"
#include "render/shapes/primitives.h"
#include "render/text/text_draw.h"

namespace quintaro::render {

namespace {

// One image parameter; anything that is not a number counts as 0.
double ParseNumber(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && end == s.data() + s.size() && std::isfinite(v) ? v : 0;
}

// Width and height of an image from "^@BM" name "," w "," h ...
DrawPoint ImageSize(std::string_view sjis) {
  std::string_view params = sjis.substr(sjis.find(',') + 1);
  double values[2] = {0, 0};
  int count = 0;
  while (count < 2) {
    auto comma = params.find(',');
    values[count++] = ParseNumber(params.substr(0, comma));
    if (comma == std::string_view::npos) break;
    params.remove_prefix(comma + 1);
  }
  return count == 1 ? DrawPoint{values[0], values[0]} : DrawPoint{values[0], values[1]};
}

double Round4(double v) {
  double r = RoundHalfAwayReal(v * 10000) / 10000;
  // Keep the sign: a negative width still turns the row round.
  if (std::fabs(r) < 0.0001) return r < 0 ? -0.0001 : 0.0001;
  return r;
}

}  // namespace

double RoundHalfAwayReal(double x) {
  return x >= 0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
}

bool IsImageText(std::string_view sjis) {
  return sjis.substr(0, 4) == "^@BM" && sjis.find(',') != std::string_view::npos;
}

TextRow PrepareTextRow(DrawContext& dc, const TEntJwwMojiFixed& m, const EncodedText& font,
                       const EncodedText& text) {
  TextRow row;
  row.text = SjisOf(text, dc.contentBuffer);
  int n = m.Style;
  row.style = n >= 30000 ? 3 : n >= 20000 ? kStyleBold : n >= 10000 ? kStyleItalic : 0;
  row.width = m.SizeX;
  row.height = m.SizeY;
  row.spacing = m.Spacing;
  std::string_view face = SjisOf(font, dc.fontBuffer);
  if (m.Base.Flags & 0x20) {  // vertical writing
    std::swap(row.width, row.height);
    std::string withAt = "@" + std::string(face);
    dc.fontBuffer.swap(withAt);
    face = dc.fontBuffer;
  }
  row.fontName = face;
  row.startX = m.StartX;
  row.startY = m.StartY;
  row.endX = m.EndX;
  row.endY = m.EndY;
  return row;
}

void PlaceTextRow(TextRow& row, const Placement& p) {
  DrawPoint s{row.startX, row.startY}, e{row.endX, row.endY};
  DrawPoint ps = p.Apply(s), pe = p.Apply(e);
  if (!p.IsIdentity()) {
    double a = Direction(e.x - s.x, e.y - s.y);
    double dx = std::cos(a), dy = std::sin(a);
    auto along = [&](double len) {
      return Distance(ps, p.Apply({s.x + len * dx, s.y + len * dy}));
    };
    row.width = along(row.width);
    row.spacing = along(row.spacing);
    DrawPoint up = p.Apply({s.x - row.height * dy, s.y + row.height * dx});
    double len = Distance(ps, pe);
    row.height =
        len > 0 ? std::fabs((pe.x - ps.x) * (up.y - ps.y) - (pe.y - ps.y) * (up.x - ps.x)) / len
                : Distance(ps, up);
    if (p.m11 * p.m22 < 0) std::swap(ps, pe);
  }
  row.startX = ps.x;
  row.startY = ps.y;
  row.endX = pe.x;
  row.endY = pe.y;
  row.width = Round4(row.width);
  row.height = Round4(row.height);
  row.spacing = RoundHalfAwayReal(row.spacing * 10000) / 10000;
}

std::optional<ImageFrame> ImageFrameOf(DrawContext& dc, const TEntJwwMojiFixed& m,
                                       const EncodedText& text, const Placement* place) {
  std::string_view sjis = SjisOf(text, dc.contentBuffer);
  if (!IsImageText(sjis)) return std::nullopt;
  DrawPoint size = ImageSize(sjis);
  DrawPoint at{m.StartX, m.StartY};
  if (place != nullptr) {
    double a = Direction(m.EndX - m.StartX, m.EndY - m.StartY);
    double dx = std::cos(a), dy = std::sin(a);
    DrawPoint p = place->Apply(at);
    DrawPoint w = place->Apply({at.x + size.x * dx, at.y + size.x * dy});
    DrawPoint h = place->Apply({at.x - size.y * dy, at.y + size.y * dx});
    size = {Distance(p, w), Distance(p, h)};
    at = p;
  }
  return ImageFrame{at, {at.x + size.x, at.y + size.y}};
}

void DrawImageText(DrawContext& dc, Canvas& canvas, const TEntJwwMojiFixed& m,
                   const EncodedText& text, const Placement* place) {
  std::optional<ImageFrame> frame = ImageFrameOf(dc, m, text, place);
  if (!frame) return;
  int code = LayerCodeOf(m.Base);
  dc.attr->SetEntityPen(canvas, code, m.Base.PenColor, 1, 0);
  dc.attr->SetEntityBrush(canvas, code, m.Base.PenColor, 5);
  DrawBox(dc, canvas, frame->a.x, frame->a.y, frame->b.x, frame->b.y);
}

void DrawText(DrawContext& dc, Canvas& canvas, const TEntJwwMojiFixed& m, const EncodedText& font,
              const EncodedText& text) {
  TextRow row = PrepareTextRow(dc, m, font, text);
  if (IsImageText(row.text)) return;
  int group = m.Base.LayerGroup;
  dc.groupScale = group < 16 ? dc.groupScales[group] : 1.0;
  dc.attr->SetEntityPen(canvas, LayerCodeOf(m.Base), m.Base.PenColor, 1, 0);
  DrawTextRow(dc, canvas, row);
}

void DrawPlacedText(DrawContext& dc, Canvas& canvas, const TEntJwwMojiFixed& m,
                    const EncodedText& font, const EncodedText& text, const BlockPlace& block) {
  TextRow row = PrepareTextRow(dc, m, font, text);
  if (IsImageText(row.text)) return;
  PlaceTextRow(row, block.place);
  int group = m.Base.LayerGroup;
  if (block.ownGroupScale) dc.groupScale = group < 16 ? dc.groupScales[group] : 1.0;
  dc.attr->SetEntityPen(canvas, LayerCodeOf(m.Base), m.Base.PenColor, 1, 0);
  DrawTextRow(dc, canvas, row);
}

}  // namespace quintaro::render
