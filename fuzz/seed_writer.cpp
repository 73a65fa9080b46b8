// Writes fuzzing seeds made by the project's own writers: JWC drawings
// (there are no shared JWC samples), JWK symbols, JWW drawings of every
// version step (one carrying an image) and JWS symbols, and settings texts.
//   seed_writer OUT_DIR   -> OUT_DIR/{jwc,jwk,jww,jws,settings}/...
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/demo_drawing.h"
#include "formats/common/text.h"
#include "formats/jwk/jwk_data.h"
#include "settings/settings_text.h"

namespace {

namespace fs = std::filesystem;
using namespace quintaro;

bool Report(bool ok, const fs::path& path, const std::string& why) {
  if (!ok) std::fprintf(stderr, "seed_writer: %s: %s\n", path.c_str(), why.c_str());
  return ok;
}

bool WriteJwc(const fs::path& dir) {
  bool ok = true;
  for (std::size_t n : {0, 4, 40, 400}) {
    TJwcData d = MakeLargeJwc(n);
    fs::path p = dir / ("large" + std::to_string(n) + ".jwc");
    ok = Report(d.SaveToFile(p), p, d.saveError) && ok;
  }
  // Named groups and layers, integer group scales, used point slots.
  TJwcData d = MakeLargeJwc(12);
  d.header.FloatScales = false;
  d.header.slotCount = 3;
  for (int i = 1; i <= 3; ++i) d.pointSlots[i] = {double(i), double(-i), std::uint8_t(i)};
  d.layerGroups[2].name = Utf8ToCp932("平面図");
  d.layers[2 * 16 + 3].name = "walls";
  fs::path p = dir / "named.jwc";
  return Report(d.SaveToFile(p), p, d.saveError) && ok;
}

bool WriteJwk(const fs::path& dir) {
  TJwcData from = MakeLargeJwc(24);
  TJwkData d;
  d.lines = from.lines;
  d.arcs = from.arcs;
  d.points = from.points;
  d.texts = from.texts;
  d.header.SymbolScale = 0.5f;
  fs::path p = dir / "symbol.jwk";
  bool ok = Report(d.SaveToFile(p), p, d.saveError);
  TJwkData empty;
  p = dir / "empty.jwk";
  return Report(empty.SaveToFile(p), p, empty.saveError) && ok;
}

bool WriteJww(const fs::path& dir, const fs::path& images) {
  bool ok = true;
  TJwwData demo = MakeDemoDrawing();
  for (int v : {220, 230, 250, 300, 351, 420, 600}) {
    fs::path p = dir / ("demo" + std::to_string(v) + ".jww");
    ok = Report(demo.SaveToFile(p, v), p, demo.saveError) && ok;
  }
  // Version 700 carrying one image that a text uses.
  fs::create_directories(images);
  std::ofstream(images / "pic.gz", std::ios::binary) << "\x1f\x8b gzip-like bytes";
  BindImageStore store(images.string());
  TBindImageType image;
  image.Name = {"pic.gz", TextEncoding::kCp932};
  image.Size = 18;
  image.FileName = "pic.gz";
  store.list.push_back(image);
  TEntJwwMoji text = demo.Moji.empty() ? TEntJwwMoji{} : demo.Moji[0];
  text.Text = {"^@BM%temp%pic.gz,10,10", TextEncoding::kCp932};
  demo.Moji.push_back(text);
  demo.EntityOrder.push_back({kEntText, static_cast<std::int32_t>(demo.Moji.size() - 1)});
  demo.SetImageStore(&store);
  fs::path p = dir / "image700.jww";
  ok = Report(demo.SaveToFile(p, 700), p, demo.saveError) && ok;
  TJwwData large = MakeLargeDrawing(60);
  p = dir / "large.jww";
  return Report(large.SaveToFile(p, 600), p, large.saveError) && ok;
}

bool WriteJws(const fs::path& dir) {
  bool ok = true;
  TJwsData d = MakeLargeSymbol(30);
  for (int v : {230, 351, 600}) {
    fs::path p = dir / ("large" + std::to_string(v) + ".jws");
    ok = Report(d.SaveToFile(p, v), p, d.saveError) && ok;
  }
  return ok;
}

bool WriteSettingsSeeds(const fs::path& dir) {
  AppSettings s;
  s.lastFile = "/home/u/図面/plan 1.jww";
  s.backBlack = 1;
  s.windows[1] = {-10, 5, 300, 200};
  std::ofstream(dir / "typical.ini", std::ios::binary) << FormatSettings(s);
  std::ofstream(dir / "odd.ini", std::ios::binary)
      << "; comment\n[ sets ]\n zfile = \"a\"b\" \n[FORM]\nF01_X=+12\nF01_Y=99999999999\n"
         "F02_W=-7\n[Sets]\nBKCOL=2\nLGRAY=x\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: seed_writer OUT_DIR\n");
    return 2;
  }
  fs::path out = argv[1];
  for (const char* sub : {"jwc", "jwk", "jww", "jws", "settings"})
    fs::create_directories(out / sub);
  int failed = !WriteJwc(out / "jwc") + !WriteJwk(out / "jwk") +
               !WriteJww(out / "jww", out / "images") + !WriteJws(out / "jws") +
               !WriteSettingsSeeds(out / "settings");
  return failed == 0 ? 0 : 1;
}
