// Writing a symbol. PrepareSave decides everything that can make the
// symbol unwritable before a byte is written; WriteBody only streams.
#include <cstdint>
#include <limits>

#include "formats/common/types.h"
#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_records.h"
#include "formats/jwc/jwc_repairs.h"
#include "formats/jwc/jwc_strings.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jwk/jwk_header.h"

namespace quintaro {
namespace {

constexpr std::size_t kMaxCount = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMaxTextOffset = 0xFFFF;  // a text finds its string by a 16-bit offset

}  // namespace

bool TJwkData::PrepareSave() {
  saveError.clear();
  if (lines.size() > kMaxCount || arcs.size() > kMaxCount || points.size() > kMaxCount ||
      texts.size() > kMaxCount) {
    saveError = "too many figures for the header counts";
    return false;
  }
  // The block as read stays while it still gives every text (its offsets
  // were read as 16 bits); else the texts are laid out anew.
  const bool keepBlock = TextBlockStillServes(textBlock, 0, texts);
  std::vector<std::string> cleaned;
  auto total = static_cast<std::int64_t>(textBlock.size());
  std::int64_t lastOffset = 0;
  if (!keepBlock) {
    cleaned.reserve(texts.size());
    total = 0;
    for (const auto& t : texts) {
      cleaned.push_back(CleanTextForFile(t.text));
      lastOffset = total;
      total += static_cast<std::int64_t>(cleaned.back().size()) + 1;
    }
  }
  if (lastOffset > kMaxTextOffset || total > std::numeric_limits<std::int32_t>::max()) {
    saveError = "the texts need " + std::to_string(total) +
                " bytes; a text cannot start beyond byte 65535 of the text block";
    return false;
  }

  TEntJwkHeader h = header;
  h.lineCount = static_cast<std::int32_t>(lines.size());
  h.arcCount = static_cast<std::int32_t>(arcs.size());
  h.pointCount = static_cast<std::int32_t>(points.size());
  h.textCount = static_cast<std::int32_t>(texts.size());
  h.textBlockSize = static_cast<std::int32_t>(total);
  h.titleA = TitleField(TitleWithMagic(h.titleA, kJwkMagic), kJwcTitleABytes);
  h.titleB = TitleField(h.titleB, kJwcTitleBBytes);
  h.titleC = TitleField(h.titleC, kJwcTitleCBytes);
  std::array<std::string, 2> built = {BuildJwkTitleLine(h, headerLines[0]),
                                      BuildJwkValueLine(h, headerLines[1])};
  if (built[1].empty()) {
    saveError = "header line 2 cannot hold its values";
    return false;
  }

  header = h;
  headerLines = std::move(built);
  if (!keepBlock) {
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i].text = std::move(cleaned[i]);
    textBlock = LayOutTextBlock(texts, 0);
  }
  return true;
}

void TJwkData::NoteRepairs(RepairLog& log) const {
  NoteJwcFigureRepairs(lines, arcs, points, texts, log);
  if (!headerLines[1].empty()) {
    TEntJwkHeader read;
    ParseJwkValueLine(headerLines[1], read);
    const std::int32_t counts[] = {read.lineCount, read.arcCount, read.pointCount, read.textCount};
    NoteJwcCountRepairs(counts, nullptr, log);
  }
}

bool TJwkData::WriteBody(ByteWriter& w) const {
  for (const auto& line : headerLines) w.Bytes(line);
  for (const auto& s : lines) WriteJwcSen(w, s, 1.0);
  for (const auto& a : arcs) WriteJwcEnko(w, a, 1.0);
  for (const auto& p : points) WriteJwcTen(w, p, 1.0);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    auto offset = static_cast<std::uint32_t>(texts[i].address);
    auto high = i < textHighWords.size() ? textHighWords[i] : offset >> 16;
    WriteJwcMoji(w, texts[i], 1.0, static_cast<std::uint16_t>(offset & 0xFFFF),
                 static_cast<std::uint16_t>(high));
  }
  w.Bytes(textBlock);
  trailing.WriteTo(w);
  return w.Ok();
}

}  // namespace quintaro
