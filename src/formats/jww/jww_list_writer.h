// Writing of the entity lists and the block definition list of the JWW
// and JWS formats: class tags, counts and the repairs of base blocks.
// Internal to the format libraries.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/repairs.h"
#include "formats/jww/jww_lists.h"
#include "formats/jww/jww_string.h"
#include "formats/jww/jww_types.h"

namespace quintaro::jww {

// Class tags while writing.
class ClassTagWriter {
 public:
  explicit ClassTagWriter(std::int32_t version) : schema_(static_cast<std::uint16_t>(version)) {}
  void WriteTag(ByteWriter& w, int classId);
  void CountObject() { ++counter_; }

 private:
  std::uint16_t schema_;
  std::uint32_t counter_ = 1;
  std::uint32_t index_[kClassList + 1] = {};
};

inline void WriteCount(ByteWriter& w, std::uint64_t n) {
  if (n <= 0xFFFE) {
    w.U16(static_cast<std::uint16_t>(n));
  } else {
    w.U16(0xFFFF);
    w.U32(static_cast<std::uint32_t>(n));
  }
}

// ---------------------------------------------------------------------------
// Writing.

// Which checks a base block gets.
enum class BaseCheck { kLine, kPoint, kText, kDimension, kSolid, kNone };
std::uint8_t MapStyleBelow420(std::uint8_t style);    // extended line types to standard ones
std::uint16_t MapColorBelow420(std::uint16_t color);  // extended colours to standard ones

// True when `b` holds standard values for its check, which every version
// keeps as they are (most figures: the quick answer of RepairBaseInPlace).
template <BaseCheck check>
bool IsStandardBase(const TEntJwwBase& b) {
  if ((b.Layer | b.LayerGroup) > 15 || b.PenWidth > 30000) return false;
  const unsigned s = b.PenStyle, c = b.PenColor;
  switch (check) {
    case BaseCheck::kLine:
      return ((s - 1u) <= 8u || (s - 11u) <= 8u) && (c - 1u) <= 8u;
    case BaseCheck::kPoint:
      return (s == 1 || s == 100) && (c - 1u) <= 8u;
    case BaseCheck::kText:
      return (s - 1u) <= 8u && (c - 1u) <= 8u;
    case BaseCheck::kDimension:
      return (c - 1u) <= 8u;
    case BaseCheck::kSolid:
      return (c - 1u) <= 9u;
    default:
      return true;
  }
}

// The repairs of a base block that is not standard; true when anything changed.
template <BaseCheck check>
bool RepairOddBase(TEntJwwBase& b, bool below420) {
  // Fields are assigned by name: the record may be packed, so no reference
  // to one of its members is taken.
  bool changed = false;
  if (b.Layer > 15) {
    b.Layer = 0;
    changed = true;
  }
  if (b.LayerGroup > 15) {
    b.LayerGroup = 0;
    changed = true;
  }
  if (b.PenWidth > 30000) {
    b.PenWidth = 0;
    changed = true;
  }
  if constexpr (check == BaseCheck::kNone) return changed;
  if (below420) {
    const std::uint8_t style =
        check == BaseCheck::kLine ? MapStyleBelow420(b.PenStyle) : b.PenStyle;
    const std::uint16_t color = MapColorBelow420(b.PenColor);
    if (style != b.PenStyle) {
      b.PenStyle = style;
      changed = true;
    }
    if (color != b.PenColor) {
      b.PenColor = color;
      changed = true;
    }
  }
  const unsigned s = b.PenStyle;
  switch (check) {
    case BaseCheck::kLine:
      if (!((s - 1u) <= 8u || (s - 11u) <= 8u || (s - 31u) <= 31u)) {
        b.PenStyle = 0;
        changed = true;
      }
      break;
    case BaseCheck::kPoint:
      if (s != 1 && s != 100) {
        b.PenStyle = 1;
        changed = true;
      }
      break;
    case BaseCheck::kText:
      if ((s - 1u) > 8u) {
        b.PenStyle = 1;
        changed = true;
      }
      break;
    default:
      break;
  }
  const unsigned c = b.PenColor;
  const unsigned maxStandard = check == BaseCheck::kSolid ? 10u : 9u;
  if (!((c - 1u) <= maxStandard - 1u || (c - 101u) <= 255u)) {
    b.PenColor = 0;
    changed = true;
  }
  return changed;
}

// Repairs `b` for its check; true when anything changed.
template <BaseCheck check>
inline bool RepairBaseInPlace(TEntJwwBase& b, bool below420) {
  return !IsStandardBase<check>(b) && RepairOddBase<check>(b, below420);
}

// The kinds of repair the list writer makes, counted while writing and
// handed to a RepairLog at the end (notes on the hot path would cost a
// search each).
enum RepairKind {
  kRepairLayer,
  kRepairLayerGroup,
  kRepairPenWidth,
  kRepairStyleBelow420,
  kRepairColorBelow420,
  kRepairLineStyle,
  kRepairPointStyle,
  kRepairTextStyle,
  kRepairColor,
  kRepairStringFilter,
  kRepairImageText,
  kRepairKinds
};
// The English text of a repair kind, as noted in a RepairLog.
const char* RepairText(RepairKind kind);
struct RepairCounts {
  std::int64_t n[kRepairKinds] = {};
  // Counts what turned `before` into `after` under `check`.
  void NoteBase(const TEntJwwBase& before, const TEntJwwBase& after, BaseCheck check,
                bool below420);
  void MoveTo(RepairLog& log);
};

// What the writer does to the content of a text entity (not of a dimension
// text) before the save filter's result is written: the JWS writer turns
// "^@BM%temp%" into "^@BM".
enum class TextRewrite { kNone, kDropTempPrefix };

// A writer's stand-in that keeps nothing: a ListWriter over it counts what
// a save would repair, the writes compiled away.
struct NoBytes {
  void Write(const void*, std::size_t) {}
  void I32(std::int32_t) {}
  void U16(std::uint16_t) {}
};
inline void WriteString(NoBytes&, const EncodedText&) {}

template <class MojiT, class Out = ByteWriter>
class ListWriter {
 public:
  using List = TJwwEntityListT<MojiT>;
  using Def = TEntJwwBlockDefT<MojiT>;
  using Sunpo = TEntJwwSunpoT<MojiT>;

  ListWriter(Out& w, std::int32_t version, ClassTagWriter& tags, RepairCounts& repairs,
             TextRewrite rewrite)
      : w_(w),
        version_(version),
        v351_(version > 350),
        v420_(version > 419),
        below420_(version < 420),
        tags_(tags),
        repairs_(repairs),
        rewrite_(rewrite) {}

  // False (nothing more written) when the order list does not name each
  // entity of the arrays exactly once.
  bool WriteList(const List& list) {
    if (!OrderMatches(list)) return false;
    WriteCount(w_, list.TotalCount());
    for (const EntityOrderEntry& e : list.EntityOrder) {
      if (e.kind == kEntNone) continue;
      tags_.WriteTag(w_, e.kind);
      WriteEntity(list, e);
      tags_.CountObject();
      if (!w_.Ok()) return false;
    }
    return w_.Ok();
  }

  // Every definition, placed or not, with its own number and time stamp.
  bool WriteDefs(const std::vector<Def>& defs) {
    WriteCount(w_, defs.size());
    for (const Def& d : defs) {
      tags_.WriteTag(w_, kClassList);
      WriteDefHead(d);
      if (!OrderMatches(d)) return false;
      WriteCount(w_, d.TotalCount());
      tags_.CountObject();
      for (const EntityOrderEntry& e : d.EntityOrder) {
        if (e.kind == kEntNone) continue;
        tags_.WriteTag(w_, e.kind);
        WriteEntity(d, e);
        tags_.CountObject();
      }
      if (!w_.Ok()) return false;
    }
    return w_.Ok();
  }

  // Counts what writing the list and the definitions would repair (over
  // NoBytes): each entity once, by the same rules as WriteList and
  // WriteDefs, in array order (the order does not change what is repaired).
  void CountList(const List& list) {
    for (const auto& e : list.Sen) WriteLine(e);
    for (const auto& e : list.Enko) WriteArc(e);
    for (const auto& e : list.Ten) WritePoint(e);
    for (const auto& e : list.Moji) WriteText(e);
    for (const auto& e : list.Sunpo) WriteDimension(e);
    for (const auto& e : list.Solid) WriteSolid(e);
    for (const auto& e : list.Block) WriteBlock(e);
  }
  void CountDefs(const std::vector<Def>& defs) {
    for (const Def& d : defs) {
      WriteDefHead(d);
      CountList(d);
    }
  }

 private:
  static bool OrderMatches(const List& list) {
    std::vector<bool> seen[7];
    for (int k = 0; k < 7; ++k) seen[k].assign(list.Count(k + 1), false);
    std::size_t named = 0;
    for (const EntityOrderEntry& e : list.EntityOrder) {
      if (e.kind == kEntNone) continue;
      if (e.kind < kEntLine || e.kind > kEntBlock || e.index < 0) return false;
      auto& s = seen[e.kind - 1];
      auto i = static_cast<std::size_t>(e.index);
      if (i >= s.size() || s[i]) return false;
      s[i] = true;
      ++named;
    }
    return named == list.TotalCount();
  }

  void WriteFixed(const void* src, std::size_t size351) {
    const auto* s = static_cast<const std::uint8_t*>(src);
    if (v351_) {
      w_.Write(s, size351);
    } else {
      w_.Write(s, 7);
      w_.Write(s + 9, size351 - 9);
    }
  }

  void WriteFiltered(const EncodedText& t) {
    if (t.bytes.empty() || !SaveFilter(t, scratch_)) {
      WriteString(w_, t);
      return;
    }
    ++repairs_.n[kRepairStringFilter];
    WriteString(w_, scratch_);
  }

  // The record's base block repaired for `check`, counted.
  template <BaseCheck check>
  TEntJwwBase Repaired(const TEntJwwBase& b) {
    TEntJwwBase out = b;
    if (RepairBaseInPlace<check>(out, below420_)) repairs_.NoteBase(b, out, check, below420_);
    return out;
  }

  // Writes a fixed part given in its version-351 size with `base` in place
  // of the record's own.
  void WriteFixedWith(const TEntJwwBase& base, const void* record, std::size_t size351) {
    WriteFixed(&base, sizeof base);
    w_.Write(static_cast<const std::uint8_t*>(record) + sizeof base, size351 - sizeof base);
  }

  void WriteTextContent(const EncodedText& t) {
    if (rewrite_ == TextRewrite::kDropTempPrefix && StartsWithAscii(t, "^@BM%temp%")) {
      EncodedText f = SaveFiltered(t);
      // "^@BM" followed by what comes after "%temp%" (every leading "%temp%",
      // so that a second save writes the same).
      while (StartsWithAscii(f, "^@BM%temp%")) {
        EncodedText rest = f;
        DropUnits(rest, 10);
        f = AsciiText("^@BM", f.encoding);
        f.bytes += rest.bytes;
      }
      ++repairs_.n[kRepairImageText];
      WriteString(w_, f);
      return;
    }
    WriteFiltered(t);
  }

  void WriteDefHead(const Def& d) {
    const TEntJwwBase base = Repaired<BaseCheck::kNone>(d.Base);
    WriteFixed(&base, sizeof base);
    w_.I32(d.Number);
    w_.I32(d.Referenced);
    w_.I32(d.TimeStamp);
    if (d.TimeStamp < 0) w_.Write(&d.TimeStampWide, 8);
    WriteFiltered(d.Name);
  }

  void WritePoint(const TEntJwwTen& p) {
    const TEntJwwBase base = Repaired<BaseCheck::kPoint>(p.Base);
    WriteFixedWith(base, &p, kJwwTenFileFixed);
    if (base.PenStyle == 100)
      w_.Write(reinterpret_cast<const std::uint8_t*>(&p) + kJwwTenFileFixed, 20);
  }

  void WriteLine(const TEntJwwSen& s) {
    WriteFixedWith(Repaired<BaseCheck::kLine>(s.Base), &s, sizeof s);
  }

  void WriteArc(const TEntJwwEnko& a) {
    WriteFixedWith(Repaired<BaseCheck::kLine>(a.Base), &a, sizeof a);
  }

  void WriteTextFixed(const TEntJwwMojiFixed& f) {
    WriteFixedWith(Repaired<BaseCheck::kText>(f.Base), &f, sizeof f);
  }

  void WriteText(const MojiT& m) {
    WriteTextFixed(m);
    WriteFiltered(m.FontName);
    WriteTextContent(m.Text);
  }

  void WriteDimension(const Sunpo& d) {
    const TEntJwwBase base = Repaired<BaseCheck::kDimension>(d.Base);
    WriteFixed(&base, sizeof base);
    WriteLine(d.Line);
    WriteTextFixed(d.Text);
    WriteFiltered(d.Text.FontName);
    WriteFiltered(d.Text.Text);
    if (v420_) {
      w_.U16(d.SxfMode);
      WriteLine(d.Aux1);
      WriteLine(d.Aux2);
      for (const auto& p : d.Points) WritePoint(p);
    }
  }

  void WriteSolid(const TEntJwwSolid& s) {
    const TEntJwwBase base = Repaired<BaseCheck::kSolid>(s.Base);
    WriteFixedWith(base, &s, kJwwSolidFileFixed);
    if (base.PenColor == 10) w_.I32(s.Color);
  }

  void WriteBlock(const TEntJwwBlock& b) {
    WriteFixedWith(Repaired<BaseCheck::kNone>(b.Base), &b, sizeof b);
  }

  void WriteEntity(const List& list, const EntityOrderEntry& e) {
    auto i = static_cast<std::size_t>(e.index);
    switch (e.kind) {
      case kEntLine:
        return WriteLine(list.Sen[i]);
      case kEntArc:
        return WriteArc(list.Enko[i]);
      case kEntPoint:
        return WritePoint(list.Ten[i]);
      case kEntText:
        return WriteText(list.Moji[i]);
      case kEntDimension:
        return WriteDimension(list.Sunpo[i]);
      case kEntSolid:
        return WriteSolid(list.Solid[i]);
      case kEntBlock:
        return WriteBlock(list.Block[i]);
      default:
        return;
    }
  }

  Out& w_;
  std::int32_t version_;
  bool v351_, v420_, below420_;
  ClassTagWriter& tags_;
  RepairCounts& repairs_;
  TextRewrite rewrite_;
  EncodedText scratch_;
};
}  // namespace quintaro::jww
