// The figures of an open drawing in the order the scene draws them, built
// once per drawing, each with a box that holds everything it can draw. A
// view then visits only the figures whose boxes touch it (a grid finds
// them), and leaves out curves and solids that would fall on a single
// pixel. Each figure is drawn by the same code as the record walk of
// scene.h, so the picture is the same; the layers of a figure are read
// from its record when it is drawn, so moves between layers need no new
// list.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/document.h"
#include "formats/jww/jww_types.h"
#include "render/canvas/canvas.h"
#include "render/canvas/draw_context.h"
#include "render/scene/scene_filter.h"

namespace quintaro::render {

// Drawing units, rounded outwards to floats; a box of a figure whose
// numbers are not finite covers everything.
struct FigureBox {
  float minX = 0, minY = 0, maxX = 0, maxY = 0;

  static FigureBox Around(double minX, double minY, double maxX, double maxY);
  static FigureBox Everything();
};

enum class FigureKind : std::uint8_t {
  kImage,
  kSolid,
  kLine,
  kArc,
  kPoint,
  kText,
  kDimension,
  kDosLine,
  kDosArc,
  kDosText,
  kDosPoint,
  kDosSlot,
};

struct Figure {
  FigureBox box;
  const void* record = nullptr;
  std::int32_t entry = -1;  // the block tree entry placing it, or -1
  FigureKind kind = FigureKind::kLine;
  // The box grows by a few pixels at any scale (markers of a pixel size).
  bool pixelMargin = false;
  // Draws nothing when its box lies inside the window on one pixel.
  bool vanishes = false;
};

// The record side of a display list: which figures a filter shows and how
// one is drawn.
class FigureSource {
 public:
  virtual ~FigureSource() = default;
  virtual bool Passes(const Figure& f, const SceneFilter& filter,
                      const GraphicAttributes& attr) const = 0;
  virtual void Draw(DrawContext& dc, Canvas& canvas, const Figure& f) const = 0;
};

// A rectangle of pixels, right and bottom exclusive.
struct PixelArea {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class DisplayList {
 public:
  DisplayList();
  ~DisplayList();
  DisplayList(DisplayList&&) noexcept;
  DisplayList& operator=(DisplayList&&) noexcept;

  // The figures of the drawing open in `doc` (none when nothing is open).
  static DisplayList Build(const Document& doc);
  // Built from this drawing, and no figure added or taken away since.
  bool Matches(const Document& doc) const;
  std::size_t Size() const { return figures_.size(); }

  // Draws as DrawScene (main view filter) or DrawThumbnail does: the same
  // pixels, with an abort check after every tenth figure drawn. With
  // `area`, only figures that can touch those pixels are visited (the
  // canvas must clip to them). dc.drawAborted tells whether it stopped.
  void Draw(DrawContext& dc, Canvas& canvas, const SceneFilter& filter,
            const PixelArea* area = nullptr) const;

  // For the builders.
  void Reserve(std::size_t n) { figures_.reserve(n); }
  void Add(const Figure& f) { figures_.push_back(f); }
  void SetSource(std::unique_ptr<FigureSource> source) { source_ = std::move(source); }
  void SetGroupScales(const std::array<double, 16>& scales) { groupScales_ = scales; }

 private:
  class Grid;

  template <class Visit>
  void ForEachCandidate(const FigureBox& window, Visit visit) const;
  bool Skipped(const Figure& f, const ViewTransform& v, const FigureBox& window,
               float margin) const;

  std::vector<Figure> figures_;
  std::unique_ptr<FigureSource> source_;
  std::unique_ptr<Grid> grid_;
  std::array<double, 16> groupScales_{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const void* container_ = nullptr;
  EntityCounts counts_{};
};

// The figures of one container, in drawing order, added to `list`.
void AddFigures(DisplayList& list, const TJwwData& d, std::size_t macroBytes);
void AddFigures(DisplayList& list, const TJwsData& d, std::size_t macroBytes);
void AddFigures(DisplayList& list, const TJwcData& d, std::size_t macroBytes);
void AddFigures(DisplayList& list, const TJwkData& d, std::size_t macroBytes);

}  // namespace quintaro::render
