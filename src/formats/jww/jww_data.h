// TJwwData: one JWW drawing in memory, its reader and
// writer.
//
// The entity lists are inherited from TJwwEntityList (jww_types.h):
// EntityCount, EntityOrder and the seven arrays Sen, Enko, Ten, Moji, Sunpo,
// Solid, Block. Each block definition is a TEntJwwBlockDef, itself a
// TJwwEntityList with its own base, number, name and flags; BlockTree holds
// every placed block with its placement (built after each load).
//
// Strings are EncodedText: Shift-JIS bytes, or UTF-16LE for strings that a
// Jw_cad 8 file stored in the Unicode form; each is written back in its form
// (ToUtf8() decodes either for display).
//
// Typical use (the session):
//   BindImageStore images(workFolder.Path());   // one per process
//   TJwwData jww;  jww.SetImageStore(&images);
//   images.DeleteFiles(); jww.ClearData();       // before each open and at exit
//   bool complete = jww.LoadFromFile(path);      // partial drawings stay loaded
//   if (!complete) print(jww.loadReport.reason, jww.loadReport.failOffset);
//   PublishedLayers layers = jww.PublishLayers();
//   ... moves rewrite Layer/LayerGroup through ForEachBase() ...
//   jww.SetSaveMode(0);
//   if (!jww.SaveToFile(target, jww.Header.Version)) print(jww.saveError);
//
// Safeguards beyond the plain format (see also jww_types.h,
// jww_string.h, bind_images.h): Unicode strings; image names confined to the
// work folder; reservations bounded by the bytes that remain; block trees
// bounded; atomic saves that open every carried image before writing the
// count; a 44-byte shadow block for versions 231..299; strings of 0xFFFE
// bytes or more in the uint32 length form.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/repairs.h"
#include "formats/common/types.h"
#include "formats/jww/bind_images.h"
#include "formats/jww/jww_types.h"

namespace quintaro {

class ByteReader;
class ByteWriter;

class TJwwData : public TJwwEntityList {
 public:
  // ---- the model, in file order ----
  TEntJwwHeader Header;
  std::vector<TEntJwwLayerGroup> LayerGroups;    // 16 once a header was read, else empty
  std::vector<TEntJwwLayer> Layers;              // 256, index group * 16 + layer
  std::vector<TEntJwwPen> Pens;                  // 10, colour numbers 0..9
  std::vector<TEntJwwLineType> LineTypes;        // 8, line types 2..9
  std::vector<TEntJwwRandLine> RandLines;        // 5, line types 11..15
  std::vector<TEntJwwLineType> DoubleLineTypes;  // 4, line types 16..19
  std::vector<TEntJwwColorExNo> ColorsEx;        // 257 (zero before version 420)
  std::vector<TEntJwwLineTypeExNo> LineTypesEx;  // 33 (zero before version 420)
  std::vector<TEntJwwMojiStyle> MojiStyles;      // 10, text styles 1..10
  // (EntityCount, EntityOrder and the seven arrays come from TJwwEntityList.)
  std::int32_t BlockDefCount = 0;  // as announced by the file
  std::vector<TEntJwwBlockDef> BlockDefs;
  std::vector<TEntJwwBlockTree> BlockTree;
  std::int32_t ReferencedBlockCount = 0;  // definitions reached from the main list
  std::int32_t SaveMode = 0;              // 0..15
  TrailingBytes Trailer;                  // bytes after the last section, written back after it

  // ---- not part of the model (ignored by operator==) ----
  TextMacroValues macros;                 // set by a load (UTF-8 text-macro values)
  JwwLoadReport loadReport;               // of the last load
  std::string saveError;                  // why the last save failed ("" after a success)
  std::vector<std::string> saveWarnings;  // what the last save left out (missing images)
  DrawingExtents Extents;                 // this container's copy of the extents

  TJwwData();
  TJwwData(const TJwwData&) = default;
  TJwwData& operator=(const TJwwData&) = default;

  // The carried-image store (not owned; nullptr = none: image data are
  // read and dropped, saves carry no images).
  void SetImageStore(BindImageStore* store) { images_ = store; }
  BindImageStore* ImageStore() const { return images_; }

  // True when the file starts with "JwwData." (any error: false).
  static bool IsJwwFile(const std::string& path);

  // Frees every table and array, zeroes every count, header defaults, SaveMode 0.
  void ResetData();
  // Frees the block definitions' lists, then ResetData.
  void ClearData();

  // Reads a drawing. True only when the whole file was read; a partial load keeps
  // everything completely read (see `loadReport`). BuildBlockTree runs after it.
  bool LoadFromFile(const std::string& path);
  // The same reader over bytes in memory (tests, fuzzing).
  bool LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name = "");

  void SetSaveMode(int mode) { SaveMode = (mode >= 0 && mode <= 15) ? mode : 0; }

  // Writes the drawing atomically (a failure leaves an existing file as it
  // was). `version` is normally Header.Version. False with saveError set.
  bool SaveToFile(const std::string& path, std::int32_t version);
  // The same writer into memory (carried images too, from the store's folder).
  bool SaveToBytes(std::int32_t version, std::vector<std::uint8_t>& out);

  // What the last save wrote differently from the model (values out of
  // the format's range), by kind and count; emptied when a save starts.
  const RepairLog& SaveRepairs() const { return saveRepairs_; }
  // What a save with the version read would repair, by the writer's own
  // rules, without writing anything (empty when a save would be refused).
  RepairLog PlannedRepairs() const;

  // Rebuilds BlockTree, the in-use flags, use indices and
  // ReferencedBlockCount from the block insertions and definitions.
  void BuildBlockTree();
  // For a drawing built in memory: numbers the block definitions 0, 1, ...
  // in order and the insertions to match (a save keeps numbers as they are).
  void NumberBlocksFromScratch();

  // The layer table for the attribute store (PublishLayers):
  // state 3 (hidden) when the group or the layer state is 0, else 2 (display
  // only) when either is 1, else 1; names; scale 1 / group scale (1.0 when 0).
  PublishedLayers PublishLayers() const;

  // Model equality (header, tables, lists, definitions, tree, counts, SaveMode).
  friend bool operator==(const TJwwData& a, const TJwwData& b);

 private:
  bool Load(ByteReader& r, const std::string& name);
  bool Save(ByteWriter& w, std::int32_t version);
  bool ReadImages(ByteReader& r, std::string& where);
  bool HasHeaderTables() const;
  // For each carried image whether a text shows it (a save of version `v`
  // writes only those); empty when such a save carries no images.
  std::vector<bool> ShownImages(std::int32_t v) const;
  void SetMacros();

  BindImageStore* images_ = nullptr;
  RepairLog saveRepairs_;
};

}  // namespace quintaro
