// Comparison of JWC drawings and JWK symbols: figures by their place in
// each section, the used point slots as temporary points, header values
// one by one.
#include <algorithm>
#include <string>
#include <utility>

#include "document/diff_builder.h"
#include "document/relayer_plan.h"
#include "formats/common/types.h"
#include "formats/jwc/jwc_line_text.h"
#include "layers/labels.h"

namespace quintaro::diff {
namespace {

// Names each field of x that differs from y and makes it equal; the rest
// is the figure's geometry.
template <class T>
std::string WhatDiffers(T x, T y) {
  std::string what;
  auto part = [&]<class V>(V T::*member, const char* name) {
    if (x.*member == y.*member) return;
    AddPart(what, name);
    x.*member = y.*member;
  };
  if constexpr (requires { x.lineType; }) part(&T::lineType, "line type");
  if constexpr (requires { x.color; }) part(&T::color, "colour");
  if constexpr (requires { x.text; }) {
    part(&T::text, "text");
    part(&T::style, "text style");
    part(&T::flags, "text flags");
  }
  part(&T::kept, "reserved bytes");
  if (!(x == y)) AddPart(what, "geometry");
  return what;
}

template <class T, class A>
void Records(const std::vector<T, A>& a, const std::vector<T, A>& b, const char* kind,
             DiffBuilder& d) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const T& x = a[i];
    const T& y = b[i];
    d.Layer(GroupOfCode(x.layer), LayerOfCode(x.layer), GroupOfCode(y.layer), LayerOfCode(y.layer),
            false);
    if (x == y) continue;
    T same = x;
    same.layer = y.layer;
    // A text's address only tells where the save put its string.
    if constexpr (requires { same.address; }) same.address = y.address;
    if (!(same == y)) d.Figure(kind, "", static_cast<std::int64_t>(i), WhatDiffers(same, y));
  }
}

template <class Data>
void Figures(const Data& a, const Data& b, DiffBuilder& d) {
  Records(a.lines, b.lines, "line", d);
  Records(a.arcs, b.arcs, "arc", d);
  Records(a.points, b.points, "point", d);
  Records(a.texts, b.texts, "text", d);
}

std::string Text(std::int32_t v) {
  return std::to_string(v);
}
std::string Text(float v) {
  return FormatLineFloatPlain(v);
}

template <class Header, class V>
void HeaderValue(const Header& a, const Header& b, V Header::*member, std::string name,
                 DiffBuilder& d) {
  if (!(a.*member == b.*member)) d.Value(std::move(name), Text(a.*member), Text(b.*member));
}

void Titles(const auto& a, const auto& b, DiffBuilder& d) {
  if (a.titleA != b.titleA) d.Value("title A");
  if (a.titleB != b.titleB) d.Value("title B");
  if (a.titleC != b.titleC) d.Value("title C");
}

void JwcHeader(const TEntJwcHeader& a, const TEntJwcHeader& b, DiffBuilder& d) {
  Titles(a, b, d);
  if (a.FloatScales != b.FloatScales) d.Value("scales as floats");
  for (int line = 2; line <= 4; ++line) {
    std::span<const JwcHeaderField> fields = JwcLineFields(line);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      std::string name = "header line " + std::to_string(line) + " value " + std::to_string(i + 1);
      std::visit([&](auto member) { HeaderValue(a, b, member, std::move(name), d); }, fields[i]);
    }
  }
}

void JwcTables(const TJwcData& a, const TJwcData& b, DiffBuilder& d) {
  const int used = std::min(a.UsedPointSlots(), b.UsedPointSlots());
  for (int i = 0; i < TJwcData::kPointSlots; ++i) {
    const TEntJwcPointSlot& x = a.pointSlots[static_cast<std::size_t>(i)];
    const TEntJwcPointSlot& y = b.pointSlots[static_cast<std::size_t>(i)];
    if (i >= 1 && i <= used) {
      d.Layer(GroupOfCode(x.layer), LayerOfCode(x.layer), GroupOfCode(y.layer),
              LayerOfCode(y.layer), false);
      TEntJwcPointSlot same = x;
      same.layer = y.layer;
      if (!(same == y)) d.Figure("temporary point", "", i, "geometry");
    } else if (!(x == y)) {
      d.Value("point slot " + std::to_string(i));
    }
  }
  for (int i = 0; i < TJwcData::kTextStyles; ++i) {
    if (!(a.textStyles[i] == b.textStyles[i])) d.Value("text style " + std::to_string(i));
  }
  for (int g = 0; g < TJwcData::kLayerGroups; ++g) {
    const auto& x = a.layerGroups[static_cast<std::size_t>(g)];
    const auto& y = b.layerGroups[static_cast<std::size_t>(g)];
    const std::string group = "group " + RefText({g, -1});
    if (!(x.scale == y.scale)) {
      d.Value(group + " scale", ScaleRatio(x.scale), ScaleRatio(y.scale));
    }
    if (x.state1 != y.state1 || x.state2 != y.state2 || x.state3 != y.state3) {
      d.Value(group + " states");
    }
  }
  for (int code = 0; code < TJwcData::kLayers; ++code) {
    const auto& x = a.layers[static_cast<std::size_t>(code)];
    const auto& y = b.layers[static_cast<std::size_t>(code)];
    if (x.state1 != y.state1 || x.state2 != y.state2) {
      d.Value("layer " + std::to_string(code / 16) + "-" + std::to_string(code % 16) + " states");
    }
  }
}

}  // namespace

void Compare(const TJwcData& a, const TJwcData& b, DiffBuilder& d) {
  Figures(a, b, d);
  JwcTables(a, b, d);
  JwcHeader(a.header, b.header, d);
}

void Compare(const TJwkData& a, const TJwkData& b, DiffBuilder& d) {
  Figures(a, b, d);
  using H = TEntJwkHeader;
  const TEntJwkHeader& x = a.header;
  const TEntJwkHeader& y = b.header;
  Titles(x, y, d);
  HeaderValue(x, y, &H::lineCount, "line count", d);
  HeaderValue(x, y, &H::arcCount, "arc count", d);
  HeaderValue(x, y, &H::pointCount, "point count", d);
  HeaderValue(x, y, &H::textCount, "text count", d);
  HeaderValue(x, y, &H::value2_5, "header value 5", d);
  HeaderValue(x, y, &H::value2_6, "header value 6", d);
  HeaderValue(x, y, &H::value2_7, "header value 7", d);
  HeaderValue(x, y, &H::textBlockSize, "text block size", d);
  HeaderValue(x, y, &H::SymbolScale, "symbol scale", d);
}

}  // namespace quintaro::diff
