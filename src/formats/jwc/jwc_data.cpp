#include "formats/jwc/jwc_data.h"

#include <cmath>

#include "formats/common/file_io.h"
#include "formats/jwc/jwc_strings.h"

namespace quintaro {

bool TJwcData::IsJwcFile(const std::string& path) {
  return FileStartsWith(path, kJwcMagic);
}

void TJwcData::ResetData() {
  headerLines = {};
  header = {};
  pointSlots = {};
  textStyles = {};
  layerGroups = {};
  layers = {};
  lines = {};
  arcs = {};
  texts = {};
  points = {};
  textBlock.clear();
  trailing.Clear();
  nameFields = {};
  extents = {};
}

PublishedLayers TJwcData::PublishLayers() const {
  PublishedLayers out;
  for (int code = 0; code < kLayers; ++code) {
    PublishedLayer& p = out[static_cast<std::size_t>(code)];
    p.name.bytes = layers[static_cast<std::size_t>(code)].name;
    p.groupName.bytes = layerGroups[static_cast<std::size_t>(code / 16)].name;
    p.scale = GroupScaleFactor(code / 16);
  }
  return out;
}

int TJwcData::UsedPointSlots() const {
  if (header.slotCount < 0) return 0;
  return header.slotCount > kMaxUsedSlots ? kMaxUsedSlots : header.slotCount;
}

double TJwcData::GroupScaleFactor(int group) const {
  if (group < 0 || group >= kLayerGroups) return 1.0;
  double scale = layerGroups[static_cast<std::size_t>(group)].scale;
  // A scale of 0 (or a broken one) would give no usable factor; draw 1:1.
  if (!(scale > 0) || !std::isfinite(1.0 / scale)) return 1.0;
  return 1.0 / scale;
}

bool operator==(const TJwcData& a, const TJwcData& b) {
  return a.headerLines == b.headerLines && a.header == b.header && a.pointSlots == b.pointSlots &&
         a.textStyles == b.textStyles && a.layerGroups == b.layerGroups && a.layers == b.layers &&
         a.lines == b.lines && a.arcs == b.arcs && a.texts == b.texts && a.points == b.points;
}

}  // namespace quintaro
