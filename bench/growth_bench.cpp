// How load, a group move and the scene grow with the drawing: the same mix
// of figures at 10,000, 100,000 and 1,000,000, each size beside its own
// baselines (reading the file into memory, one plain pass over the records).
// Every run reports its time per figure: growth is linear when that stays
// flat across sizes, or moves with the baseline's (the processor cache).
#include <benchmark/benchmark.h>

#include <QImage>
#include <map>
#include <memory>
#include <string>

#include "bench_files.h"
#include "document/demo_drawing.h"
#include "formats/extents/extents.h"
#include "layers/move.h"
#include "plain_pass.h"
#include "qt_app.h"
#include "render/qt/qt_canvas.h"
#include "render/scene/main_view.h"
#include "render/scene/scene_jww.h"

namespace quintaro::bench {
namespace {

constexpr int kWidth = 1600, kHeight = 1200;

// One generated drawing per size, kept for the whole run, with its file.
struct Sized {
  TJwwData doc;
  std::string path;
  DrawingExtents extents;
  render::GraphicAttributes attr;
};

Sized& DrawingOf(std::size_t figures) {
  static std::map<std::size_t, std::unique_ptr<Sized>> made;
  auto& slot = made[figures];
  if (!slot) {
    slot = std::make_unique<Sized>();
    slot->doc = MakeLargeDrawing(figures);
    slot->path = GeneratedFile(
        "growth-" + std::to_string(figures) + ".jww",
        [&](const std::string& p) { slot->doc.SaveToFile(p, slot->doc.Header.Version); });
    ComputeExtents(slot->doc, slot->extents);
    slot->attr.SetBackMode(0);
    slot->attr.BuildPenColors();
    render::ShowAllLayers(slot->attr, slot->doc.PublishLayers(), true);
  }
  return *slot;
}

void PerFigure(benchmark::State& state, const TJwwData& doc) {
  state.counters["figures"] = static_cast<double>(doc.TotalCount());
  // Figures per second, inverted: the time per figure (shown as e.g. "21.5ns").
  state.counters["time_per_figure"] = benchmark::Counter(
      static_cast<double>(doc.TotalCount()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_GrowthRawRead(benchmark::State& state) {
  Sized& s = DrawingOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ReadWhole(s.path));
  PerFigure(state, s.doc);
}

void BM_GrowthPlainPass(benchmark::State& state) {
  Sized& s = DrawingOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(PlainPass(s.doc));
  PerFigure(state, s.doc);
}

void BM_GrowthLoad(benchmark::State& state) {
  Sized& s = DrawingOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    TJwwData d;
    if (!d.LoadFromFile(s.path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(d);
  }
  PerFigure(state, s.doc);
}

void BM_GrowthMove(benchmark::State& state) {
  Sized& s = DrawingOf(static_cast<std::size_t>(state.range(0)));
  bool back = false;
  for (auto _ : state) {
    // Alternate so every run moves the same figures.
    if (back) {
      MoveLayerGroup(s.doc, 4, -1, 3, -1);
    } else {
      MoveLayerGroup(s.doc, 3, -1, 4, -1);
    }
    back = !back;
  }
  if (back) MoveLayerGroup(s.doc, 4, -1, 3, -1);
  PerFigure(state, s.doc);
}

void BM_GrowthScene(benchmark::State& state) {
  EnsureQtApp();
  Sized& s = DrawingOf(static_cast<std::size_t>(state.range(0)));
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    render::QtCanvas canvas(&image);
    render::DrawContext dc(s.attr);
    dc.view = render::FitAllView(s.extents, kWidth, kHeight);
    render::ClearWithFrame(canvas, s.attr);
    render::DrawScene(dc, canvas, s.doc);
    canvas.End();
  }
  PerFigure(state, s.doc);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_GrowthRawRead)->Apply(Sizes);
BENCHMARK(BM_GrowthLoad)->Apply(Sizes);
BENCHMARK(BM_GrowthPlainPass)->Apply(Sizes);
BENCHMARK(BM_GrowthMove)->Apply(Sizes);
BENCHMARK(BM_GrowthScene)->Apply(Sizes);

}  // namespace
}  // namespace quintaro::bench
