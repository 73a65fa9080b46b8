// Moves that are never lost: undo and redo of every kind of move with the
// keyboard, the asterisk of unsaved moves, the question before closing,
// opening or dropping a file, the moves written as a mapping file and
// applied again, and the recent files.
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/translations.h"
#include "app/ui_texts.h"
#include "app_window.h"
#include "document/relayer_plan.h"
#include "layer_totals.h"
#include "support/temp_dir.h"
#include "utf8_text.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::app::testing::Q;
using testing::AppWindow;

namespace {

constexpr char kSample[] = "jww/dist_sample.jww";

// What a move may change: every layer's figures and every name.
struct LayerState {
  testing::Totals totals{};
  std::vector<std::string> names;
  friend bool operator==(const LayerState&, const LayerState&) = default;
};

LayerState StateOf(const Document& doc) {
  LayerState s{testing::TotalsByLayer(doc), {}};
  for (int g = 0; g < 16; ++g) {
    s.names.push_back(doc.GroupName(g));
    for (int l = 0; l < 16; ++l) s.names.push_back(doc.LayerName(g, l));
  }
  return s;
}

// The first group with figures, and the first layer of it with figures.
std::pair<int, int> FirstFilled(const Document& doc) {
  for (int code = 0; code < 256; ++code) {
    if (doc.LayerTotal(code / 16, code % 16) > 0) return {code / 16, code % 16};
  }
  return {-1, -1};
}

void Key(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(window, static_cast<Qt::Key>(key), modifiers);
}

enum class MoveKind { kGroup, kLayer, kAcross };

// One confirmed move of the kind on the open drawing; the rule it stands for.
RelayerRule MoveOf(MainWindow& f, MoveKind kind, int g, int l) {
  int other = (g + 5) % 16;
  switch (kind) {
    case MoveKind::kGroup:
      f.Moves().MoveGroup(g, other);
      return {{g, -1}, {other, -1}};
    case MoveKind::kLayer:
      f.FirstLayerWindow().SetShownGroup(g);
      f.Moves().MoveLayer(f.FirstLayerWindow(), l, (l + 3) % 16);
      return {{g, l}, {g, (l + 3) % 16}};
    case MoveKind::kAcross:
      f.FirstLayerWindow().SetShownGroup(g);
      f.SecondLayerWindow().SetShownGroup(other);
      f.Moves().MoveLayerAcross(f.FirstLayerWindow(), f.SecondLayerWindow(), l, 2);
      return {{g, l}, {other, 2}};
  }
  return {};
}

// A file drop on the main window, as a file manager sends it.
void DropFile(MainWindow& f, const QString& path) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(path)});
  QPoint at(f.width() / 2, f.height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&f, &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&f, &drop);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

class HistoryTest : public QObject {
  Q_OBJECT

 private slots:
  void UndoAndRedoOfEachKindOfMove_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("group") << int(MoveKind::kGroup);
    QTest::newRow("layer") << int(MoveKind::kLayer);
    QTest::newRow("across") << int(MoveKind::kAcross);
  }
  void UndoAndRedoOfEachKindOfMove() {
    QUINTARO_QT_NEEDS_SAMPLES();
    QFETCH(int, kind);
    AppWindow w;
    w.OpenSample(kSample);
    MainWindow& f = w.Main();
    Document& doc = f.State().document;
    auto [g, l] = FirstFilled(doc);
    QVERIFY(g >= 0);
    const LayerState before = StateOf(doc);
    w.Dialogs().yesNoAnswers = {true};
    MoveOf(f, static_cast<MoveKind>(kind), g, l);
    const LayerState after = StateOf(doc);
    QVERIFY(after != before);
    QVERIFY(f.isWindowModified());
    Key(&f, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(StateOf(doc) == before);  // counts and both names as they were
    QVERIFY(f.StatusText().startsWith(Q("元に戻しました。 [")));  // what went back: relayer road
    QVERIFY(!f.isWindowModified());
    Key(&f, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(StateOf(doc) == after);
    QVERIFY(f.StatusText().startsWith(Q("やり直しました。 [")));
    Key(&f, Qt::Key_Z, Qt::ControlModifier);
    Key(&f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(StateOf(doc) == after);
  }

  // Save As clears the mark; undoing past the save brings it back, and
  // redoing to the saved state clears it again.
  void AsteriskFollowsTheSavedState() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    QString path = w.OpenSample(kSample);
    MainWindow& f = w.Main();
    QVERIFY(f.windowTitle().endsWith(QStringLiteral("[*]")));
    auto [g, l] = FirstFilled(f.State().document);
    w.Dialogs().yesNoAnswers = {true};
    MoveOf(f, MoveKind::kGroup, g, l);
    QVERIFY(f.isWindowModified());
    w.Dialogs().saveAnswers = {QString::fromStdString(w.Dir().File("saved.jww"))};
    QVERIFY(f.OnSaveAs());
    QVERIFY(!f.isWindowModified());
    f.OnUndo();
    QVERIFY(f.isWindowModified());
    f.OnRedo();
    QVERIFY(!f.isWindowModified());
  }

  // Closing, opening and dropping a file each ask about unsaved moves;
  // 保存 goes on only after the save, キャンセル leaves everything.
  void QuestionBeforeLosingMoves_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    for (const char* action : {"close", "open", "drop"}) {
      QTest::addRow("%s save", action) << action << int(SaveChoice::kSave) << true;
      QTest::addRow("%s discard", action) << action << int(SaveChoice::kDiscard) << true;
      QTest::addRow("%s cancel", action) << action << int(SaveChoice::kCancel) << false;
    }
  }
  void QuestionBeforeLosingMoves() {
    QUINTARO_QT_NEEDS_SAMPLES();
    QFETCH(QString, action);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    AppWindow w;
    QString first = w.OpenSample(kSample);
    QString second = w.OpenSample("jww/jdu_sample.jww");
    MainWindow& f = w.Main();
    f.OpenDocument(first);
    auto [g, l] = FirstFilled(f.State().document);
    w.Dialogs().yesNoAnswers = {true};
    MoveOf(f, MoveKind::kGroup, g, l);
    const LayerState moved = StateOf(f.State().document);
    w.Dialogs().boxes.clear();
    std::string saved = w.Dir().File("_saved.jww");
    w.Dialogs().saveChangesAnswers = {static_cast<SaveChoice>(answer)};
    w.Dialogs().saveAnswers = {QString::fromStdString(saved)};
    w.Dialogs().openAnswers = {second};
    if (action == "close") f.close();
    if (action == "open") f.findChild<QAction*>("openAction")->trigger();
    if (action == "drop") DropFile(f, second);
    QCOMPARE(w.Dialogs().boxes.front().kind, QStringLiteral("save?"));
    QCOMPARE(w.Dialogs().boxes.front().text, Q("図面への変更を保存しますか？"));
    QCOMPARE(std::filesystem::exists(saved), answer == int(SaveChoice::kSave));
    bool left =
        action == "close" ? f.TornDown() : QFileInfo(f.Session().DocPath()) == QFileInfo(second);
    QCOMPARE(left, goesOn);
    if (!goesOn) {
      QVERIFY(StateOf(f.State().document) == moved);
      QVERIFY(f.isWindowModified());
    }
  }

  // The session's moves, in order and without the undone one, written as a
  // mapping file that the tool's parser reads back as those moves; applied
  // to the drawing as first opened, the file gives the same layers, and is
  // undone in one step.
  void MovesAsMappingFile() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    QString path = w.OpenSample(kSample);
    MainWindow& f = w.Main();
    Document& doc = f.State().document;
    auto [g, l] = FirstFilled(doc);
    const LayerState opened = StateOf(doc);
    w.Dialogs().yesNoAnswers = {true, true, true};
    RelayerPlan made{MoveOf(f, MoveKind::kGroup, g, l),
                     MoveOf(f, MoveKind::kLayer, (g + 5) % 16, l)};
    MoveOf(f, MoveKind::kAcross, (g + 5) % 16, (l + 3) % 16);
    f.OnUndo();
    const LayerState moved = StateOf(doc);
    std::string file = w.Dir().File("moves.json");
    w.Dialogs().saveAnswers = {QString::fromStdString(file)};
    f.OnSaveMoves();
    QCOMPARE(w.Dialogs().saveRequests.back().title, Q("移動の記録を保存"));
    PlanParseResult parsed = ParseRelayerPlan(ReadText(file));
    QVERIFY2(parsed.Ok(), parsed.error.c_str());
    QVERIFY(parsed.rules == made);

    f.OpenDocument(path);
    QVERIFY(StateOf(doc) == opened);
    w.Dialogs().openAnswers = {QString::fromStdString(file)};
    f.OnApplyMapping();
    QVERIFY(StateOf(doc) == moved);
    QVERIFY(w.Dialogs().boxes.back().text.startsWith(Q("マッピングを適用しました。")));
    f.OnUndo();
    QVERIFY(StateOf(doc) == opened);
  }

  // The last drawings under ファイル, newest first, kept in the settings;
  // one that has gone is removed with a message when chosen.
  void RecentFiles() {
    QUINTARO_QT_NEEDS_SAMPLES();
    quintaro::test::TempDir keep;
    QString settings = QString::fromStdString(keep.File("quintaro.ini"));
    QString first = QString::fromStdString(keep.File("a.jww"));
    QString second = QString::fromStdString(keep.File("b.jww"));
    std::filesystem::copy_file(test::SamplePath(kSample), first.toStdString());
    std::filesystem::copy_file(test::SamplePath("jww/jdu_sample.jww"), second.toStdString());
    {
      AppWindow w({}, settings);
      QVERIFY(w.Main().OpenWithChecks(first) && w.Main().OpenWithChecks(second));
      w.Main().close();
    }
    AppWindow w({}, settings);
    QMenu* recent = w.Main().RecentMenu();
    QStringList shown;
    for (QAction* a : recent->actions()) shown << a->text();
    QCOMPARE(shown, (QStringList{"&1 " + QDir::toNativeSeparators(second),
                                 "&2 " + QDir::toNativeSeparators(first)}));
    // The copy keeps the sample's read-only mode, which Windows will not delete.
    std::error_code kept;
    std::filesystem::permissions(first.toStdString(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, kept);
    std::filesystem::remove(first.toStdString(), kept);
    QVERIFY2(!kept, kept.message().c_str());
    recent->actions().at(1)->trigger();
    QCOMPARE(w.Dialogs().boxes.back().text, Q("ファイルが見つかりません。一覧から削除しました。") +
                                                "\r\n" + QDir::toNativeSeparators(first));
    QCOMPARE(recent->actions().size(), 1);
    recent->actions().at(0)->trigger();
    QVERIFY(QFileInfo(w.Main().Session().DocPath()) == QFileInfo(second));
  }

  // The thumbnails follow a resized page; a wheel turn over the tabs keeps
  // the page; a drag highlights only the cell a drop would move onto.
  void ThumbnailsFollowTheWindow() {
    QUINTARO_QT_NEEDS_SAMPLES();
    AppWindow w;
    w.OpenSample(kSample);
    MainWindow& f = w.Main();
    w.Arrange();
    w.ShowGroups();
    const int before = f.Overview().Cells().width;
    f.resize(f.width() + 200, f.height() + 100);
    QTRY_COMPARE(f.Overview().Cells().width, f.Overview().Panel()->width() / 4);
    QVERIFY(f.Overview().Cells().width > before);

    QTabBar* tabs = f.findChild<QTabWidget*>("pages")->tabBar();
    QWheelEvent wheel(QPointF(5, 5), QPointF(tabs->mapToGlobal(QPoint(5, 5))), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
    QCOMPARE(tabs->currentIndex(), 1);

    ThumbnailImage* dragged = f.Overview().Image(1);
    QPoint press(5, 5);
    QMouseEvent down(QEvent::MouseButtonPress, press, dragged->mapToGlobal(press), Qt::RightButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(dragged, &down);
    auto hover = [&](int cell) {
      QPoint at = AppWindow::CellCentre(f.Overview().Panel(), cell);
      QMouseEvent move(QEvent::MouseMove, dragged->mapFromGlobal(at), at, Qt::NoButton,
                       Qt::RightButton, Qt::NoModifier);
      QApplication::sendEvent(dragged, &move);
      return f.Moves().Highlighted();
    };
    QVERIFY(hover(6) == f.Overview().Image(7));
    QVERIFY(hover(0) == nullptr);  // its own cell: a drop would do nothing
    QMouseEvent up(QEvent::MouseButtonRelease, press, dragged->mapToGlobal(press), Qt::RightButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(dragged, &up);
    QVERIFY(f.Moves().Highlighted() == nullptr);
  }

  // Qt's own buttons read Japanese once its translations are installed.
  void JapaneseButtons() {
    if (!InstallJapaneseTranslations(*QCoreApplication::instance())) {
      QSKIP("Qt's Japanese translations are not installed on this system");
    }
    QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(box.button(QMessageBox::Yes)->text().startsWith(Q("はい")));
  }

  // Qt's file dialog writes dates in Japanese where the system names no
  // language; a language the user chose is kept.
  void JapaneseDatesOnlyWithoutASystemLanguage() {
    struct Case {
      const char *all, *time, *lang, *timeAfter;
    };
    const Case cases[] = {
        {"", "", "", "ja_JP.UTF-8"},
        {"", "", "C", "ja_JP.UTF-8"},
        {"", "", "C.UTF-8", "ja_JP.UTF-8"},
        {"", "POSIX", "en_US.UTF-8", "ja_JP.UTF-8"},
        {"", "", "en_US.UTF-8", ""},
        {"", "de_DE.UTF-8", "C", "de_DE.UTF-8"},
        {"C", "", "", ""},
    };
    const char* names[] = {"LC_ALL", "LC_TIME", "LANG"};
    auto set = [](const char* name, const QByteArray& value) {  // empty: unset
      value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    };
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) saved[i] = qgetenv(names[i]);
    for (const Case& c : cases) {
      const char* values[] = {c.all, c.time, c.lang};
      for (int i = 0; i < 3; ++i) set(names[i], values[i]);
      UseJapaneseDatesWithoutSystemLanguage();
      QCOMPARE(qgetenv("LC_TIME"), QByteArray(c.timeAfter));
    }
    for (int i = 0; i < 3; ++i) set(names[i], saved[i]);
  }

  // Only a move between groups of different scales gets the extra line.
  void ScaleLineOfTheGroupQuestion() {
    QString plain = GroupMoveQuestion(2, 5);
    QCOMPARE(GroupMoveQuestion(2, 5, 100.0, 100.0), plain);
    // Written as the group labels write them, a stored float included.
    QCOMPARE(GroupMoveQuestion(2, 5, 100.0, 50.0),
             plain + "\r\n" + Q("縮尺が異なります（1/100.000 → 1/50.000）"));
    QCOMPARE(GroupMoveQuestion(0, 15, 100.0, double(0.2f)),
             QStringLiteral("%1\r\n").arg(GroupMoveQuestion(0, 15)) +
                 Q("縮尺が異なります（1/100.000 → 5.000/1）"));
  }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
