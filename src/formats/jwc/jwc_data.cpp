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
  extents = {};
}

bool TJwcData::LoadFromFile(const std::string& path) {
  InputFile in(path);
  if (!in.IsOpen()) {
    ByteReader empty(std::span<const std::uint8_t>{});
    Load(empty, path);
    loadReport.reason = "cannot open the file";
    return false;
  }
  ByteReader reader(in.Handle(), in.Size());
  return Load(reader, path);
}

bool TJwcData::LoadFromBytes(std::span<const std::uint8_t> bytes, std::string_view name) {
  ByteReader reader(bytes);
  return Load(reader, name);
}

bool TJwcData::SaveToFile(const std::string& path) {
  if (!PrepareSave()) return false;
  std::string why;
  bool ok = WriteFileAtomically(path, [this](ByteWriter& w) { return WriteBody(w); }, &why);
  if (!ok) saveError = "cannot write the file" + (why.empty() ? "" : ": " + why);
  return ok;
}

bool TJwcData::SaveToBytes(std::vector<std::uint8_t>& out) {
  out.clear();
  if (!PrepareSave()) return false;
  ByteWriter w;
  if (!WriteBody(w)) {
    saveError = "cannot write the drawing";
    return false;
  }
  out = w.Bytes();
  return true;
}

PublishedLayers TJwcData::PublishLayers() const {
  PublishedLayers out;
  for (int code = 0; code < kLayers; ++code) {
    PublishedLayer& p = out[static_cast<std::size_t>(code)];
    p.state = 1;
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

const TEntJwcMojiStyle& TJwcData::StyleOf(int number) const {
  static const TEntJwcMojiStyle kNone{};
  if (number < 0 || number >= kTextStyles) return kNone;
  return textStyles[static_cast<std::size_t>(number)];
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
