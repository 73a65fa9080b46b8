// Thin solid lines, outlines and solid fills written straight into a 32-bit
// image set the pixels the painter sets for the same calls (the painter
// alone draws on an image format the raster paths leave alone); and a
// drawing clipped to parts of the picture sets there the pixels of the
// whole.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <random>

#include "document/demo_drawing.h"
#include "render/qt/qt_canvas.h"
#include "render/scene/display_list.h"
#include "render/scene/main_view.h"
#include "support/temp_dir.h"

namespace quintaro::render {
namespace {

constexpr int kW = 61, kH = 47;
constexpr Pen kThin{RgbColor(0, 0, 0), 0, PenStyle::kSolid, PenMode::kCopy};

QImage DrawnOn(QImage::Format format, const std::function<void(Canvas&)>& draw) {
  QImage image(kW, kH, format);
  image.fill(Qt::white);
  {
    QtCanvas canvas(&image);
    canvas.SetPen(kThin);
    canvas.SetBrushStyle(BrushStyle::kClear);
    draw(canvas);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

void Lines(Canvas& c, std::initializer_list<PixelPoint> ends) {
  for (auto p = ends.begin(); p != ends.end(); p += 2) {
    c.MoveTo(p->x, p->y);
    c.LineTo(p[1].x, p[1].y);
  }
}

TEST(RasterPathTest, SetsThePaintersPixels) {
  std::mt19937 rng(7);
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<PixelPoint> circle, walk;
  for (int k = 0; k < 72; ++k) {
    circle.push_back({30 + static_cast<int>(std::lround(3 * std::cos(k * M_PI / 36))),
                      20 + static_cast<int>(std::lround(3 * std::sin(k * M_PI / 36)))});
  }
  for (int k = 0, x = 20, y = 20; k < 400; ++k) walk.push_back({x += any(-2, 2), y += any(-2, 2)});
  const std::vector<PixelPoint> star = {{5, 40}, {30, 2}, {55, 40}, {2, 15}, {58, 15}};
  const std::vector<PixelPoint> across = {{-20, -5}, {70, 10}, {40, 60}};
  const std::pair<const char*, std::function<void(Canvas&)>> cases[] = {
      {"lines turning back in one batch",
       [](Canvas& c) {
         Lines(c, {{5, 5}, {25, 9}, {25, 9}, {5, 5}, {9, 30}, {9, 3}, {9, 3}, {9, 3}});
       }},
      {"lines far outside",
       [](Canvas& c) {
         Lines(c, {{-900, 3}, {900, 40}, {30, -5000}, {31, 5000}});
       }},
      {"a small circle", [&](Canvas& c) { c.Polyline(circle); }},
      {"a closed walk",
       [&](Canvas& c) {
         std::vector<PixelPoint> closed(walk.begin(), walk.begin() + 40);
         closed.push_back(closed.front());
         c.Polyline(closed);
       }},
      {"a long walk leaving the image", [&](Canvas& c) { c.Polyline(walk); }},
      {"an outlined star", [&](Canvas& c) { c.Polygon(star); }},
      {"dotted and dashed",
       [&](Canvas& c) {
         c.SetPen({0, 0, PenStyle::kDot, PenMode::kCopy});
         Lines(c, {{3, 44}, {58, 30}, {50, 2}, {12, 40}});
         c.Polyline(walk);
         c.SetPen({0, 0, PenStyle::kDashDotDot, PenMode::kCopy});
         c.Polygon(star);
       }},
      {"a filled star",
       [&](Canvas& c) {
         c.SetBrush({RgbColor(200, 0, 0), BrushStyle::kSolid});
         c.Polygon(star);
       }},
      {"a filled circle",
       [&](Canvas& c) {
         c.SetBrush({RgbColor(0, 0, 200), BrushStyle::kSolid});
         c.Polygon(circle);
       }},
      {"a fill across the edge",
       [&](Canvas& c) {
         c.SetBrush({RgbColor(0, 150, 0), BrushStyle::kSolid});
         c.Polygon(across);
       }},
  };
  for (const auto& [name, draw] : cases) {
    EXPECT_EQ(DrawnOn(QImage::Format_RGB32, draw), DrawnOn(QImage::Format_ARGB32, draw)) << name;
  }
}

TEST(RasterPathTest, APictureDrawnInPartsIsThePictureDrawnWhole) {
  QUINTARO_NEEDS_SAMPLES();
  Document large, house;
  large.Adopt(MakeLargeDrawing(20000));
  ASSERT_EQ(house.Open(test::SamplePath("jww/dist_amansion_heimen.jww")), OpenResult::kOpened);
  for (Document* doc : {&large, &house}) {
    const DisplayList list = DisplayList::Build(*doc);
    GraphicAttributes attr;
    ShowAllLayers(attr, doc->PublishLayers(), true);
    ViewTransform view = FitAllView(doc->Extents(), 300, 200);
    if (doc == &large) view.Set(0, 0, 0.5, 300, 200);  // figures of a few pixels
    auto draw = [&](const std::vector<QRect>& parts) {
      QImage image(300, 200, QImage::Format_RGB32);
      image.fill(Qt::white);
      QtCanvas canvas(&image);
      DrawContext dc(attr);
      dc.view = view;
      for (const QRect& r : parts) {
        canvas.ClipTo(r);
        const PixelArea area{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        list.Draw(dc, canvas, SceneFilter::MainView(), &area);
      }
      canvas.End();
      return image;
    };
    const QImage whole = draw({QRect(0, 0, 300, 200)});
    int ink = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) ink += whole.pixel(x, y) != 0xFFFFFFFFu;
    EXPECT_GT(ink, 3000);
    EXPECT_EQ(draw({QRect(0, 0, 300, 70), QRect(0, 70, 117, 130), QRect(117, 70, 183, 130)}),
              whole);
  }
}

}  // namespace
}  // namespace quintaro::render
