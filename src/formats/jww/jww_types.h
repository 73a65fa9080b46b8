// Record types of the JWW model, shared with JWS.
//
// Every fixed entity record is packed (#pragma pack(1)) and is byte for byte
// the layout of the same object in a JWW file of version 351 or later, so the
// reader copies it from the file with one memcpy (the sizes are asserted
// below). Doubles in packed records are unaligned: read them by value
// (`double x = s.StartX;`), do not take their address.
//
// Equality of records is bitwise for numbers (a NaN equals the same NaN,
// 0.0 differs from -0.0), which is what "load, save, load gives the same
// model" means.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formats/common/text.h"
#include "formats/common/types.h"
#include "formats/jww/chunked_array.h"

namespace quintaro {

// Bitwise equality of two trivially copyable values.
template <class T>
inline bool BitEqual(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

#define QUINTARO_BITWISE_EQ(T)                     \
  friend bool operator==(const T& a, const T& b) { \
    return BitEqual(a, b);                         \
  }

#pragma pack(push, 1)

// The 15-byte attribute block at the start of every entity record.
struct TEntJwwBase {
  std::uint32_t CurveAttr;  // curve attribute number
  std::uint8_t PenStyle;  // line type (1..9, 11..15 random, 16..19 double, 31..62 extended); 100 on
                          // a point: code/angle/scale follow
  std::uint16_t PenColor;    // colour number (1..9, 10 own colour on a solid, 101..356 extended)
  std::uint16_t PenWidth;    // width x 0.01; 0 = default of the colour (absent before version 351)
  std::uint16_t Layer;       // 0..15 within the group
  std::uint16_t LayerGroup;  // 0..15
  std::uint16_t Flags;       // kept as read
  QUINTARO_BITWISE_EQ(TEntJwwBase)
};
static_assert(sizeof(TEntJwwBase) == 15);

// Kind 1, line ("CDataSen"). 47 bytes.
struct TEntJwwSen {
  TEntJwwBase Base;
  double StartX, StartY, EndX, EndY;
  QUINTARO_BITWISE_EQ(TEntJwwSen)
};
static_assert(sizeof(TEntJwwSen) == 47);

// Kind 2, arc, circle or ellipse ("CDataEnko"). 75 bytes. Angles in radians.
struct TEntJwwEnko {
  TEntJwwBase Base;
  double CenterX, CenterY, Radius;
  double StartAngle, ArcAngle, TiltAngle;
  double Flatness;          // flatness ratio (1 = circle)
  std::int32_t FullCircle;  // non-zero: whole circle or ellipse
  QUINTARO_BITWISE_EQ(TEntJwwEnko)
};
static_assert(sizeof(TEntJwwEnko) == 75);

// Kind 3, point ("CDataTen"). 55 bytes; the file holds the first 35, and the
// last 20 (Code, Angle, Scale) only when Base.PenStyle == 100. An ordinary
// point without them has Code 0, Angle 0, Scale 1.0.
struct TEntJwwTen {
  TEntJwwBase Base;
  double X, Y;
  std::int32_t Temporary;  // 1 = temporary point
  std::int32_t Code;
  double Angle;
  double Scale;
  QUINTARO_BITWISE_EQ(TEntJwwTen)
};
static_assert(sizeof(TEntJwwTen) == 55);
inline constexpr std::size_t kJwwTenFileFixed = 35;

// The 83-byte fixed part of a text ("CDataMoji").
struct TEntJwwMojiFixed {
  TEntJwwBase Base;
  double StartX, StartY, EndX, EndY;
  std::int32_t Style;  // text style 1..10
  double SizeX, SizeY, Spacing;
  double Angle;  // degrees as stored; drawing uses start -> end
  QUINTARO_BITWISE_EQ(TEntJwwMojiFixed)
};
static_assert(sizeof(TEntJwwMojiFixed) == 83);

// Kind 6, solid ("CDataSolid"). 83 bytes; the file holds the first 79, and
// Color only when Base.PenColor == 10 (else 0).
struct TEntJwwSolid {
  TEntJwwBase Base;
  double X1, Y1, X2, Y2, X3, Y3, X4, Y4;
  std::int32_t Color;  // own RGB colour 0x00BBGGRR
  QUINTARO_BITWISE_EQ(TEntJwwSolid)
};
static_assert(sizeof(TEntJwwSolid) == 83);
inline constexpr std::size_t kJwwSolidFileFixed = 79;

// Kind 7, block insertion ("CDataBlock"). 59 bytes.
struct TEntJwwBlock {
  TEntJwwBase Base;
  double X, Y;  // origin
  double ScaleX, ScaleY;
  double Angle;         // radians
  std::int32_t Number;  // block number of the definition
  QUINTARO_BITWISE_EQ(TEntJwwBlock)
};
static_assert(sizeof(TEntJwwBlock) == 59);

// Header tables (plain values; packed so that equality is bitwise).
struct TEntJwwPen {
  std::int32_t ScreenColor, ScreenWidth, PrinterColor, PrinterWidth;
  double PrinterPointRadius;
  QUINTARO_BITWISE_EQ(TEntJwwPen)
};
struct TEntJwwLineType {
  std::int32_t Pattern, UnitDots, ScreenPitch, PrinterPitch;
  QUINTARO_BITWISE_EQ(TEntJwwLineType)
};
struct TEntJwwRandLine {
  std::int32_t Pattern, ScreenAmplitude, ScreenPitch, PrinterAmplitude, PrinterPitch;
  QUINTARO_BITWISE_EQ(TEntJwwRandLine)
};
struct TEntJwwMojiStyle {
  double Width, Height, Spacing;
  std::int32_t ColorNumber;
  QUINTARO_BITWISE_EQ(TEntJwwMojiStyle)
};
// A zoom jump or view record: scale, origin, layer group (-1 = none).
struct TJwwViewRecord {
  double Scale, X, Y;
  std::int32_t LayerGroup;
  QUINTARO_BITWISE_EQ(TJwwViewRecord)
};

// The numeric header values in file order (as laid out in the header).
struct TEntJwwHeaderValues {
  std::int32_t Version;
  std::int32_t PaperSize;
  std::int32_t WriteLayerGroup;
  std::uint8_t Reserved[56];  // the block after the layer groups, kept as read
  std::int32_t DimSettings[5];
  std::int32_t DimReserved;  // the value after the dimension settings, kept as read
  std::int32_t MaxDrawWidth;
  double PrintOriginX, PrintOriginY, PrintScale;
  std::int32_t PrintRotate90;
  std::int32_t ScaleRulerMode;
  double ScaleRulerMinDisplay, ScaleRulerPitchX, ScaleRulerPitchY, ScaleRulerRefX, ScaleRulerRefY;
  double ShadowLevel, ShadowLatitude;
  std::int32_t Shadow9To15;
  double WallShadowLevel;
  double SkyViewLevel, SkyViewRadius;  // (version > 230; named only from 300 on)
  std::int32_t Unit3D;
  double ViewScale, ViewOriginX, ViewOriginY;
  double RangeScale, RangeOriginX, RangeOriginY;
  TJwwViewRecord ZoomJumps[8];    // 1..8 (version <= 230: 1..4 from the file)
  TJwwViewRecord ViewRecords[2];  // the two further view records (version > 230)
  double MultiLineSpacings[10];
  double BothSidesSpacing;
  std::int32_t Switches[10];    // display and print switches 1..10
  std::int32_t Switch11Units;   // the eleventh switch v as v mod 10 ...
  std::int32_t Switch11Tens;    // ... and v div 10
  std::int32_t DrawTime;        // seconds (version > 222)
  std::int32_t View25DInts[4];  // (version > 222)
  double View25DDoubles[5];     // (version > 222)
  double DefaultLength, DefaultBoxWidth, DefaultBoxHeight, DefaultCircleRadius;  // (version > 224)
  std::int32_t SolidColoring, DefaultSolidColor;                                 // (version > 229)
  // Text entry settings, the 100-byte last header block.
  double TextEntryA[3];
  std::int32_t TextEntryB[2];
  double TextEntryC[2];
  std::int32_t TextEntryD;
  double TextEntryE[6];
  QUINTARO_BITWISE_EQ(TEntJwwHeaderValues)
};

#pragma pack(pop)

static_assert(sizeof(TEntJwwPen) == 24);
static_assert(sizeof(TEntJwwMojiStyle) == 28);
static_assert(sizeof(TJwwViewRecord) == 28);

// The drawing header: magic, memo and the numeric values.
struct TEntJwwHeader : TEntJwwHeaderValues {
  std::string Magic;  // "JwwData." (8 characters) after a load of a JWW file
  EncodedText Memo;   // raw (may hold CR LF)

  TEntJwwHeader() : TEntJwwHeaderValues{} { SetDefaults(); }
  // The defaults after a reset.
  void SetDefaults() {
    static_cast<TEntJwwHeaderValues&>(*this) = TEntJwwHeaderValues{};
    Magic.clear();
    Memo = {};
    PrintScale = 1.0;
    ScaleRulerMinDisplay = 1.0;
    ScaleRulerPitchX = ScaleRulerPitchY = 1.0;
    ViewScale = 1.0;
    RangeScale = 1.0;
    for (auto& z : ZoomJumps) z = TJwwViewRecord{1.0, 0.0, 0.0, -1};
  }
  friend bool operator==(const TEntJwwHeader& a, const TEntJwwHeader& b) {
    return static_cast<const TEntJwwHeaderValues&>(a) ==
               static_cast<const TEntJwwHeaderValues&>(b) &&
           a.Magic == b.Magic && a.Memo == b.Memo;
  }
};

// Layer group: state 0 hidden, 1 display only, 2+ editable; scale = the
// group's drawing scale denominator (100.0 for 1:100).
struct TEntJwwLayerGroup {
  std::int32_t State = 0;
  std::int32_t WriteLayer = 0;
  double Scale = 0;
  std::int32_t Protect = 0;
  EncodedText Name;
  friend bool operator==(const TEntJwwLayerGroup& a, const TEntJwwLayerGroup& b) {
    return a.State == b.State && a.WriteLayer == b.WriteLayer && BitEqual(a.Scale, b.Scale) &&
           a.Protect == b.Protect && a.Name == b.Name;
  }
};

struct TEntJwwLayer {
  std::int32_t State = 0;
  std::int32_t Protect = 0;
  EncodedText Name;
  friend bool operator==(const TEntJwwLayer&, const TEntJwwLayer&) = default;
};

// Extended colour 0..256 (version 420 and later).
struct TEntJwwColorExNo {
  std::int32_t ScreenColor = 0, ScreenWidth = 0;
  EncodedText Name;
  std::int32_t PrinterColor = 0, PrinterWidth = 0;
  double PrinterPointRadius = 0;
  friend bool operator==(const TEntJwwColorExNo& a, const TEntJwwColorExNo& b) {
    return a.ScreenColor == b.ScreenColor && a.ScreenWidth == b.ScreenWidth && a.Name == b.Name &&
           a.PrinterColor == b.PrinterColor && a.PrinterWidth == b.PrinterWidth &&
           BitEqual(a.PrinterPointRadius, b.PrinterPointRadius);
  }
};

// Extended line type 0..32 (version 420 and later).
struct TEntJwwLineTypeExNo {
  std::int32_t Pattern = 0, UnitDots = 0, ScreenPitch = 0, PrinterPitch = 0;
  EncodedText Name;
  std::int32_t Kind = 0;  // 2, 4, 6 or 8 for a defined type
  std::array<double, 10> Params{};
  friend bool operator==(const TEntJwwLineTypeExNo& a, const TEntJwwLineTypeExNo& b) {
    return a.Pattern == b.Pattern && a.UnitDots == b.UnitDots && a.ScreenPitch == b.ScreenPitch &&
           a.PrinterPitch == b.PrinterPitch && a.Name == b.Name && a.Kind == b.Kind &&
           BitEqual(a.Params, b.Params);
  }
};

// Kind 4, text: the 83-byte fixed part, then font name and content.
// TEntJwwMoji (JWW) holds at most 255 characters in each string (the reader
// cuts longer ones); TEntJwwMoji2 (JWS) has no limit.
// A content that begins with "^@BM" describes an image.
struct TEntJwwMoji : TEntJwwMojiFixed {
  EncodedText FontName;
  EncodedText Text;
  friend bool operator==(const TEntJwwMoji& a, const TEntJwwMoji& b) {
    return static_cast<const TEntJwwMojiFixed&>(a) == static_cast<const TEntJwwMojiFixed&>(b) &&
           a.FontName == b.FontName && a.Text == b.Text;
  }
};
struct TEntJwwMoji2 : TEntJwwMojiFixed {
  EncodedText FontName;
  EncodedText Text;
  friend bool operator==(const TEntJwwMoji2& a, const TEntJwwMoji2& b) {
    return static_cast<const TEntJwwMojiFixed&>(a) == static_cast<const TEntJwwMojiFixed&>(b) &&
           a.FontName == b.FontName && a.Text == b.Text;
  }
};

// Kind 5, dimension ("CDataSunpou"): its own base, the dimension line, the
// dimension text, and (file version 420 and later) the SXF part. Before 420
// the SXF part holds copies of the dimension's base with everything else 0
// (the points' PenStyle 0).
template <class MojiT>
struct TEntJwwSunpoT {
  TEntJwwBase Base{};
  TEntJwwSen Line{};
  MojiT Text{};
  std::uint16_t SxfMode = 0;
  TEntJwwSen Aux1{}, Aux2{};
  std::array<TEntJwwTen, 4> Points{};
  friend bool operator==(const TEntJwwSunpoT&, const TEntJwwSunpoT&) = default;
};
using TEntJwwSunpo = TEntJwwSunpoT<TEntJwwMoji>;
using TEntJwwSunpo2 = TEntJwwSunpoT<TEntJwwMoji2>;

// One entity list: the main list of a drawing, or the content of one block
// definition. Arrays are indexed by EntityOrder entries (kind, index).
template <class MojiT>
struct TJwwEntityListT {
  using Moji_t = MojiT;
  using Sunpo_t = TEntJwwSunpoT<MojiT>;

  std::int32_t EntityCount = 0;  // as announced by the file
  // The entities in file order. Sized to the announced count, bounded by
  // what the rest of the file could hold (an entity takes at least 35
  // bytes); entries a partial load did not fill are kind 0 and are skipped.
  std::vector<EntityOrderEntry> EntityOrder;
  ChunkedArray<TEntJwwSen> Sen;
  ChunkedArray<TEntJwwEnko> Enko;
  ChunkedArray<TEntJwwTen> Ten;
  ChunkedArray<MojiT> Moji;
  ChunkedArray<Sunpo_t> Sunpo;
  ChunkedArray<TEntJwwSolid> Solid;
  ChunkedArray<TEntJwwBlock> Block;

  // Number of entities of a kind (1..7); 0 for any other kind.
  std::size_t Count(int kind) const {
    switch (kind) {
      case kEntLine:
        return Sen.size();
      case kEntArc:
        return Enko.size();
      case kEntPoint:
        return Ten.size();
      case kEntText:
        return Moji.size();
      case kEntDimension:
        return Sunpo.size();
      case kEntSolid:
        return Solid.size();
      case kEntBlock:
        return Block.size();
      default:
        return 0;
    }
  }
  std::size_t TotalCount() const {
    return Sen.size() + Enko.size() + Ten.size() + Moji.size() + Sunpo.size() + Solid.size() +
           Block.size();
  }
  // The base block of the entity an order entry names (nullptr for kind 0
  // or an index out of range).
  const TEntJwwBase* BaseOf(const EntityOrderEntry& e) const {
    if (e.index < 0 || static_cast<std::size_t>(e.index) >= Count(e.kind)) return nullptr;
    std::size_t i = static_cast<std::size_t>(e.index);
    switch (e.kind) {
      case kEntLine:
        return &Sen[i].Base;
      case kEntArc:
        return &Enko[i].Base;
      case kEntPoint:
        return &Ten[i].Base;
      case kEntText:
        return &Moji[i].Base;
      case kEntDimension:
        return &Sunpo[i].Base;
      case kEntSolid:
        return &Solid[i].Base;
      case kEntBlock:
        return &Block[i].Base;
      default:
        return nullptr;
    }
  }

  // Calls f(TEntJwwBase&) (f(const TEntJwwBase&) on a const list) for every
  // base block of the list's entities:
  // lines, arcs, points, texts; each dimension's own base, line and text
  // (and, when withSxfParts, its two auxiliary lines and four points);
  // solids; block insertions. Layer moves pass withSxfParts = version >= 420.
  template <class F>
  void ForEachBase(bool withSxfParts, F&& f) {
    for (auto& e : Sen) f(e.Base);
    for (auto& e : Enko) f(e.Base);
    for (auto& e : Ten) f(e.Base);
    for (auto& e : Moji) f(e.Base);
    for (auto& d : Sunpo) {
      f(d.Base);
      f(d.Line.Base);
      f(d.Text.Base);
      if (withSxfParts) {
        f(d.Aux1.Base);
        f(d.Aux2.Base);
        for (auto& p : d.Points) f(p.Base);
      }
    }
    for (auto& e : Solid) f(e.Base);
    for (auto& e : Block) f(e.Base);
  }
  template <class F>
  void ForEachBase(bool withSxfParts, F&& f) const {
    const_cast<TJwwEntityListT*>(this)->ForEachBase(withSxfParts,
                                                    [&f](const TEntJwwBase& b) { f(b); });
  }

  // Empties the list; texts and dimensions then grow in steps of textStep.
  void ClearList(std::uint32_t textStep = 1000) {
    EntityCount = 0;
    EntityOrder.clear();
    EntityOrder.shrink_to_fit();
    Sen.clear();
    Enko.clear();
    Ten.clear();
    Moji.clear();
    Sunpo.clear();
    Solid.clear();
    Block.clear();
    Moji.set_step(textStep);
    Sunpo.set_step(textStep);
  }

  friend bool operator==(const TJwwEntityListT& a, const TJwwEntityListT& b) {
    return a.EntityCount == b.EntityCount && a.EntityOrder == b.EntityOrder && a.Sen == b.Sen &&
           a.Enko == b.Enko && a.Ten == b.Ten && a.Moji == b.Moji && a.Sunpo == b.Sunpo &&
           a.Solid == b.Solid && a.Block == b.Block;
  }
};
using TJwwEntityList = TJwwEntityListT<TEntJwwMoji>;
using TJwsEntityList = TJwwEntityListT<TEntJwwMoji2>;

// One block definition ("CDataList"): its own base, number, flags, name and
// entity list. Texts and dimensions inside grow in steps of 500.
template <class MojiT>
struct TEntJwwBlockDefT : TJwwEntityListT<MojiT> {
  TEntJwwBase Base{};
  std::int32_t Number = 0;      // what TEntJwwBlock::Number refers to
  std::int32_t Referenced = 0;  // referenced flag as stored in the file
  std::int32_t TimeStamp = 0;   // as stored; negative: the 8 bytes of TimeStampWide follow
  std::uint64_t TimeStampWide = 0;
  EncodedText Name;
  std::uint8_t InUse = 0;      // reached from the main list (set by BuildBlockTree)
  std::int32_t UseIndex = -1;  // 0-based position among the in-use definitions, -1 when unused

  TEntJwwBlockDefT() { this->ClearList(500); }
  friend bool operator==(const TEntJwwBlockDefT& a, const TEntJwwBlockDefT& b) {
    return static_cast<const TJwwEntityListT<MojiT>&>(a) ==
               static_cast<const TJwwEntityListT<MojiT>&>(b) &&
           a.Base == b.Base && a.Number == b.Number && a.Referenced == b.Referenced &&
           a.TimeStamp == b.TimeStamp && a.TimeStampWide == b.TimeStampWide && a.Name == b.Name &&
           a.InUse == b.InUse && a.UseIndex == b.UseIndex;
  }
};
using TEntJwwBlockDef = TEntJwwBlockDefT<TEntJwwMoji>;
using TEntJwwBlockDef2 = TEntJwwBlockDefT<TEntJwwMoji2>;

// One placed block, direct (level 0) or nested. A point (px, py) of the
// definition lands at (OriginX + M11*px + M12*py, OriginY + M21*px + M22*py).
struct TEntJwwBlockTree {
  TEntJwwBase Base{};  // level 0: the insertion's; nested: the containing definition's
  std::int32_t Level = 0;
  std::int32_t Parent = -1;    // index of the entry whose definition holds this insertion
  std::int32_t Number = 0;     // block number of the insertion
  std::int32_t DefIndex = -1;  // index into the block definitions, -1 when none has the number
  EncodedText Name;            // the definition's name (empty when not found)
  double OriginX = 0, OriginY = 0;
  double M11 = 0, M12 = 0, M21 = 0, M22 = 0;
  friend bool operator==(const TEntJwwBlockTree& a, const TEntJwwBlockTree& b) {
    return a.Base == b.Base && a.Level == b.Level && a.Parent == b.Parent && a.Number == b.Number &&
           a.DefIndex == b.DefIndex && a.Name == b.Name && BitEqual(a.OriginX, b.OriginX) &&
           BitEqual(a.OriginY, b.OriginY) && BitEqual(a.M11, b.M11) && BitEqual(a.M12, b.M12) &&
           BitEqual(a.M21, b.M21) && BitEqual(a.M22, b.M22);
  }
};

// Bounds of BuildBlockTree (an expansion without them never ends on a block that inserts itself).
// An entry whose definition already stands among its ancestors is refused
// (a block that inserts itself); nesting deeper than kMaxBlockTreeDepth
// levels is not expanded; and the tree holds at most kMaxBlockTreeEntries
// entries (about 130 MB). What is refused or cut is counted in the load
// report; the definitions themselves and their in-use flags are unaffected.
inline constexpr std::size_t kMaxBlockTreeEntries = 1'000'000;
inline constexpr int kMaxBlockTreeDepth = 100;

// What a load tells the caller (the CLI prints it).
struct JwwLoadReport {
  bool complete = false;         // the whole file was read
  std::uint64_t failOffset = 0;  // byte offset where reading failed (when !complete)
  std::string reason;            // short English reason when !complete, e.g. "unexpected end of
                                 // file in the main entity list (entity 1234 of 5000)"
  std::vector<std::string> warnings;    // things that did not stop the load
  std::size_t blockEntriesRefused = 0;  // block tree entries refused (cycles, depth, size)
  // Strings the reader changed, so that a save writes them differently
  // from the file: control characters dropped, texts cut to 255 characters.
  std::int64_t stringsCleaned = 0;
  std::int64_t textsCut = 0;
};

}  // namespace quintaro
