// Loads arbitrary bytes as a symbol; a complete load must save, reload to
// the same symbol (as the writer stores it) and save to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/jwc/jwc_records.h"
#include "formats/jwk/jwk_data.h"

namespace {

quintaro::TJwkData AsWritten(quintaro::TJwkData d) {
  for (auto& s : d.lines) s = quintaro::WrittenForm(s);
  for (auto& a : d.arcs) a = quintaro::WrittenForm(a);
  for (auto& p : d.points) p = quintaro::WrittenForm(p);
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quintaro::TJwkData first;
  if (!first.LoadFromBytes(std::span(data, size))) return 0;
  std::vector<std::uint8_t> once;
  if (!first.SaveToBytes(once)) return 0;  // refused: nothing to compare
  quintaro::TJwkData second;
  if (!second.LoadFromBytes(once)) std::abort();
  if (!(second == AsWritten(first))) std::abort();
  std::vector<std::uint8_t> twice;
  if (!second.SaveToBytes(twice) || twice != once) std::abort();
  return 0;
}
