#include "temp_dir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "formats/common/file_io.h"

namespace fs = std::filesystem;
using quintaro::FsPath;

namespace quintaro::test {

TempDir::TempDir() {
  static std::mt19937_64 rng{std::random_device{}()};
  for (int attempt = 0; attempt < 16 && path_.empty(); ++attempt) {
    fs::path p =
        fs::temp_directory_path() / ("quintaro-test-" + std::to_string(rng() % 1000000007));
    // create_directory is false for a folder that already exists: another test's.
    if (fs::create_directory(p)) path_ = p.string();
  }
  if (path_.empty()) throw std::runtime_error("no temporary folder");
}

std::string TempDir::File(const std::string& name) const {
  return (FsPath(path_) / FsPath(name).make_preferred()).string();
}

TempDir::~TempDir() {
  std::error_code ec;
  // A test may have made files read-only; make them writable again first.
  for (auto& e : fs::recursive_directory_iterator(FsPath(path_), ec))
    fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::permissions(FsPath(path_), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(FsPath(path_), ec);
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  return fs::exists(FsPath(path));
}

}  // namespace quintaro::test
