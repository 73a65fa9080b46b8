#include "formats/jwk/jwk_data.h"

#include <cmath>

#include "formats/common/file_io.h"

namespace quintaro {
namespace {

// Text styles 1..10 of a symbol, which the file does not carry: colour
// number, then width, height and spacing in millimetres.
struct DefaultStyle {
  std::uint16_t color;
  double width, height, spacing;
};
constexpr DefaultStyle kDefaultStyles[10] = {
    {1, 2.0, 2.0, 0.0}, {1, 2.5, 2.5, 0.0},   {1, 3.0, 3.0, 0.5}, {1, 4.0, 4.0, 0.5},
    {1, 5.0, 5.0, 0.5}, {1, 6.0, 6.0, 0.5},   {1, 7.0, 7.0, 1.0}, {1, 8.0, 8.0, 1.0},
    {1, 9.0, 9.0, 1.0}, {1, 10.0, 10.0, 1.0},
};

std::uint16_t TenthsOfMillimetre(double mm) {
  return static_cast<std::uint16_t>(std::nearbyint(mm * 10));
}

}  // namespace

bool TJwkData::IsJwkFile(const std::string& path) {
  return FileStartsWith(path, kJwkMagic);
}

void TJwkData::ResetData() {
  headerLines = {};
  header = {};
  textStyles = {};
  for (std::size_t i = 0; i < std::size(kDefaultStyles); ++i) {
    const DefaultStyle& d = kDefaultStyles[i];
    textStyles[i + 1] = {d.color, TenthsOfMillimetre(d.width), TenthsOfMillimetre(d.height),
                         TenthsOfMillimetre(d.spacing)};
  }
  lines = {};
  arcs = {};
  points = {};
  texts = {};
  textBlock.clear();
  textHighWords.clear();
  trailing.Clear();
  extents = {};
}

PublishedLayers TJwkData::PublishLayers() const {
  PublishedLayers out;
  double scale = 1.0 / header.SymbolScale;
  if (!std::isfinite(scale) || !(header.SymbolScale > 0)) scale = 1.0;
  for (PublishedLayer& p : out) p.scale = scale;
  return out;
}

bool operator==(const TJwkData& a, const TJwkData& b) {
  return a.headerLines == b.headerLines && a.header == b.header && a.textStyles == b.textStyles &&
         a.lines == b.lines && a.arcs == b.arcs && a.points == b.points && a.texts == b.texts;
}

}  // namespace quintaro
