// The drawing header: three title fields on the first 200-byte line and the
// values of lines 2, 3 and 4 (decimal text separated by commas). Values
// named valueL_N are read and written back without further meaning.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace quintaro {

inline constexpr std::int32_t kJwcDefaultTextAddress = 0x6000 * 16;  // 6000:0000

struct TEntJwcHeader {
  // Every byte of the three title fields of line 1, NUL bytes included.
  std::string titleA;  // 40 bytes, begins with the magic
  std::string titleB;  // 32 bytes
  std::string titleC;  // 32 bytes
  // Layer group scales are 4-byte floats in the file (else 16-bit integers).
  bool FloatScales = true;
  // Paper millimetres per file unit; coordinates in memory are multiplied by it.
  float PaperFactor = 1.0f;

  // Line 2.
  std::int32_t lineCount = 0, arcCount = 0, textCount = 0, pointCount = 0;
  std::int32_t slotCount = 0;  // point slots 1..slotCount are in use (0..100)
  std::int32_t value2_6 = 1, value2_7 = 1, value2_8 = 1, value2_9 = 1;
  float value2_10 = 1.0f;
  std::int32_t value2_11 = 0;
  std::int32_t PaperCode = 3;
  std::int32_t value2_13 = 2, value2_14 = 1;
  float value2_15 = 0, value2_16 = 0, value2_17 = 5.0f, value2_18 = 10.0f;
  std::int32_t value2_19 = 0, value2_20 = 0, value2_21 = 0, value2_22 = 0, value2_23 = 0,
               value2_24 = 0, value2_25 = 0;
  float value2_26 = 5.0f, value2_27 = 5.0f;
  float value2_28 = 0, value2_29 = 0, value2_30 = 0;
  std::int32_t PaperWidth = 518;  // paper width in file units
  std::int32_t value2_32 = 0;

  // Line 3.
  float value3_1 = 0, value3_2 = 0, value3_3 = 3.0f, value3_4 = 15.0f;
  std::int32_t value3_5 = 0, value3_6 = 0, value3_7 = 0, value3_8 = 0, value3_9 = 0;
  std::int32_t value3_10 = 1;
  float value3_11 = 0, value3_12 = 0, value3_13 = 0, value3_14 = 0, value3_15 = 0, value3_16 = 0;
  std::int32_t value3_17 = 0, value3_18 = 0, value3_19 = 0;
  float value3_20 = 100.0f, value3_21 = 100.0f, value3_22 = 100.0f, value3_23 = 100.0f,
        value3_24 = 100.0f, value3_25 = 100.0f;
  float value3_26 = 0, value3_27 = 0;
  float value3_28 = 1.0f;

  // Line 4: the text block's start and end as linear far addresses
  // (segment * 16 + offset), then kept values.
  std::int32_t textStart = kJwcDefaultTextAddress;
  std::int32_t textEnd = kJwcDefaultTextAddress;
  float value4_3 = 0, value4_4 = 0, value4_5 = 0, value4_6 = 0, value4_7 = 0, value4_8 = 0,
        value4_9 = 0, value4_10 = 0, value4_11 = 0, value4_12 = 0, value4_13 = 0, value4_14 = 0,
        value4_15 = 0, value4_16 = 0, value4_17 = 0, value4_18 = 0, value4_19 = 0, value4_20 = 0;
  std::int32_t value4_21 = 0, value4_22 = 0;

  friend bool operator==(const TEntJwcHeader&, const TEntJwcHeader&) = default;
};

// One numeric value of a header line: an int32 or a float field.
using JwcHeaderField = std::variant<std::int32_t TEntJwcHeader::*, float TEntJwcHeader::*>;

// The fields of lines 2, 3 and 4 in line order. Line 4's first two
// entries are the far addresses textStart and textEnd.
std::span<const JwcHeaderField> JwcLineFields(int line);

// Paper width in millimetres for a paper code, or 0 when the code has none.
int JwcPaperMillimetres(std::int32_t paperCode);
// PaperFactor for the header's PaperCode and PaperWidth.
float ComputeJwcPaperFactor(const TEntJwcHeader& header);

// The segment the text block is written in: the start's own segment, or
// FFFF (with a larger offset) when that does not fit 16 bits.
std::uint32_t JwcTextSegment(std::int32_t start);
// True when a text block from start to end can be addressed: every offset
// from the written segment fits 16 bits.
bool JwcTextBlockFits(std::int32_t start, std::int32_t end);

// Fills the titles and FloatScales from line 1.
void ParseJwcTitleLine(const std::string& line, TEntJwcHeader& header);
// Fills the values of line 2, 3 or 4 (PaperWidth 0 becomes 518).
void ParseJwcValueLine(int line, const std::string& text, TEntJwcHeader& header);

// Builds line 1 (titles NUL-padded to 40, 32 and 32; spaces; line feed).
// Title A as written: the magic first, and byte 22 "f" exactly when the
// group scales are written as floats, so that the file reads back the way
// it was written.
std::string JwcTitleAForWrite(const TEntJwcHeader& header);
// `read` is the line as read (or empty): see BuildTitleLineKeeping.
std::string BuildJwcTitleLine(const TEntJwcHeader& header, std::string_view read = {});
// Builds line 2, 3 or 4 as 200 bytes. A value that reads from `read` (the
// line as read, or empty) as it is held keeps its text. Empty when the
// values cannot be written in 198 characters even in their shortest forms.
std::string BuildJwcValueLine(int line, const TEntJwcHeader& header, std::string_view read = {});

}  // namespace quintaro
