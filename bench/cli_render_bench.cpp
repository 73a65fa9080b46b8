// `quintaro-cli render` of the large drawing to a 1600x1200 PNG, the whole
// command as a user runs it (start, load, drawing, PNG), timed around the
// process. Its peak memory and its processor time (user and system, the
// median's stand-in on a busy machine) are reported as counters.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_files.h"
#include "document/demo_drawing.h"

#ifdef QUINTARO_CLI_PATH

namespace quintaro::bench {
namespace {

// Runs the command with its output thrown away; false when it failed.
bool Run(std::vector<std::string> args, rusage* usage) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  return wait4(pid, &status, 0, usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

void BM_CliRenderLarge(benchmark::State& state) {
  const std::string& file = LargeJwwFile();
  const std::string png = BenchFolder() + "/render-large.png";
  rusage usage{};
  std::vector<double> cpu;
  for (auto _ : state) {
    if (!Run({QUINTARO_CLI_PATH, "render", file, "-o", png, "--size", "1600x1200"}, &usage)) {
      state.SkipWithError("quintaro-cli render failed");
    }
    cpu.push_back(Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
  }
  std::sort(cpu.begin(), cpu.end());
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1000;
  if (!cpu.empty()) state.counters["cpu_ms"] = cpu[cpu.size() / 2] * 1000;
}

BENCHMARK(BM_CliRenderLarge)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench

#endif  // QUINTARO_CLI_PATH
