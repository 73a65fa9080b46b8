// Reading a drawing: header lines, fixed tables, one section per figure
// kind, the text block and the names. Reading stops at the first short
// read; every record read completely stays.
#include <algorithm>
#include <string>

#include "formats/jwc/jwc_data.h"
#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_records.h"
#include "formats/jwc/jwc_section_reader.h"
#include "formats/jwc/jwc_strings.h"

namespace quintaro {
namespace {

class JwcReader : JwcSectionReader {
 public:
  JwcReader(TJwcData& d, ByteReader& r) : JwcSectionReader(r, d.loadReport), d_(d) {}

  bool Run() {
    return Header() && Slots() && Styles() && GroupScales() && StateBytes() &&
           Section<JwcSenForm>(d_.lines, d_.header.lineCount, "line") &&
           Section<JwcEnkoForm>(d_.arcs, d_.header.arcCount, "arc") && Texts() &&
           TextBlock(d_.texts, d_.header.textStart,
                     std::int64_t{d_.header.textEnd} - d_.header.textStart, d_.textBlock) &&
           Section<JwcTenForm>(d_.points, d_.header.pointCount, "point") && Names() &&
           Finish("layer group names", d_.trailing);
  }

 private:
  bool Header() {
    TEntJwcHeader& h = d_.header;
    bool ok = HeaderLines(d_.headerLines, [&](int i, const std::string& line) {
      if (i == 0) {
        ParseJwcTitleLine(line, h);
      } else {
        ParseJwcValueLine(i + 1, line, h);
      }
      if (i == 1) h.PaperFactor = ComputeJwcPaperFactor(h);
    });
    if (!ok) return false;
    factor_ = h.PaperFactor;
    NoNegativeCounts({{&h.lineCount, "line"},
                      {&h.arcCount, "arc"},
                      {&h.textCount, "text"},
                      {&h.pointCount, "point"}});
    if (h.slotCount < 0 || h.slotCount > TJwcData::kMaxUsedSlots) {
      int used = d_.UsedPointSlots();
      Note("point slot count " + std::to_string(h.slotCount) + " limited to " +
           std::to_string(used));
      h.slotCount = used;
    }
    return true;
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

  bool Texts() {
    auto read = [](ByteReader& r, double factor) {
      std::uint16_t offset = 0, segment = 0;
      TEntJwcMoji2 t = ReadJwcMoji(r, factor, offset, segment);
      t.address = segment * 16 + offset;
      return t;
    };
    return Section(d_.texts, d_.header.textCount, kJwcMojiBytes, "text", read);
  }

  bool Names() {
    for (std::size_t i = 0; i < d_.layers.size(); ++i) {
      if (!ReadName(d_.layers[i].name, d_.nameFields[i], TEntJwcLayer::kNameBytes))
        return Stop("layer names");
    }
    for (std::size_t g = 0; g < d_.layerGroups.size(); ++g) {
      if (!ReadName(d_.layerGroups[g].name, d_.nameFields[TJwcData::kLayers + g],
                    TEntJwcLayerGroup::kNameBytes))
        return Stop("layer group names");
    }
    return true;
  }

  bool ReadName(std::string& name, std::string& field, std::size_t bytes) {
    if (!r_.ReadBytes(field, bytes)) return false;
    name = NameInField(field, bytes);
    return true;
  }

  TJwcData& d_;
};

}  // namespace

bool TJwcData::ReadSections(ByteReader& reader) {
  return JwcReader(*this, reader).Run();
}

}  // namespace quintaro
