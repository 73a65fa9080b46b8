// What info lists as the repairs of a save (a pass over the model that
// writes nothing) is what the save itself then reports, over every shared
// sample, every fuzz regression and drawings built to need every kind of
// repair.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "hostile_open.h"
#include "jwc/jwc_builder.h"
#include "jwk/jwk_builder.h"
#include "jww/jww_builder.h"

namespace quintaro {

void PrintTo(const Repair& r, std::ostream* os) {
  *os << r.count << " x " << r.what;
}

namespace {

namespace fs = std::filesystem;
using test::BaseAttrs;
using test::JwwBuilder;

struct Input {
  std::string name;  // its extension names the format
  std::vector<std::uint8_t> bytes;
};

BaseAttrs Attrs(std::uint8_t style, std::uint16_t color, std::uint16_t layer = 3) {
  BaseAttrs s;
  s.penStyle = style;
  s.penColor = color;
  s.layer = layer;
  s.layerGroup = 20 - layer;
  s.penWidth = 40000;
  return s;
}

// Every figure kind with values out of range, in the main list and in a
// placed block definition; strings with control characters and "^m".
void BadLists(JwwBuilder& b) {
  b.Count(7);
  b.Line(Attrs(33, 105), 0, 0, 1, 1).Arc(Attrs(70, 117, 30), 0, 0, 1, 0, 1, false);
  b.Point(Attrs(5, 400), 0, 0).Text(Attrs(12, 108), 0, 0, "f\x01", "^@BM%temp%a.gz,1^m");
  b.Dimension(Attrs(2, 0), 1, Attrs(7, 999))
      .Solid(Attrs(1, 10), 0xFF)
      .Insert(Attrs(0, 0), 0, 0, 1, 1, 0, 4);
  b.Count(1).DefHead(4, "def\t4", 12345, Attrs(99, 999)).Count(2);
  b.Line(Attrs(44, 1), 0, 0, 1, 1).Text(Attrs(1, 1), 0, 0, "f", std::string(300, 'x'));
}

std::vector<std::uint8_t> Jww(std::int32_t version) {
  JwwBuilder b(version);
  test::HeaderSpec h;
  h.screenWidth = 0;
  h.pointRadius = 20;
  h.switch11 = -3;
  h.layerNames[5] = "bad\x02name^m";
  b.Header(h);
  BadLists(b);
  if (version > 699) b.ImageCount(2).Image("a.gz", "AA").Image("unshown.gz", "BB");
  return b.Bytes();
}

std::vector<std::uint8_t> Jws(std::int32_t version) {
  JwwBuilder b(version);
  b.B().Str("JwsData").Fill('.', 193).I32(version).Fill(0, 16 + 128 + 24 + 80);
  BadLists(b);
  return b.Bytes();
}

std::vector<std::uint8_t> Jwc() {
  test::JwcFile f;
  f.values2 = test::JwcLine2(2, 1, 0, 1);
  test::JwcFile::AddLine(f.lines, 0, 0, 1, 1, 10, 7, 0x00);
  test::JwcFile::AddLine(f.lines, 0, 0, 1, 1, 1, 9, 0x00);
  test::JwcFile::AddArc(f.arcs, 0, 0, 1, 10000, 0, 0, 0, 19, 1, 0x00);
  test::JwcFile::AddPoint(f.points, 0, 0, 0x00, 8);
  f.styleColor[3] = 7;
  return f.Build();
}

std::vector<std::uint8_t> Jwk() {
  test::JwkFile f;
  f.values = "1,0,0,0,0,0,1,0,1";  // one line
  test::JwcFile::AddLine(f.lines, 0, 0, 1, 1, 30, 9, 0x00);
  return f.Build();
}

std::vector<Input> Inputs() {
  std::vector<Input> in = {
      {"v351.jww", Jww(351)}, {"v600.jww", Jww(600)}, {"v700.jww", Jww(700)},
      {"v300.jws", Jws(300)}, {"v600.jws", Jws(600)}, {"bad.jwc", Jwc()},
      {"bad.jwk", Jwk()},
  };
  for (const char* format : {"jww", "jws", "jwk"}) {
    for (const std::string& path : test::SampleFiles(format))
      in.push_back({fs::path(path).filename().string(), test::ReadAll(path)});
  }
  for (const char* format : {"jww", "jws", "jwc", "jwk"}) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(QUINTARO_FUZZ_REGRESSIONS) / format, ec))
      in.push_back({e.path().filename().string() + "." + format, test::ReadAll(e.path())});
  }
  return in;
}

TEST(PlannedRepairs, AreWhatTheSaveThenReports) {
  int repaired = 0;
  for (const Input& input : Inputs()) {
    SCOPED_TRACE(input.name);
    test::HostileOpen h;
    const OpenResult opened = h.Open(input.bytes, input.name);
    if (opened != OpenResult::kOpened && opened != OpenResult::kPartial) continue;
    const RepairLog planned = h.doc.PlannedRepairs();
    const SaveResult saved =
        h.doc.Save(h.dir.File("saved" + fs::path(input.name).extension().string()));
    if (!saved.Ok()) continue;  // a drawing the writer refuses: nothing was written
    EXPECT_EQ(planned.Items(), saved.repairs.Items());
    repaired += !planned.Empty();
  }
  EXPECT_GE(repaired, 7);
}

}  // namespace
}  // namespace quintaro
