// The command-line tool as a user runs it, each command in a fresh process
// on the drawing of a million figures: `info --json` beside `layers` of the
// same file (a load and a count), both timed from start to exit. The peak
// memory of info is reported over the same command on the small demo
// drawing (the program, its libraries and the runtime) and over the file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_files.h"
#include "document/demo_drawing.h"

#ifdef QUINTARO_CLI_PATH

namespace quintaro::bench {
namespace {

const std::string& SmallFile() {
  return GeneratedFile("cli-demo.jww", [](const std::string& path) {
    TJwwData d = MakeDemoDrawing();
    d.SaveToFile(path, d.Header.Version);
  });
}

// Times the command on the large file; its peak is in the last run.
CommandRun TimeCommand(benchmark::State& state, std::vector<std::string> args) {
  args.insert(args.begin(), QUINTARO_CLI_PATH);
  args.push_back(LargeJwwFile());
  CommandRun run;
  for (auto _ : state) {
    run = RunCommand(args);
    if (run.peak == 0) state.SkipWithError("quintaro-cli failed");
    state.SetIterationTime(run.seconds);
  }
  return run;
}

void BM_CliLayersLarge(benchmark::State& state) {
  TimeCommand(state, {"layers"});
}

void BM_CliInfoLarge(benchmark::State& state) {
  const CommandRun large = TimeCommand(state, {"info", "--json"});
  const CommandRun small = RunCommand({QUINTARO_CLI_PATH, "info", "--json", SmallFile()});
  auto size = static_cast<double>(std::filesystem::file_size(LargeJwwFile()));
  auto peak = static_cast<double>(large.peak), base = static_cast<double>(small.peak);
  state.counters["base_MB"] = base / 1e6;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["file_MB"] = size / 1e6;
  state.counters["peak_over_file"] = (peak - base) / size;
}

BENCHMARK(BM_CliLayersLarge)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_CliInfoLarge)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace quintaro::bench

#endif  // QUINTARO_CLI_PATH
