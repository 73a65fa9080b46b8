#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "render/canvas/draw_context.h"
#include "render/qt/qt_canvas.h"
#include "render/qt/render_image.h"
#include "render/scene/main_view.h"
#include "render/shapes/primitives.h"
#include "render/text/text_draw.h"
#include "support/temp_dir.h"

namespace quintaro::render {
namespace {

// Fonts and painting need a (headless) application object.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    UseSystemFontsOffscreen();
    static int argc = 1;
    static char name[] = "test_render_qt";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QGuiApplication> app_;
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

int CountNonWhite(const QImage& image, QRect area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) != 0xFFFFFFFFu;
  }
  return n;
}

TEST(QtCanvasTest, XorTwiceRestoresTheImage) {
  QtCanvas canvas(64, 64);
  canvas.SetPen({RgbColor(10, 200, 30), 0, PenStyle::kSolid, PenMode::kCopy});
  PixelLine(canvas, 0, 10, 63, 10);
  canvas.Flush();
  QImage before = canvas.Image().copy();
  SetXorMode(canvas);
  canvas.SetPenColor(RgbColor(255, 255, 255));
  PixelLine(canvas, 5, 0, 5, 63);
  canvas.Flush();
  EXPECT_NE(canvas.Image(), before);
  EXPECT_EQ(canvas.Image().pixel(5, 30), qRgb(0, 0, 0));  // white on white: black
  PixelLine(canvas, 5, 0, 5, 63);
  canvas.Flush();
  EXPECT_EQ(canvas.Image(), before);
}

// Lines wait in a batch; a pen change draws them with the pen they came
// with, not with the new one.
TEST(QtCanvasTest, BatchedLinesKeepTheirPen) {
  QtCanvas canvas(32, 32);
  canvas.SetPen({RgbColor(255, 0, 0), 0, PenStyle::kSolid, PenMode::kCopy});
  PixelLine(canvas, 0, 5, 31, 5);
  canvas.SetPen({RgbColor(0, 0, 255), 0, PenStyle::kSolid, PenMode::kCopy});
  PixelLine(canvas, 0, 20, 31, 20);
  canvas.End();
  EXPECT_EQ(canvas.Image().pixel(10, 5), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.Image().pixel(10, 20), qRgb(0, 0, 255));
}

TEST(QtCanvasTest, HatchBrushFillsPartly) {
  QtCanvas canvas(64, 64);
  canvas.SetPen({0, 0, PenStyle::kNull, PenMode::kCopy});
  SetFillBrush(canvas, RgbColor(0, 0, 255), 5);
  canvas.Rectangle(0, 0, 64, 64);
  canvas.Flush();
  int blue = 0;
  for (int y = 8; y < 56; ++y) {
    for (int x = 8; x < 56; ++x) blue += canvas.Image().pixel(x, y) == qRgb(0, 0, 255);
  }
  EXPECT_GT(blue, 48 * 48 / 16);
  EXPECT_LT(blue, 48 * 48 / 2);
}

TEST(QtCanvasTest, SolidPolygonAndCopyBetweenCanvases) {
  QtCanvas source(32, 32);
  source.SetBrush({RgbColor(255, 0, 0), BrushStyle::kSolid});
  source.SetPenColor(RgbColor(255, 0, 0));
  const PixelPoint square[] = {{4, 4}, {20, 4}, {20, 20}, {4, 20}};
  source.Polygon(square);
  QtCanvas target(32, 32);
  ASSERT_TRUE(target.CopyFrom(source, 0, 0, 32, 32, 8, 8));
  target.Flush();
  EXPECT_EQ(target.Image().pixel(20, 20), qRgb(255, 0, 0));
  EXPECT_EQ(target.Image().pixel(4, 4), qRgb(255, 255, 255));
}

TEST(QtCanvasTest, FaceNamesOfTheDrawingsPickTheJapaneseFaceTheyMean) {
  struct Case {
    const char* face;  // Shift-JIS
    JapaneseFace kind;
  };
  const Case cases[] = {
      {kDefaultFontName, JapaneseFace::kGothic},
      {"", JapaneseFace::kGothic},
      {"\x82\x6C\x82\x72 \x96\xBE\x92\xA9", JapaneseFace::kMincho},  // ＭＳ 明朝
      {"MS PGothic", JapaneseFace::kPGothic},
      {"MS PMincho", JapaneseFace::kPMincho},
      {"\x83\x81\x83\x43\x83\x8A\x83\x49", JapaneseFace::kPGothic},  // メイリオ
  };
  for (const Case& c : cases) {
    bool japanese = false;
    EXPECT_EQ(FamiliesForFace(c.face, &japanese), JapaneseFamilies(c.kind)) << c.face;
    EXPECT_TRUE(japanese) << c.face;
  }
  bool japanese = true;
  EXPECT_EQ(FamiliesForFace("DejaVu Sans", &japanese), QStringList{"DejaVu Sans"});
  EXPECT_FALSE(japanese);
}

// Draws one full-width character through the text drawing and returns the
// bounding box of the ink.
QRect InkOf(const char* face, double angle, const char* character = "\x8A\xBF") {
  GraphicAttributes attr;
  DrawContext dc(attr);
  dc.view.Set(0, 0, 10, 200, 200);
  QtCanvas canvas(200, 200);
  canvas.SetPenColor(0);
  std::string font = face;
  DrawCharRun(dc, canvas, 0, font, character, 0, 4, 8, angle, 10, 10);
  canvas.End();
  const QImage& img = canvas.Image();
  QRect box;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (img.pixel(x, y) != 0xFFFFFFFFu) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

TEST(QtCanvasTest, TextFillsItsCell) {
  // Cell 4 mm wide, 8 mm high standing on (10, 10) mm: pixels 100..140, 20..100.
  QRect ink = InkOf(kDefaultFontName, 0);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.left(), 98);
  EXPECT_LE(ink.right(), 142);
  EXPECT_GE(ink.top(), 18);
  EXPECT_LE(ink.bottom(), 102);
  EXPECT_GT(ink.height(), ink.width());  // stretched to the narrow cell
}

TEST(QtCanvasTest, VerticalFaceDrawsCharactersUpright) {
  // Downwards: the cell runs 4 mm down the screen from the base point and
  // its top lies 8 mm to the right; the character stands upright in it.
  std::string face = std::string("@") + kDefaultFontName;
  QRect ink = InkOf(face.c_str(), 3 * M_PI / 2);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.left(), 98);
  EXPECT_LE(ink.right(), 182);
  EXPECT_GE(ink.top(), 98);
  EXPECT_LE(ink.bottom(), 142);
  EXPECT_GT(ink.width(), ink.height());
  // The one-stroke kanji "one" stays a horizontal stroke with "@", and
  // lies on its side (a vertical stroke) without it.
  QRect upright = InkOf(face.c_str(), 3 * M_PI / 2, "\x88\xEA");
  QRect lying = InkOf(kDefaultFontName, 3 * M_PI / 2, "\x88\xEA");
  EXPECT_GT(upright.width(), 3 * upright.height());
  EXPECT_GT(lying.height(), 3 * lying.width());
}

TEST(RenderImageTest, WholeDrawingToImageAndSvg) {
  TJwcData jwc;
  jwc.lines.push_back({0, 0, 100, 50, /*lineType*/ 1, /*color*/ 2});
  Document data;
  data.Adopt(std::move(jwc));
  DrawingExtents extents{0, 0, 100, 50};
  RenderOptions options;
  options.width = 200;
  options.height = 100;
  bool aborted = true;
  QImage image = RenderToImage(data, extents, options, &aborted);
  EXPECT_FALSE(aborted);
  ASSERT_EQ(image.size(), QSize(200, 100));
  EXPECT_EQ(image.pixel(0, 50), qRgb(0, 0, 255));  // the frame
  // 0.9 of the width: the line runs from (10, 95) to (190, 5).
  EXPECT_EQ(image.pixel(100, 50), qRgb(0, 0, 0));
  EXPECT_GT(CountNonWhite(image, QRect(5, 5, 190, 90)), 150);
  options.blackBackground = true;
  QImage black = RenderToImage(data, extents, options);
  EXPECT_EQ(black.pixel(50, 20), qRgb(0, 0, 0));
  EXPECT_EQ(black.pixel(100, 50), qRgb(255, 255, 255));

  test::TempDir dir;
  if (!kCanWriteSvg) {  // a Qt without its SVG module writes nothing
    EXPECT_FALSE(RenderToSvg(data, extents, options, dir.File("out.svg")));
    return;
  }
  ASSERT_TRUE(RenderToSvg(data, extents, options, dir.File("out.svg")));
  auto bytes = test::ReadAll(dir.File("out.svg"));
  std::string svg(bytes.begin(), bytes.end());
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("polyline"), std::string::npos);
}

}  // namespace
}  // namespace quintaro::render
