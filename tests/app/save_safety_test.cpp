// Save As when the file system resists, and the opened file under every
// name it has: each failure shows the failed-save status, leaves no partial
// file, keeps the opened file and an existing target byte for byte and time
// for time, and the next Save As works. Also the settings file at exit.
#include <QtTest>
#include <filesystem>

#include "app/document_session.h"
#include "app/ui_texts.h"
#include "app_window.h"
#include "robustness/faults.h"
#include "scripted_dialogs.h"
#include "utf8_text.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::app::testing::Q;
using quintaro::test::Snap;
namespace fs = std::filesystem;

namespace {

struct QuietHost : SessionHost {
  QStringList statuses;
  bool DrawBusy() const override { return false; }
  void SetStatusText(const QString& t) override { statuses << t; }
  void SetTitle(const QString&) override {}
  void ShowAllPage() override {}
  void DocumentChanged() override {}
};

// A session with plan.jww open and an older out/_plan.jww beside it.
struct Fixture {
  quintaro::test::TempDir dir;
  AppState state;
  QuietHost host;
  testing::ScriptedDialogs dialogs;
  DocumentSession session{state, host, dialogs, Q(dir.File("program"))};
  std::string plan = dir.File("plan.jww"), out = dir.File("out");
  std::string target = dir.File("out/_plan.jww");

  Fixture() {
    fs::create_directory(dir.File("program"));
    fs::create_directory(out);
    fs::copy_file(quintaro::test::SamplePath("jww/dist_test7.jww"), plan);
    quintaro::test::Age(plan);
    session.OpenDocument(Q(plan));
    quintaro::test::WriteAll(target, {'o', 'l', 'd'});
    quintaro::test::Age(target);
  }
  // Save As `name`, answering Yes to the question about replacing it.
  QString SaveAs(const std::string& name) {
    dialogs.saveAnswers = {Q(name)};
    dialogs.yesNoAnswers = {true};
    session.SaveDocumentAs();
    return host.statuses.isEmpty() ? QString() : host.statuses.last();
  }
  // Only the old target and its backup copy are in `out`.
  bool OutHoldsNothingElse() const {
    for (const auto& name : quintaro::test::Names(out))
      if (name != "_plan.jww" && name != "_plan._JWW") return false;
    return true;
  }
};

}  // namespace

class SaveSafetyTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryNameOfTheOpenedFileIsRefusedAndItStaysUntouched() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    fs::create_directory(f.dir.File("sub"));
    fs::create_symlink(f.plan, f.dir.File("link.jww"));
    fs::create_hard_link(f.plan, f.dir.File("hard.jww"));
    fs::create_directory_symlink(f.dir.Path(), f.dir.File("sub/back"));
    auto before = Snap(f.plan);
    for (const std::string& alias :
         {f.plan, f.dir.Path() + "/./plan.jww", f.dir.File("sub") + "/../plan.jww",
          f.dir.File("PLAN.JWW"), f.dir.File("link.jww"), f.dir.File("hard.jww"),
          f.dir.File("sub/back/plan.jww")}) {
      f.dialogs.boxes.clear();
      QCOMPARE(f.SaveAs(alias), QString::fromUtf8(text::kNotSaved));
      QCOMPARE(f.dialogs.boxes.size(), std::size_t{1});
      QCOMPARE(f.dialogs.boxes[0].text, QString::fromUtf8(text::kSameName));
      QVERIFY(Snap(f.plan) == before);
    }
    QVERIFY(!fs::exists(f.dir.File("plan._JWW")));
  }

  void AFullDiskLeavesNoPartialFile() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    auto in = Snap(f.plan), old = Snap(f.target);
    {
      quintaro::test::FileSizeLimit full(20000);
      QCOMPARE(f.SaveAs(f.target), QString::fromUtf8(text::kSaveFailed));
      QCOMPARE(f.SaveAs(f.out + "/new.jww"), QString::fromUtf8(text::kSaveFailed));
    }
    QVERIFY(Snap(f.plan) == in);
    QVERIFY(Snap(f.target) == old);
    QVERIFY(f.OutHoldsNothingElse());
    QCOMPARE(f.SaveAs(f.target), QString::fromUtf8("保存を行いました。｜JWW形式ファイル"));
  }

  void AReadOnlyFolderOrTargetIsNotWritten() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    auto in = Snap(f.plan), old = Snap(f.target);
    {
      quintaro::test::ReadOnly target(f.target);
      if (!target.Ok()) QSKIP(quintaro::test::ReadOnly::kWhyNot);
      QCOMPARE(f.SaveAs(f.target), QString::fromUtf8(text::kSaveFailed));
    }
    {
      quintaro::test::ReadOnly folder(f.out);
      QVERIFY(folder.Ok());
      QCOMPARE(f.SaveAs(f.out + "/new.jww"), QString::fromUtf8(text::kSaveFailed));
      QCOMPARE(f.SaveAs(f.target), QString::fromUtf8(text::kSaveFailed));
    }
    QVERIFY(Snap(f.plan) == in);
    QVERIFY(Snap(f.target) == old);
    QVERIFY(f.OutHoldsNothingElse());
    QCOMPARE(f.SaveAs(f.target), QString::fromUtf8("保存を行いました。｜JWW形式ファイル"));
  }

  void AFileForTheFolderOrAFolderForTheTargetFailsEvenForRoot() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    auto in = Snap(f.plan), old = Snap(f.target);
    QCOMPARE(f.SaveAs(f.target + "/x.jww"), QString::fromUtf8(text::kSaveFailed));
    fs::create_directory(f.out + "/folder.jww");
    quintaro::test::WriteAll(f.out + "/folder.jww/keep", {'k'});
    QCOMPARE(f.SaveAs(f.out + "/folder.jww"), QString::fromUtf8(text::kSaveFailed));
    QCOMPARE(quintaro::test::Names(f.out + "/folder.jww"), std::vector<std::string>{"keep"});
    QVERIFY(Snap(f.plan) == in);
    QVERIFY(Snap(f.target) == old);
    QCOMPARE(f.SaveAs(f.out + "/new.jww"),
             QString::fromUtf8("保存を行いました。｜JWW形式ファイル"));
  }

  // The box names the file and says why; the dialog comes back with the
  // name tried, and the drawing stays unsaved until a save works.
  void AFailedSaveSaysWhyAndReturnsToTheDialog() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    fs::create_directory(f.out + "/folder.jww");
    const std::string locked = f.dir.File("locked");
    fs::create_directory(locked);
    quintaro::test::ReadOnly guard(locked);
    if (!guard.Ok()) QSKIP(quintaro::test::ReadOnly::kWhyNot);
    const std::pair<std::string, const char*> cases[] = {
        {f.out + "/folder.jww", "同じ名前のフォルダがあります。"},
        {f.dir.File("none/x.jww"), "保存先のフォルダがありません。"},
        {locked + "/x.jww", "保存先のフォルダに書き込む権限がありません。"},
    };
    for (const auto& [target, why] : cases) {
      f.dialogs.saveRequests.clear();
      QCOMPARE(f.SaveAs(target), QString::fromUtf8(text::kSaveFailed));
      QCOMPARE(f.dialogs.boxes.back().text,
               QDir::toNativeSeparators(Q(target)) + Q("\r\n保存できませんでした：") + Q(why));
      QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{2});
      QCOMPARE(f.dialogs.saveRequests[1].fileName, QFileInfo(Q(target)).fileName());
    }
  }

  void TheOpenedFileVanishingBeforeSaveAsCostsNothing() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    std::int64_t lines = f.state.document.Counts().lines;
    fs::remove(f.plan);
    QCOMPARE(f.SaveAs(f.out + "/new.jww"),
             QString::fromUtf8("保存を行いました。｜JWW形式ファイル"));
    Document back;
    QCOMPARE(back.Open(f.out + "/new.jww"), OpenResult::kOpened);
    QCOMPARE(back.Counts().lines, lines);
    // Its own name is still refused: it is the drawing's name.
    QCOMPARE(f.SaveAs(f.plan), QString::fromUtf8(text::kNotSaved));
    QVERIFY(!fs::exists(f.plan));
  }

  void AnUnwritableSettingsFileCostsOnlyTheSettings() {
    QUINTARO_QT_NEEDS_SAMPLES();
    testing::AppWindow w("[Sets]\r\nBKCOL=0\r\n");
    std::string path = w.SettingsPath().toStdString();
    auto before = Snap(path);
    quintaro::test::ReadOnly settings(path);
    if (!settings.Ok()) QSKIP(quintaro::test::ReadOnly::kWhyNot);
    w.OpenSample("jww/dist_test1.jww");
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("settings could not be written.*quintaro\\.ini"));
    QVERIFY(w.Main().close());
    QVERIFY(Snap(path) == before);
    for (const auto& name : quintaro::test::Names(w.Dir().Path()))
      QVERIFY2(!QString::fromStdString(name).startsWith("quintaro.ini."), name.c_str());
  }
};

QTEST_MAIN(SaveSafetyTest)
#include "save_safety_test.moc"
