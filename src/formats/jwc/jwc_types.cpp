#include "formats/jwc/jwc_types.h"

#include <bit>

namespace quintaro {
namespace {

bool Same(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
bool Same(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

}  // namespace

bool operator==(const TEntJwcSen& a, const TEntJwcSen& b) {
  return Same(a.startX, b.startX) && Same(a.startY, b.startY) && Same(a.endX, b.endX) &&
         Same(a.endY, b.endY) && a.lineType == b.lineType && a.color == b.color &&
         a.layer == b.layer && a.kept == b.kept;
}

bool operator==(const TEntJwcEnko& a, const TEntJwcEnko& b) {
  return Same(a.centerX, b.centerX) && Same(a.centerY, b.centerY) && Same(a.radius, b.radius) &&
         Same(a.flatness, b.flatness) && Same(a.startAngle, b.startAngle) &&
         Same(a.endAngle, b.endAngle) && Same(a.tiltAngle, b.tiltAngle) &&
         a.lineType == b.lineType && a.color == b.color && a.layer == b.layer && a.kept == b.kept;
}

bool operator==(const TEntJwcMoji2& a, const TEntJwcMoji2& b) {
  return Same(a.startX, b.startX) && Same(a.startY, b.startY) && Same(a.endX, b.endX) &&
         Same(a.endY, b.endY) && a.address == b.address && a.style == b.style &&
         a.layer == b.layer && a.flags == b.flags && a.kept == b.kept && a.text == b.text;
}

bool operator==(const TEntJwcTen& a, const TEntJwcTen& b) {
  return Same(a.x, b.x) && Same(a.y, b.y) && a.layer == b.layer && a.color == b.color &&
         a.kept == b.kept;
}

bool operator==(const TEntJwcPointSlot& a, const TEntJwcPointSlot& b) {
  return Same(a.x, b.x) && Same(a.y, b.y) && a.layer == b.layer;
}

bool operator==(const TEntJwcLayerGroup& a, const TEntJwcLayerGroup& b) {
  return Same(a.scale, b.scale) && a.state1 == b.state1 && a.state2 == b.state2 &&
         a.state3 == b.state3 && a.name == b.name;
}

}  // namespace quintaro
