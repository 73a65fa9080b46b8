#include "formats/jws/jws_data.h"

#include <cstring>

#include "formats/common/bytes.h"
#include "formats/common/file_io.h"
#include "formats/jww/jww_lists.h"

namespace quintaro {

TJwsData::TJwsData() { ResetData(); }

bool TJwsData::IsJwsFile(const std::string& path) { return FileStartsWith(path, kJwsMagic); }

void TJwsData::ResetData() {
  Magic.clear();
  Version = 0;
  Header = TEntJwsHeader{};
  LayerGroups.clear();
  ClearList(1000);
  BlockDefCount = 0;
  BlockDefs.clear();
  BlockDefs.shrink_to_fit();
  BlockTree.clear();
  BlockTree.shrink_to_fit();
  ReferencedBlockCount = 0;
}

void TJwsData::ClearData() {
  for (auto& d : BlockDefs) d.ClearList(500);
  ResetData();
}

bool operator==(const TJwsData& a, const TJwsData& b) {
  return a.Magic == b.Magic && a.Version == b.Version && a.Header == b.Header &&
         a.LayerGroups == b.LayerGroups &&
         static_cast<const TJwsEntityList&>(a) == static_cast<const TJwsEntityList&>(b) &&
         a.BlockDefCount == b.BlockDefCount && a.BlockDefs == b.BlockDefs && a.BlockTree == b.BlockTree &&
         a.ReferencedBlockCount == b.ReferencedBlockCount;
}

bool TJwsData::LoadFromFile(const std::string& path) {
  InputFile in(path);
  if (!in.IsOpen()) {
    ResetData();
    macros = TextMacroValues{};
    macros.fileName = path;
    report = JwwLoadReport{};
    report.reason = "cannot open the file";
    return false;
  }
  ByteReader r(in.Handle(), in.Size());
  return Load(r, path);
}

bool TJwsData::LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name) {
  ByteReader r(bytes);
  return Load(r, name);
}

bool TJwsData::Load(ByteReader& r, const std::string& name) {
  ResetData();
  report = JwwLoadReport{};
  macros = TextMacroValues{};
  macros.fileName = name;
  LayerGroups.resize(16);
  for (auto& g : LayerGroups) g.State = 2;

  std::string where;
  bool outOfMemory = false;
  auto readHeader = [&]() -> bool {
    char magic[7];
    where = "the header (the magic)";
    if (!r.Read(magic, 7)) return false;
    Magic.assign(magic, 7);
    if (!r.Skip(193)) return false;
    where = "the header (the version)";
    Version = r.I32();
    if (!r.Ok()) return false;
    where = "the header (the reference point)";
    double ref[2];
    if (!r.Read(ref, sizeof ref)) return false;
    Header.RefX = ref[0];
    Header.RefY = ref[1];
    where = "the header (the layer group scales)";
    double scales[16];
    if (!r.Read(scales, sizeof scales)) return false;
    for (int g = 0; g < 16; ++g) LayerGroups[g].Scale = scales[g];
    where = "the header (the values)";
    std::uint8_t rest[104];
    if (!r.Read(rest, sizeof rest)) return false;
    std::memcpy(Header.Ints, rest, sizeof Header.Ints);
    std::memcpy(Header.Doubles, rest + 24, sizeof Header.Doubles);
    return true;
  };
  bool ok = readHeader();
  if (ok) {
    jww::ClassTagReader tags;
    jww::ListReader<TEntJwwMoji2> lists(r, Version, tags);
    ok = jww::ReadListsAndDefs(lists, *this, BlockDefs, BlockDefCount, where, outOfMemory);
  }
  if (ok) {
    report.complete = true;
  } else {
    report.failOffset = r.Ok() ? r.Offset() : r.FailOffset();
    report.reason = (outOfMemory ? "out of memory in " : "unexpected end of file in ") + where;
  }
  macros.drawTime.clear();
  macros.memo1.clear();
  macros.memo2.clear();
  macros.printScale = 1.0;
  BuildBlockTree();
  return ok;
}

void TJwsData::BuildBlockTree() {
  report.blockEntriesRefused = jww::BuildBlockTree(Block, BlockDefs, BlockTree, ReferencedBlockCount);
  if (report.blockEntriesRefused > 0)
    report.warnings.push_back(std::to_string(report.blockEntriesRefused) +
                              " nested block placements were not expanded (a block inserting itself, "
                              "nesting deeper than " + std::to_string(kMaxBlockTreeDepth) +
                              " levels, or more than " + std::to_string(kMaxBlockTreeEntries) +
                              " placements)");
}

PublishedLayers TJwsData::PublishLayers() const {
  PublishedLayers out{};
  for (int i = 0; i < 256; ++i) {
    double scale = LayerGroups.size() == 16 ? LayerGroups[i / 16].Scale : 0.0;
    out[i].state = 1;
    out[i].scale = scale == 0 ? 1.0 : 1.0 / scale;
  }
  return out;
}

bool TJwsData::SaveToFile(const std::string& path, std::int32_t version) {
  saveError.clear();
  std::string why;
  bool ok = WriteFileAtomically(path, [&](ByteWriter& w) { return Save(w, version); }, &why);
  if (!ok && saveError.empty()) {
    saveError = "could not write the file" + (why.empty() ? "" : ": " + why);
  }
  return ok;
}

bool TJwsData::SaveToBytes(std::int32_t version, std::vector<std::uint8_t>& out) {
  saveError.clear();
  ByteWriter w;
  bool ok = Save(w, version) && w.Ok();
  if (ok) out = w.Bytes();
  else if (saveError.empty()) saveError = "could not write the data";
  return ok;
}

bool TJwsData::Save(ByteWriter& w, std::int32_t version) {
  const std::int32_t v = VersionWritten(version);
  std::string magic = Magic.size() == 7 ? Magic : std::string(kJwsMagic);
  w.Write(magic.data(), 7);
  w.Fill('.', 193);
  w.I32(v);
  w.F64(Header.RefX);
  w.F64(Header.RefY);
  for (int g = 0; g < 16; ++g) w.F64(LayerGroups.size() == 16 ? LayerGroups[g].Scale : 0.0);
  w.Write(&Header.Ints, sizeof Header.Ints);
  w.Write(&Header.Doubles, sizeof Header.Doubles);

  jww::ClassTagWriter tags(v);
  jww::BlockRenumber renumber(BlockDefs);
  jww::ListWriter<TEntJwwMoji2> lists(w, v, tags, renumber, jww::TextRewrite::kDropTempPrefix);
  if (!lists.WriteList(*this)) {
    if (w.Ok()) saveError = "the entity order does not match the entity arrays";
    return false;
  }
  if (!lists.WriteDefs(BlockDefs)) {
    if (w.Ok()) saveError = "the entity order of a block definition does not match its arrays";
    return false;
  }
  return w.Ok();
}

}  // namespace quintaro
