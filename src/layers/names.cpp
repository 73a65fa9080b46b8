#include "layers/names.h"

#include "formats/common/text.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "formats/jww/jww_string.h"

namespace quintaro {

namespace {

bool InRange(int group, int layer) {
  return group >= 0 && group <= 15 && layer >= -1 && layer <= 15;
}

std::string Utf8ToUtf16le(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 4;
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    i += n;
    auto unit = [&out](char32_t u) {
      out += static_cast<char>(u & 0xFF);
      out += static_cast<char>((u >> 8) & 0xFF);
    };
    if (cp >= 0x10000) {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      unit(cp);
    }
  }
  return out;
}

bool ValidUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = Utf8SequenceLength(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

// The JWW name slot of a group or layer, or null without a layer table.
template <class Doc>
auto* JwwSlot(Doc& d, int group, int layer) {
  if (layer < 0) return d.LayerGroups.size() == 16 ? &d.LayerGroups[group].Name : nullptr;
  return d.Layers.size() == 256 ? &d.Layers[group * 16 + layer].Name : nullptr;
}

// The form a JWW file keeps its names in: UTF-16 when any of its group or
// layer names is stored so (files of the Unicode generation), else Shift-JIS.
TextEncoding JwwNameForm(const TJwwData& d) {
  for (const auto& g : d.LayerGroups)
    if (g.Name.encoding == TextEncoding::kUtf16le) return TextEncoding::kUtf16le;
  for (const auto& l : d.Layers)
    if (l.Name.encoding == TextEncoding::kUtf16le) return TextEncoding::kUtf16le;
  return TextEncoding::kCp932;
}

// The checks every file with names makes; "" when the name may be tried.
std::string CommonRefusal(int group, int layer, const std::string& utf8) {
  if (!InRange(group, layer)) return "no such group or layer";
  if (!ValidUtf8(utf8)) return "the name is not valid UTF-8";
  return {};
}

std::string ShiftJisRefusal(const std::string& utf8) {
  std::string sjis;
  if (Utf8ToCp932Exact(utf8, sjis)) return {};
  return "\"" + utf8 +
         "\" has characters that Shift-JIS cannot hold, and this file keeps its names in "
         "Shift-JIS";
}

}  // namespace

std::string NameOf(const TJwwData& doc, int group, int layer) {
  if (!InRange(group, layer)) return {};
  const EncodedText* name = JwwSlot(doc, group, layer);
  return name ? ToUtf8(*name) : std::string();
}

std::string NameOf(const TJwcData& doc, int group, int layer) {
  if (!InRange(group, layer)) return {};
  return Cp932ToUtf8(layer < 0 ? doc.layerGroups[group].name : doc.layers[group * 16 + layer].name);
}

std::optional<double> GroupScale(const TJwwData& doc, int group) {
  if (!InRange(group, -1) || doc.LayerGroups.size() != 16) return std::nullopt;
  return doc.LayerGroups[group].Scale;
}

std::optional<double> GroupScale(const TJwsData& doc, int group) {
  if (!InRange(group, -1) || doc.LayerGroups.size() != 16) return std::nullopt;
  return doc.LayerGroups[group].Scale;
}

std::optional<double> GroupScale(const TJwcData& doc, int group) {
  if (!InRange(group, -1)) return std::nullopt;
  return doc.layerGroups[group].scale;
}

std::string NameRefusal(const TJwwData& doc, int group, int layer, const std::string& utf8) {
  std::string refusal = CommonRefusal(group, layer, utf8);
  if (!refusal.empty()) return refusal;
  if (doc.LayerGroups.size() != 16) return "the drawing has no layer table";
  if (JwwNameForm(doc) == TextEncoding::kUtf16le) return {};
  return ShiftJisRefusal(utf8);
}

std::string NameRefusal(const TJwcData&, int group, int layer, const std::string& utf8) {
  std::string refusal = CommonRefusal(group, layer, utf8);
  return refusal.empty() ? ShiftJisRefusal(utf8) : refusal;
}

std::string NameRefusal(const TJwsData&, int, int, const std::string&) {
  return "JWS files have no group or layer names";
}

std::string NameRefusal(const TJwkData&, int, int, const std::string&) {
  return "JWK files have no group or layer names";
}

bool Rename(TJwwData& doc, int group, int layer, const std::string& utf8) {
  EncodedText* slot = JwwSlot(doc, group, layer);
  if (slot == nullptr) return false;
  if (JwwNameForm(doc) == TextEncoding::kUtf16le) {
    *slot = EncodedText{Utf8ToUtf16le(utf8), TextEncoding::kUtf16le};
  } else {
    Utf8ToCp932Exact(utf8, slot->bytes);
    slot->encoding = TextEncoding::kCp932;
  }
  return false;
}

bool Rename(TJwcData& doc, int group, int layer, const std::string& utf8) {
  EncodedText name{std::string(), TextEncoding::kCp932};
  Utf8ToCp932Exact(utf8, name.bytes);
  const std::size_t full = name.bytes.size();
  jww::CutToChars(name, layer < 0 ? TEntJwcLayerGroup::kNameBytes : TEntJwcLayer::kNameBytes);
  (layer < 0 ? doc.layerGroups[group].name : doc.layers[group * 16 + layer].name) = name.bytes;
  return name.bytes.size() < full;
}

}  // namespace quintaro
