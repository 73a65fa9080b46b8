// Shared pieces of the benchmarks: generated files in a private folder and
// the raw baselines every measurement is compared with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quintaro::bench {

// A folder of this benchmark run, removed at exit.
const std::string& BenchFolder();

// Writes the file once per run (by calling `make` with its path) and
// returns its path.
const std::string& GeneratedFile(const std::string& name,
                                 const std::function<void(const std::string&)>& make);

std::vector<std::uint8_t> ReadWhole(const std::string& path);

// Writes the bytes to a new file beside `path`, synced and renamed over it:
// the same work a save does besides encoding.
void WriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Peak resident memory, in bytes, of a fresh process of this program that
// loads `file` as `kind` ("jww", "jws", "jwc", "jwk", or "none" to load
// nothing). main() answers such a call through RunPeakRssProbe().
std::uint64_t PeakRssOf(const std::string& kind, const std::string& file);

// Peak resident memory, in bytes, of the command (argv, the program by its
// path) run with its output thrown away; 0 when it failed.
std::uint64_t PeakRssOfCommand(const std::vector<std::string>& command);

// When argv asks for a probe, loads the file or runs the command, prints the
// peak resident memory and returns true (main then exits).
bool RunPeakRssProbe(int argc, char** argv);

}  // namespace quintaro::bench
