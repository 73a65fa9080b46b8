// diff of two drawings of 1,000,000 figures (one the other after fifteen
// group moves) beside its baseline, the two plain loads it needs anyway.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_files.h"
#include "document/demo_drawing.h"
#include "document/document.h"
#include "document/drawing_diff.h"
#include "layers/move.h"

namespace quintaro::bench {
namespace {

constexpr std::size_t kFigures = 1'000'000;

struct Pair {
  std::string before, after;
};

const Pair& Files() {
  static const Pair pair = [] {
    TJwwData doc = MakeLargeDrawing(kFigures);
    Pair p;
    p.before = GeneratedFile("diff-before.jww",
                             [&](const std::string& f) { doc.SaveToFile(f, doc.Header.Version); });
    // Fifteen of the sixteen groups onto the last: most figures change layer.
    for (int g = 0; g < 15; ++g) MoveLayerGroup(doc, g, -1, 15, -1);
    p.after = GeneratedFile("diff-after.jww",
                            [&](const std::string& f) { doc.SaveToFile(f, doc.Header.Version); });
    return p;
  }();
  return pair;
}

bool OpenBoth(const Pair& p, Document& a, Document& b) {
  return a.Open(p.before) == OpenResult::kOpened && b.Open(p.after) == OpenResult::kOpened;
}

void BM_DiffTwoLoads(benchmark::State& state) {
  const Pair& p = Files();
  for (auto _ : state) {
    Document a, b;
    if (!OpenBoth(p, a, b)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
  }
}

// The comparison alone, on drawings already loaded.
void BM_DiffCompare(benchmark::State& state) {
  const Pair& p = Files();
  Document a, b;
  if (!OpenBoth(p, a, b)) {
    state.SkipWithError("load failed");
    return;
  }
  DrawingDiff d;
  for (auto _ : state) {
    if (!DiffDocuments(a, b, d, nullptr)) state.SkipWithError("diff failed");
    benchmark::DoNotOptimize(d);
  }
  std::int64_t moved = 0;
  for (const LayerMove& m : d.layerMoves) moved += m.count;
  state.counters["moved"] = static_cast<double>(moved);
}

// What the command does: both loads and the comparison.
void BM_DiffLoadsAndCompare(benchmark::State& state) {
  const Pair& p = Files();
  for (auto _ : state) {
    Document a, b;
    if (!OpenBoth(p, a, b)) state.SkipWithError("load failed");
    DrawingDiff d;
    DiffDocuments(a, b, d, nullptr);
    benchmark::DoNotOptimize(d);
  }
}

BENCHMARK(BM_DiffTwoLoads)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DiffCompare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DiffLoadsAndCompare)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quintaro::bench
