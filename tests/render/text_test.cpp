#include <gtest/gtest.h>

#include "render/text/text_draw.h"
#include "render/text/text_macros.h"
#include "render_fixture.h"

namespace quintaro::render {
namespace {

using test::Drawing;

// A row from (x, 10) towards (x + 50, 10) in a 10 px/mm window of 100 x 100 mm.
TextRow Row(std::string_view text, double width = 2, double height = 3, double spacing = 0) {
  TextRow r;
  r.text = text;
  r.fontName = kDefaultFontName;
  r.width = width;
  r.height = height;
  r.spacing = spacing;
  r.startX = 10;
  r.startY = 10;
  r.endX = 60;
  r.endY = 10;
  return r;
}

std::vector<int> TextXs(const RecordingCanvas& c) {
  std::vector<int> xs;
  for (const auto& call : c.Of(CallKind::kText)) xs.push_back(call.points[0].x);
  return xs;
}

struct TextTest : ::testing::Test {
  Drawing d{0, 0, 10, 1000, 1000};
  std::string Drawn(std::string_view text) {
    d.canvas.Clear();
    DrawTextRow(d.dc, d.canvas, Row(text));
    return d.canvas.AllText();
  }
};

TEST_F(TextTest, CharactersAdvanceByHalfOrWholeCells) {
  DrawTextRow(d.dc, d.canvas,
              Row("A\x82\xA0"
                  "B",
                  2, 3, 1));
  auto texts = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(texts.size(), 3u);
  // Cell top left corners: the row's baseline is at y = 10 mm (row 900).
  EXPECT_EQ(texts[0].points[0], (PixelPoint{100, 870}));
  EXPECT_EQ(texts[1].points[0], (PixelPoint{115, 870}));  // + (2 + 1) / 2 mm
  EXPECT_EQ(texts[2].points[0], (PixelPoint{145, 870}));  // + 2 + 1 mm
  EXPECT_EQ(texts[1].text, "\x82\xA0");
  EXPECT_EQ(texts[0].font.height, 30);
  EXPECT_EQ(texts[0].font.width, 10);
  EXPECT_EQ(texts[0].font.escapement, 0);
  EXPECT_EQ(texts[0].font.faceName, kDefaultFontName);
}

TEST_F(TextTest, TooSmallOrTooLargeTextsBecomeAThickLine) {
  DrawTextRow(d.dc, d.canvas, Row("abc", 2, 0.5));  // 5 px high
  DrawTextRow(d.dc, d.canvas, Row("abc", 101, 3));  // 1010 px wide
  auto lines = d.canvas.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].from, (PixelPoint{100, 900}));
  EXPECT_EQ(lines[0].to, (PixelPoint{600, 900}));
  EXPECT_EQ(lines[0].pen.width, 3);
  EXPECT_EQ(d.canvas.Count(CallKind::kText), 0);
  TextRow shortRow = Row("abc");
  shortRow.endX = 10.5;  // 5 px long
  DrawTextRow(d.dc, d.canvas, shortRow);
  EXPECT_EQ(d.canvas.Lines().size(), 3u);
}

TEST_F(TextTest, NegativeWidthRunsFromTheEndPoint) {
  DrawTextRow(d.dc, d.canvas, Row("ab", -2, 3));
  auto texts = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].font.escapement, 1800);
  // From (60, 10) leftwards; the turned cell's top left lies below and right.
  EXPECT_EQ(texts[0].points[0], (PixelPoint{600, 930}));
  EXPECT_EQ(texts[1].points[0], (PixelPoint{590, 930}));
}

TEST_F(TextTest, UpsideDownVerticalFaceTurnsHalfRound) {
  TextRow r = Row("a");
  r.fontName = "@@X";
  DrawTextRow(d.dc, d.canvas, r);
  auto t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].font.faceName, "X");
  EXPECT_EQ(t[0].font.escapement, 1800);
  // Base moved by the width along and the height below, to (12, 7) mm; the
  // cell still stands on it upright, only the font is turned.
  EXPECT_EQ(t[0].points[0], (PixelPoint{120, 900}));
}

TEST_F(TextTest, CellsOutsideTheWindowAreSkipped) {
  TextRow r = Row("abc");
  r.startX = -1.5;  // the first cell spans -1.5..-0.5 mm
  r.endX = 40;
  DrawTextRow(d.dc, d.canvas, r);
  EXPECT_EQ(TextXs(d.canvas), (std::vector<int>{-5, 5}));
}

TEST_F(TextTest, TrailingMarksSpreadOrCompressTheText) {
  DrawTextRow(d.dc, d.canvas, Row("AB\xA5"));  // spacing becomes (1 + 0) / 1 * 2
  EXPECT_EQ(d.canvas.AllText(), "AB");
  EXPECT_EQ(TextXs(d.canvas), (std::vector<int>{100, 120}));
  d.canvas.Clear();
  DrawTextRow(d.dc, d.canvas, Row("AB\x81\x45\x81\x45"));  // spacing (2 * 2 + 0) / 1 * 2
  EXPECT_EQ(d.canvas.AllText(), "AB");
  EXPECT_EQ(TextXs(d.canvas), (std::vector<int>{100, 150}));
  d.canvas.Clear();
  DrawTextRow(d.dc, d.canvas, Row("ABCDEF^3"));  // width * 3 / 6
  EXPECT_EQ(d.canvas.AllText(), "ABCDEF");
  EXPECT_EQ(TextXs(d.canvas), (std::vector<int>{100, 105, 110, 115, 120, 125}));
  d.canvas.Clear();
  DrawTextRow(d.dc, d.canvas, Row("AB^1"));  // 2 - 1 is not above 1: size kept
  EXPECT_EQ(TextXs(d.canvas), (std::vector<int>{100, 110}));
}

TEST_F(TextTest, ControlSequences) {
  DrawTextRow(d.dc, d.canvas, Row("A^!B^#C"));
  auto t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].font.weight, 400);
  EXPECT_EQ(t[1].font.weight, 700);
  EXPECT_EQ(t[2].font.weight, 400);
  EXPECT_EQ(TextXs(d.canvas), (std::vector<int>{100, 110, 120}));

  EXPECT_EQ(Drawn("A^*^!B"), "A^!B");
  EXPECT_EQ(Drawn("A^$xB"), "A^$xB");
  EXPECT_EQ(Drawn("A^u"), "A^u");  // nothing to place: literal
  EXPECT_EQ(Drawn("A^u^!B"), "A^uB");

  d.canvas.Clear();
  DrawTextRow(d.dc, d.canvas, Row("A^$3B"));
  t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].textColor, d.attr.ColorOfPen(3));
}

TEST_F(TextTest, PlacementControls) {
  DrawTextRow(d.dc, d.canvas, Row("A^uBC"));
  auto t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 3u);
  // B half-size, raised by half the height (1.5 mm): its cell top at 10 + 1.5 + 1.5.
  EXPECT_EQ(t[1].points[0], (PixelPoint{110, 870}));
  EXPECT_EQ(t[1].font.height, 15);
  EXPECT_EQ(t[2].points[0], (PixelPoint{120, 870}));  // the cursor moved by (2 + 0) / 2

  d.canvas.Clear();
  DrawTextRow(d.dc, d.canvas, Row("A^oBC"));
  t = d.canvas.Of(CallKind::kText);
  ASSERT_EQ(t.size(), 3u);
  // Centred on A's cell (10..11 mm): half cell 0.5 mm wide starting at 10.25,
  // raised 0.75; pixels 102.5 and 877.5 round to even.
  EXPECT_EQ(t[1].points[0], (PixelPoint{102, 878}));
  EXPECT_EQ(t[2].points[0], (PixelPoint{110, 870}));  // the cursor did not move
}

TEST_F(TextTest, WholeTextMacrosOnly) {
  d.dc.macros.fileName = "/data/plans/house.jww";
  EXPECT_EQ(Drawn("%F"), "/data/plans/house.jww");
  EXPECT_EQ(Drawn("x%F"), "x%F");
  EXPECT_EQ(Drawn("%f"), "house.jww");
  EXPECT_EQ(Drawn("$f"), "house");
  EXPECT_EQ(Drawn("%f3"), "hou");
  EXPECT_EQ(Drawn("%%^!x"), "%%^!x");  // no control sequences either
}

TEST_F(TextTest, FileNamePrefixKeepsDoubleByteCharactersWhole) {
  d.dc.macros.fileName = "/p/ab\xE5\xAE\xB6.jww";  // "ab" and a kanji
  EXPECT_EQ(Drawn("%f3"), "ab");
  EXPECT_EQ(Drawn("%f4"), "ab\x89\xC6");
  d.dc.macros.fileName = "/p/\xE5\xAE\xB6.jww";
  EXPECT_EQ(Drawn("%f1"), "\xA5");
}

TEST_F(TextTest, ScaleMacros) {
  d.dc.groupScale = 100;
  EXPECT_EQ(Drawn("%SS"), "1/100");
  EXPECT_EQ(Drawn("%ss"), "100");
  d.dc.macros.printScale = 2;
  EXPECT_EQ(Drawn("%SP"), "1/50");
  d.dc.groupScale = 0.5;
  EXPECT_EQ(Drawn("%SS"), "2/1");
  EXPECT_EQ(Drawn("%sp"), "4");
  d.dc.groupScale = 0.3;
  EXPECT_EQ(Drawn("%SS"), "3.3/1");
  d.dc.groupScale = 0;  // no scale: 1:1 rather than a division by zero
  EXPECT_EQ(Drawn("%SS"), "1/1");
}

TEST_F(TextTest, DateAndTimeMacrosWithAFixedClock) {
  DateTime now{2019, 5, 1, 12, 30, 7};
  d.dc.clock = [&] { return now; };
  EXPECT_EQ(Drawn("$h"), "0");
  EXPECT_EQ(Drawn("%H"), "12");
  EXPECT_EQ(Drawn("$n"), "PM");
  EXPECT_EQ(Drawn("%N"), "\x8C\xE3");
  EXPECT_EQ(Drawn("&S"), " 7");
  EXPECT_EQ(Drawn("%S"), "07");
  EXPECT_EQ(Drawn("$j"), "2019/ 5/ 1");
  EXPECT_EQ(Drawn("$J"),
            "\x97\xDF\x98\x61"
            "1\x94\x4E 5\x8C\x8E 1\x93\xFA");  // Reiwa 1
  EXPECT_EQ(Drawn("$w"), "\x90\x85");          // Wednesday
  EXPECT_EQ(Drawn("%wa"), "WED");
  EXPECT_EQ(Drawn("$ma"), "MAY");
  EXPECT_EQ(Drawn("$y"), "19");
  now = {2005, 4, 30, 9, 0, 0};
  EXPECT_EQ(Drawn("&h"), " 9");
  EXPECT_EQ(Drawn("$y"), "5");
  EXPECT_EQ(Drawn("&y"), " 5");
  EXPECT_EQ(Drawn("%y"), "05");
  EXPECT_EQ(Drawn("$Y"), "17");  // Heisei 17
  EXPECT_EQ(Drawn("$n"), "AM");
  now = {2019, 4, 30, 0, 0, 0};
  EXPECT_EQ(Drawn("%Y"), "31");
}

TEST_F(TextTest, DocumentTimeStampMacros) {
  EXPECT_EQ(Drawn("=F"), "1899/12/30 00:00:00");
  EXPECT_EQ(Drawn("_w"), "\x93\x79");  // a Saturday
  EXPECT_EQ(Drawn("_Y"), "32");        // Meiji 32
  d.dc.documentTime = {2024, 3, 9, 17, 5, 0};
  EXPECT_EQ(Drawn("_F"), "2024/ 3/ 9 17:05:00");
  EXPECT_EQ(Drawn("=f"), "2024/03/09");
  EXPECT_EQ(Drawn("_h"), " 5");
  EXPECT_EQ(Drawn("=ma"), "MAR");
  d.dc.macros.drawTime = "3 : 07";
  EXPECT_EQ(Drawn("_T"), "3 : 07");
  d.dc.macros.memo1 = "one";
  d.dc.macros.memo2 = "two";
  EXPECT_EQ(Drawn("%mm"), "one\xA5\xA5two");
}

TEST(WeekdayTest, KnownDates) {
  EXPECT_EQ(WeekdayOf({2000, 1, 1}), 6);
  EXPECT_EQ(WeekdayOf({2024, 2, 29}), 4);
  EXPECT_EQ(WeekdayOf({1899, 12, 30}), 6);
}

}  // namespace
}  // namespace quintaro::render
