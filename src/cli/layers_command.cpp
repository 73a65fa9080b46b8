// `quintaro-cli layers`: the survey an operator reads before writing a
// mapping — every named or non-empty layer of each drawing.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/session.h"
#include "document/format_facts.h"
#include "document/json_writer.h"
#include "layers/labels.h"

namespace quintaro::cli {

namespace {

struct Row {
  int group = 0;
  int layer = -1;  // -1: a named group none of whose layers has a row
  std::string groupName, layerName;
  std::optional<double> scale;
  int figures = 0;
};

std::vector<Row> RowsOf(const Document& doc) {
  std::vector<Row> rows;
  const LayerTotals totals = doc.Totals();
  for (int g = 0; g < 16; ++g) {
    Row base{g, -1, doc.GroupName(g), "", doc.GroupScale(g), 0};
    std::size_t first = rows.size();
    for (int l = 0; l < 16; ++l) {
      Row r = base;
      r.layer = l;
      r.layerName = doc.LayerName(g, l);
      r.figures = totals.Layer(g, l);
      if (!r.layerName.empty() || r.figures > 0) rows.push_back(r);
    }
    if (rows.size() == first && !base.groupName.empty()) rows.push_back(base);
  }
  return rows;
}

char Hex(int v) {
  return "0123456789ABCDEF"[v & 15];
}

std::string CsvField(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

// The scale's denominator as a number that spreadsheets read as one: "100"
// for 1/100, "0.2" for 5/1. Files keep it in single precision, so the
// shortest form of that reads back the same.
std::string PlainNumber(double v) {
  if (!std::isfinite(v)) return {};
  char buf[64];
  const auto single = static_cast<float>(v);
  auto [end, ec] = static_cast<double>(single) == v ? std::to_chars(buf, buf + sizeof buf, single)
                                                    : std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

// The scale as written, "S=1/100": a leading letter keeps spreadsheets from
// reading "1/100" as a date or "1:50" as a time.
std::string ScaleLabel(double v) {
  return "S=" + ScaleRatio(v);
}

void WriteCsv(std::ostream& out, const std::string& file, const std::vector<Row>& rows) {
  for (const Row& r : rows) {
    out << CsvField(file) << "," << Hex(r.group) << ","
        << (r.layer < 0 ? std::string() : std::string(1, Hex(r.layer))) << ","
        << CsvField(r.groupName) << "," << CsvField(r.layerName) << ","
        << (r.scale ? PlainNumber(*r.scale) : std::string()) << ","
        << (r.scale ? ScaleLabel(*r.scale) : std::string()) << "," << r.figures << "\r\n";
  }
}

void WriteText(std::ostream& out, const std::string& file, const std::vector<Row>& rows) {
  out << file << "\n";
  if (rows.empty()) out << "  (no named or non-empty layers)\n";
  for (const Row& r : rows) {
    char head[64];
    std::snprintf(head, sizeof head, "  %-4s %8d  %-10s", RefText({r.group, r.layer}).c_str(),
                  r.figures, r.scale ? ScaleRatio(*r.scale).c_str() : "-");
    out << head << "  \"" << r.groupName << "\" / \"" << r.layerName << "\"\n";
  }
}

void WriteJsonFile(JsonWriter& j, const Document& doc, const std::string& file,
                   const std::vector<Row>& rows) {
  j.BeginObject().Key("file").String(file).Key("format").String(FormatName(doc.Format()));
  j.Key("layers").BeginArray();
  for (const Row& r : rows) {
    j.BeginObject().Key("group").Int(r.group).Key("layer");
    if (r.layer < 0) {
      j.Null();
    } else {
      j.Int(r.layer);
    }
    j.Key("group_name").String(r.groupName).Key("layer_name").String(r.layerName).Key("scale");
    if (r.scale) {
      j.Number(*r.scale);
    } else {
      j.Null();
    }
    j.Key("figures").Int(r.figures).EndObject();
  }
  j.EndArray().EndObject();
}

}  // namespace

int RunLayers(const std::vector<std::string>& files, LayersFormat format, Io io) {
  int failed = 0;
  JsonWriter json(io.out);
  if (format == LayersFormat::kCsv)
    io.out << "\xEF\xBB\xBF"
           << "file,group,layer,group name,layer name,scale,scale label,figures\r\n";
  if (format == LayersFormat::kJson) json.BeginObject().Key("files").BeginArray();
  for (const std::string& file : files) {
    CliSession session;
    // A damaged file is still surveyed, with a warning: it is what was read.
    if (!Tell(io, session.Open(file, IfDamaged::kGoOn))) {
      ++failed;
      continue;
    }
    std::vector<Row> rows = RowsOf(session.Doc());
    if (format == LayersFormat::kCsv) WriteCsv(io.out, file, rows);
    if (format == LayersFormat::kText) WriteText(io.out, file, rows);
    if (format == LayersFormat::kJson) WriteJsonFile(json, session.Doc(), file, rows);
  }
  if (format == LayersFormat::kJson) {
    json.EndArray().EndObject();
    io.out << "\n";
  }
  return failed == 0 ? 0 : 1;
}

Command AddLayers(CLI::App& app) {
  struct Args {
    std::vector<std::string> files;
    bool csv = false, json = false;
  };
  auto a = std::make_shared<Args>();
  CLI::App* c = app.add_subcommand(
      "layers", "List each named or non-empty layer of the drawings (before writing a mapping)");
  c->add_option("FILES", a->files, "the drawing(s) (after \"--\": any name)");
  auto* csv = c->add_flag("--csv", a->csv, "CSV (UTF-8 with a byte-order mark)");
  c->add_flag("--json", a->json, "one JSON object")->excludes(csv);
  return {c,
          [a](Io io) {
            if (a->files.empty()) {
              Error(io, "layers needs the drawings to survey (see quintaro-cli layers --help)");
              return kExitUsage;
            }
            return RunLayers(a->files,
                             a->csv    ? LayersFormat::kCsv
                             : a->json ? LayersFormat::kJson
                                       : LayersFormat::kText,
                             io);
          },
          &a->files};
}

}  // namespace quintaro::cli
