// libFuzzer target: loads a JWS file from memory; when the load is complete,
// saves it, loads that, saves again and loads again (list_roundtrip.h).
#include <cstdint>
#include <span>

#include "formats/jws/jws_data.h"
#include "list_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quintaro::TJwsData;
  quintaro::fuzz::CheckRoundTrip<TJwsData>(
      std::span(data, size), [](const TJwsData& d) { return d.Version; }, [](TJwsData&) {});
  return 0;
}
