#include "formats/jwc/jwc_repairs.h"

#include "formats/jwc/jwc_strings.h"

namespace quintaro {
namespace {

constexpr const char* kLineType = "line type out of range written as 0";
constexpr const char* kColor = "colour out of range written as 0";

// A value of 0 is written as it is, so only other invalid values count.
bool LineTypeRepaired(std::uint8_t t) {
  return t != 0 && !IsValidJwcLineType(t);
}
bool ColorRepaired(std::uint8_t c) {
  return c != 0 && !IsValidJwcColor(c);
}

template <class Figure>
void NoteLineTypeAndColor(const JwcRecordList<Figure>& figures, RepairLog& log) {
  std::int64_t types = 0, colors = 0;
  for (const Figure& f : figures) {
    types += LineTypeRepaired(f.lineType);
    colors += ColorRepaired(f.color);
  }
  log.Note(kLineType, types);
  log.Note(kColor, colors);
}

}  // namespace

void NoteJwcFigureRepairs(const JwcRecordList<TEntJwcSen>& lines,
                          const JwcRecordList<TEntJwcEnko>& arcs,
                          const JwcRecordList<TEntJwcTen>& points,
                          const std::vector<TEntJwcMoji2>& texts, RepairLog& log) {
  NoteLineTypeAndColor(lines, log);
  NoteLineTypeAndColor(arcs, log);
  std::int64_t colors = 0;
  for (const auto& p : points) colors += ColorRepaired(p.color);
  log.Note(kColor, colors);
  std::int64_t cleaned = 0;
  for (const auto& t : texts) cleaned += CleanTextForFile(t.text) != t.text;
  log.Note("text cleaned of control characters or a temporary image folder", cleaned);
}

void NoteJwcStyleRepairs(std::span<const TEntJwcMojiStyle> styles, RepairLog& log) {
  std::int64_t colors = 0;
  for (const auto& s : styles) colors += s.color != 0 && (s.color < 1 || s.color > 6);
  log.Note("text style colour out of range written as 0", colors);
}

void NoteJwcCountRepairs(std::span<const std::int32_t> counts, const std::int32_t* slots,
                         RepairLog& log) {
  std::int64_t negative = 0;
  for (std::int32_t c : counts) negative += c < 0;
  log.Note("negative figure count in the header written as 0", negative);
  if (slots && (*slots < 0 || *slots > 100)) {
    log.Note("point slot count out of 0..100 written in range");
  }
}

void NoteJwcNameRepair(const std::string& name, std::size_t limit, RepairLog& log) {
  if (CleanNameForFile(name, limit) != name) log.Note("name cut to its field or cleaned");
}

}  // namespace quintaro
