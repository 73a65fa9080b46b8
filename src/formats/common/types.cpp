#include "formats/common/types.h"

#include "formats/common/file_io.h"

namespace quintaro {

DocFormat DetectFormat(const std::string& path) {
  if (FileStartsWith(path, kJwwMagic)) return DocFormat::kJww;
  if (FileStartsWith(path, kJwsMagic)) return DocFormat::kJws;
  if (FileStartsWith(path, kJwcMagic)) return DocFormat::kJwc;
  if (FileStartsWith(path, kJwkMagic)) return DocFormat::kJwk;
  return DocFormat::kUnknown;
}

}  // namespace quintaro
