// quintaro-cli diff: what differs between two drawings of one format.
#include <cstdio>
#include <string>

#include "cli/command.h"
#include "cli/session.h"
#include "document/drawing_diff.h"
#include "document/json_writer.h"

namespace quintaro::cli {
namespace {

constexpr int kExitSame = 0, kExitDiffer = 1, kExitTrouble = 2;

// Group and layer in the digits users see, 0-9 and A-F ("2-A").
std::string Digit(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(n));
  return buf;
}

std::string Place(int group, int layer) {
  return Digit(group) + "-" + Digit(layer);
}

const char* ChangeWord(BlockChangeKind k) {
  switch (k) {
    case BlockChangeKind::kAdded:
      return "added";
    case BlockChangeKind::kRemoved:
      return "removed";
    case BlockChangeKind::kChanged:
      return "changed";
  }
  return "";
}

void TextMoves(std::ostream& out, const char* title, const std::vector<LayerMove>& moves) {
  if (moves.empty()) return;
  out << title << "\n";
  for (const LayerMove& m : moves) {
    out << "  " << Place(m.fromGroup, m.fromLayer) << " -> " << Place(m.toGroup, m.toLayer) << "  "
        << m.count << "\n";
  }
}

// A kind as the text output names it (the JSON keeps its keys).
std::string KindWords(const std::string& kind) {
  if (kind == "blocks") return "block insertions";
  std::string words = kind;
  for (char& c : words) c = c == '_' ? ' ' : c;
  return words;
}

void WriteText(std::ostream& out, const DrawingDiff& d) {
  out << "figures (before -> after):\n";
  for (const KindCount& c : d.counts) {
    out << "  " << KindWords(c.kind) << "  " << c.before;
    if (c.after != c.before) out << " -> " << c.after;
    out << "\n";
  }
  TextMoves(out, "layer changes (group-layer, figures):", d.layerMoves);
  TextMoves(out, "layer changes inside block definitions:", d.blockLayerMoves);
  if (d.changedFigures > 0) out << "figures changed otherwise: " << d.changedFigures << "\n";
  for (const FigureChange& f : d.firstChanges) {
    out << "  " << f.kind << " " << f.index << (f.where.empty() ? "" : " in " + f.where) << ": "
        << f.what << "\n";
  }
  if (!d.blocks.empty()) out << "block definitions:\n";
  for (const BlockChange& b : d.blocks)
    out << "  " << b.number << " " << ChangeWord(b.change) << "\n";
  if (!d.names.empty()) out << "names:\n";
  for (const NameChange& n : d.names) {
    out << "  " << (n.layer < 0 ? "group " + Digit(n.group) : "layer " + Place(n.group, n.layer))
        << ": \"" << n.before << "\" -> \"" << n.after << "\"\n";
  }
  if (!d.values.empty()) out << "header and table values:\n";
  for (const ValueChange& v : d.values) {
    out << "  " << v.name;
    if (!v.before.empty() || !v.after.empty()) out << ": " << v.before << " -> " << v.after;
    out << "\n";
  }
  out << (d.Same() ? "the drawings are the same\n" : "the drawings differ\n");
}

void JsonMoves(JsonWriter& j, const std::vector<LayerMove>& moves) {
  j.BeginArray();
  for (const LayerMove& m : moves) {
    j.BeginObject().Key("from").BeginArray().Int(m.fromGroup).Int(m.fromLayer).EndArray();
    j.Key("to").BeginArray().Int(m.toGroup).Int(m.toLayer).EndArray();
    j.Key("count").Int(m.count).EndObject();
  }
  j.EndArray();
}

void WriteJson(std::ostream& out, const DrawingDiff& d) {
  JsonWriter j(out);
  j.BeginObject().Key("same").Bool(d.Same()).Key("counts").BeginObject();
  for (const KindCount& c : d.counts) {
    j.Key(c.kind).BeginObject().Key("before").Int(c.before).Key("after").Int(c.after).EndObject();
  }
  j.EndObject().Key("layer_moves");
  JsonMoves(j, d.layerMoves);
  j.Key("block_layer_moves");
  JsonMoves(j, d.blockLayerMoves);
  j.Key("changed_figures").Int(d.changedFigures).Key("first_changes").BeginArray();
  for (const FigureChange& f : d.firstChanges) {
    j.BeginObject().Key("kind").String(f.kind).Key("where").String(f.where);
    j.Key("index").Int(f.index).Key("what").String(f.what).EndObject();
  }
  j.EndArray().Key("blocks").BeginArray();
  for (const BlockChange& b : d.blocks) {
    j.BeginObject().Key("number").Int(b.number).Key("change").String(ChangeWord(b.change));
    j.EndObject();
  }
  j.EndArray().Key("names").BeginArray();
  for (const NameChange& n : d.names) {
    j.BeginObject().Key("group").Int(n.group).Key("layer");
    if (n.layer < 0) {
      j.Null();
    } else {
      j.Int(n.layer);
    }
    j.Key("before").String(n.before).Key("after").String(n.after).EndObject();
  }
  j.EndArray().Key("values").BeginArray();
  for (const ValueChange& v : d.values) {
    j.BeginObject().Key("name").String(v.name).Key("before").String(v.before);
    j.Key("after").String(v.after).EndObject();
  }
  j.EndArray().EndObject();
  out << "\n";
}

}  // namespace

int RunDiff(const std::string& before, const std::string& after, bool json, Io io) {
  CliSession a, b;
  // A difference needs both drawings whole.
  if (!Tell(io, a.Open(before, IfDamaged::kStop)) || !Tell(io, b.Open(after, IfDamaged::kStop)))
    return kExitTrouble;
  DrawingDiff d;
  std::string why;
  if (!DiffDocuments(a.Doc(), b.Doc(), d, &why)) {
    Error(io, why);
    return kExitTrouble;
  }
  if (json) {
    WriteJson(io.out, d);
  } else {
    WriteText(io.out, d);
  }
  return d.Same() ? kExitSame : kExitDiffer;
}

Command AddDiff(CLI::App& app) {
  struct Args {
    std::string before, after;
    bool json = false;
  };
  auto a = std::make_shared<Args>();
  CLI::App* c = app.add_subcommand(
      "diff", "Show what differs between two drawings of one format (exit 0 same, 1 differ)");
  c->add_option("A", a->before, "the drawing before")->required();
  c->add_option("B", a->after, "the drawing after")->required();
  c->add_flag("--json", a->json, "print one JSON object");
  return {c, [a](Io io) { return RunDiff(a->before, a->after, a->json, io); }};
}

}  // namespace quintaro::cli
