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

class TJwkData {
 public:
  static constexpr int kTextStyles = 12;

  TJwkData() { ResetData(); }

  // True when the file begins with "jw_cad(c)sym........".
  static bool IsJwkFile(const std::string& path);

  // Empties the symbol, sets the header defaults and the default text styles.
  void ResetData();
  void ClearData() { ResetData(); }

  // Reads a symbol. True only when every byte was read; a partial load
  // keeps every record read completely and tells in loadReport where it
  // stopped. Sets the text macro values in `macros` either way.
  bool LoadFromFile(const std::string& path);
  bool LoadFromBytes(std::span<const std::uint8_t> bytes, std::string_view name = {});

  // Writes the symbol. Texts are cleaned in memory and text offsets,
  // counts, the text block size and headerLines are updated to what was
  // written. The file is replaced atomically; on failure nothing is
  // written and saveError tells why.
  bool SaveToFile(const std::string& path);
  bool SaveToBytes(std::vector<std::uint8_t>& out);

  // Every layer with display state 1, no names and the scale 1 / SymbolScale.
  PublishedLayers PublishLayers() const;

  // The style a text names; an all-zero style for a number out of range.
  const TEntJwcMojiStyle& StyleOf(int number) const;

  std::array<std::string, 2> headerLines;  // as last read or written
  TEntJwkHeader header;
  std::array<TEntJwcMojiStyle, kTextStyles> textStyles{};  // not stored in the file
  std::vector<TEntJwcSen> lines;
  std::vector<TEntJwcEnko> arcs;
  std::vector<TEntJwcTen> points;
  std::vector<TEntJwcMoji2> texts;  // address = byte offset into the text block
  DrawingExtents extents;           // the container's copy of the computed extents

  TextMacroValues macros;    // set by every load
  JwcLoadReport loadReport;  // of the last load
  std::string saveError;     // why the last save failed

  // Compares the symbol (not macros, reports or extents).
  friend bool operator==(const TJwkData& a, const TJwkData& b);

 private:
  bool Load(ByteReader& reader, std::string_view name);
  bool PrepareSave();
  bool WriteBody(ByteWriter& writer) const;
};

}  // namespace quintaro
