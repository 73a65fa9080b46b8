#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/commands.h"
#include "cli/session.h"

namespace quintaro::cli {

namespace fs = std::filesystem;

namespace {

char Hex(int v) { return "0123456789ABCDEF"[v & 15]; }

using GroupTotals = std::array<int, 16>;

GroupTotals TotalsOf(const Document& doc) {
  GroupTotals t{};
  for (int g = 0; g < 16; ++g) t[g] = doc.GroupTotal(g);
  return t;
}

int Sum(const GroupTotals& t) {
  int s = 0;
  for (int v : t) s += v;
  return s;
}

// The census lines of what a step concerns, e.g. "group 2: 40  group 5: 0".
std::string CensusOf(const Document& doc, const MoveStep& s) {
  std::ostringstream o;
  if (s.IsGroupMove()) {
    o << "group " << Hex(s.srcGroup) << ": " << doc.GroupTotal(s.srcGroup) << "  group "
      << Hex(s.dstGroup) << ": " << doc.GroupTotal(s.dstGroup);
  } else {
    o << "layer " << Hex(s.srcGroup) << "-" << Hex(s.srcLayer) << ": "
      << doc.LayerTotal(s.srcGroup, s.srcLayer) << "  layer " << Hex(s.dstGroup) << "-"
      << Hex(s.dstLayer) << ": " << doc.LayerTotal(s.dstGroup, s.dstLayer);
  }
  return o.str();
}

struct FileResult {
  bool ok = false;
  int moved = 0;  // figures that left their source
  std::string error;
};

// Applies the steps to the open drawing, printing the census around each.
// Returns the number of figures moved, or -1 when the totals disagree.
int ApplySteps(Document& doc, const std::vector<MoveStep>& steps, std::ostream& out) {
  int before = Sum(TotalsOf(doc));
  int moved = 0;
  for (const MoveStep& s : steps) {
    out << "  " << Describe(s) << "\n    before  " << CensusOf(doc, s) << "\n";
    int leaving = s.IsGroupMove() ? doc.GroupTotal(s.srcGroup)
                                  : doc.LayerTotal(s.srcGroup, s.srcLayer);
    doc.Move(s.srcGroup, s.srcLayer, s.dstGroup, s.dstLayer);
    bool onto_itself = s.srcGroup == s.dstGroup && s.srcLayer == s.dstLayer;
    if (!onto_itself) moved += leaving;
    out << "    after   " << CensusOf(doc, s) << "\n";
  }
  return Sum(TotalsOf(doc)) == before ? moved : -1;
}

FileResult MoveOne(const std::string& in, const std::string& out, const MoveOptions& o, Io io) {
  FileResult r;
  std::ostringstream err;
  Io quiet{io.out, err, false};
  CliSession session;
  if (!session.Open(in, o.partial, quiet)) {
    r.error = err.str();
    return r;
  }
  io.err << err.str();  // warnings of a successful open
  io.out << in << (o.dryRun ? " (dry run)" : " -> " + out) << "\n";
  r.moved = ApplySteps(session.Doc(), o.steps, io.out);
  if (r.moved < 0) {
    r.error = "quintaro-cli: " + in + ": the figure count changed during the move; nothing written\n";
    return r;
  }
  if (!o.dryRun && !session.Save(out, o.overwrite, {io.out, err, false})) {
    r.error = err.str();
    return r;
  }
  r.ok = true;
  return r;
}

bool LoadMap(MoveOptions& o, Io io) {
  std::ifstream f(o.mapFile, std::ios::binary);
  if (!f) {
    Error(io, o.mapFile + ": cannot be read");
    return false;
  }
  std::stringstream text;
  text << f.rdbuf();
  std::string why;
  auto steps = ParseMoveMap(text.str(), why);
  if (!steps) {
    Error(io, o.mapFile + ": " + why);
    return false;
  }
  o.steps.insert(o.steps.end(), steps->begin(), steps->end());
  return true;
}

// The batch target of one input: same file name in the output folder,
// refused when it would land on an input.
std::string BatchTarget(const MoveOptions& o, const std::string& in) {
  return (fs::path(o.outDir) / fs::path(in).filename()).string();
}

bool CheckBatchTargets(const MoveOptions& o, Io io) {
  std::error_code ec;
  fs::path dir = fs::weakly_canonical(o.outDir, ec);
  for (const std::string& in : o.inputs) {
    if (fs::weakly_canonical(fs::path(in).parent_path().empty() ? "." : fs::path(in).parent_path(),
                             ec) == dir) {
      Error(io, "--out-dir " + o.outDir + " holds the input " + in +
                    ": choose a folder apart from the inputs");
      return false;
    }
  }
  return true;
}

int RunBatch(const MoveOptions& o, Io io) {
  if (!o.dryRun) {
    std::error_code ec;
    fs::create_directories(o.outDir, ec);
    if (!fs::is_directory(o.outDir, ec)) {
      Error(io, o.outDir + ": cannot create the output folder");
      return 1;
    }
  }
  int done = 0, moved = 0;
  std::vector<std::string> failures;
  std::set<std::string> targets;
  for (std::size_t i = 0; i < o.inputs.size(); ++i) {
    const std::string& in = o.inputs[i];
    if (io.terminal) io.err << "\r[" << i + 1 << "/" << o.inputs.size() << "] " << in << "\x1b[K";
    std::string target = BatchTarget(o, in);
    FileResult r;
    if (!targets.insert(target).second) {
      r.error = "quintaro-cli: " + in + ": another input of the same name already goes to " +
                target + "; skipped\n";
    } else {
      r = MoveOne(in, target, o, io);
    }
    if (r.ok) {
      ++done;
      moved += r.moved;
    } else {
      failures.push_back(r.error);
    }
  }
  if (io.terminal) io.err << "\r\x1b[K";
  io.out << (o.dryRun ? "dry run: " : "") << done << " file(s) done, " << failures.size()
         << " failed, " << moved << " figure(s) moved\n";
  for (const std::string& f : failures) io.err << f;
  return failures.empty() ? 0 : 1;
}

}  // namespace

int RunMove(const MoveOptions& options, Io io) {
  MoveOptions o = options;
  if (!o.mapFile.empty() && !LoadMap(o, io)) return 1;
  if (o.steps.empty()) {
    Error(io, "no moves given (--group S:D, --layer G-L:H-M or --map FILE)");
    return 1;
  }
  if (o.inputs.empty()) {
    Error(io, "no input file given");
    return 1;
  }
  bool batch = !o.outDir.empty();
  if (batch == !o.out.empty()) {
    Error(io, "give either -o OUT (one input) or --out-dir DIR (any number of inputs)");
    return 1;
  }
  if (!batch && o.inputs.size() != 1) {
    Error(io, "-o OUT takes one input; use --out-dir DIR for several");
    return 1;
  }
  if (batch) return CheckBatchTargets(o, io) ? RunBatch(o, io) : 1;
  FileResult r = MoveOne(o.inputs[0], o.out, o, io);
  if (!r.ok) {
    io.err << r.error;
    return 1;
  }
  if (!o.dryRun) io.out << "saved " << o.out << "\n";
  return 0;
}

}  // namespace quintaro::cli
