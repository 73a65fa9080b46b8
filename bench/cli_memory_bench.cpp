// Peak memory of `quintaro-cli info` on the large drawing, against the same
// command on the small demo drawing (the fixed base: the program, its
// libraries and the C++ runtime). Reported as counters; the time is the time
// of the whole command, for reference only.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "bench_files.h"
#include "document/demo_drawing.h"

#ifdef QUINTARO_CLI_PATH

namespace quintaro::bench {
namespace {

std::uint64_t CliInfoPeak(const std::string& file) {
  return PeakRssOfCommand({QUINTARO_CLI_PATH, "info", file});
}

const std::string& LargeFile() {
  return GeneratedFile("cli-large.jww", [](const std::string& path) {
    TJwwData d = MakeLargeDrawing(1'000'000);
    d.SaveToFile(path, d.Header.Version);
  });
}

const std::string& SmallFile() {
  return GeneratedFile("cli-demo.jww", [](const std::string& path) {
    TJwwData d = MakeDemoDrawing();
    d.SaveToFile(path, d.Header.Version);
  });
}

void BM_CliInfoLarge(benchmark::State& state) {
  const std::string& large = LargeFile();
  const std::string& small = SmallFile();
  std::uint64_t peak = 0, base = 0;
  for (auto _ : state) {
    peak = CliInfoPeak(large);
    if (peak == 0) state.SkipWithError("quintaro-cli info failed");
  }
  base = CliInfoPeak(small);
  auto size = static_cast<double>(std::filesystem::file_size(large));
  state.counters["base_MB"] = static_cast<double>(base) / 1e6;
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["file_MB"] = size / 1e6;
  state.counters["peak_over_file"] = (static_cast<double>(peak) - static_cast<double>(base)) / size;
}

BENCHMARK(BM_CliInfoLarge)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace quintaro::bench

#endif  // QUINTARO_CLI_PATH
