// Reading of the entity lists and the block definition list of the JWW
// and JWS formats, with their class tags. Internal to the format libraries.
#pragma once

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/memory.h"
#include "formats/jww/jww_lists.h"
#include "formats/jww/jww_string.h"
#include "formats/jww/jww_types.h"

namespace quintaro::jww {

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
  // Strings changed while reading (see JwwLoadReport), over every list read.
  std::int64_t stringsCleaned = 0;
  std::int64_t textsCut = 0;

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
      list.EntityOrder.clear();
      list.EntityOrder.reserve(static_cast<std::size_t>(bound));
      AdviseLargePages(list.EntityOrder.data(), bound * sizeof(EntityOrderEntry));
      list.EntityOrder.resize(static_cast<std::size_t>(bound));
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
      if (!ReadFixed<sizeof head>(&head)) return false;
      d.Base = head.Base;
      d.Number = head.Number;
      d.Referenced = head.Referenced;
      d.TimeStamp = static_cast<std::int32_t>(head.TimeStamp);
      d.TimeStampWide = 0;
      // A 64-bit time stamp: 8 more bytes, kept as they are.
      if (head.TimeStamp >= 0x80000000u && !r_.Read(&d.TimeStampWide, 8)) return false;
      if (!ReadCleanString(r_, d.Name, &stringsCleaned)) return false;
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
  template <std::size_t Size351>
  bool ReadFixed(void* dst) {
    auto* d = static_cast<std::uint8_t*>(dst);
    if (v351_) return r_.ReadFixed<Size351>(d);
    // 13-byte base: CurveAttr, PenStyle, PenColor (7 bytes) | Layer, LayerGroup, Flags.
    if (!r_.ReadFixed<7>(d)) return false;
    d[7] = d[8] = 0;
    return r_.ReadFixed<Size351 - 9>(d + 9);
  }

  template <class T>
  T* Slot(ChunkedArray<T>& a, std::size_t room) {
    T* p = a.Append(room);
    if (!p) progress.outOfMemory = true;
    return p;
  }

  bool ReadText(TEntJwwMojiFixed& fixed, EncodedText& font, EncodedText& text) {
    if (!ReadFixed<sizeof(TEntJwwMojiFixed)>(&fixed)) return false;
    if (!ReadCleanString(r_, font, &stringsCleaned) || !ReadCleanString(r_, text, &stringsCleaned))
      return false;
    if constexpr (kCutTexts) {
      for (EncodedText* s : {&font, &text}) {
        const std::size_t before = s->bytes.size();
        CutToChars(*s, 255);
        if (s->bytes.size() != before) ++textsCut;
      }
    }
    return true;
  }

  bool ReadPoint(TEntJwwTen& p, double scaleWithout) {
    if (!ReadFixed<kJwwTenFileFixed>(&p)) return false;
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
            list.Sen, [&](TEntJwwSen& e) { return ReadFixed<sizeof e>(&e); }, room);
      case kEntArc:
        return Finish(
            list.Enko, [&](TEntJwwEnko& e) { return ReadFixed<sizeof e>(&e); }, room);
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
              if (!ReadFixed<kJwwSolidFileFixed>(&e)) return false;
              if (e.Base.PenColor == 10) return r_.Read(&e.Color, 4);
              e.Color = 0;
              return true;
            },
            room);
      case kEntBlock:
        return Finish(
            list.Block, [&](TEntJwwBlock& e) { return ReadFixed<sizeof e>(&e); }, room);
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
    if (!ReadFixed<sizeof(TEntJwwBase)>(&d.Base)) return false;
    if (!ReadFixed<sizeof(TEntJwwSen)>(&d.Line)) return false;
    if (!ReadText(d.Text, d.Text.FontName, d.Text.Text)) return false;
    if (v420_) {
      d.SxfMode = r_.U16();
      if (!ReadFixed<sizeof(TEntJwwSen)>(&d.Aux1) || !ReadFixed<sizeof(TEntJwwSen)>(&d.Aux2))
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

}  // namespace quintaro::jww
