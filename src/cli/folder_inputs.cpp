#include <algorithm>
#include <filesystem>

#include "cli/move_parts.h"
#include "formats/common/file_io.h"
#include "formats/common/types.h"

namespace quintaro::cli {

namespace fs = std::filesystem;

bool DrawingsUnder(const std::string& dir, std::vector<FolderInput>& found, std::string* why) {
  found.clear();
  std::error_code ec;
  const fs::path root = FsPath(dir);
  if (!fs::is_directory(root, ec)) {
    if (why) *why = dir + ": is not a folder";
    return false;
  }
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_regular_file(fileEc)) continue;
    const std::string path = it->path().string();
    // Drawings are known by their first bytes, whatever the extension says.
    const DocFormat format = DetectFormat(path);
    if (format == DocFormat::kUnknown) continue;
    found.push_back({path, it->path().lexically_relative(root).generic_string(), format});
  }
  if (ec) {
    if (why) *why = dir + ": cannot be walked: " + ec.message();
    return false;
  }
  std::sort(found.begin(), found.end(),
            [](const FolderInput& a, const FolderInput& b) { return a.relative < b.relative; });
  return true;
}

}  // namespace quintaro::cli
