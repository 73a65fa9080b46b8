#include "bench_files.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro::bench {

namespace fs = std::filesystem;

namespace {

struct Folder {
  std::string path;
  Folder() {
    std::string templ = (fs::temp_directory_path() / "quintaro-bench-XXXXXX").string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    path = templ;
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

}  // namespace

const std::string& BenchFolder() {
  static Folder folder;
  return folder.path;
}

const std::string& GeneratedFile(const std::string& name,
                                 const std::function<void(const std::string&)>& make) {
  static std::map<std::string, std::string> made;
  auto it = made.find(name);
  if (it != made.end()) return it->second;
  std::string path = BenchFolder() + "/" + name;
  make(path);
  if (!fs::exists(path)) throw std::runtime_error("could not generate " + path);
  return made.emplace(name, path).first->second;
}

std::vector<std::uint8_t> ReadWhole(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw std::runtime_error("cannot open " + path);
  std::vector<std::uint8_t> bytes(fs::file_size(path));
  std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  if (got != bytes.size()) throw std::runtime_error("short read of " + path);
  return bytes;
}

void WriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + temp);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fflush(f);
  fsync(fileno(f));
  std::fclose(f);
  std::rename(temp.c_str(), path.c_str());
}

std::uint64_t PeakRssOf(const std::string& kind, const std::string& file) {
  // popen runs a shell, whose /proc/self/exe is the shell: name this program itself.
  std::error_code ec;
  std::string self = fs::read_symlink("/proc/self/exe", ec).string();
  if (ec) return 0;
  std::string cmd = "'" + self + "' --peak-rss " + kind + " '" + file + "'";
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return 0;
  unsigned long long bytes = 0;
  if (std::fscanf(p, "%llu", &bytes) != 1) bytes = 0;
  pclose(p);
  return bytes;
}

bool RunPeakRssProbe(int argc, char** argv) {
  if (argc != 4 || std::string(argv[1]) != "--peak-rss") return false;
  std::string kind = argv[2];
  bool ok = true;
  if (kind == "jww") ok = TJwwData().LoadFromFile(argv[3]);
  if (kind == "jws") ok = TJwsData().LoadFromFile(argv[3]);
  if (kind == "jwc") ok = TJwcData().LoadFromFile(argv[3]);
  if (kind == "jwk") ok = TJwkData().LoadFromFile(argv[3]);
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  std::printf("%llu\n", ok ? static_cast<unsigned long long>(ru.ru_maxrss) * 1024 : 0ULL);
  return true;
}

}  // namespace quintaro::bench
