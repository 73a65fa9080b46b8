#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/commands.h"
#include "cli/move_parts.h"
#include "cli/session.h"
#include "document/format_facts.h"
#include "document/save_target.h"
#include "formats/common/file_io.h"

namespace quintaro::cli {

namespace fs = std::filesystem;

namespace {

struct Job {
  std::string in, target;
  std::string note;  // why the target's extension is not the input's; "" when it is
};

// A batch job: `name` under the output folder, with the extension its
// format needs.
Job BatchJob(const std::string& in, const std::string& outDir, const std::string& name,
             DocFormat format) {
  const std::string fixed = OutputNameOf(name, format);
  // The relative name is written with '/'; joined in the system's own form,
  // so that a Windows path does not mix both separators.
  Job job{in, (FsPath(outDir) / FsPath(fixed).make_preferred()).string(), ""};
  if (fixed == name) return job;
  const std::string ext = FsPath(name).extension().string();
  job.note = in + ": a " + FormatName(format) + " drawing " +
             (FormatOfExtension(ext) == DocFormat::kUnknown
                  ? std::string("without the .") + FactsOf(format)->suffix + " extension"
                  : "under the extension " + ext) +
             "; output " + job.target;
  return job;
}

// A dry run goes the same way as a real one up to the writing itself: the
// same checks of the target, the same rules, the repairs the save would make.
FileResult MoveOne(const Job& job, const MoveOptions& o, Io io) {
  FileResult r;
  r.input = job.in;
  CliSession session;
  Outcome opened = session.Open(job.in, o.partial ? IfDamaged::kGoOn : IfDamaged::kStopOfferPartial,
                                job.note.empty());
  if (!job.note.empty()) opened.warnings.push_back(job.note);
  if (opened.Ok()) opened.error = session.CheckTarget(job.target, o.overwrite).error;
  for (const std::string& w : opened.warnings) Warning(io, w);
  r.warnings = opened.warnings;
  if (!opened.Ok()) {
    r.error = opened.error;
    return r;
  }
  io.out << job.in << " -> " << job.target << (o.dryRun ? " (dry run)" : "") << "\n";
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
  Outcome saved;
  if (o.dryRun) {
    saved = session.PlanSave(job.target);
  } else {
    std::error_code ec;
    fs::path parent = FsPath(job.target).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);
    saved = session.Save(job.target, o.overwrite);
  }
  if (!saved.Ok()) {
    r.error = saved.error;
    return r;
  }
  Tell(io, saved);
  r.warnings.insert(r.warnings.end(), saved.warnings.begin(), saved.warnings.end());
  r.output = job.target;
  r.written = !o.dryRun;
  r.ok = true;
  return r;
}

bool LoadMap(MoveOptions& o, Io io) {
  std::ifstream f(FsPath(o.mapFile), std::ios::binary);
  std::error_code ec;
  if (!f || fs::is_directory(FsPath(o.mapFile), ec)) {
    Error(io, o.mapFile + ": cannot be read: " + UnreadableReason(o.mapFile));
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
    jobs.push_back(BatchJob(in, o.outDir, FsPath(in).filename().string(), DetectFormat(in)));
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
    jobs.push_back(BatchJob(f.path, o.outDir, f.relative, f.format));
  return true;
}

// Two outputs are one file when their names are equal (on Windows in any case).
std::string OutputKey(std::string target) {
#ifdef _WIN32
  for (char& c : target) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
#endif
  return target;
}

std::vector<FileResult> RunJobs(const std::vector<Job>& jobs, const MoveOptions& o, Io io) {
  std::vector<FileResult> results;
  std::map<std::string, std::string> inputOf;  // output key -> the input that goes there
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const Job& job = jobs[i];
    if (io.terminal) io.err << "\r[" << i + 1 << "/" << jobs.size() << "] " << job.in << "\x1b[K";
    auto [first, fresh] = inputOf.emplace(OutputKey(job.target), job.in);
    if (!fresh) {
      FileResult r;
      r.input = job.in;
      r.error = job.in + ": its output " + job.target + " is already that of " + first->second +
                "; skipped, nothing overwritten";
      results.push_back(r);
      continue;
    }
    results.push_back(MoveOne(job, o, io));
  }
  if (io.terminal) io.err << "\r\x1b[K";
  return results;
}

int Finish(const MoveOptions& o, const std::vector<FileResult>& results, bool batch, Io io) {
  int done = 0, moved = 0, failed = 0, skipped = 0;
  for (const FileResult& r : results) {
    if (r.ok) {
      ++done;
      moved += r.Moved();
      skipped += r.Skipped();
    } else {
      ++failed;
    }
  }
  if (batch) {
    io.out << (o.dryRun ? "dry run: " : "") << done << " file(s) done, " << failed << " failed, "
           << moved << " figure(s) moved";
    if (skipped > 0) io.out << ", " << skipped << " rule(s) skipped";
    io.out << "\n";
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
  if (!o.mapFile.empty() && !LoadMap(o, io)) return kExitUsage;
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
