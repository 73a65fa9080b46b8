// The main window and its page "ALL", driven by real events: the designed
// window, the fitted drawing with its frame, wheel zoom, the two-button
// drag with its status texts and band, the background menu, the abort of
// a drawing, closing and the settings of a run.
#include <QMenuBar>
#include <QPainter>
#include <QTabWidget>
#include <QtTest>
#include <cmath>

#include "app/ui_texts.h"
#include "app_window.h"
#include "document/demo_drawing.h"
#include "support/containers.h"
#include "utf8_text.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::app::testing::Q;
using testing::AppWindow;

namespace {

bool Near(double a, double b, double tolerance = 1e-9) {
  return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

DrawPoint Centre(const ViewTransform& v) {
  return {(v.left + v.right) / 2, (v.bottom + v.top) / 2};
}

QAction* Action(MainWindow& form, const char* name) {
  return form.findChild<QAction*>(name);
}

// Pixel of a drawing point in a view (unrounded).
QPointF PixelOf(const ViewTransform& v, DrawPoint p) {
  return {(p.x - v.left) * v.scale, (v.top - p.y) * v.scale};
}

}  // namespace

class MainViewTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowAsDesigned() {
    AppWindow w;
    MainWindow& f = w.Main();
    QCOMPARE(f.windowTitle(), QStringLiteral("Quintaro Ver.1.05"));
    QCOMPARE(f.size(), QSize(555, 423));
    QStringList menus;
    for (QAction* a : f.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus,
             (QStringList{Q("ファイル(&F)"), Q("編集(&E)"), Q("設定(&S)"), Q("ヘルプ(&H)")}));
    const std::pair<const char*, const char*> items[] = {
        {"openAction", "開く(&O)..."},
        {"saveAsAction", "名前を付けて保存(&A)..."},
        {"saveMovesAction", "移動の記録を保存(&K)…"},
        {"applyMappingAction", "マッピングを適用(&P)…"},
        {"closeAction", "閉じる(&X)"},
        {"undoAction", "元に戻す(&U)"},
        {"redoAction", "やり直し(&R)"},
        {"moveAction", "移動(&M)…"},
        {"guideAction", "使い方(&G)"},
        {"aboutAction", "バージョン情報(&A)"},
        {"whiteAction", "白色(&W)"},
        {"blackAction", "黒色(&B)"},
        {"greyAction", "レイヤ内要素数が0の場合、背景色をグレーにする(&G)"}};
    for (const auto& [name, caption] : items) QCOMPARE(Action(f, name)->text(), Q(caption));
    QCOMPARE(f.findChild<QMenu*>("backgroundMenu")->title(), Q("背景色(&B)"));
    QVERIFY(Action(f, "whiteAction")->isChecked());
    QVERIFY(!Action(f, "blackAction")->isChecked() && !Action(f, "greyAction")->isChecked());
    auto* pages = f.findChild<QTabWidget*>("pages");
    QCOMPARE(pages->tabPosition(), QTabWidget::South);
    QCOMPARE(pages->tabText(0), QStringLiteral("ALL"));
    QCOMPARE(pages->tabText(1), QStringLiteral("LayerGroup"));
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(f.findChild<QWidget*>("statusBar") && f.findChild<QWidget*>("panel"));
    QVERIFY(f.MainView().Snapshot().isNull());
  }

  // After a resize the page is drawn for its new size around the same
  // centre at the same scale.
  void ResizeKeepsTheCentreAndTheScale() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    w.Main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.Main()));
    const ViewTransform before = w.Main().MainView().View();
    w.Main().resize(w.Main().width() + 240, w.Main().height() + 90);
    QTRY_COMPARE(w.Main().MainView().Snapshot().size(), w.Box()->size());
    const ViewTransform after = w.Main().MainView().View();
    QVERIFY(qFuzzyCompare(after.scale, before.scale));
    QVERIFY(std::abs((after.left + after.right) - (before.left + before.right)) < 1e-6);
    QVERIFY(std::abs((after.top + after.bottom) - (before.top + before.bottom)) < 1e-6);
  }

  void OpenFitsTheDrawingInsideTheFrame() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    QString path = w.OpenSample("jww/dist_sample.jww");
    MainWindow& f = w.Main();
    QCOMPARE(f.windowTitle(), QStringLiteral("Quintaro - ") + path + QStringLiteral("[*]"));
    const QImage& snap = f.MainView().Snapshot();
    QCOMPARE(snap.size(), w.Box()->size());
    const ViewTransform& v = f.MainView().View();
    const DrawingExtents& e = f.State().extents;
    double across = (e.maxX - e.minX) * v.scale / snap.width();
    double down = (e.maxY - e.minY) * v.scale / snap.height();
    QVERIFY(Near(std::max(across, down), 0.9));
    QVERIFY(std::min(across, down) <= 0.9 + 1e-9);
    QVERIFY(Near(Centre(v).x, (e.minX + e.maxX) / 2) && Near(Centre(v).y, (e.minY + e.maxY) / 2));
    QCOMPARE(snap.pixelColor(0, 0), QColor(0, 0, 255));
    QCOMPARE(snap.pixelColor(snap.width() - 1, snap.height() - 1), QColor(0, 0, 255));
    QCOMPARE(snap.pixelColor(2, 2), QColor(Qt::white));
    QVERIFY(f.StatusText().isEmpty());
    // Repaints show the snapshot.
    QImage shown = w.Box()->grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(snap.width() / 2, snap.height() / 2), QPoint(40, 30)}) {
      QCOMPARE(shown.pixelColor(p), snap.pixelColor(p));
    }
  }

  void WheelZoomsAroundTheCursor() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainViewPage& page = w.Main().MainView();
    double fit = page.View().scale;
    QPoint at(120, 80);
    DrawPoint under = PixelToDrawing(page.View(), at.x(), at.y());
    w.WheelAt(at, -120);  // towards the user
    QVERIFY(Near(page.View().scale, 2 * fit));
    QCOMPARE(w.Main().State().view.zoom, 2.0);
    DrawPoint after = PixelToDrawing(page.View(), at.x(), at.y());
    QVERIFY(Near(after.x, under.x) && Near(after.y, under.y));
    // Turned over another part of the window (which hands the wheel on to
    // the window), it still zooms around the cursor's place on the paint area.
    QWidget* bar = w.Main().findChild<QWidget*>("statusBar");
    QPoint onBar = bar->mapTo(&w.Main(), QPoint(10, 5));
    QPoint inBox = w.Box()->mapFromGlobal(w.Main().mapToGlobal(onBar));
    DrawPoint below = PixelToDrawing(page.View(), inBox.x(), inBox.y());
    QWheelEvent wheel(QPointF(onBar), QPointF(w.Main().mapToGlobal(onBar)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w.Main(), &wheel);
    QVERIFY(Near(page.View().scale, fit));
    DrawPoint still = PixelToDrawing(page.View(), inBox.x(), inBox.y());
    QVERIFY(Near(still.x, below.x) && Near(still.y, below.y));
    w.WheelAt(at, -120);
    w.WheelAt(at, 60);  // half a notch does nothing yet
    QVERIFY(Near(page.View().scale, 2 * fit));
    w.WheelAt(at, 60);
    QVERIFY(Near(page.View().scale, fit));
    QCOMPARE(w.Main().State().view.zoom, 1.0);
  }

  void DragOfFewPixelsPansToTheReleasePoint() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainViewPage& page = w.Main().MainView();
    ViewTransform before = page.View();
    DrawPoint r = PixelToDrawing(before, 300, 103);
    QCOMPARE(w.TwoButtonDrag({100, 100}, {300, 103}), Q("[画面移動]"));
    // Within half a pixel: the picture moves by whole pixels.
    const double half = 0.5 / before.scale + 1e-9;
    QVERIFY(std::fabs(Centre(page.View()).x - r.x) <= half);
    QVERIFY(std::fabs(Centre(page.View()).y - r.y) <= half);
    QVERIFY(Near(page.View().scale, before.scale));
    QVERIFY(!page.LeftPressed() && !page.RightPressed() && !page.Band().shown);
  }

  // A pan moves the last picture by whole pixels and draws only the strips
  // it leaves, each pixel there as a whole drawing sets it.
  void PanMovesThePictureAndDrawsTheStripsItLeaves() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_mokuzo_heimen.jww");
    MainViewPage& page = w.Main().MainView();
    const QPoint c(w.Box()->width() / 2, w.Box()->height() / 2);
    page.WheelTurn(-120, QPointF(w.Box()->mapToGlobal(c)));  // figures up to the edges
    const QImage before = page.Snapshot();
    w.TwoButtonDrag(c, c + QPoint(40, 2));
    const QImage moved = page.Snapshot();
    const QRect kept(1, 1, moved.width() - 42, moved.height() - 4);
    QCOMPARE(moved.copy(kept), before.copy(kept.translated(40, 2)));
    page.Draw();
    QImage whole = page.Snapshot();
    int ink = 0;  // the strip on the right holds figures, not only background
    for (int y = 1; y < whole.height() - 1; ++y) {
      for (int x = kept.right() + 1; x < whole.width() - 1; ++x)
        ink += whole.pixel(x, y) != 0xFFFFFFFFu;
    }
    QVERIFY(ink > 20);
    QPainter(&whole).drawImage(kept.topLeft(), moved.copy(kept));
    QCOMPARE(moved, whole);
  }

  void DragRightDownZoomsToTheRectangle() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainViewPage& page = w.Main().MainView();
    ViewTransform before = page.View();
    // A band of 10 x 10 mm, rounded to whole pixels.
    QPoint from(60, 60);
    int side = static_cast<int>(std::lround(10 * before.scale));
    QPoint to = from + QPoint(side, side);
    w.Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    w.Mouse(QEvent::MouseButtonPress, from, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    w.Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    QCOMPARE(w.Main().StatusText(), Q("[画面拡大]"));
    QVERIFY(page.Band().shown);
    // The band is drawn in exclusive-or with aqua over the snapshot.
    QImage shown = w.Box()->grab().toImage();
    QPoint edge(from.x(), (from.y() + to.y()) / 2);
    QColor under = page.Snapshot().pixelColor(edge);
    QCOMPARE(shown.pixelColor(edge), QColor(under.red(), 255 - under.green(), 255 - under.blue()));
    w.Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::RightButton);
    w.Mouse(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
    QVERIFY(!page.Band().shown);
    // The band's corners now span the view exactly in the tighter direction.
    const ViewTransform& z = page.View();
    QPointF a = PixelOf(z, PixelToDrawing(before, from.x(), from.y()));
    QPointF b = PixelOf(z, PixelToDrawing(before, to.x(), to.y()));
    double spanX = std::fabs(b.x() - a.x()), spanY = std::fabs(b.y() - a.y());
    QVERIFY(spanX <= z.width + 1e-6 && spanY <= z.height + 1e-6);
    QVERIFY(Near(spanX, z.width) || Near(spanY, z.height));
    QVERIFY(Near((a.x() + b.x()) / 2, z.width / 2.0) && Near((a.y() + b.y()) / 2, z.height / 2.0));
  }

  void DragLeftUpZoomsOutAndRightUpFitsAll() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainViewPage& page = w.Main().MainView();
    double fit = page.View().scale;
    ViewTransform before = page.View();
    DrawPoint a = PixelToDrawing(before, 200, 150), b = PixelToDrawing(before, 120, 90);
    QCOMPARE(w.TwoButtonDrag({200, 150}, {120, 90}), Q("[画面縮小]"));
    QVERIFY(Near(page.View().scale, fit / 2));
    QVERIFY(Near(Centre(page.View()).x, (a.x + b.x) / 2));
    QVERIFY(Near(Centre(page.View()).y, (a.y + b.y) / 2));
    QCOMPARE(w.TwoButtonDrag({100, 150}, {200, 60}), Q("[全体表示]"));
    QCOMPARE(w.Main().State().view.zoom, 1.0);
    QCOMPARE(w.Main().State().view.offsetX, 0.0);
    QVERIFY(Near(page.View().scale, fit));
  }

  void DragLeftDownShowsThePaper() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    test::Container<TJwwData>(w.Main().State().document)->Header.PaperSize = 3;  // A3
    MainViewPage& page = w.Main().MainView();
    QCOMPARE(w.TwoButtonDrag({200, 60}, {100, 150}), Q("[用紙範囲表示]"));
    const ViewTransform& v = page.View();
    QVERIFY(Near(Centre(v).x, 0, 1e-6) && Near(Centre(v).y, 0, 1e-6));
    double wide = v.right - v.left, high = v.top - v.bottom;
    QVERIFY(wide >= 420 * 1.05 - 1e-6 && high >= 297 * 1.05 - 1e-6);
    QVERIFY(Near(wide, 420 * 1.05) || Near(high, 297 * 1.05));
    // A JWC drawing's paper starts at the origin (A2 here).
    TJwcData jwc = MakeLargeJwc(40);
    jwc.header.PaperCode = 2;
    std::string plan = w.Dir().File("plan.jwc");
    QVERIFY(jwc.SaveToFile(plan));
    w.Main().OpenDocument(QString::fromStdString(plan));
    w.TwoButtonDrag({200, 60}, {100, 150});
    QVERIFY(Near(Centre(v).x, 297, 1e-6) && Near(Centre(v).y, 210, 1e-6));
    QVERIFY(Near(v.right - v.left, 594 * 1.05) || Near(v.top - v.bottom, 420 * 1.05));
    // A symbol of the DOS kind has no paper: the drawing is shown whole.
    w.OpenSample("jwk/dist_desk.jwk");
    double fit = page.View().scale;
    w.WheelAt({50, 50}, -120);
    w.TwoButtonDrag({200, 60}, {100, 150});
    QVERIFY(Near(page.View().scale, fit));
  }

  void OneButtonDoesNotDrag() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainViewPage& page = w.Main().MainView();
    ViewTransform before = page.View();
    w.Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    w.Mouse(QEvent::MouseMove, {200, 200}, Qt::NoButton, Qt::LeftButton);
    QVERIFY(w.Main().StatusText().isEmpty() && !page.Band().shown);
    w.Mouse(QEvent::MouseButtonRelease, {200, 200}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!page.LeftPressed() && !page.RightPressed());
    QCOMPARE(page.View().scale, before.scale);
    QCOMPARE(page.View().left, before.left);
    // The press point is the first press's: a later right press alone does not move it.
    w.Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::RightButton, Qt::RightButton);
    w.Mouse(QEvent::MouseButtonPress, {90, 90}, Qt::LeftButton, Qt::LeftButton | Qt::RightButton);
    w.Mouse(QEvent::MouseMove, {150, 150}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    QCOMPARE(page.Band().from, QPoint(50, 50));
  }

  void BackgroundMenuRedrawsInBlackAndWhite() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    MainWindow& f = w.Main();
    Action(f, "blackAction")->trigger();
    QVERIFY(Action(f, "blackAction")->isChecked() && !Action(f, "whiteAction")->isChecked());
    QCOMPARE(f.MainView().Snapshot().pixelColor(2, 2), QColor(Qt::black));
    QCOMPARE(f.MainView().Snapshot().pixelColor(0, 0), QColor(0, 0, 255));
    Action(f, "blackAction")->trigger();  // choosing it again keeps it chosen
    QVERIFY(Action(f, "blackAction")->isChecked());
    Action(f, "whiteAction")->trigger();
    QVERIFY(Action(f, "whiteAction")->isChecked() && !Action(f, "blackAction")->isChecked());
    QCOMPARE(f.MainView().Snapshot().pixelColor(2, 2), QColor(Qt::white));
  }

  void EscapeStopsTheDrawingAtTheFirstCheck() {
    AppWindow w;
    QVERIFY(!w.OpenLarge().isEmpty());
    MainWindow& f = w.Main();
    QVERIFY(f.StatusText().isEmpty());
    int full = f.MainView().AbortChecks();
    QVERIFY(full > 100);
    QCoreApplication::postEvent(w.Box(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    f.MainView().Draw();
    QCOMPARE(f.MainView().AbortChecks(), 1);
    QCOMPARE(f.StatusText(), Q("[ESC]描画中断しました"));
    QVERIFY(!f.State().flags.drawBusy && !f.State().flags.abortRequested);
    QVERIFY(!f.MainView().Snapshot().isNull());  // the part drawn is kept
    f.MainView().Draw();
    QCOMPARE(f.MainView().AbortChecks(), full);
    QVERIFY(f.StatusText().isEmpty());
  }

  void WheelDuringDrawingOnlyStopsIt() {
    AppWindow w;
    QVERIFY(!w.OpenLarge().isEmpty());
    MainWindow& f = w.Main();
    QPoint at(80, 80);
    QCoreApplication::postEvent(
        w.Box(),
        new QWheelEvent(QPointF(at), QPointF(w.Box()->mapToGlobal(at)), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
    f.MainView().Draw();
    QCOMPARE(f.MainView().AbortChecks(), 1);
    QCOMPARE(f.StatusText(), Q("[ESC]描画中断しました"));
    QCOMPARE(f.State().view.zoom, 1.0);
  }

  void CommandsWaitWhileDrawing() {
    AppWindow w;
    QVERIFY(!w.OpenLarge().isEmpty());
    MainWindow& f = w.Main();
    w.Dialogs().openAnswers = {QString()};
    QTimer::singleShot(0, &f, [&f] {
      f.close();
      f.OnOpen();
      f.OnSaveAs();
      f.SetBackground(1);
    });
    f.MainView().Draw();
    QVERIFY(f.isVisible() && !f.TornDown());
    QVERIFY(w.Dialogs().openRequests.empty() && w.Dialogs().saveRequests.empty());
    QVERIFY(!f.State().blackBackground);
    QVERIFY(Action(f, "whiteAction")->isChecked());
    QVERIFY(f.StatusText().isEmpty());  // drawn to its end
    QVERIFY(f.close());
    QVERIFY(f.TornDown());
  }

  void SettingsOfTheLastRun() {
    quintaro::test::TempDir other;
    std::string last = other.File("my plans/plan a.jww");
    AppWindow w("[Form]\r\nF01_X=abc\r\nF01_W=640\r\nF02_Y=9\r\n[Sets]\r\nZFILE=\"" + last +
                "\"\r\nBKCOL=7\r\nLGRAY=1\r\n");
    MainWindow& f = w.Main();
    QCOMPARE(f.pos().x(), 0);
    QCOMPARE(f.width(), 640);
    QVERIFY(Action(f, "blackAction")->isChecked() && Action(f, "greyAction")->isChecked());
    QCOMPARE(f.State().attributes.BackColor(), render::Color{0});
    QCOMPARE(f.Session().DocPath(), QString::fromStdString(last));
    Action(f, "saveAsAction")->trigger();
    QCOMPARE(f.StatusText(), Q("ファイルを開いて下さい。"));
    Action(f, "openAction")->trigger();
    QCOMPARE(w.Dialogs().openRequests.at(0).folder,
             QDir::cleanPath(QString::fromStdString(other.File("my plans"))));
    QCOMPARE(w.Dialogs().openRequests.at(0).fileName, QStringLiteral("plan a.jww"));
    Action(f, "closeAction")->trigger();
    QVERIFY(f.TornDown());
    auto bytes = quintaro::test::ReadAll(w.SettingsPath().toStdString());
    std::string text(bytes.begin(), bytes.end());
    QCOMPARE(std::count(text.begin(), text.end(), '\n'), 17L);
    for (std::string line : {"F01_X=0\r\n", "F01_W=640\r\n", "F02_Y=9\r\n", "F03_W=503\r\n",
                             "BKCOL=1\r\n", "LGRAY=1\r\n"}) {
      QVERIFY2(text.find(line) != std::string::npos, line.c_str());
    }
    QVERIFY(text.find("ZFILE=\"" + last + "\"\r\n") != std::string::npos);
  }

  void WindowSavedOffTheScreensComesBack() {
    AppWindow w("[Form]\r\nF01_X=5000\r\nF01_Y=-4000\r\nF01_W=600\r\n");
    QCOMPARE(w.Main().pos(), QPoint(192, 107));
    QCOMPARE(w.Main().width(), 600);
  }

  void UnwritableSettingsDoNotStopTheProgram() {
    QUINTARO_QT_NEEDS_SAMPLES();
    quintaro::test::TempDir dir;
    quintaro::test::WriteAll(dir.File("file"), {'x'});
    AppWindow w({}, QString::fromStdString(dir.File("file/quintaro.ini")));
    w.OpenSample("jww/dist_sample.jww");
    QVERIFY(w.Main().close());
    QVERIFY(w.Main().TornDown());
    QVERIFY(!w.Main().State().document.IsOpen());
  }
};

QTEST_MAIN(MainViewTest)
#include "main_view_test.moc"
