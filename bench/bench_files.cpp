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

namespace {

// Runs this program again through a shell with `args` and reads the number it
// prints. The shell forks the probe, so the probe's memory record starts
// afresh instead of carrying this process's peak over.
std::uint64_t AskProbe(const std::string& args) {
  std::error_code ec;
  std::string self = fs::read_symlink("/proc/self/exe", ec).string();
  if (ec) return 0;
  std::string cmd = "'" + self + "' " + args;
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return 0;
  unsigned long long bytes = 0;
  if (std::fscanf(p, "%llu", &bytes) != 1) bytes = 0;
  pclose(p);
  return bytes;
}

std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}

// Loads the file and returns this process's peak, or 0 when the load failed.
std::uint64_t LoadAndMeasure(const std::string& kind, const char* file) {
  bool ok = true;
  if (kind == "jww") ok = TJwwData().LoadFromFile(file);
  if (kind == "jws") ok = TJwsData().LoadFromFile(file);
  if (kind == "jwc") ok = TJwcData().LoadFromFile(file);
  if (kind == "jwk") ok = TJwkData().LoadFromFile(file);
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ok ? static_cast<std::uint64_t>(ru.ru_maxrss) * 1024 : 0;
}

// Runs the command with its output thrown away and returns its peak, or 0
// when it failed.
std::uint64_t RunAndMeasure(char** argv) {
  pid_t pid = fork();
  if (pid < 0) return 0;
  if (pid == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execv(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  rusage ru{};
  if (wait4(pid, &status, 0, &ru) != pid) return 0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
  return static_cast<std::uint64_t>(ru.ru_maxrss) * 1024;
}

}  // namespace

std::uint64_t PeakRssOf(const std::string& kind, const std::string& file) {
  return AskProbe("--peak-rss " + kind + " " + Quoted(file));
}

std::uint64_t PeakRssOfCommand(const std::vector<std::string>& command) {
  std::string args = "--peak-rss-of";
  for (const auto& a : command) args += " " + Quoted(a);
  return AskProbe(args);
}

bool RunPeakRssProbe(int argc, char** argv) {
  if (argc < 2) return false;
  std::string mode = argv[1];
  if (mode == "--peak-rss" && argc == 4) {
    std::printf("%llu\n", static_cast<unsigned long long>(LoadAndMeasure(argv[2], argv[3])));
    return true;
  }
  if (mode == "--peak-rss-of" && argc >= 3) {
    std::printf("%llu\n", static_cast<unsigned long long>(RunAndMeasure(argv + 2)));
    return true;
  }
  return false;
}

}  // namespace quintaro::bench
