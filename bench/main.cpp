#include <benchmark/benchmark.h>

#include "bench_files.h"

int main(int argc, char** argv) {
  if (quintaro::bench::RunPeakRssProbe(argc, argv)) return 0;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
