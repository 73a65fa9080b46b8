#include "formats/jwc/jwc_records.h"

#include <cmath>

#include "formats/jwc/jwc_strings.h"

namespace quintaro {
namespace {

std::uint8_t LineTypeOut(std::uint8_t t) {
  return IsValidJwcLineType(t) ? t : 0;
}
std::uint8_t ColorOut(std::uint8_t c) {
  return IsValidJwcColor(c) ? c : 0;
}

}  // namespace

TEntJwcSen WrittenForm(TEntJwcSen s) {
  s.lineType = LineTypeOut(s.lineType);
  s.color = ColorOut(s.color);
  return s;
}

TEntJwcEnko WrittenForm(TEntJwcEnko a) {
  a.lineType = LineTypeOut(a.lineType);
  a.color = ColorOut(a.color);
  return a;
}

TEntJwcTen WrittenForm(TEntJwcTen p) {
  p.color = ColorOut(p.color);
  return p;
}

TEntJwcMojiStyle WrittenForm(TEntJwcMojiStyle s) {
  if (s.color < 1 || s.color > 6) s.color = 0;
  return s;
}

std::int32_t RoundToI32(double v) {
  if (std::isnan(v)) return 0;
  v = std::nearbyint(v);
  if (v <= -2147483648.0) return INT32_MIN;
  if (v >= 2147483647.0) return INT32_MAX;
  return static_cast<std::int32_t>(v);
}

std::uint16_t RoundToU16(double v) {
  if (std::isnan(v)) return 0;
  v = std::nearbyint(v);
  if (v <= 0) return 0;
  if (v >= 65535.0) return 65535;
  return static_cast<std::uint16_t>(v);
}

void WriteJwcSen(ByteWriter& w, const TEntJwcSen& s, double factor) {
  WriteJwcCoord(w, s.startX, factor);
  WriteJwcCoord(w, s.startY, factor);
  WriteJwcCoord(w, s.endX, factor);
  WriteJwcCoord(w, s.endY, factor);
  w.U8(LineTypeOut(s.lineType));
  w.U8(ColorOut(s.color));
  w.U8(s.layer);
  w.Write(s.kept.data(), s.kept.size());
}

void WriteJwcEnko(ByteWriter& w, const TEntJwcEnko& a, double factor) {
  WriteJwcCoord(w, a.centerX, factor);
  WriteJwcCoord(w, a.centerY, factor);
  WriteJwcCoord(w, a.radius, factor);
  w.U16(RoundToU16(a.flatness * kJwcFlatnessUnit));
  w.I32(RoundToI32(a.startAngle * kJwcAngleUnit));
  w.I32(RoundToI32(a.endAngle * kJwcAngleUnit));
  w.I32(RoundToI32(a.tiltAngle * kJwcAngleUnit));
  w.U8(LineTypeOut(a.lineType));
  w.U8(ColorOut(a.color));
  w.U8(a.layer);
  w.Write(a.kept.data(), a.kept.size());
}

void WriteJwcTen(ByteWriter& w, const TEntJwcTen& p, double factor) {
  WriteJwcCoord(w, p.x, factor);
  WriteJwcCoord(w, p.y, factor);
  w.U8(p.layer);
  w.U8(ColorOut(p.color));
  w.Write(p.kept.data(), p.kept.size());
}

void WriteJwcMoji(ByteWriter& w, const TEntJwcMoji2& t, double factor, std::uint16_t low,
                  std::uint16_t high) {
  WriteJwcCoord(w, t.startX, factor);
  WriteJwcCoord(w, t.startY, factor);
  WriteJwcCoord(w, t.endX, factor);
  WriteJwcCoord(w, t.endY, factor);
  w.U16(low);
  w.U16(high);
  w.U8(t.style);
  w.U8(t.layer);
  w.U8(t.flags);
  w.U8(t.kept);
}

std::string JwcSectionPlace(const char* kind, std::uint64_t index, std::uint64_t count) {
  return std::string(kind) + " section (" + kind + " " + std::to_string(index + 1) + " of " +
         std::to_string(count) + ")";
}

std::string TextInBlock(const std::string& block, std::int64_t pos) {
  if (pos < 0 || pos >= static_cast<std::int64_t>(block.size())) return {};
  auto start = static_cast<std::size_t>(pos);
  std::size_t end = block.find('\0', start);
  if (end == std::string::npos) end = block.size();
  return StripControls(std::string_view(block).substr(start, end - start));
}

bool TextBlockStillServes(const std::string& block, std::int64_t start,
                          const std::vector<TEntJwcMoji2>& texts) {
  const auto size = static_cast<std::int64_t>(block.size());
  for (const auto& t : texts) {
    const std::int64_t pos = std::int64_t{t.address} - start;
    if (pos < 0 || pos >= size || TextInBlock(block, pos) != t.text ||
        CleanTextForFile(t.text) != t.text) {
      return false;
    }
  }
  return true;
}

std::string LayOutTextBlock(std::vector<TEntJwcMoji2>& texts, std::int32_t start) {
  std::string block;
  for (auto& t : texts) {
    t.address = start + static_cast<std::int32_t>(block.size());
    block += t.text;
    block += '\0';
  }
  return block;
}

}  // namespace quintaro
