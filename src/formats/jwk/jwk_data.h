// One symbol of the DOS-era JWK format in memory, with its reader and writer.
//
// The file is two 200-byte header lines followed by lines, arcs, points
// and texts (in that order) and the text block. Coordinates are held as
// stored; they are divided by SymbolScale wherever they are measured or
// drawn. Symbols have no layer names and no text style table.
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
#include "formats/jwc/jwc_types.h"

namespace quintaro {

struct TEntJwkHeader {
  // Every byte of the three title fields of line 1, NUL bytes included.
  std::string titleA;  // 40 bytes, begins with the magic
  std::string titleB;  // 32 bytes
  std::string titleC;  // 32 bytes
  // Line 2.
  std::int32_t lineCount = 0, arcCount = 0, pointCount = 0, textCount = 0;
  float value2_5 = 0, value2_6 = 0, value2_7 = 1.0f;
  std::int32_t textBlockSize = 0;  // bytes of the text block
  float SymbolScale = 1.0f;        // a value not above 1e-14 is read as 1
  friend bool operator==(const TEntJwkHeader&, const TEntJwkHeader&) = default;
};

// Loading and saving, ClearData, StyleOf, macros, loadReport and saveError
// come from JwcContainer. A save first cleans texts in memory and updates
// text offsets, counts, the text block size and headerLines to what it
// writes.
class TJwkData : public JwcContainer<TJwkData> {
 public:
  static constexpr int kTextStyles = 12;

  TJwkData() { ResetData(); }

  // True when the file begins with "jw_cad(c)sym........".
  static bool IsJwkFile(const std::string& path);

  // Empties the symbol, sets the header defaults and the default text styles.
  void ResetData();

  // Every layer with display state 1, no names and the scale 1 / SymbolScale.
  PublishedLayers PublishLayers() const;

  std::array<std::string, 2> headerLines;  // as last read or written
  TEntJwkHeader header;
  std::array<TEntJwcMojiStyle, kTextStyles> textStyles{};  // not stored in the file
  JwcRecordList<TEntJwcSen> lines;
  JwcRecordList<TEntJwcEnko> arcs;
  JwcRecordList<TEntJwcTen> points;
  std::vector<TEntJwcMoji2> texts;  // address = byte offset into the text block
  // The text block as last read or written: written back as it is while it
  // still gives every text at its address, so that unused bytes survive.
  std::string textBlock;
  // The word after each text's offset as read (the reader has no use for
  // it), written back by position.
  std::vector<std::uint16_t> textHighWords;
  TrailingBytes trailing;  // bytes after the last section, kept as read
  DrawingExtents extents;  // the container's copy of the computed extents

  // Compares the symbol (not macros, reports or extents).
  friend bool operator==(const TJwkData& a, const TJwkData& b);

 private:
  friend class JwcContainer<TJwkData>;
  static constexpr std::string_view kWhat = "symbol";

  bool ReadSections(ByteReader& reader);
  bool PrepareSave();
  void NoteRepairs(RepairLog& log) const;
  bool WriteBody(ByteWriter& writer) const;
};

}  // namespace quintaro
