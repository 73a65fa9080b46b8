// Strings of the drawings are kept as the bytes they were read as: Shift-JIS
// (code page 932) in most files, UTF-16LE where a newer file used that form.
// They are decoded only to be shown.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quintaro {

enum class TextEncoding : unsigned char { kCp932, kUtf16le };

struct EncodedText {
  std::string bytes;
  TextEncoding encoding = TextEncoding::kCp932;

  bool Empty() const { return bytes.empty(); }
  friend bool operator==(const EncodedText&, const EncodedText&) = default;
};

// UTF-8 for display; undecodable sequences become U+FFFD.
std::string Cp932ToUtf8(const std::string& bytes);
std::string Utf16leToUtf8(const std::string& bytes);
std::string ToUtf8(const EncodedText& text);
// Shift-JIS bytes for UTF-8 text (for names typed by users and for tests);
// characters without a Shift-JIS form become '?'.
std::string Utf8ToCp932(const std::string& utf8);
// Shift-JIS bytes for UTF-8 text; false (and `out` unspecified) when a
// character has no Shift-JIS form or the UTF-8 is invalid.
bool Utf8ToCp932Exact(const std::string& utf8, std::string& out);

// True for a byte that starts a two-byte Shift-JIS character.
// Length of the valid UTF-8 sequence at s[i] (1 to 4), or 0 when the bytes
// there are not one.
inline std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  auto c = static_cast<unsigned char>(s[i]);
  std::size_t n = c < 0x80           ? 1
                  : (c >> 5) == 0x6  ? 2
                  : (c >> 4) == 0xE  ? 3
                  : (c >> 3) == 0x1E ? 4
                                     : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return 0;
  return n;
}

inline bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFD);
}

}  // namespace quintaro
