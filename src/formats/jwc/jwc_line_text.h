// The 200-byte text lines that open drawing and symbol files: titles on the
// first line, numbers as decimal text separated by "," on the others.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quintaro {

inline constexpr std::size_t kJwcLineBytes = 200;
inline constexpr std::size_t kJwcTitleABytes = 40;
inline constexpr std::size_t kJwcTitleBBytes = 32;
inline constexpr std::size_t kJwcTitleCBytes = 32;

// Splits a value line into n value texts. Missing values are "0"; reading
// stops after n values or when nothing follows a comma.
std::vector<std::string_view> SplitLineValues(std::string_view line, std::size_t n);

// A decimal integer ("$" for hexadecimal) after optional blanks, ended by
// the end of the text or a NUL; anything else (or overflow) gives 0.
std::int32_t ParseLineInt(std::string_view text);
// A decimal real number with the same rules; out of single range gives 0.
float ParseLineFloat(std::string_view text);
// A far address "SSSS:OOOO": segment from characters 1..4, offset from
// characters 6..9, both hexadecimal (an invalid part is 0). Linear value.
std::int32_t ParseFarAddress(std::string_view text);

// General decimal form with up to 15 significant digits ("0.1f" gives
// "0.100000001490116").
std::string FormatLineFloat(float value);
// The fewest digits that read back to the same float, in plain decimal
// form ("0.048889", "1500").
std::string FormatLineFloatPlain(float value);
// The shortest text that reads back to the same float (".1", "1E-7").
std::string FormatLineFloatShort(float value);
// Upper-case hexadecimal "SSSS:OOOO", each part at least four digits.
std::string FormatFarAddress(std::uint32_t segment, std::uint32_t offset);

// A value as written: an integer, a float, or text already formatted.
using LineValue = std::variant<std::int32_t, float, std::string>;

// Joins the values with ",", then one NUL, spaces to 199 characters and a
// line feed. Floats take the fewest digits that read back to the same
// float (FormatLineFloatPlain); when the line would not fit, the shortest
// texts are used instead (FormatLineFloatShort, and "$" hexadecimal
// integers where shorter). Empty when even those leave no room for the
// NUL and the line feed.
std::string BuildValueLine(std::span<const LineValue> values);

// The same line keeping what was read: `read` is the line as read (or
// empty), and value i keeps its text from there where keep[i] says that
// the value did not change. The line as read comes back whole when every
// value kept its text.
std::string BuildValueLineKeeping(std::span<const LineValue> values, const std::vector<bool>& keep,
                                  std::string_view read);

// The three title fields of line 1, every byte kept.
struct LineTitles {
  std::string a, b, c;
};
LineTitles SplitTitleLine(std::string_view line);
// Title A as written: it must begin with the format's magic, or the file
// would not be recognised again.
std::string TitleWithMagic(std::string titleA, std::string_view magic);
// A title as its field holds it: NUL-padded or cut to n bytes.
std::string TitleField(std::string title, std::size_t n);
// Titles NUL-padded (or cut) to 40, 32 and 32 bytes, spaces, line feed.
std::string BuildTitleLine(const std::string& a, const std::string& b, const std::string& c);
// The same, or `read` (a line as read) whole when its titles are the same.
std::string BuildTitleLineKeeping(const std::string& a, const std::string& b, const std::string& c,
                                  std::string_view read);

}  // namespace quintaro
