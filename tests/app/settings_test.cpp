// The settings file: lookup rules, number conversion, the 17 written lines,
// and a file that cannot be written.
#include <QtTest>
#include <fstream>

#include "app/settings_file.h"
#include "support/temp_dir.h"

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

  void FlagsAreZeroOrOne() {
    AppSettings s = ParseSettings("[Sets]\nBKCOL=7\nLGRAY=-3\n");
    QCOMPARE(s.backBlack, 1);
    QCOMPARE(s.grayEmpty, 1);
    QVERIFY(FormatSettings(s).find("BKCOL=1\r\nLGRAY=1\r\n") != std::string::npos);
    QCOMPARE(ParseSettings("[Sets]\nBKCOL=x\nLGRAY=0\n").backBlack, 0);
  }

  void BoundsTakeNumbersAndZeroForText() {
    AppSettings s = ParseSettings(
        "[Form]\r\nF01_X=abc\r\nF01_Y=-20\r\nF01_W=\r\nF03_H=700\r\n[Other]\r\nF02_X=1\r\n");
    QCOMPARE(s.windows[0], (WindowBounds{0, -20, 555, 423}));
    QCOMPARE(s.windows[1], kDesignedBounds[1]);  // F02_X stands in another section
    QCOMPARE(s.windows[2].height, 700);
    QVERIFY(FormatSettings(s).find("F01_Y=-20\r\n") != std::string::npos);
  }

  void ProfileIntAcceptsOnlyDecimalIntegers() {
    QCOMPARE(ProfileInt("12"), 12);
    QCOMPARE(ProfileInt("-5"), -5);
    QCOMPARE(ProfileInt("+7"), 7);
    QCOMPARE(ProfileInt("1e3"), 0);
    QCOMPARE(ProfileInt("12abc"), 0);
    QCOMPARE(ProfileInt(""), 0);
    QCOMPARE(ProfileInt("99999999999"), 0);  // beyond 32 bits
  }

  void LookupRules() {
    const std::string text =
        "; comment\n[ sets ]\n  zfile =  \"C:\\my drawings\\plan a.jww\"  \nBKCOL=\n"
        "[Sets]\nLGRAY=1\n";
    QCOMPARE(ReadProfileString(text, "Sets", "ZFILE", 512).value(),
             std::string("C:\\my drawings\\plan a.jww"));
    QVERIFY(!ReadProfileString(text, "Sets", "BKCOL", 22));   // empty counts as missing
    QVERIFY(!ReadProfileString(text, "Form", "ZFILE", 512));  // other section
    QCOMPARE(ReadProfileString(text, "Sets", "LGRAY", 22).value(), std::string("1"));
    // Only one pair of quotes goes; a lone quote stays.
    QCOMPARE(ReadProfileString("[S]\nK=\"\"a\"\"\n", "S", "K", 22).value(), std::string("\"a\""));
    QCOMPARE(ReadProfileString("[S]\nK=\"a\n", "S", "K", 22).value(), std::string("\"a"));
  }

  void ValuesAreCutToTheBuffer() {
    std::string path(600, 'p');
    AppSettings s = ParseSettings("[Sets]\nZFILE=\"" + path + "\"\n");
    QCOMPARE(s.lastFile.size(), std::size_t{511});
    // 21 characters of a longer number are still a number.
    QCOMPARE(ParseSettings("[Form]\nF01_X=000000000000000000042999\n").windows[0].left, 42);
    // A cut never splits a character.
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "図";
    QCOMPARE(ReadProfileString("[S]\nK=" + wide + "\n", "S", "K", 512).value().size(),
             std::size_t{510});
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
