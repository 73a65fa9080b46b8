#include "samples.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "formats/common/file_io.h"

namespace fs = std::filesystem;

namespace quintaro::test {

std::string SamplesFolder() {
  const char* chosen = std::getenv("QUINTARO_SAMPLES");
  return chosen && *chosen ? chosen : QUINTARO_SAMPLES_DIR;
}

std::string SamplePath(const std::string& relative) {
  return SamplesFolder() + "/" + relative;
}

std::vector<std::string> SampleFiles(const std::string& folder) {
  std::vector<std::string> out;
  std::error_code ec;
  for (auto& e : fs::directory_iterator(FsPath(SamplePath(folder)), ec))
    if (e.is_regular_file()) out.push_back(e.path().string());
  std::sort(out.begin(), out.end());
  return out;
}

std::string MissingSamples() {
  const std::string folder = SamplesFolder();
  std::error_code ec;
  if (fs::is_directory(FsPath(folder + "/jww"), ec)) return "";
  return "sample drawings not found in " + folder + " (set QUINTARO_SAMPLES to their folder)";
}

bool SamplesRequired() {
  const char* ci = std::getenv("CI");
  return ci && std::string(ci) == "true";
}

}  // namespace quintaro::test
