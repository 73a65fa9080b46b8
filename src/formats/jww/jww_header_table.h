// The one description of the JWW header after the magic and the version:
// every value in file order, each named as the model names it, with its
// type, the versions that hold it and the writer's repair. The reader, the
// writer, the plan of a save's repairs and the diff all walk this table
// (jww_header.cpp), so a new header value is one line here beside its
// member in the model. Internal to the format libraries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <type_traits>

#include "formats/common/repairs.h"
#include "formats/jww/jww_types.h"

namespace quintaro {

class TJwwData;

namespace jww {

using Bytes = std::uint8_t*;
inline constexpr std::int32_t kAllVersions = std::numeric_limits<std::int32_t>::max();

enum class Type : std::uint8_t {
  kI32,        // int32 values
  kF64,        // doubles
  kBytes,      // bytes kept as read (a diff names them without values)
  kRawString,  // a string kept as read (the memo)
  kString,     // a cleaned string, written through the save filter
  kSwitch11,   // the eleventh display switch: one int32 in the file, units and tens in the model
  kRecords,    // a nested section, `sub`
};

// The parts of the model the header fills; each holds records of one type.
enum class Set : std::uint8_t {
  kValues,  // the numeric header values (TEntJwwHeaderValues)
  kMemo,
  kLayerGroups,
  kLayers,
  kPens,
  kLineTypes,
  kRandLines,
  kDoubleLineTypes,
  kColorsEx,
  kLineTypesEx,
  kMojiStyles,
};

// Record r of a section lives at offset + r * stride in its set. `named`
// is how a diff names the values of record r ('#' stands for r); sets that
// a diff compares as a whole have none.
struct Records {
  Set set = Set::kValues;
  std::size_t offset = 0, stride = 0;
  const char* named = nullptr;
};

struct Section;

// Repairs the copy of a value in `v` (record `record`) for `version`,
// noting what it changed.
using RepairFn = void (*)(Bytes v, int record, std::int32_t version, RepairLog& log);

// One member of a record: `count` values of `type` at `offset`, present in
// files of versions above `above` up to `upTo`.
struct Field {
  const char* name = "";
  Type type = Type::kI32;
  std::size_t count = 1;
  std::size_t offset = 0;
  RepairFn repair = nullptr;
  std::int32_t above = 0, upTo = kAllVersions;
  const Section* sub = nullptr;
  const char* shown = nullptr;  // how a diff names it, when not by the member's name

  constexpr Field Repaired(RepairFn f) const {
    Field c = *this;
    c.repair = f;
    return c;
  }
  constexpr Field Above(std::int32_t version) const {
    Field c = *this;
    c.above = version;
    return c;
  }
  constexpr Field Shown(const char* text) const {
    Field c = *this;
    c.shown = text;
    return c;
  }
  constexpr Field As(Type t) const {
    Field c = *this;
    c.type = t;
    return c;
  }
};

// `records` times its fields; a nested section's record r of the outer
// record o is o * records + r. The reader takes values out of a piece only
// when the whole piece was read: a `whole` section is one piece (nested
// sections included); otherwise each record's strings, nested sections and
// runs of fixed fields between them are pieces of their own.
struct Section {
  const char* part;  // how a load report names it ("the layer names")
  int records;
  Records where;
  std::span<const Field> fields;
  std::int32_t above = 0, upTo = kAllVersions;
  bool whole = true;
};

constexpr bool Present(std::int32_t above, std::int32_t upTo, std::int32_t version) {
  return version > above && version <= upTo;
}

// Bytes of one value of a field in the model (the file holds the same,
// except for the eleventh switch).
constexpr std::size_t ValueSize(Type t) {
  switch (t) {
    case Type::kI32:
      return 4;
    case Type::kF64:
      return 8;
    case Type::kSwitch11:
      return 8;
    default:
      return 1;
  }
}

// The header in file order.
std::span<const Section> HeaderTable();

// The first byte of the set in the model.
Bytes SetBase(TJwwData& d, Set set);

// ---- fields from members ----
template <class M>
struct Shape {
  using Value = M;
  static constexpr std::size_t kCount = 1;
};
template <class V, std::size_t N>
struct Shape<V[N]> {
  using Value = V;
  static constexpr std::size_t kCount = N;
};
template <class V, std::size_t N>
struct Shape<std::array<V, N>> {
  using Value = V;
  static constexpr std::size_t kCount = N;
};

template <class M>
constexpr Field MemberField(const char* name, std::size_t offset) {
  using V = typename Shape<M>::Value;
  static_assert(std::is_same_v<V, std::int32_t> || std::is_same_v<V, double> ||
                    std::is_same_v<V, std::uint8_t> || std::is_same_v<V, EncodedText>,
                "a header value is an int32, a double, a byte or a string");
  Type t = std::is_same_v<V, std::int32_t>  ? Type::kI32
           : std::is_same_v<V, double>      ? Type::kF64
           : std::is_same_v<V, EncodedText> ? Type::kString
                                            : Type::kBytes;
  return Field{name, t, Shape<M>::kCount, offset};
}

}  // namespace jww
}  // namespace quintaro

// The member `m` of the record type `T`, named, typed and counted as declared.
#define QUINTARO_FIELD(T, m) ::quintaro::jww::MemberField<decltype(T::m)>(#m, offsetof(T, m))
