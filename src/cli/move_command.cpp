#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/commands.h"
#include "cli/move_parts.h"
#include "cli/session.h"
#include "formats/common/file_io.h"

namespace quintaro::cli {

namespace fs = std::filesystem;

namespace {

struct Job {
  std::string in, target;
};

FileResult MoveOne(const Job& job, const MoveOptions& o, Io io) {
  FileResult r;
  r.input = job.in;
  CliSession session;
  Outcome opened = session.Open(job.in, o.partial);
  if (!opened.Ok()) {
    r.error = opened.error;
    return r;
  }
  Tell(io, opened);
  r.warnings = opened.warnings;
  io.out << job.in << (o.dryRun ? " (dry run)" : " -> " + job.target) << "\n";
  LayerChange change = session.Doc().Apply(o.steps, {o.exactNames});
  r.steps = std::move(change.steps);
  PrintSteps(r.steps, io.out);
  for (const LayerChange::Step& step : r.steps) {
    for (const std::string& w : step.warnings) {
      Warning(io, job.in + ": " + w);
      r.warnings.push_back(w);
    }
  }
  if (!change.Ok()) {
    r.error = job.in + ": " + change.error + "; nothing written";
    return r;
  }
  if (!o.dryRun) {
    std::error_code ec;
    fs::path parent = FsPath(job.target).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);
    Outcome saved = session.Save(job.target, o.overwrite);
    if (!saved.Ok()) {
      r.error = saved.error;
      return r;
    }
    Tell(io, saved);
    r.warnings.insert(r.warnings.end(), saved.warnings.begin(), saved.warnings.end());
    r.output = job.target;
  }
  r.ok = true;
  return r;
}

bool LoadMap(MoveOptions& o, Io io) {
  std::ifstream f(FsPath(o.mapFile), std::ios::binary);
  if (!f) {
    Error(io, o.mapFile + ": cannot be read");
    return false;
  }
  std::stringstream text;
  text << f.rdbuf();
  PlanParseResult plan = ParseRelayerPlan(text.str());
  if (!plan.Ok()) {
    Error(io, o.mapFile + ": " + plan.error);
    return false;
  }
  o.steps.insert(o.steps.end(), plan.rules.begin(), plan.rules.end());
  return true;
}

fs::path Canonical(const fs::path& p) {
  std::error_code ec;
  fs::path c = fs::weakly_canonical(p, ec);
  return c.has_filename() ? c : c.parent_path();
}

// True when `dir` is `folder` or lies below it.
bool Inside(const fs::path& dir, const fs::path& folder) {
  fs::path a = Canonical(dir), b = Canonical(folder);
  auto [end, _] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
  return end == b.end();
}

// The jobs of a batch: named inputs keep their file names in the output
// folder, those found under -r their relative paths. False when the output
// folder would hold an input.
bool BatchJobs(const MoveOptions& o, std::vector<Job>& jobs, Io io) {
  for (const std::string& in : o.inputs) {
    fs::path parent = FsPath(in).parent_path();
    if (parent.empty()) parent = ".";
    if (Canonical(FsPath(o.outDir)) == Canonical(parent)) {
      Error(io, "--out-dir " + o.outDir + " holds the input " + in +
                    ": choose a folder apart from the inputs");
      return false;
    }
    jobs.push_back({in, (FsPath(o.outDir) / FsPath(in).filename()).string()});
  }
  if (o.inDir.empty()) return true;
  if (Inside(FsPath(o.outDir), FsPath(o.inDir))) {
    Error(io, "--out-dir " + o.outDir + " lies inside " + o.inDir +
                  ": choose a folder apart from the inputs");
    return false;
  }
  std::vector<FolderInput> found;
  std::string why;
  if (!DrawingsUnder(o.inDir, found, &why)) {
    Error(io, why);
    return false;
  }
  for (const FolderInput& f : found)
    jobs.push_back({f.path, (FsPath(o.outDir) / FsPath(f.relative)).string()});
  return true;
}

std::vector<FileResult> RunJobs(const std::vector<Job>& jobs, const MoveOptions& o, Io io) {
  std::vector<FileResult> results;
  std::set<std::string> targets;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const Job& job = jobs[i];
    if (io.terminal) io.err << "\r[" << i + 1 << "/" << jobs.size() << "] " << job.in << "\x1b[K";
    if (!targets.insert(job.target).second) {
      FileResult r;
      r.input = job.in;
      r.error =
          job.in + ": another input of the same name already goes to " + job.target + "; skipped";
      results.push_back(r);
      continue;
    }
    results.push_back(MoveOne(job, o, io));
  }
  if (io.terminal) io.err << "\r\x1b[K";
  return results;
}

int Finish(const MoveOptions& o, const std::vector<FileResult>& results, bool batch, Io io) {
  int done = 0, moved = 0, failed = 0;
  for (const FileResult& r : results) {
    if (r.ok) {
      ++done;
      moved += r.Moved();
    } else {
      ++failed;
    }
  }
  if (batch) {
    io.out << (o.dryRun ? "dry run: " : "") << done << " file(s) done, " << failed << " failed, "
           << moved << " figure(s) moved\n";
  } else if (done == 1 && !o.dryRun) {
    io.out << "saved " << o.out << "\n";
  }
  for (const FileResult& r : results)
    if (!r.ok) Error(io, r.error);
  std::string why;
  if (!o.reportFile.empty() && !WriteReport(o.reportFile, results, o.dryRun, &why)) {
    Error(io, o.reportFile + ": report not written: " + why);
    return 1;
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace

int RunMove(const MoveOptions& options, Io io) {
  MoveOptions o = options;
  if (!o.mapFile.empty() && !LoadMap(o, io)) return 1;
  if (o.steps.empty()) {
    Error(io,
          "no rules given (--group S:D, --layer G-L:H-M, --swap, --group-name, --layer-name, "
          "--rename-group, --rename-layer or --map FILE)");
    return kExitUsage;
  }
  if (o.inputs.empty() && o.inDir.empty()) {
    Error(io, "no input given (FILES or -r FOLDER)");
    return kExitUsage;
  }
  bool batch = !o.outDir.empty();
  if (batch == !o.out.empty()) {
    Error(io, "give either -o OUT (one input) or --out-dir DIR (any number of inputs)");
    return kExitUsage;
  }
  if (!batch && (o.inputs.size() != 1 || !o.inDir.empty())) {
    Error(io, "-o OUT takes one input; use --out-dir DIR for several");
    return kExitUsage;
  }
  std::vector<Job> jobs;
  if (!batch) {
    jobs.push_back({o.inputs[0], o.out});
  } else if (!BatchJobs(o, jobs, io)) {
    return 1;
  }
  if (batch && !o.dryRun) {
    std::error_code ec;
    fs::create_directories(FsPath(o.outDir), ec);
    if (!fs::is_directory(FsPath(o.outDir), ec)) {
      Error(io, o.outDir + ": cannot create the output folder");
      return 1;
    }
  }
  return Finish(o, RunJobs(jobs, o, io), batch, io);
}

}  // namespace quintaro::cli
