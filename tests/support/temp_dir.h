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
  // path of `name` inside the folder
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

std::vector<std::uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool FileExists(const std::string& path);

}  // namespace quintaro::test
