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
  // Lines, arcs and points must come back as written; the header, its kept
  // lines and the texts are compared through the bytes alone for now.
  // TODO: a hostile symbol whose texts do not all come back (the count
  // differs after one save) is kept in fuzz/open-findings/jwk/.
  const auto expected = AsWritten(first);
  if (second.lines != expected.lines || second.arcs != expected.arcs ||
      second.points != expected.points)
    std::abort();
  std::vector<std::uint8_t> twice;
  if (!second.SaveToBytes(twice) || twice != once) std::abort();
  return 0;
}
