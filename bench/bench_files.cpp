#include "bench_files.h"

#include "document/demo_drawing.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

// Runs this program again through a shell with `args` and reads the
// numbers it prints (a peak in bytes, then maybe seconds). The shell forks
// the probe, so the probe's memory record starts afresh instead of
// carrying this process's peak over.
CommandRun AskProbe(const std::string& args) {
  CommandRun run;
  std::error_code ec;
  std::string self = fs::read_symlink("/proc/self/exe", ec).string();
  if (ec) return run;
  std::string cmd = "'" + self + "' " + args;
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return run;
  unsigned long long bytes = 0;
  if (std::fscanf(p, "%llu %lf", &bytes, &run.seconds) >= 1) run.peak = bytes;
  pclose(p);
  return run;
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

// Runs the command with its output thrown away; its peak is 0 when it
// failed.
CommandRun RunAndMeasure(char** argv) {
  CommandRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid < 0) return run;
  if (pid == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execv(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  rusage ru{};
  if (wait4(pid, &status, 0, &ru) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
    run.peak = static_cast<std::uint64_t>(ru.ru_maxrss) * 1024;
  return run;
}

}  // namespace

std::uint64_t PeakRssOf(const std::string& kind, const std::string& file) {
  return AskProbe("--peak-rss " + kind + " " + Quoted(file)).peak;
}

CommandRun RunCommand(const std::vector<std::string>& command) {
  std::string args = "--run";
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
  if (mode == "--run" && argc >= 3) {
    CommandRun run = RunAndMeasure(argv + 2);
    std::printf("%llu %.9f\n", static_cast<unsigned long long>(run.peak), run.seconds);
    return true;
  }
  return false;
}

const std::string& LargeJwwFile() {
  return GeneratedFile("large.jww", [](const std::string& path) {
    TJwwData d = MakeLargeDrawing(1'000'000);
    d.SaveToFile(path, d.Header.Version);
  });
}

}  // namespace quintaro::bench
