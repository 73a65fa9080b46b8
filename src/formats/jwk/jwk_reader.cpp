// Reading a symbol: two header lines, lines, arcs, points, texts and the
// text block. Reading stops at the first short read; every record read
// completely stays.
#include <string>

#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_records.h"
#include "formats/jwc/jwc_strings.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jwk/jwk_header.h"

namespace quintaro {
namespace {

class JwkReader {
 public:
  JwkReader(TJwkData& d, ByteReader& r) : d_(d), r_(r) {}

  bool Run() {
    return Header() && Section(d_.lines, d_.header.lineCount, kJwcSenBytes, "line", ReadJwcSen) &&
           Section(d_.arcs, d_.header.arcCount, kJwcEnkoBytes, "arc", ReadJwcEnko) &&
           Section(d_.points, d_.header.pointCount, kJwcTenBytes, "point", ReadJwcTen) && Texts() &&
           TextBlock() && Finish();
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
    for (int i = 0; i < 2; ++i) {
      std::string line;
      if (!r_.ReadBytes(line, kJwcLineBytes)) return Stop("header line " + std::to_string(i + 1));
      d_.headerLines[static_cast<std::size_t>(i)] = line;
      if (i == 0) {
        ParseJwkTitleLine(line, d_.header);
      } else {
        ParseJwkValueLine(line, d_.header);
      }
    }
    TEntJwkHeader& h = d_.header;
    for (auto [count, kind] : {std::pair{&h.lineCount, "line"},
                               {&h.arcCount, "arc"},
                               {&h.pointCount, "point"},
                               {&h.textCount, "text"}}) {
      if (*count >= 0) continue;
      Note(std::string("negative ") + kind + " count " + std::to_string(*count) + " read as 0");
      *count = 0;
    }
    return true;
  }

  template <typename T, typename ReadFn>
  bool Section(std::vector<T>& out, std::int32_t count, std::uint64_t bytes, const char* kind,
               ReadFn read) {
    std::uint64_t failed = 0;
    auto n = static_cast<std::uint64_t>(count);
    return ReadJwcRecords(r_, out, n, bytes, 1.0, read, failed) ||
           Stop(JwcSectionPlace(kind, failed, n));
  }

  bool Texts() {
    auto read = [](ByteReader& r, double factor) {
      std::uint16_t offset = 0, high = 0;  // the high word is not needed to read
      TEntJwcMoji2 t = ReadJwcMoji(r, factor, offset, high);
      t.address = offset;
      return t;
    };
    return Section(d_.texts, d_.header.textCount, kJwcMojiBytes, "text", read);
  }

  bool TextBlock() {
    std::int32_t length = d_.header.textBlockSize;
    if (length <= 0) return true;
    std::string block;
    if (!r_.ReadBytes(block, static_cast<std::size_t>(length))) return Stop("text block");
    for (auto& t : d_.texts) t.text = TextInBlock(block, t.address);
    return true;
  }

  bool Finish() {
    if (r_.Remaining() > 0)
      Note(std::to_string(r_.Remaining()) + " bytes after the text block ignored");
    d_.loadReport.complete = true;
    return true;
  }

  TJwkData& d_;
  ByteReader& r_;
};

}  // namespace

bool TJwkData::Load(ByteReader& reader, std::string_view name) {
  ResetData();
  loadReport = {};
  macros = {};
  macros.fileName = std::string(name);
  bool ok = JwkReader(*this, reader).Run();
  macros.drawTime.clear();
  macros.memo1 = StripControls(header.titleB);
  macros.memo2 = StripControls(header.titleC);
  macros.printScale = 1.0;
  return ok;
}

}  // namespace quintaro
