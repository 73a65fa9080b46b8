#include <sstream>

#include "cli/move_parts.h"
#include "document/json_writer.h"
#include "formats/common/file_io.h"

namespace quintaro::cli {

namespace {

std::string Side(const LayerRef& r) {
  return (r.IsGroup() ? "group " : "layer ") + RefText(r);
}

void PrintMove(const LayerChange::Flow& m, bool named, std::ostream& out) {
  if (named)
    out << "    " << (m.from.IsGroup() ? "group " : "layer ") << RefText(m.from) << " \"" << m.name
        << "\" -> " << RefText(m.to) << "\n  ";
  out << "    before  " << Side(m.from) << ": " << m.fromBefore << "  " << Side(m.to) << ": "
      << m.toBefore << "\n";
  if (named) out << "  ";
  out << "    after   " << Side(m.from) << ": " << m.fromAfter << "  " << Side(m.to) << ": "
      << m.toAfter << "\n";
}

void WriteMoves(JsonWriter& w, const LayerChange::Step& r) {
  for (const LayerChange::Flow& m : r.flows) {
    w.BeginObject().Key("rule").String(Describe(r.rule));
    w.Key("kind").String(m.swap ? "swap" : "move");
    w.Key("from").String(RefText(m.from)).Key("to").String(RefText(m.to));
    if (r.rule.kind == RuleKind::kGroupName || r.rule.kind == RuleKind::kLayerName)
      w.Key("matched_name").String(m.name);
    w.Key("figures").Int(m.figures).EndObject();
  }
}

void WriteFile(JsonWriter& w, const FileResult& f) {
  w.BeginObject().Key("input").String(f.input).Key("output");
  if (f.output.empty()) {
    w.Null();
  } else {
    w.String(f.output);
  }
  w.Key("written").Bool(f.written).Key("ok").Bool(f.ok).Key("figures_moved").Int(f.Moved());
  w.Key("moves").BeginArray();
  for (const LayerChange::Step& r : f.steps) WriteMoves(w, r);
  w.EndArray().Key("unmatched").BeginArray();
  for (const LayerChange::Step& r : f.steps) {
    bool named = r.rule.kind == RuleKind::kGroupName || r.rule.kind == RuleKind::kLayerName;
    if (named && r.flows.empty()) w.String(Describe(r.rule));
  }
  w.EndArray().Key("renames").BeginArray();
  for (const LayerChange::Step& r : f.steps) {
    if (r.rule.kind != RuleKind::kRenameGroup && r.rule.kind != RuleKind::kRenameLayer) continue;
    if (r.skipped) continue;
    w.BeginObject().Key("target").String(RefText(r.rule.from));
    w.Key("old_name").String(r.oldName).Key("new_name").String(r.newName).EndObject();
  }
  w.EndArray().Key("skipped").BeginArray();
  for (const LayerChange::Step& r : f.steps)
    if (r.skipped) w.String(Describe(r.rule));
  w.EndArray().Key("warnings").BeginArray();
  for (const std::string& s : f.warnings) w.String(s);
  w.EndArray().Key("error");
  if (f.error.empty()) {
    w.Null();
  } else {
    w.String(f.error);
  }
  w.EndObject();
}

}  // namespace

int FileResult::Moved() const {
  int n = 0;
  for (const LayerChange::Step& s : steps) n += s.Moved();
  return n;
}

int FileResult::Skipped() const {
  int n = 0;
  for (const LayerChange::Step& s : steps) n += s.skipped ? 1 : 0;
  return n;
}

void PrintSteps(const std::vector<LayerChange::Step>& steps, std::ostream& out) {
  for (const LayerChange::Step& r : steps) {
    out << "  " << Describe(r.rule) << "\n";
    switch (r.rule.kind) {
      case RuleKind::kMove:
      case RuleKind::kSwap:
        for (const LayerChange::Flow& m : r.flows) PrintMove(m, false, out);
        break;
      case RuleKind::kGroupName:
      case RuleKind::kLayerName:
        if (r.flows.empty()) out << "    matched nothing\n";
        for (const LayerChange::Flow& m : r.flows) PrintMove(m, true, out);
        break;
      case RuleKind::kRenameGroup:
      case RuleKind::kRenameLayer:
        if (r.skipped) {
          out << "    skipped\n";
        } else {
          out << "    \"" << r.oldName << "\" -> \"" << r.newName << "\"\n";
        }
        break;
    }
  }
}

bool WriteReport(const std::string& path, const std::vector<FileResult>& results, bool dryRun,
                 std::string* why) {
  std::ostringstream text;
  JsonWriter w(text);
  int done = 0, moved = 0, skipped = 0;
  for (const FileResult& f : results) {
    done += f.ok ? 1 : 0;
    moved += f.ok ? f.Moved() : 0;
    skipped += f.ok ? f.Skipped() : 0;
  }
  w.BeginObject().Key("dry_run").Bool(dryRun).Key("done").Int(done);
  w.Key("failed")
      .Int(static_cast<long long>(results.size()) - done)
      .Key("figures_moved")
      .Int(moved)
      .Key("rules_skipped")
      .Int(skipped);
  w.Key("files").BeginArray();
  for (const FileResult& f : results) WriteFile(w, f);
  w.EndArray().EndObject();
  text << "\n";
  const std::string s = text.str();
  return WriteFileAtomically(
      path,
      [&s](ByteWriter& out) {
        out.Bytes(s);
        return true;
      },
      why);
}

}  // namespace quintaro::cli
