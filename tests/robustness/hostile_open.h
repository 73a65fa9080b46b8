// Opening hostile files the way a user does: through Document::Open from a
// file on disk, with the heap measured around the open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "support/temp_dir.h"

namespace quintaro::test {

// The most a hostile open may allocate at once: the fixed tables of a
// drawing plus what the file itself could fill. A reader that reserves
// by an announced count instead of the bytes behind it goes far past it.
inline std::size_t HeapBound(std::size_t fileBytes) {
  return (1u << 20) + 16 * fileBytes;
}

// A document with its own work folder inside a temporary folder.
struct HostileOpen {
  TempDir dir;
  std::string work = dir.File("work");
  Document doc{Document::Images::kKeep, work};
  std::size_t heapPeak = 0;

  HostileOpen();
  // Writes `bytes` as `name` in the temporary folder and opens it.
  OpenResult Open(const std::vector<std::uint8_t>& bytes, const std::string& name);
};

}  // namespace quintaro::test
