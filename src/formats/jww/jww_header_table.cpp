#include "formats/jww/jww_header_table.h"

#include <cstring>

#include "formats/jww/jww_data.h"

namespace quintaro::jww {
namespace {

using HV = TEntJwwHeaderValues;
using View = TJwwViewRecord;

// ---- the writer's repairs ----
template <class T>
T Get(const Bytes v) {
  T x;
  std::memcpy(&x, v, sizeof x);
  return x;
}
template <class T>
void Put(Bytes v, T x, RepairLog& log, const char* what) {
  std::memcpy(v, &x, sizeof x);
  log.Note(what);
}
template <class T>
void Clamp(Bytes v, T lo, T hi, RepairLog& log, const char* what) {
  T x = Get<T>(v);
  if (x < lo) Put(v, lo, log, what);
  if (x > hi) Put(v, hi, log, what);
}
bool IsRgb(std::int32_t c) {
  return c >= 0 && c <= 0xFFFFFF;
}

void RepairMaxDrawWidth(Bytes v, int, std::int32_t version, RepairLog& log) {
  if (version <= 420 && Get<std::int32_t>(v) < -101)
    Put<std::int32_t>(v, -101, log, "maximum draw width below -101 written as -101");
}
void RepairScreenColor(Bytes v, int, std::int32_t, RepairLog& log) {
  if (!IsRgb(Get<std::int32_t>(v)))
    Put<std::int32_t>(v, 0, log, "screen pen colour out of range written as 0");
}
void RepairScreenWidth(Bytes v, int, std::int32_t, RepairLog& log) {
  Clamp<std::int32_t>(v, 1, 16, log, "screen pen width outside 1..16 written as the nearest");
}
void RepairPrinterColor(Bytes v, int pen, std::int32_t, RepairLog& log) {
  std::int32_t c = Get<std::int32_t>(v);
  if (pen == 0 && c != 0xFFFFFF)
    Put<std::int32_t>(v, 0xFFFFFF, log, "printer colour of pen 0 written as white");
  if (pen != 0 && !IsRgb(c))
    Put<std::int32_t>(v, 0, log, "printer pen colour out of range written as 0");
}
void RepairPrinterWidth(Bytes v, int, std::int32_t, RepairLog& log) {
  Clamp<std::int32_t>(v, 1, 500, log, "printer pen width outside 1..500 written as the nearest");
}
void RepairPointRadius(Bytes v, int, std::int32_t, RepairLog& log) {
  Clamp(v, 0.1, 10.0, log, "point radius outside 0.1..10 written as the nearest");
}

// ---- where the records are ----
constexpr Records kValues = {Set::kValues, 0, 0, "header "};
constexpr Records kMemoSet = {Set::kMemo};
constexpr Records kGroupSet = {Set::kLayerGroups, 0, sizeof(TEntJwwLayerGroup)};
constexpr Records kLayerSet = {Set::kLayers, 0, sizeof(TEntJwwLayer)};
constexpr Records kZoomJumpSet = {Set::kValues, offsetof(HV, ZoomJumps), sizeof(View),
                                  "header ZoomJumps[#]."};
constexpr Records kViewRecordSet = {Set::kValues, offsetof(HV, ViewRecords), sizeof(View),
                                    "header ViewRecords[#]."};
constexpr Records kPenSet = {Set::kPens, 0, sizeof(TEntJwwPen), "pen # "};
constexpr Records kLineTypeSet = {Set::kLineTypes, 0, sizeof(TEntJwwLineType)};
constexpr Records kRandLineSet = {Set::kRandLines, 0, sizeof(TEntJwwRandLine)};
constexpr Records kDoubleLineTypeSet = {Set::kDoubleLineTypes, 0, sizeof(TEntJwwLineType)};
constexpr Records kColorExSet = {Set::kColorsEx, 0, sizeof(TEntJwwColorExNo)};
constexpr Records kLineTypeExSet = {Set::kLineTypesEx, 0, sizeof(TEntJwwLineTypeExNo)};
constexpr Records kStyleSet = {Set::kMojiStyles, 0, sizeof(TEntJwwMojiStyle)};

constexpr Field Nested(const Section& s) {
  Field f{"", Type::kRecords};
  f.sub = &s;
  return f;
}

// ---- the table, in file order ----
constexpr Field kMemo[] = {{"Memo", Type::kRawString}};
constexpr Field kPaper[] = {QUINTARO_FIELD(HV, PaperSize), QUINTARO_FIELD(HV, WriteLayerGroup)};
constexpr Field kLayers[] = {QUINTARO_FIELD(TEntJwwLayer, State),
                             QUINTARO_FIELD(TEntJwwLayer, Protect)};
constexpr Section kLayersOfAGroup = {"the layer groups", 16, kLayerSet, kLayers};
constexpr Field kGroups[] = {
    QUINTARO_FIELD(TEntJwwLayerGroup, State),
    QUINTARO_FIELD(TEntJwwLayerGroup, WriteLayer),
    QUINTARO_FIELD(TEntJwwLayerGroup, Scale),
    QUINTARO_FIELD(TEntJwwLayerGroup, Protect),
    Nested(kLayersOfAGroup),
};
constexpr Field kReserved[] = {QUINTARO_FIELD(HV, Reserved)};
constexpr Field kDimensions[] = {
    QUINTARO_FIELD(HV, DimSettings),
    QUINTARO_FIELD(HV, DimReserved),
    QUINTARO_FIELD(HV, MaxDrawWidth).Repaired(RepairMaxDrawWidth),
};
constexpr Field kPrint[] = {
    QUINTARO_FIELD(HV, PrintOriginX),     QUINTARO_FIELD(HV, PrintOriginY),
    QUINTARO_FIELD(HV, PrintScale),       QUINTARO_FIELD(HV, PrintRotate90),
    QUINTARO_FIELD(HV, ScaleRulerMode),   QUINTARO_FIELD(HV, ScaleRulerMinDisplay),
    QUINTARO_FIELD(HV, ScaleRulerPitchX), QUINTARO_FIELD(HV, ScaleRulerPitchY),
    QUINTARO_FIELD(HV, ScaleRulerRefX),   QUINTARO_FIELD(HV, ScaleRulerRefY),
};
constexpr Field kLayerNames[] = {QUINTARO_FIELD(TEntJwwLayer, Name)};
constexpr Field kGroupNames[] = {QUINTARO_FIELD(TEntJwwLayerGroup, Name)};
constexpr Field kShadow[] = {
    QUINTARO_FIELD(HV, ShadowLevel),
    QUINTARO_FIELD(HV, ShadowLatitude),
    QUINTARO_FIELD(HV, Shadow9To15),
    QUINTARO_FIELD(HV, WallShadowLevel),
    QUINTARO_FIELD(HV, SkyViewLevel).Above(230),  // (44 bytes from 231 on)
    QUINTARO_FIELD(HV, SkyViewRadius).Above(230),
};
constexpr Field kView[] = {
    QUINTARO_FIELD(HV, Unit3D),       QUINTARO_FIELD(HV, ViewScale),
    QUINTARO_FIELD(HV, ViewOriginX),  QUINTARO_FIELD(HV, ViewOriginY),
    QUINTARO_FIELD(HV, RangeScale),   QUINTARO_FIELD(HV, RangeOriginX),
    QUINTARO_FIELD(HV, RangeOriginY),
};
constexpr Field kViewRecord[] = {
    QUINTARO_FIELD(View, Scale), QUINTARO_FIELD(View, X), QUINTARO_FIELD(View, Y),
    QUINTARO_FIELD(View, LayerGroup).Above(230),  // (the first four alone before)
};
constexpr Section kZoomJumps = {"the zoom jumps", 8, kZoomJumpSet, kViewRecord};
constexpr Section kViewRecords = {"the zoom jumps", 2, kViewRecordSet, kViewRecord};
constexpr Field kZoom[] = {Nested(kZoomJumps), Nested(kViewRecords)};
constexpr Field kScreenPens[] = {
    QUINTARO_FIELD(TEntJwwPen, ScreenColor).Repaired(RepairScreenColor).Shown("screen colour"),
    QUINTARO_FIELD(TEntJwwPen, ScreenWidth).Repaired(RepairScreenWidth).Shown("screen width"),
};
constexpr Field kPrinterPens[] = {
    QUINTARO_FIELD(TEntJwwPen, PrinterColor).Repaired(RepairPrinterColor).Shown("printer colour"),
    QUINTARO_FIELD(TEntJwwPen, PrinterWidth).Repaired(RepairPrinterWidth).Shown("printer width"),
    QUINTARO_FIELD(TEntJwwPen, PrinterPointRadius)
        .Repaired(RepairPointRadius)
        .Shown("point radius"),
};
constexpr Section kScreenPenRecords = {"", 10, kPenSet, kScreenPens};
constexpr Field kSpacings[] = {
    QUINTARO_FIELD(HV, MultiLineSpacings),
    QUINTARO_FIELD(HV, BothSidesSpacing),
    Nested(kScreenPenRecords),
};
constexpr Field kLineTypes[] = {
    QUINTARO_FIELD(TEntJwwLineType, Pattern),
    QUINTARO_FIELD(TEntJwwLineType, UnitDots),
    QUINTARO_FIELD(TEntJwwLineType, ScreenPitch),
    QUINTARO_FIELD(TEntJwwLineType, PrinterPitch),
};
constexpr Field kRandLines[] = {
    QUINTARO_FIELD(TEntJwwRandLine, Pattern),
    QUINTARO_FIELD(TEntJwwRandLine, ScreenAmplitude),
    QUINTARO_FIELD(TEntJwwRandLine, ScreenPitch),
    QUINTARO_FIELD(TEntJwwRandLine, PrinterAmplitude),
    QUINTARO_FIELD(TEntJwwRandLine, PrinterPitch),
};
constexpr Section kRandLineRecords = {"", 5, kRandLineSet, kRandLines};
constexpr Section kDoubleLineTypeRecords = {"", 4, kDoubleLineTypeSet, kLineTypes};
constexpr Field kRandAndDouble[] = {Nested(kRandLineRecords), Nested(kDoubleLineTypeRecords)};
constexpr Field kSwitches[] = {
    QUINTARO_FIELD(HV, Switches),
    Field{"Switch11", Type::kSwitch11, 1, offsetof(HV, Switch11Units)},
    QUINTARO_FIELD(HV, DrawTime).Above(222),
    QUINTARO_FIELD(HV, View25DInts).Above(222),
    QUINTARO_FIELD(HV, View25DDoubles).Above(222),
    QUINTARO_FIELD(HV, DefaultLength).Above(224),
    QUINTARO_FIELD(HV, DefaultBoxWidth).Above(224),
    QUINTARO_FIELD(HV, DefaultBoxHeight).Above(224),
    QUINTARO_FIELD(HV, DefaultCircleRadius).Above(224),
    QUINTARO_FIELD(HV, SolidColoring).Above(229),
    QUINTARO_FIELD(HV, DefaultSolidColor).Above(229),
};
static_assert(offsetof(HV, Switch11Tens) == offsetof(HV, Switch11Units) + 4);
constexpr Field kColorsScreen[] = {
    QUINTARO_FIELD(TEntJwwColorExNo, ScreenColor),
    QUINTARO_FIELD(TEntJwwColorExNo, ScreenWidth),
};
constexpr Field kColorsPrinter[] = {
    QUINTARO_FIELD(TEntJwwColorExNo, Name),
    QUINTARO_FIELD(TEntJwwColorExNo, PrinterColor),
    QUINTARO_FIELD(TEntJwwColorExNo, PrinterWidth),
    QUINTARO_FIELD(TEntJwwColorExNo, PrinterPointRadius),
};
constexpr Field kLineTypesExDots[] = {
    QUINTARO_FIELD(TEntJwwLineTypeExNo, Pattern),
    QUINTARO_FIELD(TEntJwwLineTypeExNo, UnitDots),
    QUINTARO_FIELD(TEntJwwLineTypeExNo, ScreenPitch),
    QUINTARO_FIELD(TEntJwwLineTypeExNo, PrinterPitch),
};
constexpr Field kLineTypesExKinds[] = {
    QUINTARO_FIELD(TEntJwwLineTypeExNo, Name),
    QUINTARO_FIELD(TEntJwwLineTypeExNo, Kind),
    QUINTARO_FIELD(TEntJwwLineTypeExNo, Params),
};
constexpr Field kTextStyles[] = {
    QUINTARO_FIELD(TEntJwwMojiStyle, Width),
    QUINTARO_FIELD(TEntJwwMojiStyle, Height),
    QUINTARO_FIELD(TEntJwwMojiStyle, Spacing),
    QUINTARO_FIELD(TEntJwwMojiStyle, ColorNumber),
};
constexpr Field kTextEntry[] = {
    QUINTARO_FIELD(HV, TextEntryA), QUINTARO_FIELD(HV, TextEntryB), QUINTARO_FIELD(HV, TextEntryC),
    QUINTARO_FIELD(HV, TextEntryD), QUINTARO_FIELD(HV, TextEntryE),
};

constexpr Section kHeader[] = {
    {"the memo", 1, kMemoSet, kMemo, 0, kAllVersions, false},
    {"the paper size", 1, kValues, kPaper},
    {"the layer groups", 16, kGroupSet, kGroups, 0, kAllVersions, false},
    {"the reserved block", 1, kValues, kReserved},
    {"the dimension settings", 1, kValues, kDimensions},
    {"the print settings", 1, kValues, kPrint},
    {"the layer names", 256, kLayerSet, kLayerNames, 0, kAllVersions, false},
    {"the layer group names", 16, kGroupSet, kGroupNames, 0, kAllVersions, false},
    {"the shadow settings", 1, kValues, kShadow},
    {"the view settings", 1, kValues, kView},
    {"the zoom jumps", 1, kValues, kZoom, 230, kAllVersions},
    {"the zoom jumps", 4, kZoomJumpSet, kViewRecord, 0, 230},
    {"the multi-line spacings and screen pens", 1, kValues, kSpacings},
    {"the printer pens", 10, kPenSet, kPrinterPens},
    {"the line types", 8, kLineTypeSet, kLineTypes},
    {"the random and double-length line types", 1, kValues, kRandAndDouble},
    {"the display switches", 1, kValues, kSwitches},
    {"the extended colours", 257, kColorExSet, kColorsScreen, 419, kAllVersions, false},
    {"the extended colours", 257, kColorExSet, kColorsPrinter, 419, kAllVersions, false},
    {"the extended line types", 33, kLineTypeExSet, kLineTypesExDots, 419, kAllVersions, false},
    {"the extended line types", 33, kLineTypeExSet, kLineTypesExKinds, 419, kAllVersions, false},
    {"the text styles", 10, kStyleSet, kTextStyles},
    {"the text entry settings", 1, kValues, kTextEntry},
};

// Walks the header values' fields of `s` as the newest version holds them,
// checking that each starts where the one before it ended.
constexpr bool Tiles(const Section& s, int outer, std::size_t& end) {
  for (int k = 0; k < s.records; ++k) {
    const int record = outer * s.records + k;
    for (const Field& f : s.fields) {
      if (!Present(f.above, f.upTo, kAllVersions)) continue;
      if (f.type == Type::kRecords) {
        if (!Tiles(*f.sub, record, end)) return false;
        continue;
      }
      if (s.where.set != Set::kValues) continue;
      if (s.where.offset + record * s.where.stride + f.offset != end) return false;
      end += f.count * ValueSize(f.type);
    }
  }
  return true;
}

// The table holds every numeric header value once and in the model's
// order: a member added to the model without its line above, or a line
// without a member, stops the build. (The version is read before the table.)
constexpr bool CoversTheHeaderValues() {
  std::size_t end = sizeof(HV::Version);
  for (const Section& s : kHeader) {
    if (Present(s.above, s.upTo, kAllVersions) && !Tiles(s, 0, end)) return false;
  }
  return end == sizeof(HV);
}
static_assert(CoversTheHeaderValues());

}  // namespace

std::span<const Section> HeaderTable() {
  return kHeader;
}

Bytes SetBase(TJwwData& d, Set set) {
  auto at = [](auto& v) { return reinterpret_cast<Bytes>(v.data()); };
  switch (set) {
    case Set::kValues:
      return reinterpret_cast<Bytes>(static_cast<HV*>(&d.Header));
    case Set::kMemo:
      return reinterpret_cast<Bytes>(&d.Header.Memo);
    case Set::kLayerGroups:
      return at(d.LayerGroups);
    case Set::kLayers:
      return at(d.Layers);
    case Set::kPens:
      return at(d.Pens);
    case Set::kLineTypes:
      return at(d.LineTypes);
    case Set::kRandLines:
      return at(d.RandLines);
    case Set::kDoubleLineTypes:
      return at(d.DoubleLineTypes);
    case Set::kColorsEx:
      return at(d.ColorsEx);
    case Set::kLineTypesEx:
      return at(d.LineTypesEx);
    case Set::kMojiStyles:
      return at(d.MojiStyles);
  }
  return nullptr;
}

}  // namespace quintaro::jww
