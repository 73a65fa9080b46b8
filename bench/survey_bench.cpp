// A survey of a folder of 500 small symbols as `layers --json` runs it,
// beside plain reads of the same 500 files in the same run. Run without
// XDG_RUNTIME_DIR, as in containers, cron and ssh sessions: anything a file
// costs on disk beyond its own bytes (a work folder per file) shows here.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "bench_files.h"
#include "document/demo_drawing.h"

#ifdef QUINTARO_BENCH_CLI
#include "cli/commands.h"

namespace quintaro::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 500;

const std::vector<std::string>& SurveyFiles() {
  static const std::vector<std::string> files = [] {
    const std::string& first = GeneratedFile("survey.jws", [](const std::string& path) {
      TJwsData d = MakeLargeSymbol(200);
      d.SaveToFile(path, d.Version);
    });
    const std::string folder = BenchFolder() + "/survey";
    fs::create_directories(folder);
    std::vector<std::string> out;
    for (int i = 0; i < kFiles; ++i) {
      out.push_back(folder + "/s" + std::to_string(i) + ".jws");
      fs::copy_file(first, out.back(), fs::copy_options::overwrite_existing);
    }
    return out;
  }();
  return files;
}

// XDG_RUNTIME_DIR unset while a benchmark runs, as it was.
class NoRuntimeFolder {
 public:
  NoRuntimeFolder() {
    if (const char* v = std::getenv("XDG_RUNTIME_DIR")) saved_ = v;
    ::unsetenv("XDG_RUNTIME_DIR");
  }
  ~NoRuntimeFolder() {
    if (!saved_.empty()) ::setenv("XDG_RUNTIME_DIR", saved_.c_str(), 1);
  }

 private:
  std::string saved_;
};

void BM_SurveyRawRead(benchmark::State& state) {
  const auto& files = SurveyFiles();
  NoRuntimeFolder noRuntime;
  for (auto _ : state) {
    for (const auto& f : files) benchmark::DoNotOptimize(ReadWhole(f));
  }
  state.SetItemsProcessed(kFiles * static_cast<std::int64_t>(state.iterations()));
}

void BM_SurveyLayers(benchmark::State& state) {
  const auto& files = SurveyFiles();
  NoRuntimeFolder noRuntime;
  for (auto _ : state) {
    std::ostringstream out, err;
    benchmark::DoNotOptimize(cli::RunLayers(files, cli::LayersFormat::kJson, {out, err}));
  }
  state.SetItemsProcessed(kFiles * static_cast<std::int64_t>(state.iterations()));
}

BENCHMARK(BM_SurveyRawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurveyLayers)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench

#endif
