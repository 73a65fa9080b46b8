// File forms of the figure records shared by drawings and symbols. The
// reader multiplies coordinates by `factor`, the writer divides by it.
#pragma once

#include <cstdint>

#include "formats/common/bytes.h"
#include "formats/jwc/jwc_types.h"

namespace quintaro {

inline constexpr std::uint64_t kJwcSenBytes = 22;
inline constexpr std::uint64_t kJwcEnkoBytes = 32;
inline constexpr std::uint64_t kJwcMojiBytes = 24;
inline constexpr std::uint64_t kJwcTenBytes = 12;

TEntJwcSen ReadJwcSen(ByteReader& r, double factor);
TEntJwcEnko ReadJwcEnko(ByteReader& r, double factor);
TEntJwcTen ReadJwcTen(ByteReader& r, double factor);
// The fixed part of a text; `low` and `high` are the 16-bit words at
// bytes 16 and 18 (how they address the string depends on the format).
TEntJwcMoji2 ReadJwcMoji(ByteReader& r, double factor, std::uint16_t& low, std::uint16_t& high);

// Colour numbers and line types out of range are written as 0; the
// records themselves are not changed.
void WriteJwcSen(ByteWriter& w, const TEntJwcSen& s, double factor);
void WriteJwcEnko(ByteWriter& w, const TEntJwcEnko& a, double factor);
void WriteJwcTen(ByteWriter& w, const TEntJwcTen& p, double factor);
void WriteJwcMoji(ByteWriter& w, const TEntJwcMoji2& t, double factor, std::uint16_t low,
                  std::uint16_t high);

// A coordinate as stored: the held value divided by the factor, single precision.
inline void WriteJwcCoord(ByteWriter& w, double value, double factor) {
  w.F32(static_cast<float>(value / factor));
}
// Nearest integer (ties to even) limited to the target range; NaN gives 0.
std::int32_t RoundToI32(double v);
std::uint16_t RoundToU16(double v);

// The text of a string inside a text block: from `pos` to the next NUL
// (or the block's end), control characters removed. Empty when `pos` lies
// outside the block.
std::string TextInBlock(const std::string& block, std::int64_t pos);

}  // namespace quintaro
