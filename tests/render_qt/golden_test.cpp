// Whole drawings rendered and compared pixel by pixel with reviewed images in
// tests/golden. Text-free drawings only: glyphs depend on the installed fonts.
// `scripts/update-golden` rewrites the images after a deliberate change;
// look at them before committing.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <numbers>

#include "document/document.h"
#include "render/qt/render_image.h"
#include "support/temp_dir.h"

namespace quintaro::render {
namespace {

constexpr int kW = 240, kH = 180;

bool Updating() {
  return std::getenv("QUINTARO_UPDATE_GOLDEN") != nullptr;
}

QString GoldenPath(const std::string& name) {
  return QString::fromStdString(std::string(QUINTARO_GOLDEN_DIR) + "/" + name + ".png");
}

void ExpectMatchesGolden(const QImage& actual, const std::string& name) {
  QImage got = actual.convertToFormat(QImage::Format_RGB32);
  if (Updating()) {
    ASSERT_TRUE(got.save(GoldenPath(name), "PNG"));
    return;
  }
  QImage want(GoldenPath(name));
  ASSERT_FALSE(want.isNull()) << "no golden image " << name.c_str()
                              << "; run scripts/update-golden and review it";
  want = want.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(got.size(), want.size());
  int differing = 0;
  for (int y = 0; y < got.height(); ++y)
    for (int x = 0; x < got.width(); ++x) differing += got.pixel(x, y) != want.pixel(x, y);
  if (differing > 0) got.save(QDir::temp().filePath(QString::fromStdString(name + "-actual.png")));
  EXPECT_EQ(differing, 0) << name << ": differing pixels (actual image saved in the temp folder)";
}

QImage Render(Document& doc, bool black = false) {
  DrawingExtents e = doc.Extents();
  RenderOptions o;
  o.width = kW;
  o.height = kH;
  o.blackBackground = black;
  return RenderToImage(doc, e, o);
}

TEntJwwBase Pen(int color, int style, int group = 0, int layer = 0) {
  TEntJwwBase b{};
  b.PenColor = static_cast<std::uint16_t>(color);
  b.PenStyle = static_cast<std::uint8_t>(style);
  b.LayerGroup = static_cast<std::uint16_t>(group);
  b.Layer = static_cast<std::uint16_t>(layer);
  return b;
}

// Lines in every standard colour and a few line types, partial arcs, a
// tilted ellipse, a filled solid, curved solids and a rotated, scaled block.
TJwwData Figures() {
  TJwwData d;
  d.Header.Version = 600;
  d.LayerGroups.resize(16);
  d.Layers.resize(256);
  d.Pens.resize(10);
  for (auto& g : d.LayerGroups) g.State = 2, g.Scale = 100.0;
  for (auto& l : d.Layers) l.State = 2;
  auto order = [&d](int kind, std::size_t n) {
    d.EntityOrder.push_back({kind, static_cast<std::int32_t>(n - 1)});
  };
  for (int c = 1; c <= 9; ++c) {
    d.Sen.push_back(TEntJwwSen{Pen(c, 1 + (c % 4)), 0, c * 10.0, 100, c * 10.0 + 5});
    order(kEntLine, d.Sen.size());
  }
  const double pi = std::numbers::pi;
  d.Enko.push_back(TEntJwwEnko{Pen(2, 1), 150, 50, 30, 0, pi / 2, 0, 1, 0});
  order(kEntArc, d.Enko.size());
  d.Enko.push_back(TEntJwwEnko{Pen(3, 1), 150, 50, 20, pi, -pi / 3, 0, 1, 0});
  order(kEntArc, d.Enko.size());
  d.Enko.push_back(TEntJwwEnko{Pen(4, 1), 150, 50, 40, 0, 0, pi / 6, 0.4, 1});
  order(kEntArc, d.Enko.size());
  d.Solid.push_back(TEntJwwSolid{Pen(10, 1), 120, 90, 160, 90, 160, 110, 120, 110, 0x3366CC});
  order(kEntSolid, d.Solid.size());
  // Curved solids: a whole tilted ellipse, a sector and a ring sector.
  for (const TEntJwwSolid& curved :
       {TEntJwwSolid{Pen(5, 101), 210, 150, 15, 0.6, 0.3, 0, 0, 100, 0},
        TEntJwwSolid{Pen(7, 101), 210, 100, 20, 1, 0, 0.2, 2.0, 0, 0},
        TEntJwwSolid{Pen(9, 105), 210, 40, 20, 1, 0, pi / 2, pi, 12, 0}}) {
    d.Solid.push_back(curved);
    order(kEntSolid, d.Solid.size());
  }
  d.Block.push_back(TEntJwwBlock{Pen(1, 1), 60, 130, 2, 1, pi / 6, 7});
  order(kEntBlock, d.Block.size());
  d.EntityCount = static_cast<std::int32_t>(d.EntityOrder.size());
  d.BlockDefs.resize(1);
  auto& def = d.BlockDefs[0];
  def.Number = 7;
  def.Sen.push_back(TEntJwwSen{Pen(6, 1), 0, 0, 20, 0});
  def.Sen.push_back(TEntJwwSen{Pen(6, 1), 20, 0, 20, 10});
  def.Enko.push_back(TEntJwwEnko{Pen(8, 1), 10, 5, 4, 0, 0, 0, 1, 1});
  def.EntityOrder = {{kEntLine, 0}, {kEntLine, 1}, {kEntArc, 0}};
  def.EntityCount = 3;
  d.BlockDefCount = 1;
  d.BuildBlockTree();
  return d;
}

TEST(Golden, FiguresOfEveryKindOnWhiteAndOnBlack) {
  Document d;
  d.Adopt(Figures());
  ExpectMatchesGolden(Render(d), "figures-white");
  ExpectMatchesGolden(Render(d, true), "figures-black");
}

TEST(Golden, TextFreeSamplesOfTheThreeReadableFormats) {
  QUINTARO_NEEDS_SAMPLES();
  for (const char* sample : {"jws/dist_desk.jws", "jwk/dist_desk.jwk", "jws/dist_car_side1.jws"}) {
    Document doc;
    ASSERT_EQ(doc.Open(test::SamplePath(sample)), OpenResult::kOpened) << sample;
    std::string name = std::string(sample).substr(4);
    name[name.find('.')] = '-';
    ExpectMatchesGolden(Render(doc), name);
  }
}

TEST(Golden, TheSameDeskAsSymbolOfBothEras) {
  QUINTARO_NEEDS_SAMPLES();
  // The desk was saved by both program generations; both must look the same.
  Document jws, jwk;
  ASSERT_EQ(jws.Open(test::SamplePath("jws/dist_desk.jws")), OpenResult::kOpened);
  ASSERT_EQ(jwk.Open(test::SamplePath("jwk/dist_desk.jwk")), OpenResult::kOpened);
  EXPECT_EQ(Render(jws), Render(jwk));
}

}  // namespace
}  // namespace quintaro::render
