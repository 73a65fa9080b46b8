// Dragging thumbnails with the right button: the ghost, the target cell of
// a drop, and the three move commands with their questions, answers, status
// texts, redraws and the figures' layers afterwards.
#include <QtTest>
#include <array>

#include "app_window.h"
#include "layer_totals.h"
#include "support/containers.h"
#include "support/temp_dir.h"
#include "utf8_text.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::app::testing::Q;
using testing::AppWindow;
using testing::Moved;
using testing::Totals;
using testing::TotalsByLayer;

namespace {

int Marks(const QImage& picture) {
  int n = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) n += picture.pixelColor(x, y) != Qt::white;
  }
  return n;
}

// A drawing on the page "LayerGroup", the windows side by side.
struct Desk {
  AppWindow w;
  MainWindow& f = w.Main();
  Totals before{};

  explicit Desk(const std::string& sample) {
    w.OpenSample(sample);
    w.Arrange();
    w.ShowGroups();
    before = Now();
  }
  Totals Now() const { return TotalsByLayer(f.State().document); }
  int Questions() {
    int n = 0;
    for (const auto& box : w.Dialogs().boxes) n += box.kind == "ask";
    return n;
  }
  QString LastQuestion() { return w.Dialogs().boxes.back().text; }
  void Open(int group) {
    AppWindow::DoubleClick(f.Overview().Image(group + 1));
    QCoreApplication::processEvents();
  }
  // Drags a group thumbnail to a screen point.
  void DragGroup(int group, QPoint to) {
    AppWindow::RightDrag(f.Overview().Image(group + 1), {8, 8}, {to});
  }
  void DragLayer(LayerWindow& window, int layer, QPoint to) {
    AppWindow::RightDrag(window.Image(layer + 1), {8, 8}, {to});
  }
};

}  // namespace

class DragDropTest : public QObject {
  Q_OBJECT

 private slots:
  void TargetCellOfAPoint() {
    QRect panel(100, 50, 400, 302);  // cells of 100 x 75
    QCOMPARE(CellAt(panel, {100, 50}), std::optional<int>(0));
    QCOMPARE(CellAt(panel, {499, 50}), std::optional<int>(3));
    QCOMPARE(CellAt(panel, {250, 140}), std::optional<int>(5));
    QCOMPARE(CellAt(panel, {120, 351}), std::optional<int>(12));  // below the last row
    QCOMPARE(CellAt(panel, {500, 60}), std::nullopt);
    QCOMPARE(CellAt(panel, {99, 60}), std::nullopt);
    QCOMPARE(CellAt(panel, {120, 352}), std::nullopt);
    QCOMPARE(CellAt(QRect(0, 0, 3, 2), {2, 1}), std::optional<int>(6));  // no division by 0
  }

  void GhostCoversTheThumbnailAndFollowsThePointer() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Desk d("jww/jdu_sample.jww");
    ThumbnailImage* image = d.f.Overview().Image(16);
    QPoint press(10, 12);
    QMouseEvent down(QEvent::MouseButtonPress, press, image->mapToGlobal(press), Qt::RightButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(image, &down);
    DragGhost& ghost = d.f.Ghost();
    QVERIFY(ghost.isVisible() && ghost.Dragging());
    QCOMPARE(ghost.pos(), image->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(ghost.size(), image->size() + QSize(0, 14));
    QCOMPARE(ghost.StatusText(), Q("[F] 1/100.000 "));
    QCOMPARE(ghost.Picture(), image->Picture());
    QCOMPARE(ghost.Record().source, ThumbnailSource::kMain);
    QCOMPARE(ghost.Record().tag, 16);
    for (QPoint screen : {QPoint(200, 150), QPoint(90, 60)}) {
      QMouseEvent move(QEvent::MouseMove, image->mapFromGlobal(screen), screen, Qt::NoButton,
                       Qt::RightButton, Qt::NoModifier);
      QApplication::sendEvent(image, &move);
      QCOMPARE(ghost.pos(), screen - press);
    }
    // A left button released on the way does not end the drag.
    ghost.Follow({95, 70}, Qt::RightButton);
    QVERIFY(ghost.Dragging());
    ghost.Follow({95, 70}, Qt::NoButton);  // released over group 0's cell
    QVERIFY(!ghost.isVisible() && !ghost.Dragging());
    QCOMPARE(d.Questions(), 1);
  }

  void PressesThatStartNoDrag() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.ShowGroups();
    AppWindow::RightDrag(w.Main().Overview().Image(3), {5, 5}, {});  // no drawing open
    QVERIFY(!w.Main().Ghost().isVisible());
    w.OpenSample("jww/jdu_sample.jww");
    w.ShowGroups();
    ThumbnailImage* image = w.Main().Overview().Image(16);
    QMouseEvent left(QEvent::MouseButtonPress, QPointF(5, 5), image->mapToGlobal(QPointF(5, 5)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(image, &left);
    QVERIFY(!w.Main().Ghost().Dragging());
    w.Main().State().flags.drawBusy = true;  // the main view is being drawn
    AppWindow::RightDrag(image, {5, 5}, {AppWindow::CellCentre(w.Main().Overview().Panel(), 5)});
    w.Main().State().flags.drawBusy = false;
    QVERIFY(w.Dialogs().boxes.empty());
  }

  void GroupDropsOnTheOverview() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Desk d("jww/jdu_sample.jww");  // figures on groups 0 and F
    QWidget* panel = d.f.Overview().Panel();
    d.DragGroup(15, AppWindow::CellCentre(panel, 15));  // its own cell
    QCOMPARE(d.Questions(), 0);
    d.DragGroup(15, AppWindow::CellCentre(panel, 5));
    QCOMPARE(d.LastQuestion(),
             Q("レイヤグループ[F]の図形を\r\nレイヤグループ[5]へ移動します。\r\nよろしいですか？"));
    QCOMPARE(d.f.StatusText(), Q("移動をキャンセルしました。"));
    QCOMPARE(d.Now(), d.before);
    // Below the last thumbnail row, in the second column: group D.
    Document expected;
    QCOMPARE(expected.Open(test::SamplePath("jww/jdu_sample.jww")), OpenResult::kOpened);
    expected.Apply(RelayerRule{{15, -1}, {13, -1}});
    d.w.Dialogs().yesNoAnswers = {true};
    d.DragGroup(15, panel->mapToGlobal(QPoint(panel->width() / 4 + 3, panel->height() - 1)));
    QVERIFY(d.LastQuestion().startsWith(Q("レイヤグループ[F]の図形を\r\nレイヤグループ[D]へ")));
    QCOMPARE(d.f.StatusText(), Q("レイヤ変換完了しました。 [F]→[D] 6,454 図形"));
    QCOMPARE(d.Now(), Moved(d.before, 15, -1, 13, -1));
    QVERIFY(test::SameModel(d.f.State().document, expected));  // layer fields only
    QCOMPARE(Marks(d.f.Overview().Image(16)->Picture()), 0);
    QVERIFY(Marks(d.f.Overview().Image(14)->Picture()) > 100);
  }

  void GroupDropsOutsideTheOverviewDoNothing() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Desk d("jww/jdu_sample.jww");
    d.Open(1);
    LayerWindow& form = d.f.FirstLayerWindow();
    d.DragGroup(15, AppWindow::CellCentre(form.Panel(), 5));         // onto a layer window
    d.DragGroup(15, d.f.mapToGlobal(QPoint(20, d.f.height() - 5)));  // the status bar
    // A layer window lying over the overview hides the cells below it.
    form.move(d.f.Overview().Panel()->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::processEvents();
    d.DragGroup(0, AppWindow::CellCentre(form.Panel(), 10));
    QCOMPARE(d.Questions(), 0);
    QCOMPARE(d.Now(), d.before);
    QVERIFY(d.f.StatusText().isEmpty());
  }

  void GroupMoveClosesTheWindowsOfItsGroups() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Desk d("jww/jdu_sample.jww");
    d.Open(15);
    d.Open(0);
    QCOMPARE(d.f.State().groupInFirstWindow, 15);
    QCOMPARE(d.f.State().groupInSecondWindow, 0);
    d.w.Dialogs().yesNoAnswers = {false, true, true};
    QWidget* panel = d.f.Overview().Panel();
    d.DragGroup(15, AppWindow::CellCentre(panel, 5));  // No: nothing closes
    QVERIFY(d.f.FirstLayerWindow().isVisible());
    d.DragGroup(15, AppWindow::CellCentre(panel, 5));
    QVERIFY(!d.f.FirstLayerWindow().isVisible());
    QCOMPARE(d.f.State().groupInFirstWindow, -1);
    QVERIFY(d.f.SecondLayerWindow().isVisible());
    d.Open(5);  // in the first window again
    QCOMPARE(d.f.State().groupInFirstWindow, 5);
    d.DragGroup(0, AppWindow::CellCentre(panel, 5));  // destination 5, source 0
    QCOMPARE(d.f.State().groupInFirstWindow, -1);
    QCOMPARE(d.f.State().groupInSecondWindow, -1);
    QVERIFY(!d.f.FirstLayerWindow().isVisible() && !d.f.SecondLayerWindow().isVisible());
  }

  void LayerDropsInTheSameWindow() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Desk d("jww/dist_amansion_heimen.jww");  // group 0, layers 0..9 named
    d.Open(0);
    LayerWindow& form = d.f.FirstLayerWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    d.DragLayer(form, 4, AppWindow::CellCentre(form.Panel(), 4));
    QCOMPARE(d.Questions(), 0);
    d.DragLayer(form, 4, AppWindow::CellCentre(form.Panel(), 12));
    QCOMPARE(d.LastQuestion(),
             Q("－　レイヤグループ[0]　－\r\nレイヤ[4]の図形を\r\nレイヤ[C]へ移動します。\r\n"
               "よろしいですか？"));
    QCOMPARE(form.StatusText(), Q("移動をキャンセルしました。"));
    QVERIFY(d.f.StatusText().isEmpty());
    QCOMPARE(d.Now(), d.before);
    d.w.Dialogs().yesNoAnswers = {true};
    d.DragLayer(form, 4, AppWindow::CellCentre(form.Panel(), 12));
    QCOMPARE(form.StatusText(), Q("レイヤ変換完了しました。 [0]－[4]→[0]－[C] 632 図形"));
    QCOMPARE(d.Now(), Moved(d.before, 0, 4, 0, 12));
    QCOMPARE(form.Label(13)->text(), Q("(C)  設備機器"));  // the name went along
    QCOMPARE(form.Label(5)->text(), Q("(4)  "));
    QCOMPARE(Marks(form.Image(5)->Picture()), 0);
    QVERIFY(Marks(form.Image(13)->Picture()) > 100);
  }

  void LayerDropsOnTheOtherWindow() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Desk d("jww/dist_amansion_heimen.jww");
    d.Open(0);
    d.Open(3);
    LayerWindow& a = d.f.FirstLayerWindow();
    LayerWindow& b = d.f.SecondLayerWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    d.DragLayer(a, 4, AppWindow::CellCentre(b.Panel(), 7));
    QCOMPARE(d.LastQuestion(),
             Q("レイヤ[0]－[4]の図形を\r\nレイヤ[3]－[7]へ移動します。\r\nよろしいですか？"));
    QCOMPARE(a.StatusText(), Q("移動をキャンセルしました。"));
    d.w.Dialogs().yesNoAnswers = {true};
    d.DragLayer(a, 4, AppWindow::CellCentre(b.Panel(), 7));
    QCOMPARE(d.Now(), Moved(d.before, 0, 4, 3, 7));
    QCOMPARE(a.StatusText(), Q("レイヤ変換完了しました。 [0]－[4]→[3]－[7] 632 図形"));
    QCOMPARE(b.StatusText(), Q("レイヤグループ内要素数：632 (0)"));
    QVERIFY(Marks(b.Image(8)->Picture()) > 100);
    QCOMPARE(b.Label(8)->text(), Q("(7)  設備機器"));
    QVERIFY(Marks(d.f.Overview().Image(4)->Picture()) > 100);  // group 3 on the overview
    QVERIFY(d.f.StatusText().isEmpty());
  }

  void LayerDropsThatDoNothing() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Desk d("jww/dist_amansion_heimen.jww");
    d.Open(0);
    LayerWindow& a = d.f.FirstLayerWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    // Where the second window would be, but it is closed.
    d.DragLayer(a, 4, AppWindow::CellCentre(d.f.SecondLayerWindow().Panel(), 7));
    // On the main window's overview.
    d.DragLayer(a, 4, AppWindow::CellCentre(d.f.Overview().Panel(), 5));
    QCOMPARE(d.Questions(), 0);
    QCOMPARE(d.Now(), d.before);
    // Overlapping windows: the drop counts for the window it started in.
    d.Open(3);
    LayerWindow& b = d.f.SecondLayerWindow();
    b.move(a.pos());
    QCoreApplication::processEvents();
    d.DragLayer(a, 4, AppWindow::CellCentre(a.Panel(), 9));
    QVERIFY(d.LastQuestion().startsWith(Q("－　レイヤグループ[0]　－")));
  }
};

QTEST_MAIN(DragDropTest)
#include "drag_drop_test.moc"
