// The desktop program on the large drawing: from OpenDocument to the first
// snapshot, beside the scene drawing alone at the same size; the
// "LayerGroup" page, beside 16 thumbnail drawings at its cell size; and a
// group move with its undo, beside the plain move.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTabWidget>

#include "app/edit_history.h"
#include "app/main_window.h"
#include "bench_files.h"
#include "document/demo_drawing.h"
#include "formats/extents/extents.h"
#include "layers/move.h"
#include "qt_app.h"
#include "render/qt/qt_canvas.h"
#include "render/scene/main_view.h"
#include "render/scene/scene.h"
#include "silent_dialogs.h"

namespace quintaro::bench {
namespace {

struct Window {
  SilentDialogs dialogs;
  std::unique_ptr<app::MainWindow> form;
  Window() {
    EnsureQtApp();
    app::AppEnvironment env;
    env.dialogs = &dialogs;
    env.programFolder = QString::fromStdString(BenchFolder());
    form = std::make_unique<app::MainWindow>(env);
    form->resize(1200, 900);
    form->show();
    QApplication::processEvents();
  }
};

// The scene alone into an image of the paint area's size.
void DrawSceneAlone(const Document& doc, const DrawingExtents& e, QImage& image) {
  render::GraphicAttributes attr;
  attr.SetBackMode(0);
  attr.BuildPenColors();
  render::ShowAllLayers(attr, doc.PublishLayers(), true);
  render::DrawContext dc(attr);
  render::QtCanvas canvas(&image);
  dc.view = render::FitAllView(e, image.width(), image.height());
  render::ClearWithFrame(canvas, attr);
  render::DrawScene(dc, canvas, doc);
  canvas.End();
}

void BM_SceneAtWindowSize(benchmark::State& state) {
  Window w;
  w.form->OpenDocument(QString::fromStdString(LargeJwwFile()));
  const app::AppState& app = w.form->State();
  QWidget* box = w.form->findChild<QWidget*>("paintBox");
  QImage image(box->width(), box->height(), QImage::Format_RGB32);
  for (auto _ : state) DrawSceneAlone(app.document, app.extents, image);
  state.counters["width"] = box->width();
}

void BM_OpenToSnapshot(benchmark::State& state) {
  Window w;
  QString path = QString::fromStdString(LargeJwwFile());
  for (auto _ : state) {
    w.form->OpenDocument(path);
    QApplication::processEvents();
  }
}

void BM_ThumbnailsAtCellSize(benchmark::State& state) {
  Window w;
  w.form->OpenDocument(QString::fromStdString(LargeJwwFile()));
  const app::AppState& app = w.form->State();
  // The cell size the page lays out (it is laid out when first shown).
  auto* pages = w.form->findChild<QTabWidget*>("pages");
  pages->setCurrentIndex(1);
  QApplication::processEvents();
  const app::ThumbnailCells& cells = w.form->Overview().Cells();
  int cw = cells.width, ch = cells.height - cells.labelHeight;
  std::vector<QImage> images(16, QImage(std::max(cw, 4), std::max(ch, 4), QImage::Format_RGB32));
  render::GraphicAttributes attr;
  attr.SetBackMode(0);
  attr.BuildPenColors();
  render::ShowAllLayers(attr, app.document.PublishLayers(), true);
  for (auto _ : state) {
    for (int g = 0; g < 16; ++g) {
      images[g].fill(Qt::white);
      render::QtCanvas canvas(&images[g]);
      render::DrawContext dc(attr);
      dc.view = render::FitAllView(app.extents, images[g].width(), images[g].height());
      render::DrawThumbnail(dc, canvas, app.document, -1, g);
      canvas.End();
    }
  }
}

void BM_OverviewPage(benchmark::State& state) {
  Window w;
  w.form->OpenDocument(QString::fromStdString(LargeJwwFile()));
  auto* pages = w.form->findChild<QTabWidget*>("pages");
  for (auto _ : state) {
    pages->setCurrentIndex(1);  // draws the 16 thumbnails
    QApplication::processEvents();
    state.PauseTiming();
    pages->setCurrentIndex(0);
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

// A group move and its undo, on the drawing alone: the move as the
// program makes it (with the record of what it changed) and its undo
// beside the plain move.
struct MoveBench {
  Document doc;
  app::EditHistory history{doc, [](const RelayerPlan&) {}};
  MoveBench() {
    EnsureQtApp();
    doc.Open(LargeJwwFile());
  }
  void Move() { history.Apply({{{0, -1}, {5, -1}}}); }
  // The move alone, without the record Document::Apply keeps.
  void Plain(int from, int to) {
    doc.WithContainer([&](auto& d) { MoveLayerGroup(d, from, -1, to, -1); });
  }
};

void BM_GroupMovePlain(benchmark::State& state) {
  MoveBench b;
  for (auto _ : state) {
    b.Plain(0, 5);
    state.PauseTiming();
    b.Plain(5, 0);
    state.ResumeTiming();
  }
}

void BM_GroupMoveRecorded(benchmark::State& state) {
  MoveBench b;
  for (auto _ : state) {
    b.Move();
    state.PauseTiming();
    b.history.Undo();
    state.ResumeTiming();
  }
}

void BM_GroupMoveUndo(benchmark::State& state) {
  MoveBench b;
  for (auto _ : state) {
    state.PauseTiming();
    b.Move();
    state.ResumeTiming();
    b.history.Undo();
  }
}

BENCHMARK(BM_SceneAtWindowSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenToSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThumbnailsAtCellSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverviewPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupMovePlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupMoveRecorded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupMoveUndo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench
