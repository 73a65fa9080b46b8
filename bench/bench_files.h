// Shared pieces of the benchmarks: generated files in a private folder and
// the raw baselines every measurement is compared with.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quintaro::bench {

// A folder of this benchmark run, removed at exit.
const std::string& BenchFolder();

// Writes the file once per run (by calling `make` with its path) and
// returns its path.
const std::string& GeneratedFile(const std::string& name,
                                 const std::function<void(const std::string&)>& make);

// The JWW drawing of 1,000,000 figures that the load, command, view and
// drawing benchmarks share, written once per run.
const std::string& LargeJwwFile();

std::vector<std::uint8_t> ReadWhole(const std::string& path);

// Frees what a timed iteration made, untimed, and hands its pages back to
// the system: the next iteration starts from untouched memory, as the
// first open of a program does.
template <class T>
void FreeUntimed(benchmark::State& state, std::unique_ptr<T>& made) {
  benchmark::DoNotOptimize(made.get());
  state.PauseTiming();
  made.reset();
  malloc_trim(0);
  state.ResumeTiming();
}

// Writes the bytes to a new file beside `path`, synced and renamed over it:
// the same work a save does besides encoding.
void WriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Peak resident memory, in bytes, of a fresh process of this program that
// loads `file` as `kind` ("jww", "jws", "jwc", "jwk", or "none" to load
// nothing). main() answers such a call through RunPeakRssProbe().
std::uint64_t PeakRssOf(const std::string& kind, const std::string& file);

// A command run to its end in a fresh process: its wall time from start to
// exit and its peak resident memory in bytes (0 when it failed).
struct CommandRun {
  double seconds = 0;
  std::uint64_t peak = 0;
};
// Runs the command (argv, the program by its path) with its output thrown
// away. A small process of its own starts it, so that neither this
// program's memory nor its start-up counts.
CommandRun RunCommand(const std::vector<std::string>& command);

// When argv asks for a probe, loads the file or runs the command, prints the
// peak resident memory (and the command's time) and returns true (main
// then exits).
bool RunPeakRssProbe(int argc, char** argv);

}  // namespace quintaro::bench
