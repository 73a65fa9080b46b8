#include "hostile_open.h"

#include <filesystem>

#include "heap_meter.h"

namespace quintaro::test {

HostileOpen::HostileOpen() {
  std::filesystem::create_directory(work);
}

OpenResult HostileOpen::Open(const std::vector<std::uint8_t>& bytes, const std::string& name) {
  WriteAll(dir.File(name), bytes);
  HeapPeak peak;
  OpenResult r = doc.Open(dir.File(name));
  heapPeak = peak.Bytes();
  return r;
}

}  // namespace quintaro::test
