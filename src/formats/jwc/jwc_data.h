// One drawing of the DOS-era JWC format in memory, with its reader and writer.
//
// The file is four 200-byte header lines, fixed tables (point slots, text
// styles, layer group and layer state bytes) and one section per figure
// kind; names close the file. Texts are Shift-JIS bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/types.h"
#include "formats/jwc/jwc_container.h"
#include "formats/jwc/jwc_header.h"
#include "formats/jwc/jwc_types.h"

namespace quintaro {

// Loading and saving, ClearData, StyleOf, macros, loadReport and saveError
// come from JwcContainer. A save first cleans texts and names in memory and
// updates text addresses, counts, the text block end and headerLines to
// what it writes.
class TJwcData : public JwcContainer<TJwcData> {
 public:
  static constexpr int kPointSlots = 101;  // slot 0 is never drawn, counted or measured
  static constexpr int kMaxUsedSlots = 100;
  static constexpr int kTextStyles = 12;  // 0..10 are in the file; 11 stays zero
  static constexpr int kFileTextStyles = 11;
  static constexpr int kLayerGroups = 16;
  static constexpr int kLayers = 256;  // indexed by layer code

  TJwcData() { ResetData(); }

  // True when the file begins with "jw_cad(c)data.......".
  static bool IsJwcFile(const std::string& path);

  // Empties the drawing and sets every header value to its default.
  void ResetData();

  // Layer and group names and the group scales for the attribute store.
  PublishedLayers PublishLayers() const;

  // Point slots 1..UsedPointSlots() are in use.
  int UsedPointSlots() const;
  // 1 / scale of a layer group; 1 where the scale is 0, negative or invalid.
  double GroupScaleFactor(int group) const;

  // Header lines as last read or written (200 bytes each; empty when not read).
  std::array<std::string, 4> headerLines;
  TEntJwcHeader header;
  std::array<TEntJwcPointSlot, kPointSlots> pointSlots{};
  std::array<TEntJwcMojiStyle, kTextStyles> textStyles{};
  std::array<TEntJwcLayerGroup, kLayerGroups> layerGroups{};
  std::array<TEntJwcLayer, kLayers> layers{};
  JwcRecordList<TEntJwcSen> lines;
  JwcRecordList<TEntJwcEnko> arcs;
  std::vector<TEntJwcMoji2> texts;
  JwcRecordList<TEntJwcTen> points;
  // The text block as last read or written: written back as it is while it
  // still gives every text at its address, so that unused bytes survive.
  std::string textBlock;
  TrailingBytes trailing;  // bytes after the last section, kept as read
  // The name fields as read, layers by code then groups: written back as
  // they are while they hold the name (bytes after a NUL survive).
  std::array<std::string, kLayers + kLayerGroups> nameFields;
  DrawingExtents extents;  // the container's copy of the computed extents

  // Compares the drawing (not macros, reports or extents).
  friend bool operator==(const TJwcData& a, const TJwcData& b);

 private:
  friend class JwcContainer<TJwcData>;
  static constexpr std::string_view kWhat = "drawing";

  bool ReadSections(ByteReader& reader);
  // Cleans texts and names, lays out the text block and builds the header
  // lines; false (nothing changed) when the drawing cannot be written.
  bool PrepareSave();
  // The header as it will be written: current counts, titles with the
  // magic, the paper factor the reader will derive.
  TEntJwcHeader HeaderToWrite() const;
  void NoteRepairs(RepairLog& log) const;
  bool WriteBody(ByteWriter& writer) const;
};

}  // namespace quintaro
