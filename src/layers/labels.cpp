#include "layers/labels.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>

#include "formats/common/text.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro {

namespace {

bool InRange(int n) {
  return n >= 0 && n <= 15;
}

// A number with exactly three decimals and "," between thousands.
std::string GroupedThreeDecimals(double v) {
  char buf[400];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
  if (ec != std::errc()) return "0.000";
  const std::string plain(buf, end);
  const std::size_t sign = plain[0] == '-' ? 1 : 0;
  const std::size_t point = plain.find('.');
  std::string out = plain.substr(0, sign);
  for (std::size_t i = sign; i < point; ++i) {
    if (i > sign && (point - i) % 3 == 0) out += ',';
    out += plain[i];
  }
  out.append(plain, point, std::string::npos);
  return out;
}

std::string GroupNumber(int group) {
  return std::string{'[', LayerDigit(group), ']', ' '};
}

std::string LayerNumber(int layer) {
  return std::string{'(', LayerDigit(layer), ')', ' '};
}

}  // namespace

std::string ScaleText(double s) {
  if (!std::isfinite(s) || s == 0) s = 1;
  if (s >= 1) return "1/" + GroupedThreeDecimals(s);
  const double inverse = 1 / s;
  if (!std::isfinite(inverse)) return "1/" + GroupedThreeDecimals(1);
  return GroupedThreeDecimals(inverse) + "/1";
}

std::string ScaleRatio(double d) {
  auto text = [](double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
  };
  if (!std::isfinite(d) || d <= 0) return "1/" + text(d);
  return d >= 1 ? "1/" + text(d) : text(1 / d) + "/1";
}

std::string GroupLabel(const TJwwData& doc, int group) {
  if (!InRange(group)) return {};
  if (doc.LayerGroups.size() != 16) return GroupNumber(group);  // no header read
  const TEntJwwLayerGroup& g = doc.LayerGroups[static_cast<std::size_t>(group)];
  return GroupNumber(group) + ScaleText(g.Scale) + " " + ToUtf8(g.Name);
}

std::string GroupLabel(const TJwcData& doc, int group) {
  if (!InRange(group)) return {};
  const TEntJwcLayerGroup& g = doc.layerGroups[static_cast<std::size_t>(group)];
  return GroupNumber(group) + ScaleText(g.scale) + " " + Cp932ToUtf8(g.name);
}

std::string GroupLabel(const TJwsData&, int group) {
  return InRange(group) ? GroupNumber(group) : std::string();
}

std::string GroupLabel(const TJwkData&, int group) {
  return InRange(group) ? GroupNumber(group) : std::string();
}

std::string LayerLabel(const TJwwData& doc, int group, int layer) {
  if (!InRange(group) || !InRange(layer)) return {};
  const std::size_t code = static_cast<std::size_t>(group * 16 + layer);
  if (doc.Layers.size() != 256) return LayerNumber(layer) + " ";
  return LayerNumber(layer) + " " + ToUtf8(doc.Layers[code].Name);
}

std::string LayerLabel(const TJwcData& doc, int group, int layer) {
  if (!InRange(group) || !InRange(layer)) return {};
  const std::size_t code = static_cast<std::size_t>(group * 16 + layer);
  return LayerNumber(layer) + " " + Cp932ToUtf8(doc.layers[code].name);
}

std::string LayerLabel(const TJwsData&, int group, int layer) {
  return InRange(group) && InRange(layer) ? LayerNumber(layer) : std::string();
}

std::string LayerLabel(const TJwkData&, int group, int layer) {
  return InRange(group) && InRange(layer) ? LayerNumber(layer) : std::string();
}

}  // namespace quintaro
