// JwwString: the length-prefixed strings of the JWW and JWS formats, in the
// two forms the files use, and the filters applied to them.
//
// Shift-JIS form: a length byte n < 0xFF and n bytes; or 0xFF, a uint16
// n < 0xFFFE and n bytes; or 0xFF, 0xFFFF, a uint32 n and n bytes.
// Unicode form (Jw_cad 8): 0xFF, 0xFFFE, then the same length forms counting
// UTF-16 code units, then 2 bytes per unit, UTF-16LE.
// A string keeps the form it was read in (EncodedText::encoding) and is
// written back in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/common/bytes.h"
#include "formats/common/text.h"

namespace quintaro::jww {

// Reads one string as it is (the memo). False when the input failed.
bool ReadRawString(ByteReader& r, EncodedText& out);
// Reads one string and applies the control-character filter (every other
// string); `cleaned`, when given, counts a string the filter changed.
bool ReadCleanString(ByteReader& r, EncodedText& out, std::int64_t* cleaned = nullptr);

// The control-character filter of the reader: Shift-JIS: a lead byte keeps
// the byte after it, a lead byte at the end is dropped, any other byte below
// 0x20 is dropped; UTF-16: code units below 0x20 are dropped.
void CleanControls(EncodedText& text);

// Cuts a string to at most `maxChars` bytes (Shift-JIS) or code units
// (UTF-16), never inside a double-byte character or a surrogate pair.
void CutToChars(EncodedText& text, std::size_t maxChars);

// The save filter of the writer: characters below 0x20 and every "^m" are
// dropped (also a "^m" that the dropping brings together, so that filtering
// twice gives the same as once); a result that is empty although the input
// was not becomes " ". Returns false (and leaves `out` empty) when the text
// is unchanged by the filter, so the caller can write the original.
bool SaveFilter(const EncodedText& text, EncodedText& out);

// As SaveFilter, always producing the result.
EncodedText SaveFiltered(const EncodedText& text);

// Writes a string in its own form. An ANSI string of 0xFFFE bytes or more
// uses the uint32 length form (as Jw_cad does).
void WriteString(ByteWriter& w, const EncodedText& text);

// Text made of ASCII characters in the given form.
EncodedText AsciiText(std::string_view ascii, TextEncoding encoding);
// True when the text begins with the ASCII characters (in its own form).
bool StartsWithAscii(const EncodedText& text, std::string_view ascii);
// Number of characters of the form: bytes (Shift-JIS) or code units (UTF-16).
inline std::size_t Units(const EncodedText& text) {
  return text.encoding == TextEncoding::kUtf16le ? text.bytes.size() / 2 : text.bytes.size();
}
// Removes the first `units` units.
void DropUnits(EncodedText& text, std::size_t units);
// True when nothing is left after removing half-width and full-width spaces.
bool IsBlank(const EncodedText& text);

}  // namespace quintaro::jww
