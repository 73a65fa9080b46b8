// libFuzzer target: loads a JWW file from memory; when the load is complete,
// saves it, loads that, saves again and loads again (list_roundtrip.h).
// Carried images go to a work folder and must come back unchanged.
#include <cstdint>
#include <span>

#include "formats/common/file_io.h"
#include "formats/jww/jww_data.h"
#include "list_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quintaro::TJwwData;
  static quintaro::BindImageStore images;
  images.UseWorkFolder();
  quintaro::fuzz::CheckRoundTrip<TJwwData>(
      std::span(data, size), [](const TJwwData& d) { return d.Header.Version; },
      [](TJwwData& d) { d.SetImageStore(&images); });
  images.DeleteFiles();
  return 0;
}
