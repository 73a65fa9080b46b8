// What the desktop program does differently on Windows: the native platform
// and style, the settings in the user's application data, Qt's Japanese
// texts carried inside the program, the MS fonts the drawings name, plain
// dialog patterns, and Japanese file names through open and Save As.
// Runs on the real "windows" platform (under Wine: with a display).
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <QtTest>
#include <filesystem>

#include "app/app_environment.h"
#include "app/document_session.h"
#include "app/translations.h"
#include "formats/common/file_io.h"
#include "render/qt/qt_canvas.h"
#include "render/text/text_draw.h"
#include "scripted_dialogs.h"
#include "support/temp_dir.h"
#include "utf8_text.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::app::testing::Q;

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowsAsItsUsersKnowIt() {
    QCoreApplication::setApplicationName(
        QStringLiteral("quintaro"));  // as the program names itself
    testing::ScriptedDialogs dialogs;
    AppEnvironment env = DefaultEnvironment(dialogs);
    bool japanese = false;
    const std::pair<QString, QString> cases[] = {
        {QGuiApplication::platformName(), QStringLiteral("windows")},
        {QApplication::style()->name(), QStringLiteral("windowsvista")},
        {env.settingsPath, QDir(qEnvironmentVariable("LOCALAPPDATA"))
                               .filePath(QStringLiteral("quintaro/quintaro.ini"))
                               .replace('\\', '/')},
        {render::FamiliesForFace(render::kDefaultFontName, &japanese).first(),
         QStringLiteral("MS Gothic")},
        {FileFilter(QStringLiteral("JWW File(*.jww)"), {QStringLiteral("jww")}),
         QStringLiteral("JWW File(*.jww) (*.jww)")},
    };
    for (const auto& [got, want] : cases) QCOMPARE(got, want);
    QVERIFY(!env.settingsPath.startsWith(env.programFolder, Qt::CaseInsensitive));
    // No translations folder on a user's machine: the program carries them.
    QVERIFY(InstallJapaneseTranslations(*QCoreApplication::instance()));
  }

  void JapaneseNamesOpenAndSave() {
    QUINTARO_QT_NEEDS_SAMPLES();
    test::TempDir dir;
    std::string folder = dir.File("図面 フォルダ");
    std::filesystem::create_directory(FsPath(folder));
    std::string original = folder + "/平面図.jww";
    std::filesystem::copy_file(FsPath(test::SamplePath("jww/dist_sample.jww")), FsPath(original));
    AppState state;
    struct : SessionHost {
      bool DrawBusy() const override { return false; }
      void SetStatusText(const QString&) override {}
      void SetTitle(const QString&) override {}
      void ShowAllPage() override {}
      void DocumentChanged() override {}
    } host;
    testing::ScriptedDialogs dialogs;
    DocumentSession session(state, host, dialogs, Q(dir.File("program")));
    QCOMPARE(session.OpenDocument(Q(original)), OpenOutcome::kOpened);
    dialogs.saveAnswers.push_back(Q(folder + "/_平面図.jww"));
    QVERIFY(session.SaveDocumentAs());
    QCOMPARE(QFileInfo(Q(folder + "/_平面図.jww")).size(), QFileInfo(Q(original)).size());
  }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
