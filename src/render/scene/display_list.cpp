#include "render/scene/display_list.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "render/shapes/primitives.h"

namespace quintaro::render {

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
// How far a marker of a pixel size reaches beyond its box, in pixels.
constexpr double kMarginPixels = 4;
// How far a figure's pixels can lie outside its box: rounding, joins and the
// wide pen of a text too small to show.
constexpr double kEdgePixels = 2;

// The float at or below (above) a double.
float Down(double v) {
  float f = static_cast<float>(v);
  return static_cast<double>(f) <= v ? f : std::nextafter(f, -kInf);
}
float Up(double v) {
  float f = static_cast<float>(v);
  return static_cast<double>(f) >= v ? f : std::nextafter(f, kInf);
}

bool Touches(const FigureBox& a, const FigureBox& b) {
  return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

bool operator==(const EntityCounts& a, const EntityCounts& b) {
  return a.lines == b.lines && a.arcs == b.arcs && a.points == b.points &&
         a.temporaryPoints == b.temporaryPoints && a.texts == b.texts &&
         a.dimensions == b.dimensions && a.solids == b.solids && a.blocks == b.blocks;
}

}  // namespace

FigureBox FigureBox::Around(double minX, double minY, double maxX, double maxY) {
  if (!(std::isfinite(minX) && std::isfinite(minY) && std::isfinite(maxX) && std::isfinite(maxY))) {
    return Everything();
  }
  return {Down(minX), Down(minY), Up(maxX), Up(maxY)};
}

FigureBox FigureBox::Everything() {
  return {-kInf, -kInf, kInf, kInf};
}

// Figures of modest size are filed under the cell of their box's lower
// left corner, each cell's figures in drawing order; larger ones (and those
// that cover everything) are kept apart and always looked at.
class DisplayList::Grid {
 public:
  explicit Grid(const std::vector<Figure>& figures) {
    FigureBox all{kInf, kInf, -kInf, -kInf};
    for (const Figure& f : figures) {
      if (!Bounded(f.box)) continue;
      all = {std::min(all.minX, f.box.minX), std::min(all.minY, f.box.minY),
             std::max(all.maxX, f.box.maxX), std::max(all.maxY, f.box.maxY)};
    }
    const double count = static_cast<double>(figures.size());
    side_ = std::clamp(static_cast<int>(std::sqrt(count / 16)), 1, 1024);
    x0_ = all.minX;
    y0_ = all.minY;
    cellW_ = std::max((static_cast<double>(all.maxX) - x0_) / side_, 1e-9);
    cellH_ = std::max((static_cast<double>(all.maxY) - y0_) / side_, 1e-9);
    all_ = all;
    File(figures);
  }

  // The window holds every figure with a bounded box.
  bool Covers(const FigureBox& window) const {
    return window.minX <= all_.minX && window.minY <= all_.minY && window.maxX >= all_.maxX &&
           window.maxY >= all_.maxY;
  }

  // Sets the bit of every figure that may touch the window.
  void Mark(const FigureBox& window, std::vector<std::uint64_t>& bits) const {
    for (std::uint32_t i : large_) bits[i / 64] |= std::uint64_t{1} << (i % 64);
    // A filed figure reaches at most one cell beyond its own cell.
    const int c0 = Column(window.minX - cellW_), c1 = Column(window.maxX);
    const int r0 = Row(window.minY - cellH_), r1 = Row(window.maxY);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) {
        const std::size_t cell = static_cast<std::size_t>(r) * side_ + c;
        for (std::uint32_t k = start_[cell]; k < start_[cell + 1]; ++k) {
          const std::uint32_t i = filed_[k];
          bits[i / 64] |= std::uint64_t{1} << (i % 64);
        }
      }
    }
  }

 private:
  static bool Bounded(const FigureBox& b) { return std::isfinite(b.minX) && std::isfinite(b.maxX); }
  int Index(double t) const {
    // NaN fails both tests and lands in the first cell.
    return static_cast<int>(std::clamp(std::floor(t), 0.0, side_ - 1.0));
  }
  int Column(double x) const { return Index((x - x0_) / cellW_); }
  int Row(double y) const { return Index((y - y0_) / cellH_); }
  bool Small(const FigureBox& b) const {
    return Bounded(b) && b.maxX - b.minX <= cellW_ && b.maxY - b.minY <= cellH_;
  }
  std::size_t CellOf(const FigureBox& b) const {
    return static_cast<std::size_t>(Row(b.minY)) * side_ + Column(b.minX);
  }

  void File(const std::vector<Figure>& figures) {
    const std::size_t cells = static_cast<std::size_t>(side_) * side_;
    start_.assign(cells + 1, 0);
    for (const Figure& f : figures) {
      if (Small(f.box)) ++start_[CellOf(f.box) + 1];
    }
    for (std::size_t c = 0; c < cells; ++c) start_[c + 1] += start_[c];
    std::vector<std::uint32_t> next(start_.begin(), start_.end() - 1);
    filed_.resize(start_[cells]);
    for (std::uint32_t i = 0; i < figures.size(); ++i) {
      if (Small(figures[i].box)) {
        filed_[next[CellOf(figures[i].box)]++] = i;
      } else {
        large_.push_back(i);
      }
    }
  }

  int side_ = 1;
  double x0_ = 0, y0_ = 0, cellW_ = 1, cellH_ = 1;
  FigureBox all_;
  std::vector<std::uint32_t> start_, filed_, large_;
};

DisplayList::DisplayList() = default;
DisplayList::~DisplayList() = default;
DisplayList::DisplayList(DisplayList&&) noexcept = default;
DisplayList& DisplayList::operator=(DisplayList&&) noexcept = default;

DisplayList DisplayList::Build(const Document& doc) {
  DisplayList list;
  // Texts that a macro replaces are at most this long.
  std::size_t macroBytes = 64;
  if (const TextMacroValues* m = doc.Macros()) {
    macroBytes = std::max({macroBytes, m->fileName.size() + 8,
                           m->memo1.size() + m->memo2.size() + 8, m->drawTime.size() + 8});
  }
  doc.WithContainer([&](const auto& d) {
    AddFigures(list, d, macroBytes);
    list.container_ = &d;
  });
  list.counts_ = doc.Counts();
  list.grid_ = std::make_unique<Grid>(list.figures_);
  return list;
}

bool DisplayList::Matches(const Document& doc) const {
  const void* container = nullptr;
  doc.WithContainer([&](const auto& d) { container = &d; });
  return container == container_ && doc.Counts() == counts_;
}

// Whether the figure can be passed over: it lies wholly outside the window
// (or the area drawn), or it would fall inside the window on one pixel.
bool DisplayList::Skipped(const Figure& f, const ViewTransform& v, const FigureBox& window,
                          float margin) const {
  FigureBox box = f.box;
  if (f.pixelMargin)
    box = {box.minX - margin, box.minY - margin, box.maxX + margin, box.maxY + margin};
  if (!Touches(box, window)) return true;
  if (!f.vanishes) return false;
  if ((OutCode(v, box.minX, box.minY) | OutCode(v, box.maxX, box.maxY)) != 0) return false;
  return ToPixel(v, box.minX, box.minY) == ToPixel(v, box.maxX, box.maxY);
}

template <class Visit>
void DisplayList::ForEachCandidate(const FigureBox& window, Visit visit) const {
  const std::size_t n = figures_.size();
  thread_local std::vector<std::uint64_t> bits;
  bits.assign((n + 63) / 64, 0);
  grid_->Mark(window, bits);
  for (std::size_t w = 0; w < bits.size(); ++w) {
    for (std::uint64_t word = bits[w]; word != 0; word &= word - 1) {
      if (!visit(w * 64 + static_cast<std::size_t>(std::countr_zero(word)))) return;
    }
  }
}

void DisplayList::Draw(DrawContext& dc, Canvas& canvas, const SceneFilter& filter,
                       const PixelArea* area) const {
  dc.drawAborted = true;
  if (source_ != nullptr) {
    dc.groupScales = groupScales_;
    const ViewTransform& v = dc.view;
    // The window in drawing units, or the part of it the area covers.
    double left = v.left, right = v.right, bottom = v.bottom, top = v.top;
    if (area != nullptr) {
      left = v.left + area->left / v.scale;
      right = v.left + area->right / v.scale;
      bottom = v.top - area->bottom / v.scale;
      top = v.top - area->top / v.scale;
    }
    const double pixel = kEdgePixels / v.scale;
    const FigureBox window =
        FigureBox::Around(left - pixel, bottom - pixel, right + pixel, top + pixel);
    const auto margin = static_cast<float>(kMarginPixels / v.scale);
    const FigureBox reach{window.minX - margin, window.minY - margin, window.maxX + margin,
                          window.maxY + margin};
    int drawn = 0;
    bool stopped = false;
    auto visit = [&](std::size_t i) {
      const Figure& f = figures_[i];
      if (Skipped(f, v, window, margin) || !source_->Passes(f, filter, *dc.attr)) return true;
      source_->Draw(dc, canvas, f);
      stopped = drawn++ % 10 == 0 && dc.CheckAbort();
      return !stopped;
    };
    if (grid_->Covers(reach)) {
      for (std::size_t i = 0; i < figures_.size() && visit(i);) ++i;
    } else {
      ForEachCandidate(reach, visit);
    }
    if (stopped || dc.CheckAbort()) return;
  }
  dc.drawAborted = false;
}

}  // namespace quintaro::render
