// What the JWC drawing (TJwcData) and the JWK symbol (TJwkData) share
// around their own readers and writers: loading from a file or from bytes,
// the load report and text macro values, atomic saves and the save error.
//
// `Data` derives from JwcContainer<Data> and provides ResetData(),
// `header` (with titleB and titleC) and `textStyles`; to this class, its
// friend, it provides ReadSections(ByteReader&) (the reading after the
// reset), PrepareSave() (cleans and lays out what will be written, false
// with saveError set when it cannot be), NoteRepairs(RepairLog&) const
// (each value the writer will write differently from the model, counted
// by kind), WriteBody(ByteWriter&) const and kWhat, the word for one file
// in a save error ("drawing", "symbol").
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/file_io.h"
#include "formats/common/repairs.h"
#include "formats/common/types.h"
#include "formats/jwc/jwc_strings.h"
#include "formats/jwc/jwc_types.h"

namespace quintaro {

template <class Data>
class JwcContainer {
 public:
  // Reads a file. True only when every byte was read; a partial load keeps
  // every record read completely and tells in loadReport where it stopped.
  // Sets the text macro values in `macros` either way.
  bool LoadFromFile(const std::string& path) {
    InputFile in(path);
    if (!in.IsOpen()) {
      ByteReader empty(std::span<const std::uint8_t>{});
      Load(empty, path);
      loadReport.reason = "cannot open the file";
      return false;
    }
    ByteReader reader(in.Handle(), in.Size());
    return Load(reader, path);
  }
  bool LoadFromBytes(std::span<const std::uint8_t> bytes, std::string_view name = {}) {
    ByteReader reader(bytes);
    return Load(reader, name);
  }

  // Writes the file (what the save changes in memory first: see Data). The
  // file is replaced atomically; on failure nothing is written and
  // saveError tells why.
  bool SaveToFile(const std::string& path) {
    if (!BeginSave()) return false;
    std::string why;
    bool ok = WriteFileAtomically(
        path, [this](ByteWriter& w) { return Self().WriteBody(w); }, &why);
    if (!ok) saveError = "cannot write the file" + (why.empty() ? "" : ": " + why);
    return ok;
  }
  bool SaveToBytes(std::vector<std::uint8_t>& out) {
    out.clear();
    if (!BeginSave()) return false;
    ByteWriter w;
    if (!Self().WriteBody(w)) {
      saveError = "cannot write the " + std::string(Data::kWhat);
      return false;
    }
    out = w.Bytes();
    return true;
  }

  void ClearData() { Self().ResetData(); }

  // What the last save wrote differently from the model because it was out
  // of the format's range; empty before a save.
  const RepairLog& SaveRepairs() const { return saveRepairs_; }
  // What a save of the model as it is now would repair.
  RepairLog PlannedRepairs() const {
    RepairLog log;
    static_cast<const Data&>(*this).NoteRepairs(log);
    return log;
  }

  // The style a text names; an all-zero style for a number out of range.
  const TEntJwcMojiStyle& StyleOf(int number) const {
    static const TEntJwcMojiStyle kNone{};
    if (number < 0 || number >= Data::kTextStyles) return kNone;
    return static_cast<const Data&>(*this).textStyles[static_cast<std::size_t>(number)];
  }

  TextMacroValues macros;    // set by every load
  JwcLoadReport loadReport;  // of the last load
  std::string saveError;     // why the last save failed

 private:
  RepairLog saveRepairs_;

  Data& Self() { return static_cast<Data&>(*this); }

  bool BeginSave() {
    // Noted before PrepareSave cleans the model.
    saveRepairs_.Clear();
    Self().NoteRepairs(saveRepairs_);
    if (Self().PrepareSave()) return true;
    saveRepairs_.Clear();
    return false;
  }

  bool Load(ByteReader& reader, std::string_view name) {
    Data& d = Self();
    d.ResetData();
    loadReport = {};
    macros = {};
    macros.fileName = std::string(name);
    bool ok = d.ReadSections(reader);
    macros.drawTime.clear();
    macros.memo1 = StripControls(d.header.titleB);
    macros.memo2 = StripControls(d.header.titleC);
    macros.printScale = 1.0;
    return ok;
  }
};

}  // namespace quintaro
