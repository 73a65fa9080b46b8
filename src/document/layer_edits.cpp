#include "document/layer_edits.h"

#include <cmath>
#include <cstdio>

#include "formats/common/text.h"
#include "formats/jww/jww_string.h"
#include "layers/swap.h"

namespace quintaro {

namespace {

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
EncodedText* JwwSlot(TJwwData& d, const LayerRef& ref) {
  if (ref.IsGroup()) return d.LayerGroups.size() == 16 ? &d.LayerGroups[ref.group].Name : nullptr;
  return d.Layers.size() == 256 ? &d.Layers[ref.group * 16 + ref.layer].Name : nullptr;
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

bool InRange(const LayerRef& r) {
  return r.group >= 0 && r.group <= 15 && r.layer >= -1 && r.layer <= 15;
}

}  // namespace

std::string NameRefusal(const Document& doc, const LayerRef& ref, const std::string& utf8) {
  DocFormat f = doc.Format();
  if (f == DocFormat::kJws || f == DocFormat::kJwk)
    return std::string(f == DocFormat::kJws ? "JWS" : "JWK") +
           " files have no group or layer names";
  if (!InRange(ref)) return "no such group or layer";
  if (!ValidUtf8(utf8)) return "the name is not valid UTF-8";
  const TJwwData* jww = doc.Jww();
  if (jww && jww->LayerGroups.size() != 16) return "the drawing has no layer table";
  if (jww && JwwNameForm(*jww) == TextEncoding::kUtf16le) return {};
  std::string sjis;
  if (!Utf8ToCp932Exact(utf8, sjis))
    return "\"" + utf8 +
           "\" has characters that Shift-JIS cannot hold, and this file keeps its names in "
           "Shift-JIS";
  return {};
}

bool RenameLayerRef(Document& doc, const LayerRef& ref, const std::string& utf8, std::string* why,
                    bool* cut) {
  std::string refusal = NameRefusal(doc, ref, utf8);
  if (cut) *cut = false;
  if (!refusal.empty()) {
    if (why) *why = refusal;
    return false;
  }
  if (TJwwData* d = doc.Jww()) {
    EncodedText* slot = JwwSlot(*d, ref);
    if (JwwNameForm(*d) == TextEncoding::kUtf16le) {
      *slot = EncodedText{Utf8ToUtf16le(utf8), TextEncoding::kUtf16le};
    } else {
      Utf8ToCp932Exact(utf8, slot->bytes);
      slot->encoding = TextEncoding::kCp932;
    }
    return true;
  }
  TJwcData* d = doc.Jwc();
  EncodedText name{std::string(), TextEncoding::kCp932};
  Utf8ToCp932Exact(utf8, name.bytes);
  std::size_t limit = ref.IsGroup() ? TEntJwcLayerGroup::kNameBytes : TEntJwcLayer::kNameBytes;
  std::size_t full = name.bytes.size();
  jww::CutToChars(name, limit);
  if (cut) *cut = name.bytes.size() < full;
  if (ref.IsGroup()) {
    d->layerGroups[ref.group].name = name.bytes;
  } else {
    d->layers[ref.group * 16 + ref.layer].name = name.bytes;
  }
  return true;
}

std::string NameOf(const Document& doc, const LayerRef& ref) {
  return ref.IsGroup() ? doc.GroupName(ref.group) : doc.LayerName(ref.group, ref.layer);
}

void SwapLayerRefs(Document& doc, const LayerRef& a, const LayerRef& b) {
  if (auto* d = doc.Jww()) SwapLayerGroups(*d, a.group, a.layer, b.group, b.layer);
  if (auto* d = doc.Jws()) SwapLayerGroups(*d, a.group, a.layer, b.group, b.layer);
  if (auto* d = doc.Jwc()) SwapLayerGroups(*d, a.group, a.layer, b.group, b.layer);
  if (auto* d = doc.Jwk()) SwapLayerGroups(*d, a.group, a.layer, b.group, b.layer);
}

void MoveLayerRef(Document& doc, const LayerRef& from, const LayerRef& to) {
  doc.Move(from.group, from.layer, to.group, to.layer);
}

std::optional<ScaleChange> ScaleChangeOf(const Document& doc, int fromGroup, int toGroup) {
  if (fromGroup == toGroup) return std::nullopt;
  auto a = doc.GroupScale(fromGroup), b = doc.GroupScale(toGroup);
  if (!a || !b || *a == *b) return std::nullopt;
  return ScaleChange{*a, *b};
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

}  // namespace quintaro
