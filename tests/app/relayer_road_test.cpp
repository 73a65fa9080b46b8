// The road of a typical use, with the mouse and the dialogs only: open a
// drawing, turn to "LayerGroup", drag a group (or a layer between the two
// layer windows) with the right button, answer Yes, Save As the proposed
// name, and read the saved file back. The figures must lie on their new
// layers and nothing else may have changed.
#include <QComboBox>
#include <QtTest>
#include <array>
#include <filesystem>
#include <memory>

#include "app/move_dialog.h"
#include "app_window.h"
#include "document/demo_drawing.h"
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

std::unique_ptr<Document> Read(const std::string& path) {
  auto doc = std::make_unique<Document>();
  if (doc->Open(path) != OpenResult::kOpened) doc.reset();
  return doc;
}

// The drawing as Save As writes it without any move: the reference for
// "nothing else changed", as a writer may tidy what it read.
std::unique_ptr<Document> Resaved(const std::string& path, const std::string& copy) {
  std::unique_ptr<Document> doc = Read(path);
  if (!doc || !doc->Save(copy).Ok()) return nullptr;
  return Read(copy);
}

// Opens `path` through the File menu and turns to the group page.
void OpenByMenu(AppWindow& w, const std::string& path) {
  w.Dialogs().openAnswers = {Q(path)};
  w.Main().OnOpen();
  w.Arrange();
  w.ShowGroups();
}

// A drag that passes two points on its way before the release.
void Drag(ThumbnailImage* image, QPoint to) {
  QPoint from = image->mapToGlobal(QPoint(12, 10));
  AppWindow::RightDrag(image, {12, 10}, {(from * 2 + to) / 3, (from + to * 2) / 3, to});
}

// Save As under the name proposed beside the opened file; its path.
std::string SaveAsProposed(AppWindow& w, const std::string& opened) {
  std::filesystem::path p(opened);
  std::string proposed = (p.parent_path() / ("_" + p.filename().string())).string();
  w.Dialogs().saveAnswers = {Q(proposed)};
  w.Main().OnSaveAs();
  const FileDialogRequest& asked = w.Dialogs().saveRequests.back();
  if (asked.fileName != Q("_" + p.filename().string())) return {};
  return proposed;
}

}  // namespace

class RelayerRoadTest : public QObject {
  Q_OBJECT

 private slots:
  void GroupTwoOntoGroupFive() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    // A drawing with figures on groups 2 and F, made from a shared sample.
    std::string plan = w.Dir().File("plan.jww");
    {
      Document prep;
      QCOMPARE(prep.Open(test::SamplePath("jww/jdu_sample.jww")), OpenResult::kOpened);
      prep.Apply(RelayerRule{{0, -1}, {2, -1}});
      QVERIFY(prep.Save(plan).Ok());
    }
    std::unique_ptr<Document> original = Read(plan);
    QVERIFY(original && original->GroupTotal(2) > 0 && original->GroupTotal(5) == 0);
    OpenByMenu(w, plan);
    MainWindow& f = w.Main();
    w.Dialogs().yesNoAnswers = {true};
    Drag(f.Overview().Image(3), AppWindow::CellCentre(f.Overview().Panel(), 5));
    QCOMPARE(f.StatusText(), QString::fromUtf8("レイヤ変換完了しました。 [2]→[5] 11 図形"));
    std::string saved = SaveAsProposed(w, plan);
    QCOMPARE(f.StatusText(), QString::fromUtf8("保存を行いました。｜JWW形式ファイル"));
    std::unique_ptr<Document> back = Read(saved);
    QVERIFY(back);
    QVERIFY(back->Census(5, -1) == original->Census(2, -1));
    QCOMPARE(back->GroupTotal(2), 0);
    QCOMPARE(TotalsByLayer(*back), Moved(TotalsByLayer(*original), 2, -1, 5, -1));
    back->Apply(RelayerRule{{5, -1}, {2, -1}});
    QVERIFY(test::SameModel(*back, *original));
  }

  void LayerBetweenTheTwoLayerWindows() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    std::string plan = w.Dir().File("mansion.jww");
    std::filesystem::copy_file(test::SamplePath("jww/dist_amansion_heimen.jww"), plan);
    std::filesystem::permissions(plan, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    std::unique_ptr<Document> original = Resaved(plan, w.Dir().File("reference.jww"));
    QVERIFY(original && original->LayerTotal(3, 7) == 0 && original->LayerName(3, 7).empty());
    OpenByMenu(w, plan);
    MainWindow& f = w.Main();
    AppWindow::DoubleClick(f.Overview().Image(1));
    AppWindow::DoubleClick(f.Overview().Image(4));
    QVERIFY(QTest::qWaitForWindowExposed(&f.SecondLayerWindow()));
    w.Dialogs().yesNoAnswers = {true};
    Drag(f.FirstLayerWindow().Image(5), AppWindow::CellCentre(f.SecondLayerWindow().Panel(), 7));
    QCOMPARE(f.FirstLayerWindow().StatusText(),
             QString::fromUtf8("レイヤ変換完了しました。 [0]－[4]→[3]－[7] 632 図形"));
    std::unique_ptr<Document> back = Read(SaveAsProposed(w, plan));
    QVERIFY(back);
    QVERIFY(back->Census(3, 7) == original->Census(0, 4));
    QCOMPARE(TotalsByLayer(*back), Moved(TotalsByLayer(*original), 0, 4, 3, 7));
    QCOMPARE(back->LayerName(3, 7), original->LayerName(0, 4));
    QCOMPARE(back->LayerName(0, 4), std::string());
    back->Apply(RelayerRule{{3, 7}, {0, 4}});
    QVERIFY(test::SameModel(*back, *original));
  }

  // Ctrl+M: the lists chosen with the keys, then the question, the step
  // and the status line of a drag; undo reports the way back.
  void MovesByTheKeyboard() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample("jww/jdu_sample.jww");  // figures on groups 0 and F only
    MainWindow& f = w.Main();
    MoveDialog d(f.State().document);
    auto list = [&d](const char* name) { return d.findChild<QComboBox*>(name); };
    QVERIFY(!list("toLayer")->isEnabled());
    QTest::keyClick(list("fromGroup"), Qt::Key_End);
    QTest::keyClick(list("toGroup"), Qt::Key_Down);
    QTest::keyClick(list("toGroup"), Qt::Key_Down);
    QCOMPARE(d.Choice(), (MoveChoice{{15, -1}, {3, -1}}));
    QTest::keyClick(list("fromLayer"), Qt::Key_Down);  // layer 0 onto a layer
    QCOMPARE(d.Choice(), (MoveChoice{{15, 0}, {3, 0}}));
    const int figures = f.State().document.GroupTotal(15);
    w.Dialogs().moveAnswers = {d.Choice(), MoveChoice{{0, -1}, {3, -1}}};
    w.Dialogs().yesNoAnswers = {true, true};
    QTest::keyClick(&f, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(w.Dialogs().boxes.back().text,
             Q("レイヤ[F]－[0]の図形を\r\nレイヤ[3]－[0]へ移動します。\r\nよろしいですか？"));
    QCOMPARE(f.StatusText(), Q("レイヤ変換完了しました。 [F]－[0]→[3]－[0] 6,454 図形"));
    QCOMPARE(f.State().document.GroupTotal(3), figures);
    QTest::keyClick(&f, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(f.StatusText(), Q("レイヤ変換完了しました。 [0]→[3] 11 図形"));
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.StatusText(), Q("元に戻しました。 [3]→[0] 11 図形"));
  }

  void EveryFormatByMouseAlone_data() {
    QTest::addColumn<QString>("sample");
    QTest::newRow("JWW") << "jww/dist_sample.jww";
    QTest::newRow("JWS") << "jws/dist_kitchen.jws";
    QTest::newRow("JWK") << "jwk/dist_desk.jwk";
    QTest::newRow("JWC") << "";  // made here: there is no shared JWC sample
  }

  // Group 0 onto group 9, then the first layer of group 9 onto layer E of
  // group A in the other layer window.
  void EveryFormatByMouseAlone() {
    QUINTARO_QT_NEEDS_SAMPLES();
    QFETCH(QString, sample);
    AppWindow w;
    std::string plan;
    if (sample.isEmpty()) {
      plan = w.Dir().File("plan.jwc");
      TJwcData jwc = MakeLargeJwc(40);  // groups 0 to 2
      jwc.layerGroups[0].name = "1F";
      QVERIFY(jwc.SaveToFile(plan));
    } else {
      std::filesystem::path name = std::filesystem::path(sample.toStdString()).filename();
      plan = w.Dir().File(name.string());
      std::filesystem::copy_file(test::SamplePath(sample.toStdString()), plan);
      std::filesystem::permissions(plan, std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add);
    }
    std::string ext = std::filesystem::path(plan).extension().string();
    std::unique_ptr<Document> original = Resaved(plan, w.Dir().File("reference" + ext));
    QVERIFY(original && original->GroupTotal(9) == 0 && original->GroupTotal(10) == 0);
    Totals before = TotalsByLayer(*original);
    int layer = 0;
    while (layer < 15 && before[layer] == 0) ++layer;
    QVERIFY(before[layer] > 0);
    OpenByMenu(w, plan);
    MainWindow& f = w.Main();
    w.Dialogs().yesNoAnswers = {true, true};
    Drag(f.Overview().Image(1), AppWindow::CellCentre(f.Overview().Panel(), 9));
    AppWindow::DoubleClick(f.Overview().Image(10));
    AppWindow::DoubleClick(f.Overview().Image(11));
    QVERIFY(QTest::qWaitForWindowExposed(&f.SecondLayerWindow()));
    Drag(f.FirstLayerWindow().Image(layer + 1),
         AppWindow::CellCentre(f.SecondLayerWindow().Panel(), 14));
    QCOMPARE(w.Dialogs().boxes.size(), std::size_t{2});
    std::unique_ptr<Document> back = Read(SaveAsProposed(w, plan));
    QVERIFY(back);
    QCOMPARE(TotalsByLayer(*back), Moved(Moved(before, 0, -1, 9, -1), 9, layer, 10, 14));
    back->Apply(RelayerRule{{10, 14}, {9, layer}});
    back->Apply(RelayerRule{{9, -1}, {0, -1}});
    QVERIFY(test::SameModel(*back, *original));
  }
};

QTEST_MAIN(RelayerRoadTest)
#include "relayer_road_test.moc"
