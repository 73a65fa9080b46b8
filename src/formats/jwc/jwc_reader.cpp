// Reading a drawing: header lines, fixed tables, one section per figure
// kind, the text block and the names. Reading stops at the first short
// read; every record read completely stays.
#include <algorithm>
#include <string>

#include "formats/jwc/jwc_data.h"
#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_records.h"
#include "formats/jwc/jwc_strings.h"

namespace quintaro {
namespace {

class JwcReader {
 public:
  JwcReader(TJwcData& d, ByteReader& r) : d_(d), r_(r) {}

  bool Run() {
    return Header() && Slots() && Styles() && GroupScales() && StateBytes() &&
           Section(d_.lines, d_.header.lineCount, kJwcSenBytes, "line", ReadJwcSen) &&
           Section(d_.arcs, d_.header.arcCount, kJwcEnkoBytes, "arc", ReadJwcEnko) && Texts() &&
           TextBlock() &&
           Section(d_.points, d_.header.pointCount, kJwcTenBytes, "point", ReadJwcTen) && Names() &&
           Finish();
  }

 private:
  bool Stop(const std::string& where) {
    d_.loadReport.complete = false;
    d_.loadReport.failOffset = r_.FailOffset();
    d_.loadReport.reason = "unexpected end of file in the " + where;
    return false;
  }
  void Note(std::string text) { d_.loadReport.notes.push_back(std::move(text)); }

  bool Header() {
    for (int i = 0; i < 4; ++i) {
      std::string line;
      if (!r_.ReadBytes(line, kJwcLineBytes)) return Stop("header line " + std::to_string(i + 1));
      d_.headerLines[static_cast<std::size_t>(i)] = line;
      if (i == 0) {
        ParseJwcTitleLine(line, d_.header);
      } else {
        ParseJwcValueLine(i + 1, line, d_.header);
      }
      if (i == 1) d_.header.PaperFactor = ComputeJwcPaperFactor(d_.header);
    }
    factor_ = d_.header.PaperFactor;
    CheckCounts();
    return true;
  }

  void CheckCounts() {
    TEntJwcHeader& h = d_.header;
    for (auto [count, kind] : {std::pair{&h.lineCount, "line"},
                               {&h.arcCount, "arc"},
                               {&h.textCount, "text"},
                               {&h.pointCount, "point"}}) {
      if (*count >= 0) continue;
      Note(std::string("negative ") + kind + " count " + std::to_string(*count) + " read as 0");
      *count = 0;
    }
    if (h.slotCount < 0 || h.slotCount > TJwcData::kMaxUsedSlots) {
      int used = d_.UsedPointSlots();
      Note("point slot count " + std::to_string(h.slotCount) + " limited to " +
           std::to_string(used));
      h.slotCount = used;
    }
  }

  bool Slots() {
    for (auto& s : d_.pointSlots) s.x = r_.F32() * factor_;
    for (auto& s : d_.pointSlots) s.y = r_.F32() * factor_;
    for (auto& s : d_.pointSlots) s.layer = r_.U8();
    return r_.Ok() || Stop("point slot table");
  }

  bool Styles() {
    auto styles = std::span(d_.textStyles).first(TJwcData::kFileTextStyles);
    for (auto& s : styles) s.color = r_.U16();
    for (auto& s : styles) s.width = r_.U16();
    for (auto& s : styles) s.height = r_.U16();
    for (auto& s : styles) s.spacing = r_.U16();
    return r_.Ok() || Stop("text style table");
  }

  bool GroupScales() {
    for (auto& g : d_.layerGroups) g.scale = d_.header.FloatScales ? r_.F32() : r_.U16();
    return r_.Ok() || Stop("layer group scale table");
  }

  bool StateBytes() {
    for (auto& g : d_.layerGroups) g.state1 = r_.U8();
    for (auto& l : d_.layers) l.state1 = r_.U8();
    for (auto& g : d_.layerGroups) g.state2 = r_.U8();
    for (auto& l : d_.layers) l.state2 = r_.U8();
    for (auto& g : d_.layerGroups) g.state3 = r_.U8();
    return r_.Ok() || Stop("layer state tables");
  }

  template <typename T, typename ReadFn>
  bool Section(std::vector<T>& out, std::int32_t count, std::uint64_t bytes, const char* kind,
               ReadFn read) {
    std::uint64_t failed = 0;
    auto n = static_cast<std::uint64_t>(count);
    return ReadJwcRecords(r_, out, n, bytes, factor_, read, failed) ||
           Stop(JwcSectionPlace(kind, failed, n));
  }

  bool Texts() {
    auto read = [](ByteReader& r, double factor) {
      std::uint16_t offset = 0, segment = 0;
      TEntJwcMoji2 t = ReadJwcMoji(r, factor, offset, segment);
      t.address = segment * 16 + offset;
      return t;
    };
    return Section(d_.texts, d_.header.textCount, kJwcMojiBytes, "text", read);
  }

  bool TextBlock() {
    std::int64_t start = d_.header.textStart;
    std::int64_t length = std::int64_t{d_.header.textEnd} - start;
    if (length <= 0) return true;
    std::string block;
    if (!r_.ReadBytes(block, static_cast<std::size_t>(length))) return Stop("text block");
    for (auto& t : d_.texts) t.text = TextInBlock(block, t.address - start);
    return true;
  }

  bool Names() {
    for (auto& l : d_.layers) {
      if (!ReadName(l.name, TEntJwcLayer::kNameBytes)) return Stop("layer names");
    }
    for (auto& g : d_.layerGroups) {
      if (!ReadName(g.name, TEntJwcLayerGroup::kNameBytes)) return Stop("layer group names");
    }
    return true;
  }

  bool ReadName(std::string& name, std::size_t bytes) {
    std::string field;
    if (!r_.ReadBytes(field, bytes)) return false;
    name = CutToBytes(StripControls(field.substr(0, field.find('\0'))), bytes);
    return true;
  }

  bool Finish() {
    if (r_.Remaining() > 0)
      Note(std::to_string(r_.Remaining()) + " bytes after the layer group names ignored");
    d_.loadReport.complete = true;
    return true;
  }

  TJwcData& d_;
  ByteReader& r_;
  double factor_ = 1.0;
};

}  // namespace

bool TJwcData::Load(ByteReader& reader, std::string_view name) {
  ResetData();
  loadReport = {};
  macros = {};
  macros.fileName = std::string(name);
  bool ok = JwcReader(*this, reader).Run();
  macros.drawTime.clear();
  macros.memo1 = StripControls(header.titleB);
  macros.memo2 = StripControls(header.titleC);
  macros.printScale = 1.0;
  return ok;
}

}  // namespace quintaro
