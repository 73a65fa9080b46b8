#include "document/document.h"

#include <cstdio>
#include <filesystem>
#include <type_traits>

#include "document/relayer_apply.h"
#include "formats/common/file_io.h"
#include "formats/extents/extents.h"
#include "layers/labels.h"
#include "layers/names.h"

namespace quintaro {

namespace {

template <class T>
inline constexpr bool kIsNone = std::is_same_v<std::decay_t<T>, std::monostate>;

template <class T>
std::string Problem(const T& report) {
  if (report.complete) return {};
  char where[64];
  std::snprintf(where, sizeof where, " (at byte %llu)",
                static_cast<unsigned long long>(report.failOffset));
  return report.reason + where;
}

// Main-list counts of the two Windows formats.
template <class List>
EntityCounts CountList(const List& list) {
  EntityCounts c;
  c.lines = list.Sen.size();
  c.arcs = list.Enko.size();
  for (const auto& p : list.Ten) (p.Temporary == 1 ? c.temporaryPoints : c.points)++;
  c.texts = list.Moji.size();
  c.dimensions = list.Sunpo.size();
  c.solids = list.Solid.size();
  c.blocks = list.Block.size();
  return c;
}

template <class Dos>
EntityCounts CountDos(const Dos& d) {
  EntityCounts c;
  c.lines = d.lines.size();
  c.arcs = d.arcs.size();
  c.points = d.points.size();
  c.texts = d.texts.size();
  // A drawing's used point slots are its temporary points, as the census counts them.
  if constexpr (requires { d.UsedPointSlots(); }) c.temporaryPoints = d.UsedPointSlots();
  return c;
}

}  // namespace

Document::Document(Images images, std::string folder)
    : keepImages_(images == Images::kKeep), imageFolder_(std::move(folder)) {}

Document::~Document() = default;
Document::Document(Document&&) noexcept = default;
Document& Document::operator=(Document&&) noexcept = default;

BindImageStore* Document::ImageStore() {
  if (!keepImages_) return nullptr;
  if (!images_) {
    images_ = std::make_unique<BindImageStore>();
    if (imageFolder_.empty()) {
      images_->UseWorkFolder();
    } else {
      images_->SetFolder(imageFolder_);
    }
  }
  return images_.get();
}

const BindImageStore* Document::CarriedImages() const {
  return images_.get();
}

template <class F>
decltype(auto) Document::Visit(F&& f) const {
  return std::visit(std::forward<F>(f), doc_);
}

template <class F>
decltype(auto) Document::VisitMut(F&& f) {
  return std::visit(std::forward<F>(f), doc_);
}

const char* Describe(OpenResult result) {
  switch (result) {
    case OpenResult::kOpened:
      return "opened";
    case OpenResult::kPartial:
      return "opened partly";
    case OpenResult::kUnreadable:
      return "cannot be read";
    case OpenResult::kUnknownFormat:
      return "is not a JWW, JWS, JWC or JWK file";
  }
  return "";
}

OpenResult Document::Open(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FsPath(path), ec)) return OpenResult::kUnreadable;
  DocFormat format = DetectFormat(path);
  if (format == DocFormat::kUnknown) {
    // Readable but of no known kind, or unreadable after all.
    return InputFile(path).IsOpen() ? OpenResult::kUnknownFormat : OpenResult::kUnreadable;
  }
  // Images of the previous drawing go before the next one is read.
  if (images_) images_->DeleteFiles();
  bool complete = false;
  switch (format) {
    case DocFormat::kJwc:
      complete = doc_.emplace<TJwcData>().LoadFromFile(path);
      break;
    case DocFormat::kJwk:
      complete = doc_.emplace<TJwkData>().LoadFromFile(path);
      break;
    case DocFormat::kJww: {
      auto& d = doc_.emplace<TJwwData>();
      d.SetImageStore(ImageStore());
      complete = d.LoadFromFile(path);
      break;
    }
    case DocFormat::kJws: {
      auto& d = doc_.emplace<TJwsData>();
      complete = d.LoadFromFile(path);
      break;
    }
    case DocFormat::kUnknown:
      break;
  }
  path_ = path;
  return complete ? OpenResult::kOpened : OpenResult::kPartial;
}

void Document::Close() {
  if (images_) images_->DeleteFiles();
  doc_.emplace<std::monostate>();
  path_.clear();
}

DocFormat Document::Format() const {
  return Visit([](const auto& d) {
    using T = std::decay_t<decltype(d)>;
    if constexpr (std::is_same_v<T, TJwcData>) return DocFormat::kJwc;
    if constexpr (std::is_same_v<T, TJwkData>) return DocFormat::kJwk;
    if constexpr (std::is_same_v<T, TJwwData>) return DocFormat::kJww;
    if constexpr (std::is_same_v<T, TJwsData>) return DocFormat::kJws;
    return DocFormat::kUnknown;
  });
}

bool Document::HasNames() const {
  const FormatFacts* facts = Facts();
  return facts != nullptr && facts->hasNames;
}

std::optional<int> Document::Version() const {
  if (const auto* d = As<TJwwData>()) return d->Header.Version;
  if (const auto* d = As<TJwsData>()) return d->Version;
  return std::nullopt;
}

bool Document::Complete() const {
  return Visit([](const auto& d) {
    if constexpr (kIsNone<decltype(d)>) {
      return false;
    } else {
      return d.loadReport.complete;
    }
  });
}

std::string Document::LoadProblem() const {
  return Visit([](const auto& d) -> std::string {
    if constexpr (kIsNone<decltype(d)>) {
      return "no drawing is open";
    } else {
      return Problem(d.loadReport);
    }
  });
}

std::uint64_t Document::TrailingByteCount() const {
  return Visit([](const auto& d) -> std::uint64_t {
    if constexpr (kIsNone<decltype(d)>) {
      return 0;
    } else if constexpr (requires { d.Trailer; }) {
      return d.Trailer.Size();
    } else {
      return d.trailing.Size();
    }
  });
}

EntityCounts Document::Counts() const {
  return Visit([](const auto& d) -> EntityCounts {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else if constexpr (requires { d.Sen; }) {
      return CountList(d);
    } else {
      return CountDos(d);
    }
  });
}

int Document::BlockDefinitions() const {
  if (const auto* d = As<TJwwData>()) return static_cast<int>(d->BlockDefs.size());
  if (const auto* d = As<TJwsData>()) return static_cast<int>(d->BlockDefs.size());
  return 0;
}

DrawingExtents Document::Extents() {
  DrawingExtents e;
  ComputeExtents(e);
  return e;
}

void Document::ComputeExtents(DrawingExtents& shared) {
  VisitMut([&](auto& d) {
    if constexpr (!kIsNone<decltype(d)>) quintaro::ComputeExtents(d, shared);
  });
}

std::optional<PaperRange> Document::Paper() const {
  if (const auto* d = As<TJwcData>()) {
    PaperDimensions p = PaperDimensionsOfCode(d->header.PaperCode);
    return PaperRange{0, 0, p.width, p.height};
  }
  if (const auto* d = As<TJwwData>()) {
    PaperDimensions p = PaperDimensionsOfCode(d->Header.PaperSize);
    return PaperRange{-p.width / 2, -p.height / 2, p.width / 2, p.height / 2};
  }
  if (const auto* d = As<TJwsData>()) {
    const double* r = d->Header.Doubles;
    return PaperRange{r[6], r[7], r[8], r[9]};
  }
  return std::nullopt;
}

LayerCensusResult Document::Census(int group, int layer) const {
  return Visit([&](const auto& d) -> LayerCensusResult {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else {
      return LayerCensus(d, group, layer);
    }
  });
}

int Document::GroupTotal(int group) const {
  return Census(group, -1).Total();
}

int Document::LayerTotal(int group, int layer) const {
  return Census(group, layer).Total();
}

LayerTotals Document::Totals() const {
  return Visit([&](const auto& d) -> LayerTotals {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else {
      return CensusAllLayers(d);
    }
  });
}

std::string Document::GroupName(int group) const {
  return LayerName(group, -1);
}

std::string Document::LayerName(int group, int layer) const {
  return Visit([&](const auto& d) -> std::string {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else {
      return NameOf(d, group, layer);
    }
  });
}

std::optional<double> Document::GroupScale(int group) const {
  return Visit([&](const auto& d) -> std::optional<double> {
    if constexpr (kIsNone<decltype(d)>) {
      return std::nullopt;
    } else {
      return quintaro::GroupScale(d, group);
    }
  });
}

std::string Document::GroupLabel(int group) const {
  return Visit([&](const auto& d) -> std::string {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else {
      return quintaro::GroupLabel(d, group);
    }
  });
}

std::string Document::LayerLabel(int group, int layer) const {
  return Visit([&](const auto& d) -> std::string {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else {
      return quintaro::LayerLabel(d, group, layer);
    }
  });
}

LayerChange Document::Apply(const RelayerPlan& plan, const ApplyOptions& options) {
  LayerChange change;
  WithContainer([&](auto& d) { change = ApplyRules(d, plan, options); });
  return change;
}

LayerChange Document::Apply(LayerChange change) {
  WithContainer([&](auto& d) { ApplyRecord(d, change); });
  return change;
}

SaveResult Document::Save(const std::string& path) {
  SaveResult result;
  VisitMut([&](auto& d) {
    using T = std::decay_t<decltype(d)>;
    if constexpr (kIsNone<T>) {
      result.error = "no drawing is open";
    } else {
      bool done;
      if constexpr (std::is_same_v<T, TJwwData>) {
        d.SetSaveMode(0);
        done = d.SaveToFile(path, d.Header.Version);
        if (done) result.warnings = d.saveWarnings;
      } else if constexpr (std::is_same_v<T, TJwsData>) {
        done = d.SaveToFile(path, d.Version);
      } else {
        done = d.SaveToFile(path);
      }
      if (!done) result.error = d.saveError.empty() ? "the file could not be written" : d.saveError;
      if constexpr (requires { d.SaveRepairs(); }) {
        if (done) result.repairs = d.SaveRepairs();
      }
    }
  });
  return result;
}

RepairLog Document::PlannedRepairs() const {
  return Visit([](const auto& d) -> RepairLog {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else {
      return d.PlannedRepairs();
    }
  });
}

PublishedLayers Document::PublishLayers() const {
  return Visit([](const auto& d) -> PublishedLayers {
    if constexpr (kIsNone<decltype(d)>) {
      return {};
    } else {
      return d.PublishLayers();
    }
  });
}

const TextMacroValues* Document::Macros() const {
  return Visit([](const auto& d) -> const TextMacroValues* {
    if constexpr (kIsNone<decltype(d)>) {
      return nullptr;
    } else {
      return &d.macros;
    }
  });
}

}  // namespace quintaro
