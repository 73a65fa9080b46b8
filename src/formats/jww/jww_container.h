// What the JWW drawing (TJwwData) and the JWS symbol file (TJwsData) share
// around their own header code: opening a file for a streamed load, the
// load report and macro values, the entity lists and block definitions with
// their block tree, and the save error of a save to a file or to memory.
// Internal to the format libraries.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/common/bytes.h"
#include "formats/common/file_io.h"
#include "formats/common/repairs.h"
#include "formats/jww/jww_block_tree.h"
#include "formats/jww/jww_list_reader.h"
#include "formats/jww/jww_list_writer.h"

namespace quintaro::jww {

// The start of every load of `name`: an empty model, report and macro
// values (the file name only).
template <class Data>
void BeginLoad(Data& d, const std::string& name) {
  d.ResetData();
  d.loadReport = JwwLoadReport{};
  d.macros = TextMacroValues{};
  d.macros.fileName = name;
}

// LoadFromFile: `load` reads the file at `path` through a streamed reader.
// A file that cannot be opened leaves an empty model and says so.
template <class Data, class Load>
bool LoadFile(Data& d, const std::string& path, Load load) {
  InputFile in(path);
  if (!in.IsOpen()) {
    BeginLoad(d, path);
    d.loadReport.reason = "cannot open the file";
    return false;
  }
  ByteReader r(in.Handle(), in.Size());
  return load(r);
}

// The end of a load: complete, or the offset where the reading stopped and
// why (a reason set before, e.g. a bad value, stands unless memory ran out).
inline void EndLoad(JwwLoadReport& loadReport, const ByteReader& r, bool ok,
                    const std::string& where, bool outOfMemory) {
  if (ok) {
    loadReport.complete = true;
    return;
  }
  loadReport.failOffset = r.Ok() ? r.Offset() : r.FailOffset();
  if (outOfMemory)
    loadReport.reason = "out of memory in " + where;
  else if (loadReport.reason.empty())
    loadReport.reason = "unexpected end of file in " + where;
}

// Reads the main list and the block definitions of `d` (see ReadListsAndDefs).
template <class Data>
bool ReadLists(ByteReader& r, std::int32_t version, Data& d, std::string& where,
               bool& outOfMemory) {
  ClassTagReader tags;
  ListReader<typename Data::Moji_t> lists(r, version, tags);
  bool ok = ReadListsAndDefs(lists, d, d.BlockDefs, d.BlockDefCount, where, outOfMemory);
  d.loadReport.stringsCleaned += lists.stringsCleaned;
  d.loadReport.textsCut += lists.textsCut;
  return ok;
}

// Writes the main list and every block definition of `d`, numbers as they
// stand; the repairs made go to `repairs`. False when the writing failed,
// or with `error` set when an entity order does not match its arrays.
template <class Data>
bool WriteLists(ByteWriter& w, std::int32_t version, const Data& d, TextRewrite rewrite,
                std::string& error, RepairLog& repairs) {
  ClassTagWriter tags(version);
  RepairCounts counts;
  ListWriter<typename Data::Moji_t> lists(w, version, tags, counts, rewrite);
  bool ok = lists.WriteList(d);
  if (!ok && w.Ok()) error = "the entity order does not match the entity arrays";
  if (ok) {
    ok = lists.WriteDefs(d.BlockDefs);
    if (!ok && w.Ok()) error = "the entity order of a block definition does not match its arrays";
  }
  counts.MoveTo(repairs);
  return ok;
}

// Notes what WriteLists would repair in `d`, writing nothing.
template <class Data>
void NoteListRepairs(std::int32_t version, const Data& d, TextRewrite rewrite, RepairLog& repairs) {
  NoBytes nowhere;
  ClassTagWriter tags(version);
  RepairCounts counts;
  ListWriter<typename Data::Moji_t, NoBytes> lists(nowhere, version, tags, counts, rewrite);
  lists.CountList(d);
  lists.CountDefs(d.BlockDefs);
  counts.MoveTo(repairs);
}

// Numbers the block definitions of a drawing built in memory from scratch:
// definition i gets number i, and each insertion the number of the first
// definition that had its old number (one that matched none gets a number
// no definition has). Drawings read from a file keep their numbers.
template <class Data>
void NumberBlocksFromScratch(Data& d) {
  std::unordered_map<std::int32_t, std::int32_t> first;
  for (std::size_t i = 0; i < d.BlockDefs.size(); ++i)
    first.emplace(d.BlockDefs[i].Number, static_cast<std::int32_t>(i));
  const auto none = static_cast<std::int32_t>(d.BlockDefs.size());
  auto renumber = [&](auto& list) {
    for (auto& b : list.Block) {
      auto it = first.find(std::int32_t{b.Number});  // a copy: the record is packed
      b.Number = it == first.end() ? none : it->second;
    }
  };
  renumber(d);
  for (std::size_t i = 0; i < d.BlockDefs.size(); ++i) {
    renumber(d.BlockDefs[i]);
    d.BlockDefs[i].Number = static_cast<std::int32_t>(i);
  }
  d.BlockDefCount = none;
  d.BuildBlockTree();
}

// Empties the main list, the block definitions and the block tree.
template <class Data>
void ResetLists(Data& d) {
  d.ClearList(1000);
  d.BlockDefCount = 0;
  d.BlockDefs.clear();
  d.BlockDefs.shrink_to_fit();
  d.BlockTree.clear();
  d.BlockTree.shrink_to_fit();
  d.ReferencedBlockCount = 0;
}

// ClearData: frees the block definitions' lists first, then ResetData.
template <class Data>
void ClearData(Data& d) {
  for (auto& def : d.BlockDefs) def.ClearList(500);
  d.ResetData();
}

// BuildBlockTree of `d`, with what it refused counted and told in the report.
template <class Data>
void BuildTree(Data& d) {
  JwwLoadReport& loadReport = d.loadReport;
  loadReport.blockEntriesRefused =
      BuildBlockTree(d.Block, d.BlockDefs, d.BlockTree, d.ReferencedBlockCount);
  if (loadReport.blockEntriesRefused > 0)
    loadReport.warnings.push_back(
        std::to_string(loadReport.blockEntriesRefused) +
        " nested block placements were not expanded (a block inserting itself, "
        "nesting deeper than " +
        std::to_string(kMaxBlockTreeDepth) + " levels, or more than " +
        std::to_string(kMaxBlockTreeEntries) + " placements)");
}

// What the reader changed in strings counts among a save's repairs: the
// save writes those strings as the model holds them, not as the file did.
inline void NoteLoadChanges(const JwwLoadReport& report, RepairLog& repairs) {
  repairs.Note("control characters removed from a string when read", report.stringsCleaned);
  repairs.Note("text longer than 255 characters cut when read", report.textsCut);
}

// SaveToFile: `save` writes the file atomically; on failure `saveError`
// tells why (what `save` set, else the system's reason). `repairs` is
// emptied first and then holds what `save` repaired.
template <class Save>
bool SaveFile(const std::string& path, std::string& saveError, RepairLog& repairs, Save save) {
  saveError.clear();
  repairs.Clear();
  std::string why;
  bool ok = WriteFileAtomically(path, save, &why);
  if (!ok && saveError.empty()) {
    saveError = "could not write the file" + (why.empty() ? "" : ": " + why);
  }
  return ok;
}

// SaveToBytes: `save` writes into memory; `out` receives the bytes on success.
template <class Save>
bool SaveBytes(std::vector<std::uint8_t>& out, std::string& saveError, RepairLog& repairs,
               Save save) {
  saveError.clear();
  repairs.Clear();
  ByteWriter w;
  bool ok = save(w) && w.Ok();
  if (ok)
    out = w.Bytes();
  else if (saveError.empty())
    saveError = "could not write the data";
  return ok;
}

}  // namespace quintaro::jww
