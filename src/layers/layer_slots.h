// Every layer a figure carries and every group and layer name, visited in
// one fixed order: what a move can change, so that a change can be found
// and put back without a copy of the drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/common/text.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro::layerslots {

// One layer as a number: a JWW or JWS base as group << 16 | layer (both
// kept whole, also values out of range), a DOS layer code as it is.
inline std::uint32_t Get(const TEntJwwBase& b) {
  return static_cast<std::uint32_t>(b.LayerGroup) << 16 | b.Layer;
}
inline std::uint32_t Get(std::uint8_t code) {
  return code;
}
inline void Set(TEntJwwBase& b, std::uint32_t v) {
  b.LayerGroup = static_cast<std::uint16_t>(v >> 16);
  b.Layer = static_cast<std::uint16_t>(v & 0xFFFF);
}
inline void Set(std::uint8_t& code, std::uint32_t v) {
  code = static_cast<std::uint8_t>(v);
}

inline EncodedText GetName(const EncodedText& name) {
  return name;
}
inline EncodedText GetName(const std::string& name) {
  return {name, TextEncoding::kCp932};
}
inline void SetName(EncodedText& name, const EncodedText& v) {
  name = v;
}
inline void SetName(std::string& name, const EncodedText& v) {
  name = v.bytes;
}

// f(base) for every base of the main list, of each block definition (its
// own and its list's) and of the block tree.
template <class Doc, class F>
void ForEachSlot(Doc& doc, F&& f) {
  auto each = [&f](TEntJwwBase& b) { f(b); };
  doc.ForEachBase(true, each);
  for (auto& def : doc.BlockDefs) {
    f(def.Base);
    def.ForEachBase(true, each);
  }
  for (auto& entry : doc.BlockTree) f(entry.Base);
}

template <class F>
void ForEachSlot(TJwcData& doc, F&& f) {
  for (auto& o : doc.lines) f(o.layer);
  for (auto& o : doc.arcs) f(o.layer);
  for (auto& o : doc.points) f(o.layer);
  for (auto& o : doc.pointSlots) f(o.layer);
  for (auto& o : doc.texts) f(o.layer);
}

template <class F>
void ForEachSlot(TJwkData& doc, F&& f) {
  for (auto& o : doc.lines) f(o.layer);
  for (auto& o : doc.arcs) f(o.layer);
  for (auto& o : doc.points) f(o.layer);
  for (auto& o : doc.texts) f(o.layer);
}

// f(index, name): groups 0..15, then layers as 16 + group * 16 + layer.
template <class Doc, class F>
void ForEachName(Doc& doc, F&& f) {
  if (doc.LayerGroups.size() == 16) {
    for (int i = 0; i < 16; ++i) f(i, doc.LayerGroups[static_cast<std::size_t>(i)].Name);
  }
  if constexpr (requires { doc.Layers; }) {
    if (doc.Layers.size() == 256) {
      for (int i = 0; i < 256; ++i) f(16 + i, doc.Layers[static_cast<std::size_t>(i)].Name);
    }
  }
}

template <class F>
void ForEachName(TJwcData& doc, F&& f) {
  for (int i = 0; i < 16; ++i) f(i, doc.layerGroups[static_cast<std::size_t>(i)].name);
  for (int i = 0; i < 256; ++i) f(16 + i, doc.layers[static_cast<std::size_t>(i)].name);
}

template <class F>
void ForEachName(TJwkData&, F&&) {}

}  // namespace quintaro::layerslots
