// The layer windows: which window a double-clicked group opens in, the
// caption, labels and thumbnails of the sixteen layers, the element-count
// line, values kept from the set-up, pictures kept over repaints and drawn
// anew on a resize, the Escape key stopping a drawing, closing, and the
// window set with its places in the settings file.
#include <QtTest>

#include "app_window.h"
#include "document/demo_drawing.h"
#include "support/temp_dir.h"
#include "utf8_text.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::app::testing::Q;
using testing::AppWindow;

namespace {

// How many pixels of a picture differ from `background`.
int Marks(const QImage& picture, QColor background) {
  int n = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) n += picture.pixelColor(x, y) != background;
  }
  return n;
}

void OpenGroup(AppWindow& w, int group) {
  AppWindow::DoubleClick(w.Main().Overview().Image(group + 1));
}

// Opens the sample, turns to the groups and opens group 0's layer window;
// false when the window does not come up.
bool OpenFirstGroup(AppWindow& w, const char* sample) {
  w.OpenSample(sample);
  w.ShowGroups();
  OpenGroup(w, 0);
  return QTest::qWaitForWindowExposed(&w.Main().FirstLayerWindow());
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

class LayerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void WhichWindowOpensAGroup() {
    AppWindow w;
    MainWindow& f = w.Main();
    w.ShowGroups();
    OpenGroup(w, 3);  // no drawing yet
    QVERIFY(!f.FirstLayerWindow().isVisible());
    w.OpenSample("jww/dist_sample.jww");
    w.ShowGroups();
    OpenGroup(w, 3);
    QVERIFY(f.FirstLayerWindow().isVisible());
    QCOMPARE(f.State().groupInFirstWindow, 3);
    QCOMPARE(f.FirstLayerWindow().windowTitle(), Q("Quintaro - LayerGroup:[3] 1/100.000 "));
    OpenGroup(w, 3);  // brought up, not opened twice
    QVERIFY(!f.SecondLayerWindow().isVisible());
    QCOMPARE(f.State().groupInSecondWindow, -1);
    OpenGroup(w, 5);
    QVERIFY(f.SecondLayerWindow().isVisible());
    QCOMPARE(f.State().groupInSecondWindow, 5);
    OpenGroup(w, 1);  // both windows show other groups
    QCOMPARE(f.State().groupInFirstWindow, 3);
    QCOMPARE(f.State().groupInSecondWindow, 5);
    QCOMPARE(f.FirstLayerWindow().Setup().group, 3);
    f.FirstLayerWindow().close();
    QCOMPARE(f.State().groupInFirstWindow, -1);
    OpenGroup(w, 1);
    QCOMPARE(f.State().groupInFirstWindow, 1);
    QCOMPARE(f.FirstLayerWindow().Setup().group, 1);
    QVERIFY(f.FirstLayerWindow().windowTitle().startsWith(Q("Quintaro - LayerGroup:[1] ")));
  }

  void OnlyALeftDoubleClickOnAGroupOpensIt() {
    AppWindow w;
    w.OpenSample("jww/dist_sample.jww");
    w.ShowGroups();
    ThumbnailImage* image = w.Main().Overview().Image(2);
    QMouseEvent right(QEvent::MouseButtonDblClick, QPointF(5, 5), image->mapToGlobal(QPointF(5, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(image, &right);
    QCOMPARE(w.Main().State().groupInFirstWindow, -1);
    w.Main().Ghost().Follow(QPoint(0, 0), Qt::NoButton);  // end the drag it began
    // A layer thumbnail opens nothing either.
    OpenGroup(w, 0);
    AppWindow::DoubleClick(w.Main().FirstLayerWindow().Image(3));
    QCOMPARE(w.Main().State().groupInSecondWindow, -1);
  }

  void LabelsThumbnailsAndCountsOfALayerGroup() {
    AppWindow w;
    TJwwData demo = MakeDemoDrawing();
    demo.Layers[2 * 16 + 0].Name = EncodedText{"walls"};
    std::string path = w.Dir().File("demo.jww");
    QVERIFY(demo.SaveToFile(path, demo.Header.Version));
    w.Main().OpenDocument(QString::fromStdString(path));
    w.ShowGroups();
    OpenGroup(w, 2);
    LayerWindow& form = w.Main().FirstLayerWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.Label(1)->text(), Q("(0)  walls"));
    QVERIFY(form.Label(16)->text().startsWith(Q("(F) ")));
    ThumbnailCells c = form.Cells();
    QCOMPARE(c.width, form.Panel()->width() / 4);
    for (int tag = 1; tag <= 16; ++tag) {
      int i = tag - 1;
      QPoint cell((i % 4) * c.width, (i / 4) * c.height);
      QCOMPARE(form.Label(tag)->geometry(), QRect(cell, QSize(c.width, c.labelHeight)));
      QCOMPARE(form.Image(tag)->pos(), cell + QPoint(0, c.labelHeight));
      QCOMPARE(form.Image(tag)->Picture().size(), form.Image(tag)->size());
    }
  }

  void SymbolLayersCarryOnlyTheNumber() {
    AppWindow w;
    QVERIFY(OpenFirstGroup(w, "jwk/dist_desk.jwk"));
    QCOMPARE(w.Main().FirstLayerWindow().Label(1)->text(), Q("(0) "));
    QCOMPARE(w.Main().FirstLayerWindow().Label(11)->text(), Q("(A) "));
  }

  void ElementCountLineSeparatesBlockMembers() {
    // One block of 8 lines placed once, beside 6 texts and the insertion.
    AppWindow w;
    QVERIFY(OpenFirstGroup(w, "jww/ezj_copy_block.jww"));
    QCOMPARE(w.Main().FirstLayerWindow().StatusText(), Q("レイヤグループ内要素数：7 (8)"));
    OpenGroup(w, 4);
    QVERIFY(QTest::qWaitForWindowExposed(&w.Main().SecondLayerWindow()));
    QCOMPARE(w.Main().SecondLayerWindow().StatusText(), Q("レイヤグループ内要素数：0 (0)"));
  }

  void EachThumbnailShowsOneLayerAndEmptyOnesTurnGrey() {
    AppWindow w;
    w.OpenSample("jww/dist_amansion_heimen.jww");  // group 0, layers 0..9
    MainWindow& f = w.Main();
    f.OnToggleGrey();
    w.ShowGroups();
    OpenGroup(w, 0);
    LayerWindow& form = f.FirstLayerWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int layer = 0; layer < 16; ++layer) {
      const QImage& picture = form.Image(layer + 1)->Picture();
      if (layer <= 9) {
        QVERIFY2(Marks(picture, Qt::white) > 0, qPrintable(QString::number(layer)));
      } else {
        QCOMPARE(Marks(picture, QColor(0x80, 0x80, 0x80)), 0);
      }
    }
  }

  void ARepaintKeepsThePicturesAResizeDrawsThemAnew() {
    AppWindow w;
    QVERIFY(OpenFirstGroup(w, "jww/dist_amansion_heimen.jww"));
    MainWindow& f = w.Main();
    LayerWindow& form = f.FirstLayerWindow();
    QTRY_COMPARE(Marks(form.Image(13)->Picture(), Qt::white), 0);
    f.State().document.Apply(RelayerRule{{0, 1}, {0, 12}});  // behind the window's back
    form.Panel()->repaint();
    QCOMPARE(Marks(form.Image(13)->Picture(), Qt::white), 0);
    int before = form.Image(6)->width();
    form.resize(form.width() + 200, form.height() + 100);
    QTRY_VERIFY(form.Image(6)->width() > before);
    QVERIFY(Marks(form.Image(13)->Picture(), Qt::white) > 0);
    QCOMPARE(Marks(form.Image(2)->Picture(), Qt::white), 0);
    QCOMPARE(form.Image(6)->Picture().size(), form.Image(6)->size());
  }

  void ADrawingDuringTheMainDrawingWaitsForItsEnd() {
    AppWindow w;
    QVERIFY(OpenFirstGroup(w, "jww/dist_amansion_heimen.jww"));
    MainWindow& f = w.Main();
    LayerWindow& form = f.FirstLayerWindow();
    QTRY_COMPARE(Marks(form.Image(13)->Picture(), Qt::white), 0);
    f.State().document.Apply(RelayerRule{{0, 1}, {0, 12}});
    int marksDuring = -1;
    QTimer::singleShot(0, &form, [&] {
      form.DrawLayers();
      marksDuring = Marks(form.Image(13)->Picture(), Qt::white);
      QVERIFY(f.State().flags.drawBusy);
    });
    f.MainView().Draw();
    QCOMPARE(marksDuring, 0);  // the store was not touched while drawing
    QTRY_VERIFY(Marks(form.Image(13)->Picture(), Qt::white) > 0);
  }

  void EscapeStopsTheLayersAndARepaintKeepsWhatWasDrawn() {
    AppWindow w;
    QVERIFY(!w.OpenLarge().isEmpty());
    w.ShowGroups();
    OpenGroup(w, 0);
    LayerWindow& form = w.Main().FirstLayerWindow();
    QTRY_VERIFY(form.StatusText().startsWith(Q("レイヤグループ内要素数：")));
    QTimer::singleShot(0, &form, [&form] { QTest::keyClick(&form, Qt::Key_Escape); });
    form.DrawLayers();
    QCOMPARE(form.StatusText(), Q("[ESC]描画中断しました"));
    QVERIFY(!form.Image(1)->Picture().isNull());  // begun: kept
    QVERIFY(form.Image(16)->Picture().isNull());  // never begun
    form.Panel()->repaint();
    QCoreApplication::processEvents();
    QVERIFY(form.Image(16)->Picture().isNull());
    form.resize(form.width() + 40, form.height());
    QTRY_VERIFY(Marks(form.Image(16)->Picture(), Qt::white) > 0);
    QVERIFY(form.StatusText().startsWith(Q("レイヤグループ内要素数：")));
  }

  void PaintingComesToRest() {
    AppWindow w;
    QVERIFY(OpenFirstGroup(w, "jww/dist_sample.jww"));
    LayerWindow& form = w.Main().FirstLayerWindow();
    PaintCounter counter(form.Panel());
    QTest::qWait(100);
    counter.paints = 0;
    QTest::qWait(300);
    QCOMPARE(counter.paints, 0);  // new captions and pictures do not repaint the panel
  }

  void PanelsSmallerThanSixteenPixelsKeepFourPixelThumbnails() {
    AppWindow w;
    QVERIFY(OpenFirstGroup(w, "jww/dist_sample.jww"));
    LayerWindow& form = w.Main().FirstLayerWindow();
    form.Panel()->setFixedSize(10, 12);
    QTRY_COMPARE(form.Panel()->size(), QSize(10, 12));
    form.Panel()->repaint();
    for (int tag = 1; tag <= 16; ++tag) {
      QVERIFY(form.Image(tag)->width() >= 4);
      QVERIFY(form.Image(tag)->height() >= 4);
      QCOMPARE(form.Image(tag)->Picture().size(), form.Image(tag)->size());
    }
  }

  void SetUpValuesAreCopies() {
    AppWindow w;
    QVERIFY(OpenFirstGroup(w, "jww/dist_sample.jww"));
    MainWindow& f = w.Main();
    LayerWindow& form = f.FirstLayerWindow();
    double scale = form.ThumbnailView().scale;
    f.findChild<QTabWidget*>("pages")->setCurrentIndex(0);
    w.WheelAt({40, 40}, -120);
    f.SetBackground(1);
    form.Panel()->repaint();
    QCOMPARE(form.ThumbnailView().scale, scale);
    QCOMPARE(form.Image(1)->Picture().pixelColor(0, 0), QColor(Qt::white));
    // The attribute store stays on the main window's background.
    QCOMPARE(f.State().attributes.BackColor(), render::Color{0});
    form.close();
    OpenGroup(w, 0);  // set up again: now zoomed and black
    QTRY_VERIFY(form.ThumbnailView().scale > scale * 1.5);
    QCOMPARE(form.Image(1)->Picture().pixelColor(0, 0), QColor(Qt::black));
  }

  void ChoosingAnotherFileClosesBothWindows() {
    AppWindow w;
    QString plan = w.OpenSample("jww/dist_sample.jww");
    MainWindow& f = w.Main();
    w.ShowGroups();
    OpenGroup(w, 0);
    OpenGroup(w, 1);
    QVERIFY(f.SecondLayerWindow().isVisible());
    w.Dialogs().openAnswers = {plan};
    f.OnOpen();
    QVERIFY(!f.FirstLayerWindow().isVisible());
    QVERIFY(!f.SecondLayerWindow().isVisible());
    QCOMPARE(f.State().groupInFirstWindow, -1);
    QCOMPARE(f.State().groupInSecondWindow, -1);
  }

  void WindowSetAndItsPlacesInTheSettings() {
    std::string ini =
        "[Form]\r\nF02_X=31\r\nF02_Y=32\r\nF02_W=333\r\nF02_H=234\r\n"
        "F03_X=abc\r\nF03_W=444\r\n[Sets]\r\n";
    AppWindow w(ini);
    MainWindow& f = w.Main();
    QCOMPARE(f.FirstLayerWindow().geometry().size(), QSize(333, 234));
    QCOMPARE(f.FirstLayerWindow().pos(), QPoint(31, 32));
    QCOMPARE(f.SecondLayerWindow().pos(), QPoint(0, 173));  // designed top, left not a number
    QCOMPARE(f.SecondLayerWindow().size(), QSize(444, 376));
    // Created main, second layer window, ghost, first layer window; only
    // the main window is shown.
    QObjectList children = f.children();
    int i3 = children.indexOf(&f.SecondLayerWindow()), ia = children.indexOf(&f.Ghost());
    QVERIFY(i3 >= 0 && i3 < ia && ia < children.indexOf(&f.FirstLayerWindow()));
    QVERIFY(!f.FirstLayerWindow().isVisible() && !f.SecondLayerWindow().isVisible() &&
            !f.Ghost().isVisible());
    QVERIFY(f.Ghost().windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(f.Ghost().windowFlags() & Qt::WindowStaysOnTopHint);
    f.SecondLayerWindow().setGeometry(50, 60, 300, 200);
    f.close();
    std::vector<std::uint8_t> bytes = test::ReadAll(w.SettingsPath().toStdString());
    std::string text(bytes.begin(), bytes.end());
    QVERIFY(text.find("F02_X=31\r\nF02_Y=32\r\nF02_W=333\r\nF02_H=234\r\n") != std::string::npos);
    QVERIFY(text.find("F03_X=50\r\nF03_Y=60\r\nF03_W=300\r\nF03_H=200\r\n") != std::string::npos);
  }
};

QTEST_MAIN(LayerWindowTest)
#include "layer_window_test.moc"
