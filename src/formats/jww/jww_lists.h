// Reading and writing of the entity lists, the block definition list and
// the class tags, shared by the JWW and JWS containers, and
// the block tree. Internal to the format libraries.
#pragma once

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/repairs.h"
#include "formats/jww/jww_string.h"
#include "formats/jww/jww_types.h"

namespace quintaro::jww {

// Smallest number of bytes an entity object takes in a file (a 2-byte tag
// and a 33-byte point before version 351): bounds the reservations that an
// announced count may ask for.
inline constexpr std::uint64_t kMinEntityBytes = 35;
// Smallest block definition object: tag, 25-byte fixed part, empty name, count.
inline constexpr std::uint64_t kMinBlockDefBytes = 30;
// Class ids: the seven entity kinds, then the block definition class.
inline constexpr int kClassList = 8;

const char* ClassName(int classId);  // "CDataSen" ... "CDataBlock", "CDataList"
int KindOfClassName(const char* name, std::size_t length);  // 1..8, 0 for others

// ---------------------------------------------------------------------------
// Class tags while reading: map indices run across all lists of the file.
class ClassTagReader {
 public:
  // Reads one tag; returns the class id of the object that follows (1..8),
  // 0 when the tag names no known class (then no object follows).
  int ReadTag(ByteReader& r) {
    std::uint16_t t = r.U16();
    if (t == 0xFFFF) return ReadNewClass(r);
    if (t == 0x7FFF) return Lookup(r.U32() & 0x7FFFFFFFu);
    if (t & 0x8000) return Lookup(t - 0x8000u);
    return 0;  // a reference to an earlier object: not supported
  }
  void CountObject() { ++counter_; }
  std::uint32_t Counter() const { return counter_; }

 private:
  int ReadNewClass(ByteReader& r);
  int Lookup(std::uint32_t index) {
    if (index == cacheIndex_) return cacheKind_;
    auto it = std::lower_bound(
        classes_.begin(), classes_.end(), index,
        [](const std::pair<std::uint32_t, int>& c, std::uint32_t i) { return c.first < i; });
    int kind = (it != classes_.end() && it->first == index) ? it->second : 0;
    cacheIndex_ = index;
    cacheKind_ = kind;
    return kind;
  }
  std::vector<std::pair<std::uint32_t, int>> classes_;  // (map index, class id), sorted
  std::uint32_t counter_ = 1;
  std::uint32_t cacheIndex_ = 0;  // 0 is never a class index
  int cacheKind_ = 0;
};

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

// Where a list reading stopped (for the load report).
struct ListProgress {
  std::uint64_t index = 0;  // 0-based index of the entity being read
  std::uint64_t total = 0;  // announced count
  bool outOfMemory = false;
};

// ---------------------------------------------------------------------------
// Reading of entities and lists.
template <class MojiT>
class ListReader {
 public:
  // texts and dimension texts are cut to 255 characters in the JWW model
  static constexpr bool kCutTexts = std::is_same_v<MojiT, TEntJwwMoji>;
  using List = TJwwEntityListT<MojiT>;
  using Def = TEntJwwBlockDefT<MojiT>;
  using Sunpo = TEntJwwSunpoT<MojiT>;

  ListReader(ByteReader& r, std::int32_t version, ClassTagReader& tags)
      : r_(r), v351_(version > 350), v420_(version > 419), tags_(tags) {}

  ListProgress progress;

  // Reads one ClassTagList of entities into `list` (emptied first except
  // for its growth steps). False when the input ended or memory ran out;
  // everything completely read stays.
  bool ReadList(List& list) {
    progress = {};
    std::uint64_t count = ReadCount();
    if (!r_.Ok()) return false;
    list.EntityCount = static_cast<std::int32_t>(count);
    progress.total = count;
    std::uint64_t bound = std::min<std::uint64_t>(count, r_.Remaining() / kMinEntityBytes);
    try {
      list.EntityOrder.assign(static_cast<std::size_t>(bound), EntityOrderEntry{});
    } catch (const std::bad_alloc&) {
      progress.outOfMemory = true;
      return false;
    }
    std::uint64_t stored = 0;
    bool ok = true;
    while (stored < count) {
      progress.index = stored;
      int kind = tags_.ReadTag(r_);
      if (!r_.Ok()) {
        ok = false;
        break;
      }
      if (kind < kEntLine || kind > kEntBlock) continue;  // unknown class: no object
      if (stored >= list.EntityOrder.size()) {            // cannot happen while the input holds out
        r_.Fail();
        ok = false;
        break;
      }
      std::size_t room = static_cast<std::size_t>(
          std::min<std::uint64_t>(count - stored, r_.Remaining() / kMinEntityBytes + 1));
      std::int32_t index = ReadEntity(list, kind, room);
      if (index < 0) {
        ok = false;
        break;
      }
      list.EntityOrder[static_cast<std::size_t>(stored)] = EntityOrderEntry{kind, index};
      ++stored;
      tags_.CountObject();
    }
    if (ok) progress.index = stored;
    CutToSize(list);
    return ok;
  }

  // Reads the block definition list into `defs` (sized to the announced
  // count, bounded by what the input can hold). `announced` receives the count.
  bool ReadDefs(std::vector<Def>& defs, std::int32_t& announced, ListProgress& defProgress) {
    defProgress = {};
    std::uint64_t count = ReadCount();
    if (!r_.Ok()) return false;
    announced = static_cast<std::int32_t>(count);
    defProgress.total = count;
    if (count == 0) return true;
    std::uint64_t bound = std::min<std::uint64_t>(count, r_.Remaining() / kMinBlockDefBytes);
    try {
      defs.resize(static_cast<std::size_t>(bound));
    } catch (const std::bad_alloc&) {
      defProgress.outOfMemory = true;
      return false;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
      defProgress.index = i;
      if (i >= defs.size()) {
        r_.Fail();
        return false;
      }
      Def& d = defs[static_cast<std::size_t>(i)];
      progress = {};
      tags_.ReadTag(r_);  // the class is not checked ("CDataList")
#pragma pack(push, 1)
      struct {
        TEntJwwBase Base;
        std::int32_t Number, Referenced;
        std::uint32_t TimeStamp;
      } head{};
#pragma pack(pop)
      static_assert(sizeof(head) == 27);
      if (!ReadFixed(&head, sizeof head)) return false;
      d.Base = head.Base;
      d.Number = head.Number;
      d.Referenced = head.Referenced;
      d.TimeStamp = static_cast<std::int32_t>(head.TimeStamp);
      d.TimeStampWide = 0;
      // A 64-bit time stamp: 8 more bytes, kept as they are.
      if (head.TimeStamp >= 0x80000000u && !r_.Read(&d.TimeStampWide, 8)) return false;
      if (!ReadCleanString(r_, d.Name)) return false;
      tags_.CountObject();
      if (!ReadList(d)) {
        defProgress.outOfMemory = progress.outOfMemory;
        return false;
      }
    }
    defProgress.index = count;
    return true;
  }

  // Reads a count: uint16, or 0xFFFF and a uint32.
  std::uint64_t ReadCount() {
    std::uint16_t c = r_.U16();
    if (c == 0xFFFF) return r_.U32();
    return c;
  }

 private:
  // Reads a fixed part given in its version-351 size; before 351 the file
  // holds 2 bytes less (no PenWidth), which is inserted as 0.
  bool ReadFixed(void* dst, std::size_t size351) {
    auto* d = static_cast<std::uint8_t*>(dst);
    if (v351_) return r_.Read(d, size351);
    // 13-byte base: CurveAttr, PenStyle, PenColor (7 bytes) | Layer, LayerGroup, Flags.
    if (!r_.Read(d, 7)) return false;
    d[7] = d[8] = 0;
    return r_.Read(d + 9, size351 - 9);
  }

  template <class T>
  T* Slot(ChunkedArray<T>& a, std::size_t room) {
    T* p = a.Append(room);
    if (!p) progress.outOfMemory = true;
    return p;
  }

  bool ReadText(TEntJwwMojiFixed& fixed, EncodedText& font, EncodedText& text) {
    if (!ReadFixed(&fixed, sizeof(TEntJwwMojiFixed))) return false;
    if (!ReadCleanString(r_, font) || !ReadCleanString(r_, text)) return false;
    if constexpr (kCutTexts) {
      CutToChars(font, 255);
      CutToChars(text, 255);
    }
    return true;
  }

  bool ReadPoint(TEntJwwTen& p, double scaleWithout) {
    if (!ReadFixed(&p, kJwwTenFileFixed)) return false;
    if (p.Base.PenStyle == 100)
      return r_.Read(reinterpret_cast<std::uint8_t*>(&p) + kJwwTenFileFixed, 20);
    p.Code = 0;
    p.Angle = 0;
    p.Scale = scaleWithout;
    return true;
  }

  // Reads one entity of `kind` into its array; its index, or -1 on failure
  // (the entity is then dropped).
  std::int32_t ReadEntity(List& list, int kind, std::size_t room) {
    switch (kind) {
      case kEntLine:
        return Finish(
            list.Sen, [&](TEntJwwSen& e) { return ReadFixed(&e, sizeof e); }, room);
      case kEntArc:
        return Finish(
            list.Enko, [&](TEntJwwEnko& e) { return ReadFixed(&e, sizeof e); }, room);
      case kEntPoint:
        return Finish(
            list.Ten, [&](TEntJwwTen& e) { return ReadPoint(e, 1.0); }, room);
      case kEntText:
        return Finish(
            list.Moji, [&](MojiT& e) { return ReadText(e, e.FontName, e.Text); }, room);
      case kEntDimension:
        return Finish(
            list.Sunpo, [&](Sunpo& e) { return ReadDimension(e); }, room);
      case kEntSolid:
        return Finish(
            list.Solid,
            [&](TEntJwwSolid& e) {
              if (!ReadFixed(&e, kJwwSolidFileFixed)) return false;
              if (e.Base.PenColor == 10) return r_.Read(&e.Color, 4);
              e.Color = 0;
              return true;
            },
            room);
      case kEntBlock:
        return Finish(
            list.Block, [&](TEntJwwBlock& e) { return ReadFixed(&e, sizeof e); }, room);
      default:
        return -1;
    }
  }

  template <class T, class F>
  std::int32_t Finish(ChunkedArray<T>& a, F&& read, std::size_t room) {
    T* e = Slot(a, room);
    if (!e) return -1;
    if (!read(*e)) {
      a.pop_back();
      return -1;
    }
    return static_cast<std::int32_t>(a.size() - 1);
  }

  bool ReadDimension(Sunpo& d) {
    if (!ReadFixed(&d.Base, sizeof(TEntJwwBase))) return false;
    if (!ReadFixed(&d.Line, sizeof(TEntJwwSen))) return false;
    if (!ReadText(d.Text, d.Text.FontName, d.Text.Text)) return false;
    if (v420_) {
      d.SxfMode = r_.U16();
      if (!ReadFixed(&d.Aux1, sizeof(TEntJwwSen)) || !ReadFixed(&d.Aux2, sizeof(TEntJwwSen)))
        return false;
      for (auto& p : d.Points)
        if (!ReadPoint(p, 0.0)) return false;
      return r_.Ok();
    }
    d.SxfMode = 0;
    d.Aux1 = TEntJwwSen{};
    d.Aux1.Base = d.Base;
    d.Aux2 = d.Aux1;
    for (auto& p : d.Points) {
      p = TEntJwwTen{};
      p.Base = d.Base;
      p.Base.PenStyle = 0;
    }
    return true;
  }

  void CutToSize(List& list) {
    list.Sen.ShrinkToFit();
    list.Enko.ShrinkToFit();
    list.Ten.ShrinkToFit();
    list.Moji.ShrinkToFit();
    list.Sunpo.ShrinkToFit();
    list.Solid.ShrinkToFit();
    list.Block.ShrinkToFit();
  }

  ByteReader& r_;
  bool v351_, v420_;
  ClassTagReader& tags_;
};

// "the main entity list (entity 12 of 50)" and the like, for the load report.
std::string DescribeMainFailure(const ListProgress& p);
std::string DescribeDefFailure(const ListProgress& defs, const ListProgress& inner);

// Reads the main list, then the block definition list. On failure `where`
// tells the section and `outOfMemory` whether memory ran out.
template <class MojiT>
bool ReadListsAndDefs(ListReader<MojiT>& lists, TJwwEntityListT<MojiT>& main,
                      std::vector<TEntJwwBlockDefT<MojiT>>& defs, std::int32_t& defCount,
                      std::string& where, bool& outOfMemory) {
  if (!lists.ReadList(main)) {
    where = DescribeMainFailure(lists.progress);
    outOfMemory = lists.progress.outOfMemory;
    return false;
  }
  ListProgress defProgress;
  lists.progress = {};
  if (!lists.ReadDefs(defs, defCount, defProgress)) {
    where = DescribeDefFailure(defProgress, lists.progress);
    outOfMemory = defProgress.outOfMemory || lists.progress.outOfMemory;
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Writing.

// Which checks a base block gets.
enum class BaseCheck { kLine, kPoint, kText, kDimension, kSolid, kNone };
std::uint8_t MapStyleBelow420(std::uint8_t style);    // extended line types to standard ones
std::uint16_t MapColorBelow420(std::uint16_t color);  // extended colours to standard ones

inline void RepairBaseInPlace(TEntJwwBase& b, BaseCheck check, bool below420) {
  if (b.Layer > 15) b.Layer = 0;
  if (b.LayerGroup > 15) b.LayerGroup = 0;
  if (b.PenWidth > 30000) b.PenWidth = 0;
  if (check == BaseCheck::kNone) return;
  if (below420) {
    if (check == BaseCheck::kLine) b.PenStyle = MapStyleBelow420(b.PenStyle);
    b.PenColor = MapColorBelow420(b.PenColor);
  }
  const unsigned s = b.PenStyle;
  switch (check) {
    case BaseCheck::kLine:
      if (!((s - 1u) <= 8u || (s - 11u) <= 8u || (s - 31u) <= 31u)) b.PenStyle = 0;
      break;
    case BaseCheck::kPoint:
      if (s != 1 && s != 100) b.PenStyle = 1;
      break;
    case BaseCheck::kText:
      if ((s - 1u) > 8u) b.PenStyle = 1;
      break;
    default:
      break;
  }
  const unsigned c = b.PenColor;
  const unsigned maxStandard = check == BaseCheck::kSolid ? 10u : 9u;
  if (!((c - 1u) <= maxStandard - 1u || (c - 101u) <= 255u)) b.PenColor = 0;
}
// The base block as the writer writes it for `version` (repairs).
TEntJwwBase RepairBase(TEntJwwBase b, BaseCheck check, std::int32_t version);

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

template <class MojiT>
class ListWriter {
 public:
  using List = TJwwEntityListT<MojiT>;
  using Def = TEntJwwBlockDefT<MojiT>;
  using Sunpo = TEntJwwSunpoT<MojiT>;

  ListWriter(ByteWriter& w, std::int32_t version, ClassTagWriter& tags, RepairCounts& repairs,
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
      TEntJwwBase base = d.Base;
      Repair(base, BaseCheck::kNone);
      WriteFixed(&base, sizeof base);
      w_.I32(d.Number);
      w_.I32(d.Referenced);
      w_.I32(d.TimeStamp);
      if (d.TimeStamp < 0) w_.Write(&d.TimeStampWide, 8);
      WriteFiltered(d.Name);
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

  void Repair(TEntJwwBase& b, BaseCheck check) {
    TEntJwwBase before = b;
    RepairBaseInPlace(b, check, below420_);
    if (!(b == before)) repairs_.NoteBase(before, b, check, below420_);
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

  void WritePoint(const TEntJwwTen& src) {
    TEntJwwTen p = src;
    Repair(p.Base, BaseCheck::kPoint);
    WriteFixed(&p, kJwwTenFileFixed);
    if (p.Base.PenStyle == 100)
      w_.Write(reinterpret_cast<const std::uint8_t*>(&p) + kJwwTenFileFixed, 20);
  }

  void WriteLine(const TEntJwwSen& src) {
    TEntJwwSen s = src;
    Repair(s.Base, BaseCheck::kLine);
    WriteFixed(&s, sizeof s);
  }

  void WriteEntity(const List& list, const EntityOrderEntry& e) {
    auto i = static_cast<std::size_t>(e.index);
    switch (e.kind) {
      case kEntLine:
        WriteLine(list.Sen[i]);
        break;
      case kEntArc: {
        TEntJwwEnko a = list.Enko[i];
        Repair(a.Base, BaseCheck::kLine);
        WriteFixed(&a, sizeof a);
        break;
      }
      case kEntPoint:
        WritePoint(list.Ten[i]);
        break;
      case kEntText: {
        const MojiT& m = list.Moji[i];
        TEntJwwMojiFixed f = m;
        Repair(f.Base, BaseCheck::kText);
        WriteFixed(&f, sizeof f);
        WriteFiltered(m.FontName);
        WriteTextContent(m.Text);
        break;
      }
      case kEntDimension: {
        const Sunpo& d = list.Sunpo[i];
        TEntJwwBase b = d.Base;
        Repair(b, BaseCheck::kDimension);
        WriteFixed(&b, sizeof b);
        WriteLine(d.Line);
        TEntJwwMojiFixed f = d.Text;
        Repair(f.Base, BaseCheck::kText);
        WriteFixed(&f, sizeof f);
        WriteFiltered(d.Text.FontName);
        WriteFiltered(d.Text.Text);
        if (v420_) {
          w_.U16(d.SxfMode);
          WriteLine(d.Aux1);
          WriteLine(d.Aux2);
          for (const auto& p : d.Points) WritePoint(p);
        }
        break;
      }
      case kEntSolid: {
        TEntJwwSolid s = list.Solid[i];
        Repair(s.Base, BaseCheck::kSolid);
        WriteFixed(&s, kJwwSolidFileFixed);
        if (s.Base.PenColor == 10) w_.I32(s.Color);
        break;
      }
      case kEntBlock: {
        TEntJwwBlock b = list.Block[i];
        Repair(b.Base, BaseCheck::kNone);
        WriteFixed(&b, sizeof b);
        break;
      }
      default:
        break;
    }
  }

  ByteWriter& w_;
  std::int32_t version_;
  bool v351_, v420_, below420_;
  ClassTagWriter& tags_;
  RepairCounts& repairs_;
  TextRewrite rewrite_;
  EncodedText scratch_;
};

// ---------------------------------------------------------------------------
// BuildBlockTree with the bounds of jww_types.h. Returns the
// number of entries refused (cycles, depth, size).
template <class Def>
std::size_t BuildBlockTree(const ChunkedArray<TEntJwwBlock>& mainBlocks, std::vector<Def>& defs,
                           std::vector<TEntJwwBlockTree>& tree, std::int32_t& referencedCount) {
  tree.clear();
  std::unordered_map<std::int32_t, std::int32_t> first;
  for (std::size_t i = 0; i < defs.size(); ++i) {
    defs[i].InUse = 0;
    defs[i].UseIndex = -1;
    first.emplace(defs[i].Number, static_cast<std::int32_t>(i));
  }
  auto lookup = [&](std::int32_t number) {
    auto it = first.find(number);
    return it == first.end() ? -1 : it->second;
  };

  // In-use flags: the definitions reachable from the main list (each
  // definition visited once, whatever the tree's bounds cut).
  std::vector<std::int32_t> stack;
  auto reach = [&](std::int32_t d) {
    if (d >= 0 && !defs[static_cast<std::size_t>(d)].InUse) {
      defs[static_cast<std::size_t>(d)].InUse = 1;
      stack.push_back(d);
    }
  };
  for (const auto& b : mainBlocks) reach(lookup(b.Number));
  while (!stack.empty()) {
    std::int32_t d = stack.back();
    stack.pop_back();
    for (const auto& b : defs[static_cast<std::size_t>(d)].Block) reach(lookup(b.Number));
  }
  std::int32_t next = 0;
  for (auto& d : defs)
    if (d.InUse) d.UseIndex = next++;
  referencedCount = next;

  std::size_t refused = 0;
  auto place = [&](TEntJwwBlockTree& t, const TEntJwwBlock& b) {
    t.Number = b.Number;
    t.DefIndex = lookup(b.Number);
    if (t.DefIndex >= 0) t.Name = defs[static_cast<std::size_t>(t.DefIndex)].Name;
  };
  tree.reserve(mainBlocks.size());
  for (const auto& b : mainBlocks) {
    // Every insertion of the main list gets its entry; the bounds apply to
    // the nested ones.
    TEntJwwBlockTree t;
    t.Base = b.Base;
    t.Level = 0;
    t.Parent = -1;
    double sx = b.ScaleX, sy = b.ScaleY, a = b.Angle;
    double c = std::cos(a), s = std::sin(a);
    t.OriginX = b.X;
    t.OriginY = b.Y;
    t.M11 = sx * c;
    t.M12 = -sy * s;
    t.M21 = sx * s;
    t.M22 = sy * c;
    place(t, b);
    tree.push_back(std::move(t));
  }
  for (std::size_t k = 0; k < tree.size(); ++k) {
    if (tree[k].DefIndex < 0) continue;
    const Def& def = defs[static_cast<std::size_t>(tree[k].DefIndex)];
    if (def.Block.empty()) continue;
    if (tree[k].Level + 1 > kMaxBlockTreeDepth || tree.size() >= kMaxBlockTreeEntries) {
      refused += def.Block.size();
      continue;
    }
    for (const auto& j : def.Block) {
      std::int32_t d = lookup(j.Number);
      bool refuse = false;
      if (tree.size() >= kMaxBlockTreeEntries) {
        refuse = true;
      } else if (d >= 0) {
        // The definition must not stand among the new entry's ancestors.
        for (std::int64_t p = static_cast<std::int64_t>(k); p >= 0;
             p = tree[static_cast<std::size_t>(p)].Parent) {
          if (tree[static_cast<std::size_t>(p)].DefIndex == d) {
            refuse = true;
            break;
          }
        }
      }
      if (refuse) {
        ++refused;
        continue;
      }
      const TEntJwwBlockTree& e = tree[k];
      TEntJwwBlockTree t;
      t.Base = def.Base;
      t.Level = e.Level + 1;
      t.Parent = static_cast<std::int32_t>(k);
      double jx = j.X, jy = j.Y, sx = j.ScaleX, sy = j.ScaleY, a = j.Angle;
      double c = std::cos(a), s = std::sin(a);
      t.OriginX = e.OriginX + e.M11 * jx + e.M12 * jy;
      t.OriginY = e.OriginY + e.M21 * jx + e.M22 * jy;
      t.M11 = e.M11 * sx * c + e.M12 * sx * s;
      t.M12 = -e.M11 * sy * s + e.M12 * sy * c;
      t.M21 = e.M21 * sx * c + e.M22 * sx * s;
      t.M22 = -e.M21 * sy * s + e.M22 * sy * c;
      place(t, j);
      tree.push_back(std::move(t));  // may move tree[k]: `e` is not used after this
    }
  }
  tree.shrink_to_fit();
  return refused;
}

}  // namespace quintaro::jww
