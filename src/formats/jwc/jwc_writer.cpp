// Writing a drawing. PrepareSave decides everything that can make the
// drawing unwritable before a byte is written; WriteBody only streams.
#include <cstdint>
#include <limits>

#include "formats/jwc/jwc_data.h"
#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_records.h"
#include "formats/jwc/jwc_repairs.h"
#include "formats/jwc/jwc_strings.h"

namespace quintaro {
namespace {

constexpr std::size_t kMaxCount = std::numeric_limits<std::int32_t>::max();

void WriteName(ByteWriter& w, const std::string& name, const std::string& asRead,
               std::size_t bytes) {
  if (asRead.size() == bytes && NameInField(asRead, bytes) == name) {
    w.Bytes(asRead);
    return;
  }
  std::string field = name.substr(0, bytes);
  field.resize(bytes, '\0');
  w.Bytes(field);
}

std::string FarText(std::int64_t linear) {
  auto v = static_cast<std::uint32_t>(linear);
  std::uint32_t segment = JwcTextSegment(static_cast<std::int32_t>(v));
  return FormatFarAddress(segment, v - segment * 16);
}

// The texts as written and the bytes they take in the text block.
std::vector<std::string> CleanTexts(const std::vector<TEntJwcMoji2>& texts, std::int64_t& total) {
  std::vector<std::string> cleaned;
  cleaned.reserve(texts.size());
  total = 0;
  for (const auto& t : texts) {
    cleaned.push_back(CleanTextForFile(t.text));
    total += static_cast<std::int64_t>(cleaned.back().size()) + 1;
  }
  return cleaned;
}

}  // namespace

TEntJwcHeader TJwcData::HeaderToWrite() const {
  TEntJwcHeader h = header;
  h.lineCount = static_cast<std::int32_t>(lines.size());
  h.arcCount = static_cast<std::int32_t>(arcs.size());
  h.textCount = static_cast<std::int32_t>(texts.size());
  h.pointCount = static_cast<std::int32_t>(points.size());
  h.slotCount = UsedPointSlots();
  // Coordinates are written with the factor the reader will derive from
  // the written header, so that they read back as they are held.
  if (h.PaperWidth == 0) h.PaperWidth = 518;
  h.PaperFactor = ComputeJwcPaperFactor(h);
  h.titleA = TitleField(JwcTitleAForWrite(h), kJwcTitleABytes);
  h.titleB = TitleField(h.titleB, kJwcTitleBBytes);
  h.titleC = TitleField(h.titleC, kJwcTitleCBytes);
  return h;
}

bool TJwcData::PrepareSave() {
  saveError.clear();
  if (lines.size() > kMaxCount || arcs.size() > kMaxCount || texts.size() > kMaxCount ||
      points.size() > kMaxCount) {
    saveError = "too many figures for the header counts";
    return false;
  }
  // The block as read stays while it still gives every text; else the
  // texts are laid out anew.
  const bool keepBlock = TextBlockStillServes(textBlock, header.textStart, texts);
  auto total = static_cast<std::int64_t>(textBlock.size());
  std::vector<std::string> cleaned;
  if (!keepBlock) cleaned = CleanTexts(texts, total);
  TEntJwcHeader h = HeaderToWrite();
  std::int64_t end = std::int64_t{h.textStart} + total;
  // Text addresses are 16-bit offsets from one segment; more text cannot be addressed.
  if (end > std::numeric_limits<std::int32_t>::max() ||
      !JwcTextBlockFits(h.textStart, static_cast<std::int32_t>(end))) {
    saveError = "the texts need " + std::to_string(total) + " bytes, more than a text block at " +
                FarText(h.textStart) + " can address";
    return false;
  }
  h.textEnd = static_cast<std::int32_t>(end);
  std::array<std::string, 4> built = {
      BuildJwcTitleLine(h, headerLines[0]), BuildJwcValueLine(2, h, headerLines[1]),
      BuildJwcValueLine(3, h, headerLines[2]), BuildJwcValueLine(4, h, headerLines[3])};
  for (std::size_t i = 1; i < built.size(); ++i) {
    if (built[i].empty()) {
      saveError = "header line " + std::to_string(i + 1) + " cannot hold its values";
      return false;
    }
  }

  header = h;
  headerLines = std::move(built);
  if (!keepBlock) {
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i].text = std::move(cleaned[i]);
    textBlock = LayOutTextBlock(texts, h.textStart);
  }
  for (auto& l : layers) l.name = CleanNameForFile(l.name, TEntJwcLayer::kNameBytes);
  for (auto& g : layerGroups) g.name = CleanNameForFile(g.name, TEntJwcLayerGroup::kNameBytes);
  return true;
}

void TJwcData::NoteRepairs(RepairLog& log) const {
  NoteJwcFigureRepairs(lines, arcs, points, texts, log);
  NoteJwcStyleRepairs(std::span(textStyles).first(kFileTextStyles), log);
  for (const auto& l : layers) NoteJwcNameRepair(l.name, TEntJwcLayer::kNameBytes, log);
  for (const auto& g : layerGroups) NoteJwcNameRepair(g.name, TEntJwcLayerGroup::kNameBytes, log);
  if (!header.FloatScales) {
    std::int64_t rounded = 0;
    for (const auto& g : layerGroups) rounded += RoundToU16(g.scale) != g.scale;
    log.Note("layer group scale rounded to a whole number from 0 to 65535", rounded);
  }
  if (!headerLines[1].empty()) {
    TEntJwcHeader read;
    ParseJwcValueLine(2, headerLines[1], read);
    const std::int32_t counts[] = {read.lineCount, read.arcCount, read.textCount, read.pointCount};
    NoteJwcCountRepairs(counts, &read.slotCount, log);
  }
}

bool TJwcData::WriteBody(ByteWriter& w) const {
  const double factor = header.PaperFactor;
  for (const auto& line : headerLines) w.Bytes(line);
  for (const auto& s : pointSlots) WriteJwcCoord(w, s.x, factor);
  for (const auto& s : pointSlots) WriteJwcCoord(w, s.y, factor);
  for (const auto& s : pointSlots) w.U8(s.layer);

  auto styles = std::span(textStyles).first(kFileTextStyles);
  for (const auto& s : styles) w.U16(WrittenForm(s).color);
  for (const auto& s : styles) w.U16(s.width);
  for (const auto& s : styles) w.U16(s.height);
  for (const auto& s : styles) w.U16(s.spacing);
  for (const auto& g : layerGroups) {
    if (header.FloatScales) {
      w.F32(g.scale);
    } else {
      w.U16(RoundToU16(g.scale));
    }
  }
  for (const auto& g : layerGroups) w.U8(g.state1);
  for (const auto& l : layers) w.U8(l.state1);
  for (const auto& g : layerGroups) w.U8(g.state2);
  for (const auto& l : layers) w.U8(l.state2);
  for (const auto& g : layerGroups) w.U8(g.state3);

  for (const auto& s : lines) WriteJwcSen(w, s, factor);
  for (const auto& a : arcs) WriteJwcEnko(w, a, factor);
  const std::uint32_t segment = JwcTextSegment(header.textStart);
  for (const auto& t : texts) {
    auto offset = static_cast<std::uint16_t>(static_cast<std::uint32_t>(t.address) - segment * 16);
    WriteJwcMoji(w, t, factor, offset, static_cast<std::uint16_t>(segment));
  }
  w.Bytes(textBlock);
  for (const auto& p : points) WriteJwcTen(w, p, factor);
  for (std::size_t i = 0; i < layers.size(); ++i) {
    WriteName(w, layers[i].name, nameFields[i], TEntJwcLayer::kNameBytes);
  }
  for (std::size_t g = 0; g < layerGroups.size(); ++g) {
    WriteName(w, layerGroups[g].name, nameFields[kLayers + g], TEntJwcLayerGroup::kNameBytes);
  }
  trailing.WriteTo(w);
  return w.Ok();
}

}  // namespace quintaro
