// One drawing of any of the four formats, as the session and the command
// line see it: opened by its magic bytes, measured, counted, re-layered and
// saved in its own format with the version it was read with.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "formats/common/repairs.h"
#include "formats/common/types.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/census.h"

namespace quintaro {

// Figures of the main list by kind.
struct EntityCounts {
  std::int64_t lines = 0, arcs = 0, points = 0, temporaryPoints = 0, texts = 0, dimensions = 0,
               solids = 0, blocks = 0;
};

enum class OpenResult {
  kOpened,         // every byte was read
  kPartial,        // the file ended early or was damaged: what was read is open
  kUnreadable,     // missing, not a regular file, or unreadable
  kUnknownFormat,  // none of the four magics
};

class Document {
 public:
  // `images` receives the images carried by JWW files (may be null: dropped).
  explicit Document(BindImageStore* images = nullptr) : images_(images) {}

  // Replaces the current drawing with the file's. On kUnreadable and
  // kUnknownFormat the current drawing stays as it was.
  OpenResult Open(const std::string& path);
  void Close();

  bool IsOpen() const { return !std::holds_alternative<std::monostate>(doc_); }
  DocFormat Format() const;
  const std::string& Path() const { return path_; }
  // The version stored in JWW and JWS files; none for JWC and JWK.
  std::optional<int> Version() const;
  bool Complete() const;
  // Where and why the last load stopped ("" after a complete load).
  std::string LoadProblem() const;

  EntityCounts Counts() const;
  int BlockDefinitions() const;

  // The drawing's extents computed from an all-zero box.
  DrawingExtents Extents();
  // The extents as the session keeps them: an empty JWW or JWC drawing
  // leaves `shared` as it was.
  void ComputeExtents(DrawingExtents& shared);

  LayerCensusResult Census(int group, int layer) const;
  int GroupTotal(int group) const;
  int LayerTotal(int group, int layer) const;
  // Every group's and layer's total in one pass.
  LayerTotals Totals() const;
  // Names as UTF-8 ("" where the format has none).
  std::string GroupName(int group) const;
  std::string LayerName(int group, int layer) const;
  // The group's scale denominator as stored; none for JWK.
  std::optional<double> GroupScale(int group) const;
  std::string GroupLabel(int group) const;
  std::string LayerLabel(int group, int layer) const;

  // Moves every figure of a group (layers -1) or of one layer.
  void Move(int srcGroup, int srcLayer, int dstGroup, int dstLayer);

  // Writes the drawing in its format (JWW and JWS with the version read).
  // The target is replaced atomically; false with a reason on failure.
  bool Save(const std::string& path, std::string* why);
  // What the last successful save had to leave out (a carried image
  // missing from the work folder), one line each.
  std::vector<std::string> SaveWarnings() const;
  // What the last save wrote differently from the drawing because it was
  // out of the format's range (empty before a save).
  const RepairLog& SaveRepairs() const;
  // What a save of the drawing as it is now would repair; nothing changes.
  RepairLog PlannedRepairs() const;

  PublishedLayers PublishLayers() const;
  const TextMacroValues* Macros() const;

  // The container itself, or null when another format is open.
  TJwcData* Jwc() { return std::get_if<TJwcData>(&doc_); }
  TJwkData* Jwk() { return std::get_if<TJwkData>(&doc_); }
  TJwwData* Jww() { return std::get_if<TJwwData>(&doc_); }
  TJwsData* Jws() { return std::get_if<TJwsData>(&doc_); }
  const TJwcData* Jwc() const { return std::get_if<TJwcData>(&doc_); }
  const TJwkData* Jwk() const { return std::get_if<TJwkData>(&doc_); }
  const TJwwData* Jww() const { return std::get_if<TJwwData>(&doc_); }
  const TJwsData* Jws() const { return std::get_if<TJwsData>(&doc_); }

 private:
  template <class F>
  auto Visit(F&& f) const;
  template <class F>
  auto VisitMut(F&& f);

  BindImageStore* images_;
  std::string path_;
  std::variant<std::monostate, TJwcData, TJwkData, TJwwData, TJwsData> doc_;
};

// Human-readable name of an open result.
const char* Describe(OpenResult result);

}  // namespace quintaro
