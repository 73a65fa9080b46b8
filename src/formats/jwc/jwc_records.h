// File forms of the figure records shared by drawings and symbols. The
// reader multiplies coordinates by `factor`, the writer divides by it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/memory.h"
#include "formats/jwc/jwc_types.h"

namespace quintaro {

inline constexpr std::uint64_t kJwcSenBytes = 22;
inline constexpr std::uint64_t kJwcEnkoBytes = 32;
inline constexpr std::uint64_t kJwcMojiBytes = 24;
inline constexpr std::uint64_t kJwcTenBytes = 12;

inline constexpr double kJwcAngleUnit = 65536.0;     // stored angles are degrees * 65536
inline constexpr double kJwcFlatnessUnit = 10000.0;  // stored flatness is ratio * 10000

// The fields of one record, taken from its bytes where they stand.
struct JwcFields {
  const std::uint8_t* b;
  template <class T>
  T At(std::size_t at) const {
    T v;
    std::memcpy(&v, b + at, sizeof v);
    return v;
  }
  double Coord(std::size_t at, double factor) const {
    return static_cast<double>(At<float>(at)) * factor;
  }
};

// One record's bytes, taken apart where they stand in the reader's buffer
// (reading field by field cost several times more, and so did a copy of
// the record that the processor could not forward to the narrower loads
// after it); a record that straddles the buffer's end is copied first
// (zeros after a short read).
template <std::size_t N>
struct JwcRecordBytes : JwcFields {
  std::uint8_t copy[N];
  explicit JwcRecordBytes(ByteReader& r) : JwcFields{r.TakeInPlace<N>()} {
    if (!b) {
      r.ReadFixed<N>(copy);
      b = copy;
    }
  }
  JwcRecordBytes(const JwcRecordBytes&) = delete;
  JwcRecordBytes& operator=(const JwcRecordBytes&) = delete;
};

// The file forms of the fixed-size figure records: their size, and the
// record taken apart from its bytes.
struct JwcSenForm {
  using Record = TEntJwcSen;
  static constexpr std::size_t kBytes = kJwcSenBytes;
  static TEntJwcSen Decode(JwcFields b, double factor) {
    TEntJwcSen s;
    s.startX = b.Coord(0, factor);
    s.startY = b.Coord(4, factor);
    s.endX = b.Coord(8, factor);
    s.endY = b.Coord(12, factor);
    s.lineType = b.b[16];
    s.color = b.b[17];
    s.layer = b.b[18];
    std::memcpy(s.kept.data(), b.b + 19, s.kept.size());
    return s;
  }
};

struct JwcEnkoForm {
  using Record = TEntJwcEnko;
  static constexpr std::size_t kBytes = kJwcEnkoBytes;
  static TEntJwcEnko Decode(JwcFields b, double factor) {
    TEntJwcEnko a;
    a.centerX = b.Coord(0, factor);
    a.centerY = b.Coord(4, factor);
    a.radius = b.Coord(8, factor);
    a.flatness = b.At<std::uint16_t>(12) / kJwcFlatnessUnit;
    a.startAngle = b.At<std::int32_t>(14) / kJwcAngleUnit;
    a.endAngle = b.At<std::int32_t>(18) / kJwcAngleUnit;
    a.tiltAngle = b.At<std::int32_t>(22) / kJwcAngleUnit;
    a.lineType = b.b[26];
    a.color = b.b[27];
    a.layer = b.b[28];
    std::memcpy(a.kept.data(), b.b + 29, a.kept.size());
    return a;
  }
};

struct JwcTenForm {
  using Record = TEntJwcTen;
  static constexpr std::size_t kBytes = kJwcTenBytes;
  static TEntJwcTen Decode(JwcFields b, double factor) {
    TEntJwcTen p;
    p.x = b.Coord(0, factor);
    p.y = b.Coord(4, factor);
    p.layer = b.b[8];
    p.color = b.b[9];
    std::memcpy(p.kept.data(), b.b + 10, p.kept.size());
    return p;
  }
};

// The fixed part of a text; `low` and `high` are the 16-bit words at
// bytes 16 and 18 (how they address the string depends on the format).
inline TEntJwcMoji2 ReadJwcMoji(ByteReader& r, double factor, std::uint16_t& low,
                                std::uint16_t& high) {
  const JwcRecordBytes<kJwcMojiBytes> b(r);
  TEntJwcMoji2 t;
  t.startX = b.Coord(0, factor);
  t.startY = b.Coord(4, factor);
  t.endX = b.Coord(8, factor);
  t.endY = b.Coord(12, factor);
  low = b.At<std::uint16_t>(16);
  high = b.At<std::uint16_t>(18);
  t.style = b.b[20];
  t.layer = b.b[21];
  t.flags = b.b[22];
  t.kept = b.b[23];
  return t;
}

// A record as the writer stores it: colour numbers and line types out of
// range become 0. The held records keep their values.
TEntJwcSen WrittenForm(TEntJwcSen s);
TEntJwcEnko WrittenForm(TEntJwcEnko a);
TEntJwcTen WrittenForm(TEntJwcTen p);
TEntJwcMojiStyle WrittenForm(TEntJwcMojiStyle s);

// Each writes the record's written form.
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

// True when the block still gives every text as held (and in its written
// form) at its address minus `start`: the block can then be written back
// as it is, with the addresses as they are.
bool TextBlockStillServes(const std::string& block, std::int64_t start,
                          const std::vector<TEntJwcMoji2>& texts);
// The texts' strings one after another from offset 0, each ended by a NUL;
// sets each text's address to `start` plus its offset.
std::string LayOutTextBlock(std::vector<TEntJwcMoji2>& texts, std::int32_t start);

// Reads `count` records of `bytes` bytes each with `read`, reserving no
// more than the input can hold. Stops at the first record that is not
// complete; `failed` is then its 0-based index and the result false.
template <typename T, typename ReadFn>
bool ReadJwcRecords(ByteReader& r, std::vector<T>& out, std::uint64_t count, std::uint64_t bytes,
                    double factor, ReadFn read, std::uint64_t& failed) {
  out.reserve(static_cast<std::size_t>(std::min(count, r.Remaining() / bytes)));
  AdviseLargePages(out.data(), out.capacity() * sizeof(T));
  for (std::uint64_t i = 0; i < count; ++i) {
    T record = read(r, factor);
    if (!r.Ok()) {
      failed = i;
      return false;
    }
    out.push_back(std::move(record));
  }
  return true;
}

// Sections of at least this many records are taken apart on two threads.
inline constexpr std::uint64_t kJwcRecordsInTwo = std::uint64_t{1} << 16;

// Reads up to `whole` records of Form, all of which the input holds, into
// the empty `out`: the first half from the reader, the second half on a
// helper thread that reads the input at its own position. The number read,
// with the reader after the last of them; 0 when no helper could be
// started or the input cannot be read at a position (a streamed file on
// Windows). Filling fresh memory is most of the cost of a large section,
// and two cores fill it nearly twice as fast as one.
template <typename Form>
std::uint64_t ReadJwcRecordsInTwo(ByteReader& r, JwcRecordList<typename Form::Record>& out,
                                  std::uint64_t whole, double factor);

// Reads `count` records of Form, reserving no more than the input can
// hold. Stops at the first record that is not complete; `failed` is then
// its 0-based index and the result false.
template <typename Form>
bool ReadJwcRecords(ByteReader& r, JwcRecordList<typename Form::Record>& out, std::uint64_t count,
                    double factor, std::uint64_t& failed) {
  const std::uint64_t whole = std::min(count, r.Remaining() / Form::kBytes);
  std::uint64_t i = 0;
  if (whole >= kJwcRecordsInTwo && out.empty())
    i = ReadJwcRecordsInTwo<Form>(r, out, whole, factor);
  if (i == 0) {
    out.reserve(static_cast<std::size_t>(whole));
    AdviseLargePages(out.data(), out.capacity() * sizeof(typename Form::Record));
  }
  for (; i < count; ++i) {
    const JwcRecordBytes<Form::kBytes> b(r);
    if (!r.Ok()) {
      failed = i;
      return false;
    }
    out.push_back(Form::Decode(b, factor));
  }
  return true;
}

// "arc section (arc 12 of 40)" for the 0-based index 11.
std::string JwcSectionPlace(const char* kind, std::uint64_t index, std::uint64_t count);

}  // namespace quintaro
