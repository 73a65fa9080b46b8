// libFuzzer target: loads a JWW file from memory; when the load is complete,
// saves it, loads that, saves again and loads again. The first save may
// repair values (Part 2.3), so the check is that the writer's output is a
// fixed point: the second load is complete, equal to the third, and the two
// saves are byte-identical; the main-list counts survive the first save.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/jww/jww_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quintaro::TJwwData;
  TJwwData m1;  // no image store: image data are read and dropped
  if (!m1.LoadFromBytes(std::span<const std::uint8_t>(data, size))) return 0;
  std::vector<std::uint8_t> b1, b2;
  if (!m1.SaveToBytes(m1.Header.Version, b1)) return 0;  // refused (e.g. inconsistent order): fine
  TJwwData m2;
  if (!m2.LoadFromBytes(b1)) std::abort();
  if (m2.TotalCount() != m1.TotalCount()) std::abort();
  for (int k = 1; k <= 7; ++k)
    if (m2.Count(k) != m1.Count(k)) std::abort();
  if (m2.ReferencedBlockCount != m1.ReferencedBlockCount) std::abort();
  if (!m2.SaveToBytes(m2.Header.Version, b2)) std::abort();
  if (b1 != b2) std::abort();
  TJwwData m3;
  if (!m3.LoadFromBytes(b2)) std::abort();
  if (!(m2 == m3)) std::abort();
  return 0;
}
