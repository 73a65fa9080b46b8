// libFuzzer target: loads a JWS file from memory; when the load is complete,
// saves it, loads that, saves again and loads again, and checks that the
// writer's output is a fixed point (see jww_fuzz.cpp).
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/jws/jws_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quintaro::TJwsData;
  TJwsData m1;
  if (!m1.LoadFromBytes(std::span<const std::uint8_t>(data, size))) return 0;
  std::vector<std::uint8_t> b1, b2;
  if (!m1.SaveToBytes(m1.Version, b1)) return 0;
  TJwsData m2;
  if (!m2.LoadFromBytes(b1)) std::abort();
  for (int k = 1; k <= 7; ++k)
    if (m2.Count(k) != m1.Count(k)) std::abort();
  if (m2.ReferencedBlockCount != m1.ReferencedBlockCount) std::abort();
  if (!m2.SaveToBytes(m2.Version, b2)) std::abort();
  if (b1 != b2) std::abort();
  TJwsData m3;
  if (!m3.LoadFromBytes(b2)) std::abort();
  if (!(m2 == m3)) std::abort();
  return 0;
}
