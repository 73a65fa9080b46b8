// The main view's arithmetic: the fitted view, the wheel zoom around the
// cursor, pan, zoom to a rectangle, zoom out, the paper range, the
// thumbnails' view and the meaning of a drag.
#include <QtTest>
#include <cmath>

#include "app/view_navigation.h"

using namespace quintaro;
using namespace quintaro::app;

namespace {

constexpr int kW = 400, kH = 300;
const DrawingExtents kExtents{-50, 10, 150, 60};  // 200 x 50 mm, centre (50, 35)

bool Near(double a, double b, double tolerance = 1e-9) {
  return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

DrawPoint Centre(const ViewTransform& v) {
  return {(v.Left + v.Right) / 2, (v.Bottom + v.Top) / 2};
}

}  // namespace

class NavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void FitShowsTheDrawingAtNinetyPercentCentred() {
    ViewState state;
    ViewTransform v = MainViewTransform(kExtents, kW, kH, state);
    // The drawing is wider than the view's shape: its width takes 90 %.
    QVERIFY(Near(200 * v.Scale, 0.9 * kW));
    QVERIFY(50 * v.Scale < 0.9 * kH);
    QVERIFY(Near(Centre(v).x, 50) && Near(Centre(v).y, 35));
    QVERIFY(Near(v.Right - v.Left, kW / v.Scale) && Near(v.Top - v.Bottom, kH / v.Scale));
  }

  void DegenerateExtentsStayFinite() {
    ViewState state;
    ViewTransform point = MainViewTransform({5, 5, 5, 5}, kW, kH, state);
    QVERIFY(std::isfinite(point.Scale) && point.Scale > 0);
    QVERIFY(Near(Centre(point).x, 5, 1e-6) && Near(Centre(point).y, 5, 1e-6));
    ViewTransform line = MainViewTransform({0, 0, 100, 0}, kW, kH, state);
    QVERIFY(Near(100 * line.Scale, 0.9 * kW));
  }

  void ZoomIsClampedByTheRedraw() {
    ViewState state;
    state.ViewZoom = 1e9;
    MainViewTransform(kExtents, kW, kH, state);
    QCOMPARE(state.ViewZoom, kMaxZoom);
    state.ViewZoom = 1e-9;
    MainViewTransform(kExtents, kW, kH, state);
    QCOMPARE(state.ViewZoom, kMinZoom);
    QCOMPARE(ClampZoom(std::nan("")), kMinZoom);
  }

  void WheelDoublesOrHalvesAroundTheCursor() {
    ViewState state;
    ViewTransform v = MainViewTransform(kExtents, kW, kH, state);
    double fit = v.Scale;
    DrawPoint under = PixelToDrawing(v, 100, 70);
    WheelZoom(v, state, kExtents, 100, 70, 2.0);
    QVERIFY(Near(v.Scale, 2 * fit));
    QCOMPARE(state.ViewZoom, 2.0);
    DrawPoint after = PixelToDrawing(v, 100, 70);
    QVERIFY(Near(after.x, under.x) && Near(after.y, under.y));
    // The zoom and offsets describe the same view for the next redraw.
    ViewTransform again = MainViewTransform(kExtents, kW, kH, state);
    QVERIFY(Near(again.Left, v.Left) && Near(again.Bottom, v.Bottom));
    WheelZoom(v, state, kExtents, 300, 20, 0.5);
    QVERIFY(Near(v.Scale, fit));
    QCOMPARE(state.ViewZoom, 1.0);
  }

  void PanMakesTheReleasePointTheCentre() {
    ViewState state;
    ViewTransform v = MainViewTransform(kExtents, kW, kH, state);
    DrawPoint r = PixelToDrawing(v, 350, 40);
    PanTo(v, state, r);
    ViewTransform moved = MainViewTransform(kExtents, kW, kH, state);
    QVERIFY(Near(Centre(moved).x, r.x) && Near(Centre(moved).y, r.y));
    QVERIFY(Near(moved.Scale, v.Scale));
  }

  void ZoomToTenByTenMillimetres() {
    ViewState state;
    ViewTransform v = MainViewTransform(kExtents, kW, kH, state);
    DrawPoint s{10, 40}, r{20, 30};
    ZoomToRect(v, state, kExtents, kW, kH, r, s);
    ViewTransform z = MainViewTransform(kExtents, kW, kH, state);
    // The tighter direction (height) fills exactly, without the 0.9 margin.
    QVERIFY(Near(z.Scale, kH / 10.0));
    QVERIFY(Near(z.Top - z.Bottom, 10));
    QVERIFY(Near(Centre(z).x, 15) && Near(Centre(z).y, 35));
    // A rectangle thinner than 0.001 mm counts as 0.001 mm; the redraw
    // then holds the zoom at its limit.
    ViewState fresh;
    ZoomToRect(v, fresh, kExtents, kW, kH, {5, 5}, {5, 5});
    QVERIFY(Near(fresh.ViewZoom * v.Scale, kH / 0.001));
    QVERIFY(Near(MainViewTransform(kExtents, kW, kH, fresh).Scale, v.Scale * kMaxZoom));
  }

  void ZoomOutHalvesAroundTheBandCentre() {
    ViewState state;
    state.ViewZoom = 4;
    ViewTransform v = MainViewTransform(kExtents, kW, kH, state);
    ZoomOut(v, state, kExtents, kW, kH, {0, 20}, {40, 50});
    ViewTransform out = MainViewTransform(kExtents, kW, kH, state);
    QVERIFY(Near(out.Scale, v.Scale / 2));
    QCOMPARE(state.ViewZoom, 2.0);
    QVERIFY(Near(Centre(out).x, 20) && Near(Centre(out).y, 35));
  }

  void PaperRangeOfAnA3SheetWithMargin() {
    PaperSize a3 = PaperOfCode(3);
    QCOMPARE(a3.width, 420.0);
    QCOMPARE(a3.height, 297.0);
    ViewState state;
    ViewTransform v = MainViewTransform(kExtents, kW, kH, state);
    ShowRange(v, state, kExtents, kW, kH, {-210, -148.5}, {210, 148.5});
    ViewTransform p = MainViewTransform(kExtents, kW, kH, state);
    QVERIFY(Near(Centre(p).x, 0) && Near(Centre(p).y, 0));
    // 420 x 1.05 across 400 pixels is tighter than 297 x 1.05 across 300.
    QVERIFY(Near(p.Right - p.Left, 420 * 1.05));
    QVERIFY(p.Top - p.Bottom >= 297 * 1.05);
  }

  void PaperTable() {
    QCOMPARE(PaperOfCode(0).width, 1189.0);
    QCOMPARE(PaperOfCode(4).height, 210.0);
    QCOMPARE(PaperOfCode(8).width, 1682.0);
    QCOMPARE(PaperOfCode(12).height, 7073.0);
    QCOMPARE(PaperOfCode(14).width, 100000.0);
    for (int other : {5, 6, 7, 15, -1}) {
      QCOMPARE(PaperOfCode(other).width, 1189.0);
      QCOMPARE(PaperOfCode(other).height, 841.0);
    }
  }

  void ThumbnailsFollowZoomAndPan() {
    ViewState state;
    state.ViewZoom = 3;
    state.ViewOffsetX = -40;
    state.ViewOffsetY = 12;
    ViewTransform main = MainViewTransform(kExtents, kW, kH, state);
    ViewTransform thumb = ThumbnailTransform(kExtents, 100, 60, state);
    QVERIFY(Near(Centre(thumb).x, Centre(main).x) && Near(Centre(thumb).y, Centre(main).y));
    QVERIFY(Near(thumb.Scale, FitScale(kExtents, 100, 60) * 3));
    QCOMPARE(thumb.Width, 100);
    QCOMPARE(thumb.Height, 60);
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
