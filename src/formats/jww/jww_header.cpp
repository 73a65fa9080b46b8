#include "formats/jww/jww_header.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "formats/jww/jww_data.h"
#include "formats/jww/jww_header_table.h"
#include "formats/jww/jww_list_writer.h"
#include "formats/jww/jww_string.h"

namespace quintaro::jww {
namespace {

Bytes Place(const Section& s, const Field& f, TJwwData& d, int record) {
  return SetBase(d, s.where.set) + s.where.offset + record * s.where.stride + f.offset;
}

bool IsString(const Field& f) {
  return f.type == Type::kString || f.type == Type::kRawString;
}

std::size_t RecordSize(std::span<const Field> fields, std::int32_t v);

// Bytes of a field in a file of version `v` (strings count 0).
std::size_t FileSize(const Field& f, std::int32_t v) {
  if (!Present(f.above, f.upTo, v) || IsString(f)) return 0;
  if (f.type == Type::kSwitch11) return 4;
  if (f.type == Type::kRecords) return f.sub->records * RecordSize(f.sub->fields, v);
  return f.count * ValueSize(f.type);
}

std::size_t RecordSize(std::span<const Field> fields, std::int32_t v) {
  std::size_t n = 0;
  for (const Field& f : fields) n += FileSize(f, v);
  return n;
}

// ---- reading ----

// Takes the value of the fixed field `f` of `record` out of a piece read.
void TakeOut(const Section& s, const Field& f, const std::uint8_t*& p, int record, std::int32_t v,
             TJwwData& d) {
  if (!Present(f.above, f.upTo, v)) return;
  switch (f.type) {
    case Type::kI32:
    case Type::kF64:
    case Type::kBytes: {
      const std::size_t n = f.count * ValueSize(f.type);
      std::memcpy(Place(s, f, d, record), p, n);
      p += n;
      break;
    }
    case Type::kSwitch11: {
      std::int32_t value, parts[2];
      std::memcpy(&value, p, 4);
      p += 4;
      parts[0] = value % 10;
      parts[1] = value / 10;
      std::memcpy(Place(s, f, d, record), parts, sizeof parts);
      break;
    }
    case Type::kRecords:
      for (int k = 0; k < f.sub->records; ++k)
        for (const Field& g : f.sub->fields)
          TakeOut(*f.sub, g, p, record * f.sub->records + k, v, d);
      break;
    default:
      break;
  }
}

// Reads records first.. of the fixed `fields` of `s` in one piece.
bool ReadPiece(ByteReader& r, const Section& s, std::span<const Field> fields, int first,
               int records, std::int32_t v, TJwwData& d) {
  std::uint8_t buf[512];
  const std::size_t n = records * RecordSize(fields, v);
  if (n > sizeof buf || !r.Read(buf, n)) return false;
  const std::uint8_t* p = buf;
  for (int k = 0; k < records; ++k)
    for (const Field& f : fields) TakeOut(s, f, p, first + k, v, d);
  return true;
}

bool ReadString(ByteReader& r, const Section& s, const Field& f, int record, TJwwData& d) {
  auto& t = *reinterpret_cast<EncodedText*>(Place(s, f, d, record));
  return f.type == Type::kRawString ? ReadRawString(r, t)
                                    : ReadCleanString(r, t, &d.loadReport.stringsCleaned);
}

bool ReadSection(ByteReader& r, std::int32_t v, const Section& s, TJwwData& d) {
  if (s.whole) return ReadPiece(r, s, s.fields, 0, s.records, v, d);
  const auto fields = s.fields;
  for (int k = 0; k < s.records; ++k) {
    for (std::size_t i = 0; i < fields.size();) {
      const Field& f = fields[i];
      if (IsString(f) || f.type == Type::kRecords) {
        if (IsString(f) ? !ReadString(r, s, f, k, d)
                        : !ReadPiece(r, s, fields.subspan(i, 1), k, 1, v, d))
          return false;
        ++i;
        continue;
      }
      std::size_t end = i;  // a run of fixed fields
      while (end < fields.size() && !IsString(fields[end]) && fields[end].type != Type::kRecords)
        ++end;
      if (!ReadPiece(r, s, fields.subspan(i, end - i), k, 1, v, d)) return false;
      i = end;
    }
  }
  return true;
}

// ---- writing ----

// From version 600 on the tens are at least 1; a negative units digit
// would read back with other tens.
std::int32_t Switch11Written(const std::int32_t parts[2], std::int32_t v, RepairLog& log) {
  std::int64_t units = parts[0], tens = parts[1];
  if (v > 599 && (units < 0 || tens <= 0)) {
    log.Note("eleventh display switch written with units 0..9 and tens 1 or more");
    units = std::max<std::int64_t>(units, 0);
    tens = std::max<std::int64_t>(tens, 1);
  }
  return static_cast<std::int32_t>(units + 10 * tens);
}

// Writes the section's fields as a file of version `v` holds them, each
// repaired by its rule; without a writer only the repairs are noted.
void WriteSection(ByteWriter* w, std::int32_t v, const Section& s, int outer, TJwwData& d,
                  RepairLog& log) {
  std::uint8_t buf[128];
  EncodedText filtered;
  for (int k = 0; k < s.records; ++k) {
    const int record = outer * s.records + k;
    for (const Field& f : s.fields) {
      if (!Present(f.above, f.upTo, v)) continue;
      const Bytes at = f.type == Type::kRecords ? nullptr : Place(s, f, d, record);
      switch (f.type) {
        case Type::kI32:
        case Type::kF64:
        case Type::kBytes: {
          const std::size_t n = f.count * ValueSize(f.type);
          static_assert(sizeof buf >= sizeof(TEntJwwHeaderValues::TextEntryE));
          std::memcpy(buf, at, n);
          if (f.repair) f.repair(buf, record, v, log);
          if (w) w->Write(buf, n);
          break;
        }
        case Type::kRawString:
          if (w) WriteString(*w, *reinterpret_cast<const EncodedText*>(at));
          break;
        case Type::kString: {
          const auto& t = *reinterpret_cast<const EncodedText*>(at);
          const bool changes = !t.bytes.empty() && SaveFilter(t, filtered);
          if (changes) log.Note(RepairText(kRepairStringFilter));
          if (w) WriteString(*w, changes ? filtered : t);
          break;
        }
        case Type::kSwitch11: {
          std::int32_t parts[2];
          std::memcpy(parts, at, sizeof parts);
          const std::int32_t value = Switch11Written(parts, v, log);
          if (w) w->I32(value);
          break;
        }
        case Type::kRecords:
          WriteSection(w, v, *f.sub, record, d, log);
          break;
      }
    }
  }
}

void WalkForWriting(ByteWriter* w, std::int32_t version, const TJwwData& d, RepairLog& repairs) {
  // The places are shared with the reader; nothing is changed through them.
  auto& model = const_cast<TJwwData&>(d);
  for (const Section& s : HeaderTable())
    if (Present(s.above, s.upTo, version)) WriteSection(w, version, s, 0, model, repairs);
}

// ---- comparing ----

std::string Text(std::int32_t v) {
  return std::to_string(v);
}
std::string Text(double v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

template <class T>
void CompareValues(const std::string& name, std::size_t count, const std::uint8_t* a,
                   const std::uint8_t* b, const ChangedValue& changed) {
  for (std::size_t i = 0; i < count; ++i, a += sizeof(T), b += sizeof(T)) {
    if (std::memcmp(a, b, sizeof(T)) == 0) continue;
    T x, y;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    changed(count > 1 ? name + "[" + std::to_string(i) + "]" : name, Text(x), Text(y));
  }
}

void CompareField(const Field& f, const std::string& name, const std::uint8_t* a,
                  const std::uint8_t* b, const ChangedValue& changed) {
  switch (f.type) {
    case Type::kI32:
      return CompareValues<std::int32_t>(name, f.count, a, b, changed);
    case Type::kF64:
      return CompareValues<double>(name, f.count, a, b, changed);
    case Type::kBytes:
      if (std::memcmp(a, b, f.count) != 0) changed(name, {}, {});
      return;
    case Type::kSwitch11:
      CompareValues<std::int32_t>(name + "Units", 1, a, b, changed);
      return CompareValues<std::int32_t>(name + "Tens", 1, a + 4, b + 4, changed);
    default:
      return;
  }
}

// The name of record `record` of a set ('#' stands for its number).
std::string RecordName(const char* named, int record) {
  std::string out(named);
  if (auto hash = out.find('#'); hash != std::string::npos)
    out.replace(hash, 1, std::to_string(record));
  return out;
}

// Compares the named values of `set` (records below `records`), walking
// the table as the newest version holds it.
void CompareSection(const Section& s, int outer, Set set, const std::uint8_t* a,
                    const std::uint8_t* b, std::size_t records, const ChangedValue& changed) {
  for (int k = 0; k < s.records; ++k) {
    const int record = outer * s.records + k;
    for (const Field& f : s.fields) {
      if (!Present(f.above, f.upTo, kAllVersions)) continue;
      if (f.type == Type::kRecords) {
        CompareSection(*f.sub, record, set, a, b, records, changed);
        continue;
      }
      if (s.where.set != set || !s.where.named || static_cast<std::size_t>(record) >= records)
        continue;
      const std::size_t at = s.where.offset + record * s.where.stride + f.offset;
      const std::string name = RecordName(s.where.named, record) + (f.shown ? f.shown : f.name);
      CompareField(f, name, a + at, b + at, changed);
    }
  }
}

void CompareSet(Set set, const void* a, const void* b, std::size_t records,
                const ChangedValue& changed) {
  for (const Section& s : HeaderTable()) {
    if (!Present(s.above, s.upTo, kAllVersions)) continue;
    CompareSection(s, 0, set, static_cast<const std::uint8_t*>(a),
                   static_cast<const std::uint8_t*>(b), records, changed);
  }
}

}  // namespace

bool ReadJwwHeader(ByteReader& r, std::int32_t version, TJwwData& d, std::string& part) {
  for (const Section& s : HeaderTable()) {
    if (!Present(s.above, s.upTo, version)) continue;
    if (!ReadSection(r, version, s, d)) {
      part = s.part;
      return false;
    }
  }
  return true;
}

void WriteJwwHeader(ByteWriter& w, std::int32_t version, const TJwwData& d, RepairLog& repairs) {
  WalkForWriting(&w, version, d, repairs);
}

void NoteJwwHeaderRepairs(std::int32_t version, const TJwwData& d, RepairLog& repairs) {
  WalkForWriting(nullptr, version, d, repairs);
}

void CompareJwwHeaderValues(const TEntJwwHeaderValues& a, const TEntJwwHeaderValues& b,
                            const ChangedValue& changed) {
  CompareSet(Set::kValues, &a, &b, kAllVersions, changed);
}

void CompareJwwPens(std::span<const TEntJwwPen> a, std::span<const TEntJwwPen> b,
                    const ChangedValue& changed) {
  CompareSet(Set::kPens, a.data(), b.data(), std::min(a.size(), b.size()), changed);
}

}  // namespace quintaro::jww
