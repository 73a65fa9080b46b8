// The page "LayerGroup": cells and labels, thumbnails that follow the main
// view, the grey background of empty groups, redraws after a background
// change or a move, the layout kept until the page is turned to again, and
// the Escape key stopping a drawing of the thumbnails.
#include <QTabWidget>
#include <QtTest>

#include "app_window.h"
#include "document/demo_drawing.h"

using namespace quintaro;
using namespace quintaro::app;
using testing::AppWindow;

namespace {

bool Near(double a, double b) {
  return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

QTabWidget* Pages(AppWindow& w) {
  return w.Main().findChild<QTabWidget*>("pages");
}

void TurnTo(AppWindow& w, int page) {
  Pages(w)->setCurrentIndex(page);
}

// How many pixels of a picture differ from `background`.
int Marks(const QImage& picture, QColor background) {
  int n = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) n += picture.pixelColor(x, y) != background;
  }
  return n;
}

}  // namespace

class OverviewTest : public QObject {
  Q_OBJECT

 private slots:
  void CellSizes() {
    ThumbnailCells c = CellsOf(600, 400, 15);
    QCOMPARE(c.width, 150);
    QCOMPARE(c.height, 100);
    QCOMPARE(CellsOf(3, 400, 15).width, 4);  // narrower than 4 pixels
    QCOMPARE(CellsOf(0, 400, 15).width, 4);
    QCOMPARE(CellsOf(600, 40, 15).height, 19);  // label as high as the cell
    QCOMPARE(CellsOf(600, 60, 15).height, 19);  // exactly as high as the label
    QCOMPARE(CellsOf(600, 64, 15).height, 16);  // one pixel more than the label
  }

  void LabelsAndCellsOfAJwwDrawing() {
    AppWindow w;
    TJwwData demo = MakeDemoDrawing();
    demo.LayerGroups[0].Scale = 50;
    demo.LayerGroups[0].Name = EncodedText{"1F"};
    const std::string longName(60, 'W');
    demo.LayerGroups[1].Name = EncodedText{longName};
    std::string path = w.Dir().File("demo.jww");
    QVERIFY(demo.SaveToFile(path, demo.Header.Version));
    w.Main().OpenDocument(QString::fromStdString(path));
    TurnTo(w, 1);
    OverviewPage& o = w.Main().Overview();
    QCOMPARE(o.Label(1)->text(), QStringLiteral("[0] 1/50.000 1F"));
    QVERIFY(o.Label(16)->text().startsWith(QStringLiteral("[F] 1/")));
    // Only what is shown is cut: the tooltip and the layer window's title
    // keep the whole label.
    const QString whole = QStringLiteral("[1] 1/200.000 ") + QString::fromStdString(longName);
    QCOMPARE(o.Label(1)->toolTip(), QString());
    QCOMPARE(o.Label(2)->toolTip(), whole);
    QVERIFY(o.Label(2)->text().endsWith(QChar(0x2026)));
    QVERIFY(o.Label(2)->fontMetrics().horizontalAdvance(o.Label(2)->text()) <= o.Label(2)->width());
    AppWindow::DoubleClick(o.Image(2));
    QCOMPARE(w.Main().FirstLayerWindow().windowTitle(),
             QStringLiteral("Quintaro - LayerGroup:") + whole);
    ThumbnailCells c = o.Cells();
    QWidget* panel = o.Panel();
    QCOMPARE(c.width, panel->width() / 4);
    for (int tag = 1; tag <= 16; ++tag) {
      int i = tag - 1;
      QPoint cell((i % 4) * c.width, (i / 4) * c.height);
      QCOMPARE(o.Label(tag)->geometry(), QRect(cell, QSize(c.width, c.labelHeight)));
      QCOMPARE(o.Image(tag)->geometry(),
               QRect(cell + QPoint(0, c.labelHeight), QSize(c.width, c.height - c.labelHeight)));
      QCOMPARE(o.Image(tag)->Picture().size(), o.Image(tag)->size());
      QCOMPARE(o.Image(tag)->Tag(), tag);
    }
  }

  void SymbolLabelsCarryOnlyTheNumber() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jws/dist_kitchen.jws");
    TurnTo(w, 1);
    QCOMPARE(w.Main().Overview().Label(1)->text(), QStringLiteral("[0] "));
    QCOMPARE(w.Main().Overview().Label(11)->text(), QStringLiteral("[A] "));
  }

  void EachThumbnailShowsItsGroupOnly() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/jdu_sample.jww");  // figures on groups 0 and F only
    TurnTo(w, 1);
    OverviewPage& o = w.Main().Overview();
    QVERIFY(Marks(o.Image(16)->Picture(), Qt::white) > 100);
    QCOMPARE(Marks(o.Image(2)->Picture(), Qt::white), 0);
    // After a move only the two thumbnails concerned are drawn again.
    w.Main().State().document.Apply(RelayerRule{{15, -1}, {1, -1}});
    o.RedrawGroup(15);
    o.RedrawGroup(1);
    QCOMPARE(Marks(o.Image(16)->Picture(), Qt::white), 0);
    QVERIFY(Marks(o.Image(2)->Picture(), Qt::white) > 100);
    QCOMPARE(o.Label(2)->text(), QStringLiteral("[1] ") + o.Label(2)->text().mid(4));
  }

  void EmptyGroupsTurnGreyOnRequest() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/jdu_sample.jww");
    MainWindow& f = w.Main();
    TurnTo(w, 1);
    f.SetBackground(1);
    QCOMPARE(Pages(w)->currentIndex(), 1);  // the page stays
    OverviewPage& o = f.Overview();
    QCOMPARE(o.Image(2)->Picture().pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(f.MainView().Snapshot().pixelColor(2, 2), QColor(Qt::black));
    f.findChild<QAction*>("greyAction")->trigger();
    QVERIFY(f.State().grayEmpty);
    QCOMPARE(Marks(o.Image(2)->Picture(), QColor(0x80, 0x80, 0x80)), 0);
    QCOMPARE(o.Image(1)->Picture().pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(o.Image(16)->Picture().pixelColor(0, 0), QColor(Qt::black));
    // The store is back on the chosen background afterwards.
    QCOMPARE(f.State().attributes.BackColor(), render::Color{0});
    f.findChild<QAction*>("greyAction")->trigger();
    QCOMPARE(o.Image(2)->Picture().pixelColor(0, 0), QColor(Qt::black));
  }

  void ThumbnailsFollowTheMainView() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainWindow& f = w.Main();
    w.WheelAt({30, 30}, -120);
    w.WheelAt({30, 30}, -120);
    TurnTo(w, 1);
    const ViewTransform& main = f.MainView().View();
    const ViewTransform& thumb = f.Overview().ThumbnailView();
    QVERIFY(Near((thumb.left + thumb.right) / 2, (main.left + main.right) / 2));
    QVERIFY(Near((thumb.bottom + thumb.top) / 2, (main.bottom + main.top) / 2));
    ThumbnailCells c = f.Overview().Cells();
    QVERIFY(Near(thumb.scale, FitScale(f.State().extents, c.width, c.height - c.labelHeight) * 4));
  }

  void ResizingKeepsTheLayoutUntilThePageIsShownAgain() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    TurnTo(w, 1);
    OverviewPage& o = w.Main().Overview();
    QRect before = o.Image(6)->geometry();
    w.Main().resize(w.Main().width() + 200, w.Main().height() + 120);
    QCoreApplication::processEvents();
    QCOMPARE(o.Image(6)->geometry(), before);
    TurnTo(w, 0);
    TurnTo(w, 1);
    QVERIFY(o.Image(6)->geometry().width() > before.width());
  }

  void PageTurnedDuringADrawingIsDrawnAfterIt() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainWindow& f = w.Main();
    QVERIFY(f.Overview().Image(1)->Picture().isNull());
    QTimer::singleShot(0, &f, [&w] { TurnTo(w, 1); });
    f.MainView().Draw();
    QCOMPARE(Pages(w)->currentIndex(), 1);
    QVERIFY(!f.Overview().Image(1)->Picture().isNull());
    QVERIFY(f.StatusText().isEmpty());
  }

  void EscapeStopsTheThumbnailsAndKeepsWhatWasDrawn() {
    AppWindow w;
    QVERIFY(!w.OpenLarge().isEmpty());
    MainWindow& f = w.Main();
    OverviewPage& o = f.Overview();
    // Pressed while the first cell is drawn, at its first abort check.
    QTimer::singleShot(0, o.Panel(), [&o] { QTest::keyClick(o.Panel(), Qt::Key_Escape); });
    TurnTo(w, 1);
    QCOMPARE(f.StatusText(), QString::fromUtf8("[ESC]描画中断しました"));
    QVERIFY(!f.State().flags.drawBusy);
    QCOMPARE(o.Image(1)->Picture().size(), o.Image(1)->size());  // begun: kept
    QVERIFY(o.Image(16)->Picture().isNull());                    // never begun
    QVERIFY(o.Label(16)->text().startsWith(QStringLiteral("[F] ")));
    TurnTo(w, 0);
    TurnTo(w, 1);
    QVERIFY(Marks(o.Image(16)->Picture(), Qt::white) > 0);
    QVERIFY(f.StatusText().isEmpty());
  }

  // The arrow keys move the selection among the groups, never past an
  // edge; Enter opens the selected group's layer window.
  void KeyboardSelectsAndOpensAGroup() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/jdu_sample.jww");
    w.Main().show();
    QVERIFY(QTest::qWaitForWindowActive(&w.Main()));
    TurnTo(w, 1);
    OverviewPage& o = w.Main().Overview();
    QVERIFY(o.Image(1)->hasFocus());
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Up, 1},   {Qt::Key_Left, 1}, {Qt::Key_Right, 2}, {Qt::Key_Down, 6},
        {Qt::Key_Left, 5}, {Qt::Key_Down, 9}, {Qt::Key_Right, 10}};
    for (const auto& [key, tag] : steps) {
      QTest::keyClick(QApplication::focusWidget(), key);
      QCOMPARE(static_cast<ThumbnailImage*>(QApplication::focusWidget())->Tag(), tag);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.Main().FirstLayerWindow().ShownGroup(), 9);
  }

  void OpeningShowsThePageAll() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    TurnTo(w, 1);
    w.OpenSample("jws/dist_desk.jws");
    QCOMPARE(Pages(w)->currentIndex(), 0);
  }
};

QTEST_MAIN(OverviewTest)
#include "overview_test.moc"
