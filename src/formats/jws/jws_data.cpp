#include "formats/jws/jws_data.h"

#include <cstring>
#include <string>

#include "formats/common/bytes.h"
#include "formats/common/file_io.h"
#include "formats/jww/jww_container.h"

namespace quintaro {

namespace {
// What a save of `version` changes before its lists: strings the reader
// changed, and a version the format cannot hold.
void NoteSaveChanges(const JwwLoadReport& report, std::int32_t version, RepairLog& log) {
  jww::NoteLoadChanges(report, log);
  const std::int32_t v = TJwsData::VersionWritten(version);
  if (v != version)
    log.Note("version " + std::to_string(version) + " written as " + std::to_string(v));
}

}  // namespace

TJwsData::TJwsData() {
  ResetData();
}

bool TJwsData::IsJwsFile(const std::string& path) {
  return FileStartsWith(path, kJwsMagic);
}

void TJwsData::ResetData() {
  Magic.clear();
  Filler.clear();
  Version = 0;
  Header = TEntJwsHeader{};
  LayerGroups.clear();
  Trailer.Clear();
  jww::ResetLists(*this);
}

void TJwsData::ClearData() {
  jww::ClearData(*this);
}

bool operator==(const TJwsData& a, const TJwsData& b) {
  return a.Magic == b.Magic && a.Filler == b.Filler && a.Version == b.Version &&
         a.Header == b.Header && a.LayerGroups == b.LayerGroups &&
         static_cast<const TJwsEntityList&>(a) == static_cast<const TJwsEntityList&>(b) &&
         a.BlockDefCount == b.BlockDefCount && a.BlockDefs == b.BlockDefs &&
         a.BlockTree == b.BlockTree && a.ReferencedBlockCount == b.ReferencedBlockCount &&
         a.Trailer == b.Trailer;
}

bool TJwsData::LoadFromFile(const std::string& path) {
  return jww::LoadFile(*this, path, [&](ByteReader& r) { return Load(r, path); });
}

bool TJwsData::LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name) {
  ByteReader r(bytes);
  return Load(r, name);
}

bool TJwsData::Load(ByteReader& r, const std::string& name) {
  jww::BeginLoad(*this, name);
  LayerGroups.resize(16);
  for (auto& g : LayerGroups) g.State = 2;

  std::string where;
  bool outOfMemory = false;
  auto readHeader = [&]() -> bool {
    char magic[7];
    where = "the header (the magic)";
    if (!r.Read(magic, 7)) return false;
    Magic.assign(magic, 7);
    char filler[193];
    if (!r.Read(filler, sizeof filler)) return false;
    Filler.assign(filler, sizeof filler);
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
  if (ok) ok = jww::ReadLists(r, Version, *this, where, outOfMemory);
  if (ok && !Trailer.ReadRest(r)) {
    where = "the bytes after the block definitions";
    ok = false;
    outOfMemory = true;
  }
  jww::EndLoad(loadReport, r, ok, where, outOfMemory);
  macros.drawTime.clear();
  macros.memo1.clear();
  macros.memo2.clear();
  macros.printScale = 1.0;
  BuildBlockTree();
  return ok;
}

void TJwsData::BuildBlockTree() {
  jww::BuildTree(*this);
}

void TJwsData::NumberBlocksFromScratch() {
  jww::NumberBlocksFromScratch(*this);
}

PublishedLayers TJwsData::PublishLayers() const {
  PublishedLayers out{};
  for (int i = 0; i < 256; ++i) {
    double scale = LayerGroups.size() == 16 ? LayerGroups[i / 16].Scale : 0.0;
    out[i].scale = scale == 0 ? 1.0 : 1.0 / scale;
  }
  return out;
}

bool TJwsData::SaveToFile(const std::string& path, std::int32_t version) {
  return jww::SaveFile(path, saveError, saveRepairs_,
                       [&](ByteWriter& w) { return Save(w, version); });
}

bool TJwsData::SaveToBytes(std::int32_t version, std::vector<std::uint8_t>& out) {
  return jww::SaveBytes(out, saveError, saveRepairs_,
                        [&](ByteWriter& w) { return Save(w, version); });
}

RepairLog TJwsData::PlannedRepairs() const {
  RepairLog log;
  NoteSaveChanges(loadReport, Version, log);
  jww::NoteListRepairs(VersionWritten(Version), *this, jww::TextRewrite::kDropTempPrefix, log);
  return log;
}

bool TJwsData::Save(ByteWriter& w, std::int32_t version) {
  NoteSaveChanges(loadReport, version, saveRepairs_);
  const std::int32_t v = VersionWritten(version);
  std::string magic = Magic.size() == 7 ? Magic : std::string(kJwsMagic);
  w.Write(magic.data(), 7);
  if (Filler.size() == 193)
    w.Write(Filler.data(), Filler.size());
  else
    w.Fill('.', 193);
  w.I32(v);
  w.F64(Header.RefX);
  w.F64(Header.RefY);
  for (int g = 0; g < 16; ++g) w.F64(LayerGroups.size() == 16 ? LayerGroups[g].Scale : 0.0);
  w.Write(&Header.Ints, sizeof Header.Ints);
  w.Write(&Header.Doubles, sizeof Header.Doubles);

  if (!jww::WriteLists(w, v, *this, jww::TextRewrite::kDropTempPrefix, saveError, saveRepairs_))
    return false;
  Trailer.WriteTo(w);
  return w.Ok();
}

}  // namespace quintaro
