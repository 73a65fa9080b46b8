// Load and save of large generated drawings, each beside the raw read or
// write of the same bytes in the same run. Peak memory of a load is
// reported as counters (bytes over a process that loads nothing, and that
// over the file size).
//
// Every load, like the raw read, starts from memory the process has not
// touched, as the first open of a program does: the model of the load
// before is freed and its pages handed back to the system outside the
// timing. (A load into the pages its predecessor just freed would be
// measured against a raw read into fresh ones.)
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench_files.h"
#include "document/demo_drawing.h"
#include "formats/jwk/jwk_data.h"

namespace quintaro::bench {
namespace {

constexpr std::size_t kEntities = 1'000'000;

const std::string& LargeJws() {
  return GeneratedFile("large.jws", [](const std::string& path) {
    TJwsData d = MakeLargeSymbol(kEntities);
    d.SaveToFile(path, d.Version);
  });
}

const std::string& LargeJwk() {
  return GeneratedFile("large.jwk", [](const std::string& path) {
    TJwcData figures = MakeLargeJwc(3 * kEntities);
    TJwkData d;
    d.lines = std::move(figures.lines);
    d.arcs = std::move(figures.arcs);
    d.points = std::move(figures.points);
    d.texts = std::move(figures.texts);
    d.SaveToFile(path);
  });
}

const std::string& LargeJwc() {
  return GeneratedFile("large.jwc", [](const std::string& path) {
    // Three times the figures: JWC records are small, and a file that fits the
    // processor's cache would flatter its raw-read baseline.
    TJwcData d = MakeLargeJwc(3 * kEntities);
    d.SaveToFile(path);
  });
}

void SetBytes(benchmark::State& state, const std::string& path) {
  auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
  state.SetBytesProcessed(size * static_cast<std::int64_t>(state.iterations()));
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

void ReportPeakMemory(benchmark::State& state, const char* kind, const std::string& path) {
  double base = static_cast<double>(PeakRssOf("none", path));
  double loaded = static_cast<double>(PeakRssOf(kind, path));
  double size = static_cast<double>(std::filesystem::file_size(path));
  state.counters["peak_MB_over_base"] = (loaded - base) / 1e6;
  state.counters["peak_over_file"] = (loaded - base) / size;
}

// ---- baselines ----

void BM_RawRead(benchmark::State& state, const std::string& (*file)()) {
  const std::string& path = file();
  for (auto _ : state) {
    auto bytes = std::make_unique<std::vector<std::uint8_t>>(ReadWhole(path));
    FreeUntimed(state, bytes);
  }
  SetBytes(state, path);
}

void BM_RawWrite(benchmark::State& state, const std::string& (*file)()) {
  const std::string& path = file();
  std::vector<std::uint8_t> bytes = ReadWhole(path);
  std::string out = BenchFolder() + "/raw.out";
  for (auto _ : state) WriteWhole(out, bytes);
  SetBytes(state, path);
}

// ---- the formats ----

template <class Doc>
void BM_Load(benchmark::State& state, const std::string& (*file)(), const char* kind) {
  const std::string& path = file();
  for (auto _ : state) {
    auto d = std::make_unique<Doc>();
    if (!d->LoadFromFile(path)) state.SkipWithError("load failed");
    FreeUntimed(state, d);
  }
  SetBytes(state, path);
  ReportPeakMemory(state, kind, path);
}

template <class Doc, class Save>
void BM_Save(benchmark::State& state, const std::string& (*file)(), Save save) {
  const std::string& path = file();
  Doc d;
  d.LoadFromFile(path);
  std::string out = BenchFolder() + "/saved.out";
  for (auto _ : state) {
    if (!save(d, out)) state.SkipWithError("save failed");
  }
  SetBytes(state, path);
}

bool SaveJww(TJwwData& d, const std::string& out) {
  return d.SaveToFile(out, d.Header.Version);
}
bool SaveJws(TJwsData& d, const std::string& out) {
  return d.SaveToFile(out, d.Version);
}
bool SaveJwc(TJwcData& d, const std::string& out) {
  return d.SaveToFile(out);
}

void BM_LoadJww(benchmark::State& s) {
  BM_Load<TJwwData>(s, LargeJwwFile, "jww");
}
void BM_SaveJww(benchmark::State& s) {
  BM_Save<TJwwData>(s, LargeJwwFile, SaveJww);
}
void BM_LoadJws(benchmark::State& s) {
  BM_Load<TJwsData>(s, LargeJws, "jws");
}
void BM_SaveJws(benchmark::State& s) {
  BM_Save<TJwsData>(s, LargeJws, SaveJws);
}
void BM_LoadJwc(benchmark::State& s) {
  BM_Load<TJwcData>(s, LargeJwc, "jwc");
}
void BM_SaveJwc(benchmark::State& s) {
  BM_Save<TJwcData>(s, LargeJwc, SaveJwc);
}
void BM_LoadJwk(benchmark::State& s) {
  BM_Load<TJwkData>(s, LargeJwk, "jwk");
}

BENCHMARK_CAPTURE(BM_RawRead, jww, LargeJwwFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJww)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RawWrite, jww, LargeJwwFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJww)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_RawRead, jws, LargeJws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJws)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RawWrite, jws, LargeJws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJws)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_RawRead, jwc, LargeJwc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJwc)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RawWrite, jwc, LargeJwc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJwc)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_RawRead, jwk, LargeJwk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJwk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench
