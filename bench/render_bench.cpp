// The scene of a large drawing on a QImage, beside raw QPainter drawLines of
// every straight piece of its figures (and the same pieces through our own
// line rasteriser and through a plain integer line loop); and the 16 group
// thumbnails beside one scene.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLine>
#include <QPainter>
#include <memory>
#include <type_traits>
#include <vector>

#include "document/demo_drawing.h"
#include "formats/extents/extents.h"
#include "qt_app.h"
#include "render/canvas/recording_canvas.h"
#include "render/qt/qt_canvas.h"
#include "render/qt/thin_lines.h"
#include "render/scene/display_list.h"
#include "render/scene/main_view.h"
#include "render/scene/scene_jww.h"

namespace quintaro::bench {
namespace {

constexpr int kWidth = 1600, kHeight = 1200;

struct Scene {
  TJwwData doc = MakeLargeDrawing(1'000'000);
  DrawingExtents extents;
  render::GraphicAttributes attr;
  std::vector<QLine> segments;  // every straight piece the scene draws

  Scene() {
    EnsureQtApp();
    ComputeExtents(doc, extents);
    attr.SetBackMode(0);
    attr.BuildPenColors();
    render::ShowAllLayers(attr, doc.PublishLayers(), true);
    render::RecordingCanvas rec(kWidth, kHeight);
    render::DrawContext dc = Context(kWidth, kHeight);
    dc.omitSinglePixelShapes = false;  // every straight piece of every figure
    render::DrawScene(dc, rec, doc);
    for (const auto& call : rec.Calls()) {
      if (call.kind == render::CallKind::kPolyline || call.kind == render::CallKind::kPolygon) {
        for (std::size_t i = 1; i < call.points.size(); ++i)
          segments.emplace_back(call.points[i - 1].x, call.points[i - 1].y, call.points[i].x,
                                call.points[i].y);
      }
    }
    for (const auto& l : rec.Lines()) segments.emplace_back(l.from.x, l.from.y, l.to.x, l.to.y);
  }

  render::DrawContext Context(int w, int h) {
    render::DrawContext dc(attr);
    dc.view = render::FitAllView(extents, w, h);
    return dc;
  }
};

Scene& TheScene() {
  static Scene s;
  return s;
}

void BM_RawLines(benchmark::State& state) {
  Scene& s = TheScene();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 0));
    p.drawLines(s.segments.data(), static_cast<int>(s.segments.size()));
  }
  state.counters["segments"] = static_cast<double>(s.segments.size());
}

render::PixelTarget PixelsOf(QImage& image) {
  return {reinterpret_cast<std::uint32_t*>(image.bits()),
          image.bytesPerLine() / 4,
          image.width(),
          image.height(),
          0,
          0,
          image.width(),
          image.height()};
}

// The same segments through our own rasteriser of thin lines, each line on
// its own: the painter's pixels, without its cost per call.
void BM_ThinLines(benchmark::State& state) {
  Scene& s = TheScene();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    render::ThinLines lines(PixelsOf(image));
    for (const QLine& l : s.segments) {
      lines.Restart();
      lines.Line({l.x1(), l.y1()}, {l.x2(), l.y2()});
    }
  }
}

// The same segments by a plain integer line loop: a pixel per step along
// the longer axis, nothing else (no clipping, no matching of the painter).
void BM_PlainLineLoop(benchmark::State& state) {
  Scene& s = TheScene();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    const render::PixelTarget t = PixelsOf(image);
    for (const QLine& l : s.segments) {
      const int dx = l.x2() - l.x1(), dy = l.y2() - l.y1();
      const int n = std::max(std::abs(dx), std::abs(dy));
      const std::int64_t sx = n > 0 ? std::int64_t{dx} * 65536 / n : 0;
      const std::int64_t sy = n > 0 ? std::int64_t{dy} * 65536 / n : 0;
      std::int64_t x = std::int64_t{l.x1()} * 65536 + 32768,
                   y = std::int64_t{l.y1()} * 65536 + 32768;
      for (int i = 0; i <= n; ++i, x += sx, y += sy) {
        const int px = static_cast<int>(x >> 16), py = static_cast<int>(y >> 16);
        if (t.InClip(px, py)) t.Row(py)[px] = 0xFF000000u;
      }
    }
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_Scene(benchmark::State& state) {
  Scene& s = TheScene();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    render::QtCanvas canvas(&image);
    render::DrawContext dc = s.Context(kWidth, kHeight);
    render::ClearWithFrame(canvas, s.attr);
    render::DrawScene(dc, canvas, s.doc);
    canvas.End();
  }
}

// The display list of the drawing (its figures in drawing order with their
// boxes, and the grid), as a view makes it once per drawing.
void BM_DisplayListBuild(benchmark::State& state) {
  Scene& s = TheScene();
  Document doc;
  doc.Adopt(std::move(s.doc));
  for (auto _ : state) benchmark::DoNotOptimize(render::DisplayList::Build(doc).Size());
  doc.WithContainer([&](auto& d) {
    if constexpr (std::is_same_v<std::decay_t<decltype(d)>, TJwwData>) s.doc = std::move(d);
  });
}

void BM_Thumbnails16(benchmark::State& state) {
  Scene& s = TheScene();
  const int w = kWidth / 4, h = kHeight / 4 - 16;
  std::vector<QImage> images(16, QImage(w, h, QImage::Format_RGB32));
  for (auto _ : state) {
    for (int g = 0; g < 16; ++g) {
      images[g].fill(Qt::white);
      render::QtCanvas canvas(&images[g]);
      render::DrawContext dc = s.Context(w, h);
      render::DrawThumbnail(dc, canvas, s.doc, -1, g);
      canvas.End();
    }
  }
}

BENCHMARK(BM_RawLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThinLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainLineLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scene)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Thumbnails16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayListBuild)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench
