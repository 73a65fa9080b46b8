#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench_files.h"

int main(int argc, char** argv) {
  if (quintaro::bench::RunPeakRssProbe(argc, argv)) return 0;
  // A fixed threshold: every large buffer is mapped fresh, in the baselines as
  // in the code measured. (The adaptive one lets a baseline of up to 32 MB
  // reuse warm heap memory that a larger one, or a loader's many chunks,
  // cannot, which would make the ratios depend on the file size.)
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
