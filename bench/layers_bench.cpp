// Extents, census and a group move on a large drawing, beside one plain pass
// over the same records (reading every record's layer and first coordinate).
#include <benchmark/benchmark.h>

#include "document/demo_drawing.h"
#include "formats/extents/extents.h"
#include "layers/census.h"
#include "layers/move.h"
#include "plain_pass.h"

namespace quintaro::bench {
namespace {

TJwwData& Large() {
  static TJwwData d = MakeLargeDrawing(1'000'000);
  return d;
}

void BM_PlainPass(benchmark::State& state) {
  const TJwwData& d = Large();
  for (auto _ : state) {
    benchmark::DoNotOptimize(PlainPass(d));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(d.TotalCount()) * state.iterations());
}

void BM_Extents(benchmark::State& state) {
  TJwwData& d = Large();
  for (auto _ : state) {
    DrawingExtents e;
    ComputeExtents(d, e);
    benchmark::DoNotOptimize(e);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(d.TotalCount()) * state.iterations());
}

void BM_Census(benchmark::State& state) {
  const TJwwData& d = Large();
  for (auto _ : state) benchmark::DoNotOptimize(LayerCensus(d, 3, -1));
  state.SetItemsProcessed(static_cast<std::int64_t>(d.TotalCount()) * state.iterations());
}

void BM_CensusAllLayers(benchmark::State& state) {
  const TJwwData& d = Large();
  for (auto _ : state) benchmark::DoNotOptimize(CensusAllLayers(d));
  state.SetItemsProcessed(static_cast<std::int64_t>(d.TotalCount()) * state.iterations());
}

void BM_GroupMove(benchmark::State& state) {
  TJwwData& d = Large();
  bool back = false;
  for (auto _ : state) {
    // Alternate so every run moves the same number of figures.
    if (back) {
      MoveLayerGroup(d, 4, -1, 3, -1);
    } else {
      MoveLayerGroup(d, 3, -1, 4, -1);
    }
    back = !back;
  }
  if (back) MoveLayerGroup(d, 4, -1, 3, -1);
  state.SetItemsProcessed(static_cast<std::int64_t>(d.TotalCount()) * state.iterations());
}

BENCHMARK(BM_PlainPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Census)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CensusAllLayers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupMove)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench
