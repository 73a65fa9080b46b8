// The main view of the desktop program on the large drawing, at a 1200x900
// window: the complete picture drawn again, a pan by 100 pixels (a
// two-button drag of a few pixels' height) and a wheel step in or out, each
// to its complete picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include "app/main_window.h"
#include "bench_files.h"
#include "document/demo_drawing.h"
#include "qt_app.h"
#include "silent_dialogs.h"

namespace quintaro::bench {
namespace {

struct LargeView {
  SilentDialogs dialogs;
  std::unique_ptr<app::MainWindow> form;
  QWidget* box = nullptr;

  LargeView() {
    EnsureQtApp();
    const std::string& file = LargeJwwFile();
    app::AppEnvironment env;
    env.dialogs = &dialogs;
    env.programFolder = QString::fromStdString(BenchFolder());
    form = std::make_unique<app::MainWindow>(env);
    form->resize(1200, 900);
    form->show();
    QApplication::processEvents();
    form->OpenDocument(QString::fromStdString(file));
    QApplication::processEvents();
    box = form->findChild<QWidget*>("paintBox");
  }
  app::MainViewPage& Page() { return form->MainView(); }
  QPoint Centre() const { return {box->width() / 2, box->height() / 2}; }

  // Both buttons pressed at `from`, released at `to`.
  void Drag(QPoint from, QPoint to) {
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(from), QPointF(box->mapToGlobal(from)),
                      Qt::RightButton, both, Qt::NoModifier);
    Page().MousePress(&press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(to), QPointF(box->mapToGlobal(to)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    Page().MouseRelease(&release);
  }
};

void BM_MainViewRedraw(benchmark::State& state) {
  LargeView v;
  for (auto _ : state) v.Page().Draw();
}

// Right and back left by 100 pixels in turn.
void BM_Pan(benchmark::State& state) {
  LargeView v;
  int way = 1;
  for (auto _ : state) {
    v.Drag(v.Centre(), v.Centre() + QPoint(way * 100, 0));
    way = -way;
  }
}

// One notch in and one out in turn, around the centre.
void BM_ZoomStep(benchmark::State& state) {
  LargeView v;
  int way = -120;
  for (auto _ : state) {
    v.Page().WheelTurn(way, QPointF(v.box->mapToGlobal(v.Centre())));
    way = -way;
  }
}

BENCHMARK(BM_MainViewRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro::bench
