// TJwsData: one JWS symbol file: a fixed 452-byte header, then
// the entity lists and block definitions of the JWW format,
// read and written by the same code. Texts (TEntJwwMoji2) have no
// 255-character limit; there is no layer table, memo, pen or image section.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/repairs.h"
#include "formats/common/types.h"
#include "formats/jww/jww_types.h"

namespace quintaro {

class ByteReader;
class ByteWriter;

#pragma pack(push, 1)
// The JWS header values after the version, written back unchanged (the
// 16 layer group scales, which stand between RefX/RefY and Ints in the
// file, are kept in TJwsData::LayerGroups).
struct TEntJwsHeader {
  double RefX, RefY;  // reference point (the extents start from it)
  std::int32_t Ints[6];
  double Doubles[10];  // [6], [7], [8], [9]: range rectangle corner 1 x, y, corner 2 x, y
  QUINTARO_BITWISE_EQ(TEntJwsHeader)
};
#pragma pack(pop)
static_assert(sizeof(TEntJwsHeader) == 16 + 24 + 80);

class TJwsData : public TJwsEntityList {
 public:
  static constexpr std::size_t kHeaderSize = 452;  // where the main list starts

  // ---- the model ----
  std::string Magic;   // 7 characters ("JwsData") after a load
  std::string Filler;  // the 193 bytes after it as read (empty: written as ".")
  std::int32_t Version = 0;
  TEntJwsHeader Header{};
  std::vector<TEntJwwLayerGroup> LayerGroups;  // 16 after a load: Scale from the file, State 2
  // (EntityCount, EntityOrder and the seven arrays come from TJwsEntityList.)
  std::int32_t BlockDefCount = 0;
  std::vector<TEntJwwBlockDef2> BlockDefs;
  std::vector<TEntJwwBlockTree> BlockTree;
  std::int32_t ReferencedBlockCount = 0;
  TrailingBytes Trailer;  // bytes after the block definitions, written back after them

  // ---- not part of the model (ignored by operator==) ----
  TextMacroValues macros;  // UTF-8; a load sets the file name, empties the others, print scale 1.0
  JwwLoadReport loadReport;
  std::string saveError;
  DrawingExtents Extents;  // this container's copy of the extents

  TJwsData();
  TJwsData(const TJwsData&) = default;
  TJwsData& operator=(const TJwsData&) = default;

  // True when the file starts with "JwsData" (any error: false).
  static bool IsJwsFile(const std::string& path);

  void ResetData();
  void ClearData();

  bool LoadFromFile(const std::string& path);
  bool LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name = "");

  // The version written is 230 when version <= 230, 351 when it is 300,
  // otherwise version (a change noted in SaveRepairs). Atomic; false with
  // saveError set.
  bool SaveToFile(const std::string& path, std::int32_t version);
  bool SaveToBytes(std::int32_t version, std::vector<std::uint8_t>& out);
  static std::int32_t VersionWritten(std::int32_t version) {
    return version <= 230 ? 230 : version == 300 ? 351 : version;
  }

  const RepairLog& SaveRepairs() const { return saveRepairs_; }
  // What a save with the version read would repair, by the writer's own
  // rules, without writing anything.
  RepairLog PlannedRepairs() const;

  void BuildBlockTree();
  // As TJwwData::NumberBlocksFromScratch.
  void NumberBlocksFromScratch();

  // Every layer normal (state 1), no names, scale 1 / group scale (1.0 when 0).
  PublishedLayers PublishLayers() const;

  friend bool operator==(const TJwsData& a, const TJwsData& b);

 private:
  bool Load(ByteReader& r, const std::string& name);
  bool Save(ByteWriter& w, std::int32_t version);

  RepairLog saveRepairs_;
};

}  // namespace quintaro
