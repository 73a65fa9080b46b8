// Loads arbitrary bytes as a drawing; a complete load must save, reload to
// the same drawing (as the writer stores it) and save to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/jwc/jwc_data.h"
#include "formats/jwc/jwc_records.h"

namespace {

quintaro::TJwcData AsWritten(quintaro::TJwcData d) {
  for (auto& s : d.lines) s = quintaro::WrittenForm(s);
  for (auto& a : d.arcs) a = quintaro::WrittenForm(a);
  for (auto& p : d.points) p = quintaro::WrittenForm(p);
  for (auto& s : std::span(d.textStyles).first(quintaro::TJwcData::kFileTextStyles))
    s = quintaro::WrittenForm(s);
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quintaro::TJwcData first;
  if (!first.LoadFromBytes(std::span(data, size))) return 0;
  std::vector<std::uint8_t> once;
  if (!first.SaveToBytes(once)) return 0;  // refused: nothing to compare
  quintaro::TJwcData second;
  if (!second.LoadFromBytes(once)) std::abort();
  if (!(second == AsWritten(first))) std::abort();
  std::vector<std::uint8_t> twice;
  if (!second.SaveToBytes(twice) || twice != once) std::abort();
  return 0;
}
