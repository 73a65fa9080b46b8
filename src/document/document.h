// One drawing of any of the four formats, as the session and the command
// line see it: opened by its magic bytes, measured, counted, re-layered and
// saved in its own format with the version it was read with.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "document/format_facts.h"
#include "document/layer_change.h"
#include "document/relayer_plan.h"
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

// The paper of a drawing in drawing millimetres, two opposite corners.
struct PaperRange {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool operator==(const PaperRange&) const = default;
};

// What a save came to.
struct SaveResult {
  std::string error;                  // why nothing was written; "" when saved
  std::vector<std::string> warnings;  // what had to be left out (a carried image missing
                                      // from the work folder), one line each
  RepairLog repairs;                  // values out of the format's range, written repaired
  bool Ok() const { return error.empty(); }
};

class Document {
 public:
  // What becomes of the images carried inside JWW drawings.
  enum class Images {
    kDrop,  // read and dropped: saves carry none
    kKeep,  // kept in a work folder while the drawing is open, carried again by saves
  };
  // `folder`: where kept images go; empty: a private work folder that the
  // document makes when a drawing first carries an image and removes with
  // its content.
  explicit Document(Images images = Images::kDrop, std::string folder = {});
  ~Document();
  Document(Document&&) noexcept;
  Document& operator=(Document&&) noexcept;

  // Replaces the current drawing with the file's. On kUnreadable and
  // kUnknownFormat the current drawing stays as it was.
  OpenResult Open(const std::string& path);
  void Close();

  bool IsOpen() const { return !std::holds_alternative<std::monostate>(doc_); }
  DocFormat Format() const;
  // The open format's facts; null when no drawing is open.
  const FormatFacts* Facts() const { return FactsOf(Format()); }
  // True when the open format's groups and layers carry names (JWW, JWC).
  bool HasNames() const;
  const std::string& Path() const { return path_; }
  // The version stored in JWW and JWS files; none for JWC and JWK.
  std::optional<int> Version() const;
  bool Complete() const;
  // Where and why the last load stopped ("" after a complete load).
  std::string LoadProblem() const;

  // Bytes after the last section (kept, and written back by a save).
  std::uint64_t TrailingByteCount() const;

  EntityCounts Counts() const;
  int BlockDefinitions() const;

  // The drawing's extents computed from an all-zero box.
  DrawingExtents Extents();
  // The extents as the session keeps them: an empty JWW or JWC drawing
  // leaves `shared` as it was.
  void ComputeExtents(DrawingExtents& shared);
  // JWC: (0, 0) to the paper's size; JWW: the paper centred on the origin;
  // JWS: the range rectangle of its header. None for JWK (and no drawing).
  std::optional<PaperRange> Paper() const;

  LayerCensusResult Census(int group, int layer) const;
  int GroupTotal(int group) const;
  int LayerTotal(int group, int layer) const;
  // Every group's and layer's total in one pass.
  LayerTotals Totals() const;
  // Names as UTF-8 ("" where the format has none); layer -1: the group's.
  std::string GroupName(int group) const;
  std::string LayerName(int group, int layer) const;
  // The group's scale denominator as stored; none for JWK.
  std::optional<double> GroupScale(int group) const;
  std::string GroupLabel(int group) const;
  std::string LayerLabel(int group, int layer) const;

  // The one way a drawing changes: the rules applied in order (moves,
  // swaps, moves of what names find, renames; relayer_plan.h), or a record
  // of an earlier edit written back. A plan with a name the file cannot
  // hold is refused whole. The record tells what changed and what each
  // rule did; Apply(std::move(record).Inverse()) puts the drawing back and
  // Apply(record) does the edit again, returning the record it was given.
  LayerChange Apply(const RelayerPlan& plan, const ApplyOptions& options = {});
  LayerChange Apply(const RelayerRule& rule) { return Apply(RelayerPlan{rule}); }
  LayerChange Apply(LayerChange change);

  // Writes the drawing in its format (JWW and JWS with the version read).
  // The target is replaced atomically.
  SaveResult Save(const std::string& path);
  // What a save of the drawing as it is now would repair; nothing changes.
  RepairLog PlannedRepairs() const;

  // The images the open JWW drawing carries; null when they are dropped.
  const BindImageStore* CarriedImages() const;

  PublishedLayers PublishLayers() const;
  const TextMacroValues* Macros() const;

  // Calls `f` with the open container (TJwcData, TJwkData, TJwwData or
  // TJwsData); nothing when no drawing is open. Code above the formats
  // reaches the containers only through these (tests through
  // tests/support/containers.h).
  template <class F>
  void WithContainer(F&& f) const {
    std::visit([&](const auto& d) { CallUnlessNone(f, d); }, doc_);
  }
  template <class F>
  void WithContainer(F&& f) {
    std::visit([&](auto& d) { CallUnlessNone(f, d); }, doc_);
  }
  // Calls `f` with the containers of two drawings of one format; false,
  // without a call, when their formats differ or one is not open.
  template <class F>
  static bool WithContainers(const Document& a, const Document& b, F&& f) {
    return std::visit(
        [&](const auto& x, const auto& y) {
          using X = std::decay_t<decltype(x)>;
          if constexpr (std::is_same_v<X, std::decay_t<decltype(y)>> &&
                        !std::is_same_v<X, std::monostate>) {
            f(x, y);
            return true;
          } else {
            return false;
          }
        },
        a.doc_, b.doc_);
  }

  // Takes a drawing built in memory (the demo, tests) in place of the open
  // one; it has no path.
  template <class Container>
  void Adopt(Container container) {
    doc_.template emplace<Container>(std::move(container));
    path_.clear();
  }

 private:
  // The container when it is of format T, else null.
  template <class T>
  const T* As() const {
    return std::get_if<T>(&doc_);
  }
  template <class F, class D>
  static void CallUnlessNone(F& f, D& d) {
    if constexpr (!std::is_same_v<std::remove_const_t<D>, std::monostate>) f(d);
  }
  template <class F>
  decltype(auto) Visit(F&& f) const;
  template <class F>
  decltype(auto) VisitMut(F&& f);

  // The store of kept images, made when a JWW drawing is opened; its work
  // folder is made only when a drawing carries an image.
  BindImageStore* ImageStore();

  bool keepImages_;
  std::string imageFolder_;
  std::unique_ptr<BindImageStore> images_;
  std::string path_;
  std::variant<std::monostate, TJwcData, TJwkData, TJwwData, TJwsData> doc_;
};

// Human-readable name of an open result.
const char* Describe(OpenResult result);

}  // namespace quintaro
