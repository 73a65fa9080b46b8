// What the drawing reader and the symbol reader share: the header lines,
// sections of fixed-size records, the text block and the end of the file.
// Reading stops at the first short read, with the place in the load report;
// every record read completely stays.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/jwc/jwc_line_text.h"
#include "formats/jwc/jwc_records.h"
#include "formats/jwc/jwc_types.h"

namespace quintaro {

class JwcSectionReader {
 public:
  JwcSectionReader(ByteReader& r, JwcLoadReport& report) : r_(r), report_(report) {}

 protected:
  bool Stop(const std::string& where) {
    report_.complete = false;
    report_.failOffset = r_.FailOffset();
    report_.reason = "unexpected end of file in the " + where;
    return false;
  }
  void Note(std::string text) { report_.notes.push_back(std::move(text)); }

  // Reads the 200-byte header lines into `lines`, each handed to
  // `parse(index, line)` in turn.
  template <std::size_t N, typename Parse>
  bool HeaderLines(std::array<std::string, N>& lines, Parse parse) {
    for (std::size_t i = 0; i < N; ++i) {
      std::string line;
      if (!r_.ReadBytes(line, kJwcLineBytes)) return Stop("header line " + std::to_string(i + 1));
      lines[i] = line;
      parse(static_cast<int>(i), line);
    }
    return true;
  }

  // A negative count is read as 0, with a note.
  void NoNegativeCounts(std::initializer_list<std::pair<std::int32_t*, const char*>> counts) {
    for (auto [count, kind] : counts) {
      if (*count >= 0) continue;
      Note(std::string("negative ") + kind + " count " + std::to_string(*count) + " read as 0");
      *count = 0;
    }
  }

  // `count` records of Form, coordinates times factor_.
  template <typename Form>
  bool Section(JwcRecordList<typename Form::Record>& out, std::int32_t count, const char* kind) {
    std::uint64_t failed = 0;
    auto n = static_cast<std::uint64_t>(count);
    return ReadJwcRecords<Form>(r_, out, n, factor_, failed) ||
           Stop(JwcSectionPlace(kind, failed, n));
  }

  // `count` records of `bytes` bytes each, coordinates times factor_.
  template <typename T, typename ReadFn>
  bool Section(std::vector<T>& out, std::int32_t count, std::uint64_t bytes, const char* kind,
               ReadFn read) {
    std::uint64_t failed = 0;
    auto n = static_cast<std::uint64_t>(count);
    return ReadJwcRecords(r_, out, n, bytes, factor_, read, failed) ||
           Stop(JwcSectionPlace(kind, failed, n));
  }

  // The text block of `length` bytes (none when not positive) into `block`;
  // a text's string starts at its address minus `start`.
  bool TextBlock(std::vector<TEntJwcMoji2>& texts, std::int64_t start, std::int64_t length,
                 std::string& block) {
    if (length <= 0) return true;
    if (!r_.ReadBytes(block, static_cast<std::size_t>(length))) return Stop("text block");
    for (auto& t : texts) t.text = TextInBlock(block, t.address - start);
    return true;
  }

  // The end of the reading: bytes after the `last` section are noted and
  // kept in `trailing`, so that a save writes them back.
  bool Finish(const char* last, TrailingBytes& trailing) {
    if (r_.Remaining() > 0) {
      Note(std::to_string(r_.Remaining()) + " bytes after the " + last + " kept as read");
      if (!trailing.ReadRest(r_)) return Stop(last);
    }
    report_.complete = true;
    return true;
  }

  ByteReader& r_;
  double factor_ = 1.0;  // what coordinates are multiplied by

 private:
  JwcLoadReport& report_;
};

}  // namespace quintaro
