#include "formats/common/types.h"

#include <algorithm>
#include <cctype>

#include "formats/common/file_io.h"

namespace quintaro {

DocFormat DetectFormat(const std::string& path) {
  if (FileStartsWith(path, kJwwMagic)) return DocFormat::kJww;
  if (FileStartsWith(path, kJwsMagic)) return DocFormat::kJws;
  if (FileStartsWith(path, kJwcMagic)) return DocFormat::kJwc;
  if (FileStartsWith(path, kJwkMagic)) return DocFormat::kJwk;
  return DocFormat::kUnknown;
}

const char* DocKindOf(DocFormat format) {
  switch (format) {
    case DocFormat::kJwc:
      return ".JWC";
    case DocFormat::kJwk:
      return ".JWK";
    case DocFormat::kJww:
      return ".JWW";
    case DocFormat::kJws:
      return ".JWS";
    case DocFormat::kUnknown:
      break;
  }
  return "";
}

DocFormat FormatOfExtension(const std::string& extension) {
  std::string e = extension;
  if (!e.empty() && e.front() == '.') e.erase(0, 1);
  std::transform(e.begin(), e.end(), e.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (e == "JWC") return DocFormat::kJwc;
  if (e == "JWK") return DocFormat::kJwk;
  if (e == "JWW") return DocFormat::kJww;
  if (e == "JWS") return DocFormat::kJws;
  return DocFormat::kUnknown;
}

}  // namespace quintaro
