// The round trip of the JWW and JWS fuzz targets, over either container:
// a complete load is saved, that is loaded, saved again and loaded again.
//
// The first save may repair values out of range (layers, pens, colours,
// line types, strings, image texts) and then says so, so the checks are:
// the reload of the first save is complete, keeps the entity order, the
// counts, every entity's payload bit for bit (block numbers included) and
// every block definition; a save that repaired nothing gives back the
// model it was given (the second load equals the first); from then on load
// and save are a fixed point (the second load equals the third, the two
// saves are byte-identical). Any difference aborts.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "formats/jww/jww_types.h"

namespace quintaro::fuzz {

// The bytes of a record after its 15-byte base block (minus `tail` bytes).
template <class T>
bool SamePayload(const T& a, const T& b, std::size_t tail = 0) {
  const auto* pa = reinterpret_cast<const unsigned char*>(&a);
  const auto* pb = reinterpret_cast<const unsigned char*>(&b);
  return std::memcmp(pa + 15, pb + 15, sizeof(T) - 15 - tail) == 0;
}

template <class List>
void CheckGeometryKept(const List& a, const List& b) {
  if (!(a.EntityOrder == b.EntityOrder)) std::abort();
  for (int k = 1; k <= 7; ++k)
    if (a.Count(k) != b.Count(k)) std::abort();
  for (std::size_t i = 0; i < a.Sen.size(); ++i)
    if (!SamePayload(a.Sen[i], b.Sen[i])) std::abort();
  for (std::size_t i = 0; i < a.Enko.size(); ++i)
    if (!SamePayload(a.Enko[i], b.Enko[i])) std::abort();
  for (std::size_t i = 0; i < a.Ten.size(); ++i)
    if (!SamePayload(a.Ten[i], b.Ten[i])) std::abort();
  for (std::size_t i = 0; i < a.Moji.size(); ++i)
    if (!SamePayload<TEntJwwMojiFixed>(a.Moji[i], b.Moji[i])) std::abort();
  for (std::size_t i = 0; i < a.Solid.size(); ++i)
    if (!SamePayload(a.Solid[i], b.Solid[i])) std::abort();
  for (std::size_t i = 0; i < a.Block.size(); ++i)
    if (!SamePayload(a.Block[i], b.Block[i])) std::abort();
}

// `versionOf(d)` is the version `d` is saved with; `setup(d)` prepares the
// containers of the first two loads (e.g. hands them an image store).
template <class Data, class VersionOf, class Setup>
void CheckRoundTrip(std::span<const std::uint8_t> data, VersionOf versionOf, Setup setup) {
  Data m1;
  setup(m1);
  if (!m1.LoadFromBytes(data)) return;
  std::vector<std::uint8_t> b1, b2;
  if (!m1.SaveToBytes(versionOf(m1), b1)) return;  // refused (e.g. inconsistent order): fine
  Data m2;
  setup(m2);
  if (!m2.LoadFromBytes(b1)) std::abort();
  CheckGeometryKept(m1, m2);
  if (m2.ReferencedBlockCount != m1.ReferencedBlockCount) std::abort();
  if (m2.BlockDefs.size() != m1.BlockDefs.size()) std::abort();
  if (m1.SaveRepairs().Empty() && !(m1 == m2)) std::abort();
  if (!m2.SaveToBytes(versionOf(m2), b2)) std::abort();
  if (b1 != b2) std::abort();
  Data m3;
  if (!m3.LoadFromBytes(b2)) std::abort();
  if (!(m2 == m3)) std::abort();
}

}  // namespace quintaro::fuzz
