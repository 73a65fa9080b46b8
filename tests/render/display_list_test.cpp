// The display list draws what the record walk draws: the same canvas calls
// in the same order, at views that show the whole drawing (where most small
// figures fall on one pixel) and views that show a part (where most
// figures are passed over), for the main view and for thumbnails.
#include <gtest/gtest.h>

#include <functional>

#include "document/demo_drawing.h"
#include "document/document.h"
#include "render/scene/display_list.h"
#include "render/scene/main_view.h"
#include "render/scene/scene.h"
#include "render_fixture.h"
#include "support/temp_dir.h"

namespace quintaro::render {
namespace {

// A drawing call as it shows: a clear brush has no colour.
struct Shown {
  CallKind kind;
  std::vector<PixelPoint> points;
  Pen pen;
  Brush brush;
  FontSpec font;
  Color textColor;
  std::string text;
  friend bool operator==(const Shown&, const Shown&) = default;
};

std::vector<Shown> Shows(const RecordingCanvas& canvas) {
  std::vector<Shown> out;
  for (const RecordedCall& c : canvas.Drawings()) {
    Brush b = c.brush;
    if (b.style == BrushStyle::kClear) b.color = 0;
    out.push_back({c.kind, c.points, c.pen, b, c.font, c.textColor, c.text});
  }
  return out;
}

struct Case {
  const char* name;
  std::function<void(Document&)> open;
  double zoom;     // times the fit-all scale
  double cx, cy;   // centre of the view, as fractions of the extents
  int group = -1;  // a thumbnail of this group
  int layer = -1;
};

void Sample(Document& doc, const char* path) {
  ASSERT_NE(doc.Open(quintaro::test::SamplePath(path)), OpenResult::kUnreadable) << path;
}

TEST(DisplayListTest, DrawsWhatTheRecordWalkDraws) {
  QUINTARO_NEEDS_SAMPLES();
  const Case cases[] = {
      {"house, whole", [](Document& d) { Sample(d, "jww/dist_amansion_heimen.jww"); }, 1, .5, .5},
      {"house, a corner", [](Document& d) { Sample(d, "jww/dist_amansion_heimen.jww"); }, 6, .2,
       .7},
      {"texts, a part", [](Document& d) { Sample(d, "jww/jdu_sample.jww"); }, 5, .5, .9},
      {"blocks, group 0", [](Document& d) { Sample(d, "jww/ezj_2blocks.jww"); }, 1, .5, .5, 0},
      {"blocks, a part", [](Document& d) { Sample(d, "jww/ezj_copy_block.jww"); }, 3, .5, .97},
      {"symbol, a part", [](Document& d) { Sample(d, "jws/dist_kitchen.jws"); }, 4, .5, .6},
      {"dos symbol", [](Document& d) { Sample(d, "jwk/dist_desk.jwk"); }, 2, .4, .5},
      {"many small, whole", [](Document& d) { d.Adopt(MakeLargeDrawing(4000)); }, 1, .5, .5},
      {"many small, a part", [](Document& d) { d.Adopt(MakeLargeDrawing(4000)); }, 5, .5, .6},
      {"many small, layer 2-3", [](Document& d) { d.Adopt(MakeLargeDrawing(4000)); }, 2, .5, .5, 2,
       3},
      {"dos drawing, a part", [](Document& d) { d.Adopt(MakeLargeJwc(4000)); }, 4, .5, .5},
  };
  for (const Case& c : cases) {
    Document doc;
    c.open(doc);
    const DrawingExtents e = doc.Extents();
    auto draw = [&](const std::function<void(DrawContext&, Canvas&)>& how) {
      test::Drawing d;
      d.canvas = RecordingCanvas(800, 600);
      ShowAllLayers(d.attr, doc.PublishLayers(), doc.HasNames());
      d.dc.clock = [] { return DateTime{2024, 5, 6, 7, 8, 9}; };
      const double scale = FitAllScale(e, 800, 600) * c.zoom;
      const double x = e.minX + c.cx * (e.maxX - e.minX), y = e.minY + c.cy * (e.maxY - e.minY);
      d.dc.view.Set(x - 400 / scale, y - 300 / scale, scale, 800, 600);
      how(d.dc, d.canvas);
      return Shows(d.canvas);
    };
    const SceneFilter filter =
        c.group < 0 ? SceneFilter::MainView() : SceneFilter::Thumbnail(c.layer, c.group);
    const DisplayList list = DisplayList::Build(doc);
    const auto walked = draw([&](DrawContext& dc, Canvas& canvas) {
      if (c.group < 0) return DrawScene(dc, canvas, doc);
      DrawThumbnail(dc, canvas, doc, c.layer, c.group);
    });
    EXPECT_FALSE(walked.empty()) << c.name;

    EXPECT_EQ(draw([&](DrawContext& dc, Canvas& canvas) { list.Draw(dc, canvas, filter); }), walked)
        << c.name;
  }
}

}  // namespace
}  // namespace quintaro::render
