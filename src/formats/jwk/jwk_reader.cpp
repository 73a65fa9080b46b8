// Reading a symbol: two header lines, lines, arcs, points, texts and the
// text block. Reading stops at the first short read; every record read
// completely stays.
#include <string>

#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_records.h"
#include "formats/jwc/jwc_section_reader.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jwk/jwk_header.h"

namespace quintaro {
namespace {

class JwkReader : JwcSectionReader {
 public:
  JwkReader(TJwkData& d, ByteReader& r) : JwcSectionReader(r, d.loadReport), d_(d) {}

  bool Run() {
    return Header() && Section<JwcSenForm>(d_.lines, d_.header.lineCount, "line") &&
           Section<JwcEnkoForm>(d_.arcs, d_.header.arcCount, "arc") &&
           Section<JwcTenForm>(d_.points, d_.header.pointCount, "point") && Texts() &&
           TextBlock(d_.texts, 0, d_.header.textBlockSize, d_.textBlock) &&
           Finish("text block", d_.trailing);
  }

 private:
  bool Header() {
    TEntJwkHeader& h = d_.header;
    bool ok = HeaderLines(d_.headerLines, [&](int i, const std::string& line) {
      if (i == 0) {
        ParseJwkTitleLine(line, h);
      } else {
        ParseJwkValueLine(line, h);
      }
    });
    if (!ok) return false;
    NoNegativeCounts({{&h.lineCount, "line"},
                      {&h.arcCount, "arc"},
                      {&h.pointCount, "point"},
                      {&h.textCount, "text"}});
    return true;
  }

  bool Texts() {
    auto read = [this](ByteReader& r, double factor) {
      std::uint16_t offset = 0, high = 0;  // the high word is not needed to read: kept
      TEntJwcMoji2 t = ReadJwcMoji(r, factor, offset, high);
      t.address = offset;
      if (r.Ok()) d_.textHighWords.push_back(high);
      return t;
    };
    return Section(d_.texts, d_.header.textCount, kJwcMojiBytes, "text", read);
  }

  TJwkData& d_;
};

}  // namespace

bool TJwkData::ReadSections(ByteReader& reader) {
  return JwkReader(*this, reader).Run();
}

}  // namespace quintaro
