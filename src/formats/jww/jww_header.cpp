#include "formats/jww/jww_header.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <span>

#include "formats/jww/jww_data.h"
#include "formats/jww/jww_list_writer.h"
#include "formats/jww/jww_string.h"

namespace quintaro::jww {
namespace {

using Bytes = std::uint8_t*;
using HV = TEntJwwHeaderValues;

enum class Kind : std::uint8_t {
  kRaw,        // `size` bytes as they stand in the file
  kRawString,  // a string kept as read (the memo)
  kString,     // a cleaned string, written through the save filter
  kSwitch11,   // the eleventh display switch, kept as units and tens
  kRecords,    // a nested section, `sub`
};

struct Section;

// Writes the value in `v` (a copy of the field) repaired for `version`.
using RepairFn = void (*)(Bytes v, int record, std::int32_t version, RepairLog& log);
// The first byte of the field in record `record` of the model.
using PlaceFn = Bytes (*)(TJwwData& d, int record);

// One field: at `place(d, record)`, or (no place) at `offset + record *
// stride` in the header values; present when above < version <= upTo.
struct Field {
  Kind kind = Kind::kRaw;
  std::size_t size = 0;
  PlaceFn place = nullptr;
  std::size_t offset = 0, stride = 0;
  RepairFn repair = nullptr;
  std::int32_t above = 0, upTo = std::numeric_limits<std::int32_t>::max();
  const Section* sub = nullptr;
};

// `records` times its fields; a nested section's record r of the outer
// record o is o * records + r. The reader takes values out of a piece only
// when the whole piece was read: a `whole` section is one piece (nested
// sections included); otherwise each record's strings, nested sections and
// runs of fixed fields between them are pieces of their own.
struct Section {
  const char* part;
  int records;
  std::span<const Field> fields;
  std::int32_t above = 0, upTo = std::numeric_limits<std::int32_t>::max();
  bool whole = true;
};

bool Present(std::int32_t above, std::int32_t upTo, std::int32_t v) {
  return v > above && v <= upTo;
}

// The header values from `first` to `last` (adjacent in the packed record,
// as in the file).
#define QUINTARO_HV(first, last)                                                    \
  Kind::kRaw, offsetof(HV, last) + sizeof(HV::last) - offsetof(HV, first), nullptr, \
      offsetof(HV, first)
// `size` bytes at member `m` of record r of table `t`; of a packed record
// type `T` by offset (no pointers to packed members).
#define QUINTARO_AT(t, m, size) \
  Kind::kRaw, size, +[](TJwwData& d, int r) { return reinterpret_cast<Bytes>(&d.t[r].m); }, 0
#define QUINTARO_PACKED(t, T, m, size)                                                    \
  Kind::kRaw, size, +[](TJwwData& d, int r) { return reinterpret_cast<Bytes>(&d.t[r]); }, \
      offsetof(T, m)
#define QUINTARO_NAME(t) \
  Kind::kString, 0, +[](TJwwData& d, int r) { return reinterpret_cast<Bytes>(&d.t[r].Name); }, 0

// ---- repairs ----
template <class T>
T Get(const Bytes v) {
  T x;
  std::memcpy(&x, v, sizeof x);
  return x;
}
template <class T>
void Set(Bytes v, T x, RepairLog& log, const char* what) {
  std::memcpy(v, &x, sizeof x);
  log.Note(what);
}
template <class T>
void Clamp(Bytes v, T lo, T hi, RepairLog& log, const char* what) {
  T x = Get<T>(v);
  if (x < lo) Set(v, lo, log, what);
  if (x > hi) Set(v, hi, log, what);
}
bool IsRgb(std::int32_t c) {
  return c >= 0 && c <= 0xFFFFFF;
}

void RepairMaxDrawWidth(Bytes v, int, std::int32_t version, RepairLog& log) {
  if (version <= 420 && Get<std::int32_t>(v) < -101)
    Set<std::int32_t>(v, -101, log, "maximum draw width below -101 written as -101");
}
void RepairScreenColor(Bytes v, int, std::int32_t, RepairLog& log) {
  if (!IsRgb(Get<std::int32_t>(v)))
    Set<std::int32_t>(v, 0, log, "screen pen colour out of range written as 0");
}
void RepairScreenWidth(Bytes v, int, std::int32_t, RepairLog& log) {
  Clamp<std::int32_t>(v, 1, 16, log, "screen pen width outside 1..16 written as the nearest");
}
void RepairPrinterColor(Bytes v, int pen, std::int32_t, RepairLog& log) {
  std::int32_t c = Get<std::int32_t>(v);
  if (pen == 0 && c != 0xFFFFFF)
    Set<std::int32_t>(v, 0xFFFFFF, log, "printer colour of pen 0 written as white");
  if (pen != 0 && !IsRgb(c))
    Set<std::int32_t>(v, 0, log, "printer pen colour out of range written as 0");
}
void RepairPrinterWidth(Bytes v, int, std::int32_t, RepairLog& log) {
  Clamp<std::int32_t>(v, 1, 500, log, "printer pen width outside 1..500 written as the nearest");
}
void RepairPointRadius(Bytes v, int, std::int32_t, RepairLog& log) {
  Clamp(v, 0.1, 10.0, log, "point radius outside 0.1..10 written as the nearest");
}

// ---- the table, in file order ----
constexpr std::int32_t kAll = std::numeric_limits<std::int32_t>::max();
constexpr Field kMemo[] = {{Kind::kRawString, 0, +[](TJwwData& d, int) {
                              return reinterpret_cast<Bytes>(&d.Header.Memo);
                            }}};
constexpr Field kPaper[] = {{QUINTARO_HV(PaperSize, WriteLayerGroup)}};
constexpr Field kLayers[] = {{QUINTARO_AT(Layers, State, 4)}, {QUINTARO_AT(Layers, Protect, 4)}};
constexpr Section kLayersOfAGroup = {"the layer groups", 16, kLayers};
constexpr Field kGroups[] = {
    {QUINTARO_AT(LayerGroups, State, 4)},
    {QUINTARO_AT(LayerGroups, WriteLayer, 4)},
    {QUINTARO_AT(LayerGroups, Scale, 8)},
    {QUINTARO_AT(LayerGroups, Protect, 4)},
    {.kind = Kind::kRecords, .sub = &kLayersOfAGroup},
};
constexpr Field kReserved[] = {{QUINTARO_HV(Reserved, Reserved)}};
constexpr Field kDimensions[] = {
    {QUINTARO_HV(DimSettings, DimReserved)},
    {QUINTARO_HV(MaxDrawWidth, MaxDrawWidth), 0, RepairMaxDrawWidth},
};
constexpr Field kPrint[] = {{QUINTARO_HV(PrintOriginX, ScaleRulerRefY)}};
constexpr Field kLayerNames[] = {{QUINTARO_NAME(Layers)}};
constexpr Field kGroupNames[] = {{QUINTARO_NAME(LayerGroups)}};
constexpr Field kShadow[] = {
    {QUINTARO_HV(ShadowLevel, WallShadowLevel)},
    {QUINTARO_HV(SkyViewLevel, SkyViewRadius), 0, nullptr, 230},  // (44 bytes from 231 on)
};
constexpr Field kView[] = {{QUINTARO_HV(Unit3D, RangeOriginY)}};
constexpr Field kZoomJumps[] = {{QUINTARO_HV(ZoomJumps, ViewRecords)}};
constexpr Field kOldZoomJumps[] = {
    // scale, x and y of the first four
    {Kind::kRaw, 24, nullptr, offsetof(HV, ZoomJumps), sizeof(TJwwViewRecord)},
};
constexpr Field kScreenPens[] = {
    {QUINTARO_PACKED(Pens, TEntJwwPen, ScreenColor, 4), 0, RepairScreenColor},
    {QUINTARO_PACKED(Pens, TEntJwwPen, ScreenWidth, 4), 0, RepairScreenWidth},
};
constexpr Field kPrinterPens[] = {
    {QUINTARO_PACKED(Pens, TEntJwwPen, PrinterColor, 4), 0, RepairPrinterColor},
    {QUINTARO_PACKED(Pens, TEntJwwPen, PrinterWidth, 4), 0, RepairPrinterWidth},
    {QUINTARO_PACKED(Pens, TEntJwwPen, PrinterPointRadius, 8), 0, RepairPointRadius},
};
constexpr Section kScreenPenRecords = {"", 10, kScreenPens};
constexpr Field kSpacings[] = {
    {QUINTARO_HV(MultiLineSpacings, BothSidesSpacing)},
    {.kind = Kind::kRecords, .sub = &kScreenPenRecords},
};
constexpr Field kLineTypes[] = {{QUINTARO_PACKED(LineTypes, TEntJwwLineType, Pattern, 16)}};
constexpr Field kRandLines[] = {{QUINTARO_PACKED(RandLines, TEntJwwRandLine, Pattern, 20)}};
constexpr Field kDoubleLineTypes[] = {
    {QUINTARO_PACKED(DoubleLineTypes, TEntJwwLineType, Pattern, 16)}};
constexpr Section kRandLineRecords = {"", 5, kRandLines};
constexpr Section kDoubleLineTypeRecords = {"", 4, kDoubleLineTypes};
constexpr Field kRandAndDouble[] = {
    {.kind = Kind::kRecords, .sub = &kRandLineRecords},
    {.kind = Kind::kRecords, .sub = &kDoubleLineTypeRecords},
};
constexpr Field kSwitches[] = {
    {QUINTARO_HV(Switches, Switches)},
    {.kind = Kind::kSwitch11},
    {QUINTARO_HV(DrawTime, View25DDoubles), 0, nullptr, 222},
    {QUINTARO_HV(DefaultLength, DefaultCircleRadius), 0, nullptr, 224},
    {QUINTARO_HV(SolidColoring, DefaultSolidColor), 0, nullptr, 229},
};
constexpr Field kColorsScreen[] = {
    {QUINTARO_AT(ColorsEx, ScreenColor, 4)},
    {QUINTARO_AT(ColorsEx, ScreenWidth, 4)},
};
constexpr Field kColorsPrinter[] = {
    {QUINTARO_NAME(ColorsEx)},
    {QUINTARO_AT(ColorsEx, PrinterColor, 4)},
    {QUINTARO_AT(ColorsEx, PrinterWidth, 4)},
    {QUINTARO_AT(ColorsEx, PrinterPointRadius, 8)},
};
constexpr Field kLineTypesExDots[] = {
    {QUINTARO_AT(LineTypesEx, Pattern, 4)},
    {QUINTARO_AT(LineTypesEx, UnitDots, 4)},
    {QUINTARO_AT(LineTypesEx, ScreenPitch, 4)},
    {QUINTARO_AT(LineTypesEx, PrinterPitch, 4)},
};
constexpr Field kLineTypesExKinds[] = {
    {QUINTARO_NAME(LineTypesEx)},
    {QUINTARO_AT(LineTypesEx, Kind, 4)},
    {QUINTARO_AT(LineTypesEx, Params, 80)},
};
constexpr Field kTextStyles[] = {{QUINTARO_PACKED(MojiStyles, TEntJwwMojiStyle, Width, 28)}};
constexpr Field kTextEntry[] = {{QUINTARO_HV(TextEntryA, TextEntryE)}};

const Section kHeader[] = {
    {"the memo", 1, kMemo, 0, kAll, false},
    {"the paper size", 1, kPaper},
    {"the layer groups", 16, kGroups, 0, kAll, false},
    {"the reserved block", 1, kReserved},
    {"the dimension settings", 1, kDimensions},
    {"the print settings", 1, kPrint},
    {"the layer names", 256, kLayerNames, 0, kAll, false},
    {"the layer group names", 16, kGroupNames, 0, kAll, false},
    {"the shadow settings", 1, kShadow},
    {"the view settings", 1, kView},
    {"the zoom jumps", 1, kZoomJumps, 230, kAll},
    {"the zoom jumps", 4, kOldZoomJumps, 0, 230},
    {"the multi-line spacings and screen pens", 1, kSpacings},
    {"the printer pens", 10, kPrinterPens},
    {"the line types", 8, kLineTypes},
    {"the random and double-length line types", 1, kRandAndDouble},
    {"the display switches", 1, kSwitches},
    {"the extended colours", 257, kColorsScreen, 419, kAll, false},
    {"the extended colours", 257, kColorsPrinter, 419, kAll, false},
    {"the extended line types", 33, kLineTypesExDots, 419, kAll, false},
    {"the extended line types", 33, kLineTypesExKinds, 419, kAll, false},
    {"the text styles", 10, kTextStyles},
    {"the text entry settings", 1, kTextEntry},
};

#undef QUINTARO_HV
#undef QUINTARO_AT
#undef QUINTARO_PACKED
#undef QUINTARO_NAME

Bytes Place(const Field& f, TJwwData& d, int record) {
  if (f.place) return f.place(d, record) + f.offset;
  return reinterpret_cast<Bytes>(static_cast<HV*>(&d.Header)) + f.offset + record * f.stride;
}

// Bytes of the fixed fields of one record of `s` (strings count 0).
std::size_t RecordSize(const Section& s, std::int32_t v) {
  std::size_t n = 0;
  for (const Field& f : s.fields) {
    if (!Present(f.above, f.upTo, v)) continue;
    if (f.kind == Kind::kRaw) n += f.size;
    if (f.kind == Kind::kSwitch11) n += 4;
    if (f.kind == Kind::kRecords) n += f.sub->records * RecordSize(*f.sub, v);
  }
  return n;
}

// Takes the value of the fixed field `f` of `record` out of a piece read.
void TakeOut(const Field& f, const std::uint8_t*& p, int record, std::int32_t v, TJwwData& d) {
  if (!Present(f.above, f.upTo, v)) return;
  switch (f.kind) {
    case Kind::kRaw:
      std::memcpy(Place(f, d, record), p, f.size);
      p += f.size;
      break;
    case Kind::kSwitch11: {
      std::int32_t value;
      std::memcpy(&value, p, 4);
      p += 4;
      d.Header.Switch11Units = value % 10;
      d.Header.Switch11Tens = value / 10;
      break;
    }
    case Kind::kRecords:
      for (int k = 0; k < f.sub->records; ++k)
        for (const Field& g : f.sub->fields) TakeOut(g, p, record * f.sub->records + k, v, d);
      break;
    default:
      break;
  }
}

bool ReadPiece(ByteReader& r, std::span<const Field> fields, int records, int first, std::int32_t v,
               TJwwData& d) {
  Section piece{"", records, fields};
  std::uint8_t buf[512];
  const std::size_t n = records * RecordSize(piece, v);
  if (n > sizeof buf || !r.Read(buf, n)) return false;
  const std::uint8_t* p = buf;
  for (int k = 0; k < records; ++k)
    for (const Field& f : fields) TakeOut(f, p, first + k, v, d);
  return true;
}

bool ReadString(ByteReader& r, const Field& f, int record, TJwwData& d) {
  auto& t = *reinterpret_cast<EncodedText*>(Place(f, d, record));
  return f.kind == Kind::kRawString ? ReadRawString(r, t)
                                    : ReadCleanString(r, t, &d.loadReport.stringsCleaned);
}

bool ReadSection(ByteReader& r, std::int32_t v, const Section& s, TJwwData& d) {
  if (s.whole) return ReadPiece(r, s.fields, s.records, 0, v, d);
  const auto fields = s.fields;
  for (int k = 0; k < s.records; ++k) {
    for (std::size_t i = 0; i < fields.size();) {
      const Field& f = fields[i];
      if (f.kind == Kind::kString || f.kind == Kind::kRawString) {
        if (!ReadString(r, f, k, d)) return false;
        ++i;
        continue;
      }
      if (f.kind == Kind::kRecords) {
        if (!ReadPiece(r, fields.subspan(i, 1), 1, k, v, d)) return false;
        ++i;
        continue;
      }
      std::size_t end = i;  // a run of fixed fields
      while (end < fields.size() && fields[end].kind != Kind::kString &&
             fields[end].kind != Kind::kRawString && fields[end].kind != Kind::kRecords)
        ++end;
      if (!ReadPiece(r, fields.subspan(i, end - i), 1, k, v, d)) return false;
      i = end;
    }
  }
  return true;
}

// From version 600 on the tens are at least 1; a negative units digit
// would read back with other tens.
std::int32_t Switch11Written(const TEntJwwHeader& h, std::int32_t v, RepairLog& log) {
  std::int64_t units = h.Switch11Units, tens = h.Switch11Tens;
  if (v > 599 && (units < 0 || tens <= 0)) {
    log.Note("eleventh display switch written with units 0..9 and tens 1 or more");
    units = std::max<std::int64_t>(units, 0);
    tens = std::max<std::int64_t>(tens, 1);
  }
  return static_cast<std::int32_t>(units + 10 * tens);
}

void WriteSection(ByteWriter& w, std::int32_t v, const Section& s, int outer, TJwwData& d,
                  RepairLog& log) {
  std::uint8_t buf[280];
  EncodedText filtered;
  for (int k = 0; k < s.records; ++k) {
    const int record = outer * s.records + k;
    for (const Field& f : s.fields) {
      if (!Present(f.above, f.upTo, v)) continue;
      switch (f.kind) {
        case Kind::kRaw:
          std::memcpy(buf, Place(f, d, record), f.size);
          if (f.repair) f.repair(buf, record, v, log);
          w.Write(buf, f.size);
          break;
        case Kind::kRawString:
          WriteString(w, *reinterpret_cast<EncodedText*>(Place(f, d, record)));
          break;
        case Kind::kString: {
          const auto& t = *reinterpret_cast<EncodedText*>(Place(f, d, record));
          if (t.bytes.empty() || !SaveFilter(t, filtered)) {
            WriteString(w, t);
          } else {
            log.Note(RepairText(kRepairStringFilter));
            WriteString(w, filtered);
          }
          break;
        }
        case Kind::kSwitch11:
          w.I32(Switch11Written(d.Header, v, log));
          break;
        case Kind::kRecords:
          WriteSection(w, v, *f.sub, record, d, log);
          break;
      }
    }
  }
}

}  // namespace

bool ReadJwwHeader(ByteReader& r, std::int32_t version, TJwwData& d, std::string& part) {
  for (const Section& s : kHeader) {
    if (!Present(s.above, s.upTo, version)) continue;
    if (!ReadSection(r, version, s, d)) {
      part = s.part;
      return false;
    }
  }
  return true;
}

void WriteJwwHeader(ByteWriter& w, std::int32_t version, const TJwwData& d, RepairLog& repairs) {
  // The places are shared with the reader; nothing is changed through them.
  auto& model = const_cast<TJwwData&>(d);
  for (const Section& s : kHeader)
    if (Present(s.above, s.upTo, version)) WriteSection(w, version, s, 0, model, repairs);
}

}  // namespace quintaro::jww
