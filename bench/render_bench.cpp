// The scene of a large drawing on a QImage, beside raw QPainter drawLines of
// the same segments; and the 16 group thumbnails beside one scene.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLine>
#include <QPainter>
#include <memory>
#include <vector>

#include "document/demo_drawing.h"
#include "formats/extents/extents.h"
#include "qt_app.h"
#include "render/canvas/recording_canvas.h"
#include "render/qt/qt_canvas.h"
#include "render/scene/main_view.h"
#include "render/scene/scene_jww.h"

namespace quintaro::bench {
namespace {

constexpr int kWidth = 1600, kHeight = 1200;

struct Scene {
  TJwwData doc = MakeLargeDrawing(1'000'000);
  DrawingExtents extents;
  render::TgraAttribute attr;
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
BENCHMARK(BM_Scene)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Thumbnails16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench
