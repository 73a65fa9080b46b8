// The settings file on disk: the defaults of a missing file, a round trip,
// and a file that cannot be written.
#include <QtTest>
#include <fstream>

#include "app/settings_file.h"
#include "support/temp_dir.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::test::TempDir;

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void MissingFileGivesDesignedValuesAndSeventeenLines() {
    TempDir dir;
    AppSettings s = ReadSettings(dir.File("none.ini"));
    QCOMPARE(s.windows[0], (WindowBounds{192, 107, 555, 423}));
    QCOMPARE(s.windows[1], (WindowBounds{304, 262, 503, 376}));
    QCOMPARE(s.windows[2], (WindowBounds{234, 173, 503, 376}));
    QVERIFY(s.lastFile.empty());
    QCOMPARE(s.backBlack, 0);
    QCOMPARE(s.grayEmpty, 0);
    QVERIFY(WriteSettings(dir.File("sub/q.ini"), s));
    const std::string expected =
        "[Form]\r\nF01_X=192\r\nF01_Y=107\r\nF01_W=555\r\nF01_H=423\r\n"
        "F02_X=304\r\nF02_Y=262\r\nF02_W=503\r\nF02_H=376\r\n"
        "F03_X=234\r\nF03_Y=173\r\nF03_W=503\r\nF03_H=376\r\n"
        "[Sets]\r\nZFILE=\"\"\r\nBKCOL=0\r\nLGRAY=0\r\n";
    QCOMPARE(ReadText(dir.File("sub/q.ini")), expected);
  }

  void QuotedPathWithSpacesRoundTrips() {
    TempDir dir;
    AppSettings s;
    s.lastFile = "/home/u/my drawings/図面 1.jww";
    s.windows[1] = {-10, 5, 300, 200};
    s.backBlack = 1;
    QVERIFY(WriteSettings(dir.File("q.ini"), s));
    QVERIFY(ReadText(dir.File("q.ini")).find("ZFILE=\"/home/u/my drawings/図面 1.jww\"\r\n") !=
            std::string::npos);
    QCOMPARE(ReadSettings(dir.File("q.ini")), s);
  }

  void UnwritableFileIsReportedAndLeavesNothingBroken() {
    TempDir dir;
    quintaro::test::WriteAll(dir.File("plain"), {'x'});
    // A folder that cannot exist: its parent is a file.
    QVERIFY(!WriteSettings(dir.File("plain/quintaro.ini"), AppSettings{}));
    QCOMPARE(quintaro::test::ReadAll(dir.File("plain")).size(), std::size_t{1});
  }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
