#include <cstdio>
#include <future>

#include "cli/command.h"
#include "cli/session.h"
#include "document/format_facts.h"
#include "document/json_writer.h"
#include "document/relayer_plan.h"
#include "layers/labels.h"

namespace quintaro::cli {

namespace {

void WriteCounts(JsonWriter& j, const EntityCounts& c) {
  j.BeginObject();
  j.Key("lines").Int(c.lines).Key("arcs").Int(c.arcs).Key("points").Int(c.points);
  j.Key("temporary_points").Int(c.temporaryPoints).Key("texts").Int(c.texts);
  j.Key("dimensions").Int(c.dimensions).Key("solids").Int(c.solids).Key("blocks").Int(c.blocks);
  j.EndObject();
}

void WriteGroups(JsonWriter& j, const Document& doc) {
  const LayerTotals totals = doc.Totals();
  j.BeginArray();
  for (int g = 0; g < 16; ++g) {
    j.BeginObject().Key("group").Int(g).Key("name").String(doc.GroupName(g));
    j.Key("scale");
    if (auto s = doc.GroupScale(g)) {
      j.Number(*s);
    } else {
      j.Null();
    }
    j.Key("total").Int(totals.Group(g)).Key("layers").BeginArray();
    for (int l = 0; l < 16; ++l) {
      j.BeginObject().Key("layer").Int(l).Key("name").String(doc.LayerName(g, l));
      j.Key("total").Int(totals.Layer(g, l)).EndObject();
    }
    j.EndArray().EndObject();
  }
  j.EndArray();
}

void WriteJson(std::ostream& out, Document& doc, std::future<RepairLog>& planned) {
  JsonWriter j(out);
  j.BeginObject().Key("format").String(FormatName(doc.Format())).Key("version");
  if (auto v = doc.Version()) {
    j.Int(*v);
  } else {
    j.Null();
  }
  j.Key("complete").Bool(doc.Complete()).Key("entities");
  WriteCounts(j, doc.Counts());
  j.Key("block_definitions").Int(doc.BlockDefinitions());
  j.Key("trailing_bytes").Int(static_cast<long long>(doc.TrailingByteCount()));
  DrawingExtents e = doc.Extents();
  j.Key("extents").BeginArray().Number(e.minX).Number(e.minY).Number(e.maxX).Number(e.maxY);
  j.EndArray().Key("groups");
  WriteGroups(j, doc);
  const RepairLog repairs = planned.get();
  j.Key("repairs").BeginArray();
  for (const Repair& r : repairs.Items()) {
    j.BeginObject().Key("what").String(r.what).Key("count").Int(r.count).EndObject();
  }
  j.EndArray().EndObject();
  out << "\n";
}

std::string Fixed(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  return buf;
}

// "  \"name\"" where the format keeps names.
std::string Named(const Document& doc, const std::string& name) {
  return doc.HasNames() ? "  \"" + name + "\"" : std::string();
}

void WriteText(std::ostream& out, Document& doc, std::future<RepairLog>& planned) {
  out << "file:        " << doc.Path() << "\n";
  out << "format:      " << FormatName(doc.Format());
  if (auto v = doc.Version()) out << ", version " << *v;
  out << (doc.Complete() ? ", complete" : ", INCOMPLETE: " + doc.LoadProblem()) << "\n";
  EntityCounts c = doc.Counts();
  out << "figures:     " << c.lines << " lines, " << c.arcs << " arcs, " << c.points << " points, "
      << c.temporaryPoints << " temporary points, " << c.texts << " texts, " << c.dimensions
      << " dimensions, " << c.solids << " solids, " << c.blocks << " block insertions\n";
  out << "block definitions: " << doc.BlockDefinitions() << "\n";
  if (std::uint64_t trailing = doc.TrailingByteCount())
    out << "trailing:    " << trailing << " bytes after the last section, kept as they are\n";
  DrawingExtents e = doc.Extents();
  out << "extents:     (" << Fixed(e.minX) << ", " << Fixed(e.minY) << ") - (" << Fixed(e.maxX)
      << ", " << Fixed(e.maxY) << ")\n";
  out << "layers with figures (block members included):\n";
  bool any = false;
  const LayerTotals totals = doc.Totals();
  for (int g = 0; g < 16; ++g) {
    int total = totals.Group(g);
    if (total == 0) continue;
    any = true;
    out << "  group " << RefText({g, -1});
    if (auto scale = doc.GroupScale(g)) out << "  " << ScaleRatio(*scale);
    out << Named(doc, doc.GroupName(g)) << "  total " << total << "\n";
    for (int l = 0; l < 16; ++l) {
      int lt = totals.Layer(g, l);
      if (lt > 0)
        out << "    layer " << RefText({g, l}) << Named(doc, doc.LayerName(g, l)) << "  " << lt
            << "\n";
    }
  }
  if (!any) out << "  (none)\n";
  const RepairLog repairs = planned.get();
  out << "a save would repair:" << (repairs.Empty() ? " nothing" : "") << "\n";
  for (const Repair& r : repairs.Items()) out << "  " << r.count << " \u00d7 " << r.what << "\n";
}

}  // namespace

int RunInfo(const std::string& file, bool json, Io io) {
  CliSession session;
  // A damaged file is still described: that is what info is for.
  if (!Tell(io, session.Open(file, IfDamaged::kGoOn))) return 1;
  // What a save would repair is a pass over every figure of its own, read
  // only: it runs on a second core while the counts, extents and layers
  // are gathered (or here, later, when no thread can be had).
  const Document& doc = session.Doc();
  const auto policy = std::launch::async | std::launch::deferred;
  std::future<RepairLog> planned = std::async(policy, [&doc] { return doc.PlannedRepairs(); });
  if (json) {
    WriteJson(io.out, session.Doc(), planned);
  } else {
    WriteText(io.out, session.Doc(), planned);
  }
  return session.Doc().Complete() ? 0 : 1;
}

Command AddInfo(CLI::App& app) {
  struct Args {
    std::vector<std::string> files;  // one; more are told apart from other usage errors
    bool json = false;
  };
  auto a = std::make_shared<Args>();
  CLI::App* c = app.add_subcommand("info", "Summarise a drawing: format, counts, extents, layers");
  c->add_option("FILE", a->files, "the drawing (one; `layers` surveys several)");
  c->add_flag("--json", a->json, "print one JSON object");
  auto run = [a](Io io) {
    if (a->files.size() != 1) {
      Error(io, a->files.empty()
                    ? "info needs the drawing to describe (see quintaro-cli info --help)"
                    : "info takes one file; for several, use quintaro-cli layers FILE...");
      return kExitUsage;
    }
    return RunInfo(a->files[0], a->json, io);
  };
  return {c, run, &a->files};
}

}  // namespace quintaro::cli
