// Types shared by the four drawing formats.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "formats/common/text.h"

namespace quintaro {

// Kinds of figures, as numbered in every entity order list.
enum EntityKind : std::int32_t {
  kEntNone = 0,  // an order entry that a partial load left unfilled
  kEntLine = 1,
  kEntArc = 2,
  kEntPoint = 3,
  kEntText = 4,
  kEntDimension = 5,
  kEntSolid = 6,
  kEntBlock = 7,
};

// One entry of an entity order list: which array, which index in it.
struct EntityOrderEntry {
  std::int32_t kind = kEntNone;
  std::int32_t index = 0;
  friend bool operator==(const EntityOrderEntry&, const EntityOrderEntry&) = default;
};

// A layer as group 0..15 and layer 0..15; code = group * 16 + layer.
inline int LayerCodeOf(int group, int layer) {
  return group * 16 + layer;
}
inline int GroupOfCode(int code) {
  return code >> 4;
}
inline int LayerOfCode(int code) {
  return code & 15;
}
// Users see each number as one upper-case hexadecimal digit, "0" to "F".
inline char LayerDigit(int number) {
  return "0123456789ABCDEF"[number & 15];
}

// Values that texts may substitute (file name, drawing time, memo lines,
// print scale). A load fills its container's copy; the drawing code reads
// them from the drawing context it is given.
struct TextMacroValues {
  std::string fileName;
  std::string drawTime;  // "h : mm"
  std::string memo1;     // memo up to the first CR LF
  std::string memo2;     // memo after it
  double printScale = 1.0;
};

// The bounding box of a drawing: MinX, MinY, MaxX, MaxY in drawing units.
struct DrawingExtents {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  friend bool operator==(const DrawingExtents&, const DrawingExtents&) = default;
};

// How a layer is shown: in its own colours, grey (display only), or not at all.
enum LayerDisplay : int { kLayerNormal = 1, kLayerDisplayOnly = 2, kLayerHidden = 3 };

// What a container hands to the attribute store for one layer (code
// group * 16 + layer): its display state; the layer's and its group's names
// (empty where the format has none); scale = 1 / the group's scale
// denominator.
struct PublishedLayer {
  LayerDisplay state = kLayerNormal;
  EncodedText name;
  EncodedText groupName;
  double scale = 1.0;
};
using PublishedLayers = std::array<PublishedLayer, 256>;

// The four file formats, told apart by their magic bytes.
enum class DocFormat { kUnknown, kJwc, kJwk, kJww, kJws };

inline constexpr char kJwwMagic[] = "JwwData.";
inline constexpr char kJwsMagic[] = "JwsData";
inline constexpr char kJwcMagic[] = "jw_cad(c)data.......";
inline constexpr char kJwkMagic[] = "jw_cad(c)sym........";

// The format whose magic the file starts with; kUnknown when none (or unreadable).
DocFormat DetectFormat(const std::string& path);

}  // namespace quintaro
