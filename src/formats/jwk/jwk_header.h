// The symbol header: titles on line 1, nine values on line 2.
#pragma once

#include <string>
#include <string_view>

#include "formats/jwk/jwk_data.h"

namespace quintaro {

inline constexpr int kJwkLine2Values = 9;

// Fills the titles from line 1.
void ParseJwkTitleLine(const std::string& line, TEntJwkHeader& header);
// Fills the nine values of line 2; a SymbolScale not above 1e-14 becomes 1.
void ParseJwkValueLine(const std::string& line, TEntJwkHeader& header);

// `read` is the line as read (or empty); what did not change keeps its
// bytes (see BuildTitleLineKeeping and BuildValueLineKeeping).
std::string BuildJwkTitleLine(const TEntJwkHeader& header, std::string_view read = {});
// 200 bytes, or empty when the values cannot be written in a line.
std::string BuildJwkValueLine(const TEntJwkHeader& header, std::string_view read = {});

}  // namespace quintaro
