// Cleaning of texts and names of the DOS-era formats.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quintaro {

// Drops control characters (below 32) and a Shift-JIS lead byte that ends
// the string; a lead byte with a following byte is kept with it.
std::string StripControls(std::string_view s);

// The form a text or name is written in: StripControls, cut before a NUL
// (the file ends strings there), and no dangling lead byte.
std::string CleanForFile(std::string_view s);

// A text as written: cleaned, and an image text "^@BM%temp%..." (a path in
// a temporary folder) shortened to "^@BM..." (every leading "%temp%" goes).
std::string CleanTextForFile(std::string_view s);

// Cuts to at most `limit` bytes without splitting a double-byte character.
std::string CutToBytes(std::string_view s, std::size_t limit);

// The name a fixed field of `bytes` bytes holds: up to its first NUL,
// control characters removed.
std::string NameInField(std::string_view field, std::size_t bytes);

// A name as written: cleaned and cut to its field's size.
inline std::string CleanNameForFile(std::string_view s, std::size_t limit) {
  return CutToBytes(CleanForFile(s), limit);
}

}  // namespace quintaro
