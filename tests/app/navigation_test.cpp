// The main view's arithmetic at its limits (the window tests check the
// navigation itself): degenerate extents, zoom limits, thin rectangles,
// the paper table and the meaning of a drag.
#include <QtTest>
#include <cmath>

#include "app/view_navigation.h"
#include "document/format_facts.h"

using namespace quintaro;
using namespace quintaro::app;

namespace {

constexpr int kW = 400, kH = 300;
const DrawingExtents kExtents{-50, 10, 150, 60};  // 200 x 50 mm, centre (50, 35)

bool Near(double a, double b, double tolerance = 1e-9) {
  return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

DrawPoint Centre(const ViewTransform& v) {
  return {(v.left + v.right) / 2, (v.bottom + v.top) / 2};
}

}  // namespace

class NavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void DegenerateExtentsStayFinite() {
    ViewState state;
    ViewTransform point = MainViewTransform({5, 5, 5, 5}, kW, kH, state);
    QVERIFY(std::isfinite(point.scale) && point.scale > 0);
    QVERIFY(Near(Centre(point).x, 5, 1e-6) && Near(Centre(point).y, 5, 1e-6));
    ViewTransform line = MainViewTransform({0, 0, 100, 0}, kW, kH, state);
    QVERIFY(Near(100 * line.scale, 0.9 * kW));
  }

  void ZoomIsClampedByTheRedraw() {
    ViewState state;
    state.zoom = 1e9;
    MainViewTransform(kExtents, kW, kH, state);
    QCOMPARE(state.zoom, kMaxZoom);
    state.zoom = 1e-9;
    MainViewTransform(kExtents, kW, kH, state);
    QCOMPARE(state.zoom, kMinZoom);
    QCOMPARE(ClampZoom(std::nan("")), kMinZoom);
  }

  void ThinRectangleCountsAsOneThousandthMillimetre() {
    ViewState state;
    ViewTransform v = MainViewTransform(kExtents, kW, kH, state);
    ZoomToRect(v, state, kExtents, kW, kH, {5, 5}, {5, 5});
    QVERIFY(Near(state.zoom * v.scale, kH / 0.001));
    // The redraw then holds the zoom at its limit.
    QVERIFY(Near(MainViewTransform(kExtents, kW, kH, state).scale, v.scale * kMaxZoom));
    QVERIFY(Near(FitScale({0, 0, 0, 0}, kW, kH), kH / 1e-14 * 0.9));
  }
  void PaperTable() {
    QCOMPARE(quintaro::PaperDimensionsOfCode(0).width, 1189.0);
    QCOMPARE(quintaro::PaperDimensionsOfCode(4).height, 210.0);
    QCOMPARE(quintaro::PaperDimensionsOfCode(8).width, 1682.0);
    QCOMPARE(quintaro::PaperDimensionsOfCode(12).height, 7073.0);
    QCOMPARE(quintaro::PaperDimensionsOfCode(14).width, 100000.0);
    for (int other : {5, 6, 7, 15, -1}) {
      QCOMPARE(quintaro::PaperDimensionsOfCode(other).width, 1189.0);
      QCOMPARE(quintaro::PaperDimensionsOfCode(other).height, 841.0);
    }
  }

  void BandAndReleaseMeanings() {
    QCOMPARE(ClassifyBand(100, 100, 300, 103), DragAction::kPan);  // 3 px high
    QCOMPARE(ClassifyBand(100, 100, 105, 300), DragAction::kPan);
    QCOMPARE(ClassifyBand(100, 100, 150, 150), DragAction::kZoomIn);
    QCOMPARE(ClassifyBand(100, 100, 50, 50), DragAction::kZoomOut);
    QCOMPARE(ClassifyBand(100, 100, 50, 150), DragAction::kPaperRange);
    QCOMPARE(ClassifyBand(100, 100, 150, 50), DragAction::kFitAll);
    QCOMPARE(QString::fromUtf8(DragStatusText(DragAction::kPan)), QStringLiteral("[画面移動]"));
    QCOMPARE(QString::fromUtf8(DragStatusText(DragAction::kZoomIn)), QStringLiteral("[画面拡大]"));
    QCOMPARE(QString::fromUtf8(DragStatusText(DragAction::kZoomOut)), QStringLiteral("[画面縮小]"));
    QCOMPARE(QString::fromUtf8(DragStatusText(DragAction::kPaperRange)),
             QStringLiteral("[用紙範囲表示]"));
    QCOMPARE(QString::fromUtf8(DragStatusText(DragAction::kFitAll)), QStringLiteral("[全体表示]"));
    ViewTransform v;
    v.Set(0, 0, 2.0, kW, kH);  // 5 pixels are 2.5 mm
    QCOMPARE(ClassifyRelease(v, {10, 10}, {12.5, 30}), DragAction::kPan);
    QCOMPARE(ClassifyRelease(v, {20, 10}, {10, 30}), DragAction::kZoomIn);  // right, below
    QCOMPARE(ClassifyRelease(v, {0, 40}, {10, 30}), DragAction::kZoomOut);
    QCOMPARE(ClassifyRelease(v, {0, 10}, {10, 30}), DragAction::kPaperRange);
    QCOMPARE(ClassifyRelease(v, {20, 40}, {10, 30}), DragAction::kFitAll);
  }
};

QTEST_GUILESS_MAIN(NavigationTest)
#include "navigation_test.moc"
