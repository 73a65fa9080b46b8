// A temporary folder for one test, removed afterwards; and file helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "samples.h"

namespace quintaro::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // path of `name` ('/' between its parts) inside the folder, in the
  // system's own form, as a user would type it
  std::string File(const std::string& name) const;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

std::vector<std::uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool FileExists(const std::string& path);

}  // namespace quintaro::test
