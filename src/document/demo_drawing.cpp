#include "document/demo_drawing.h"

#include <cmath>
#include <numbers>
#include <string>

#include "formats/common/text.h"

namespace quintaro {

namespace {

constexpr std::int32_t kVersion = 600;

EncodedText Sjis(const char* utf8) {
  return {Utf8ToCp932(utf8), TextEncoding::kCp932};
}

TEntJwwBase Base(int group, int layer, int color = 1, int style = 1) {
  TEntJwwBase b{};
  b.PenStyle = static_cast<std::uint8_t>(style);
  b.PenColor = static_cast<std::uint16_t>(color);
  b.Layer = static_cast<std::uint16_t>(layer);
  b.LayerGroup = static_cast<std::uint16_t>(group);
  return b;
}

// Header tables as Jw_cad sets them for a new drawing.
template <class Doc>
void SizeTables(Doc& d) {
  d.Header.Magic = "JwwData.";
  d.Header.Version = kVersion;
  d.LayerGroups.resize(16);
  d.Layers.resize(256);
  d.Pens.resize(10);
  d.LineTypes.resize(8);
  d.RandLines.resize(5);
  d.DoubleLineTypes.resize(4);
  d.MojiStyles.resize(10);
  d.ColorsEx.resize(257);
  d.LineTypesEx.resize(33);
  static const std::int32_t kColors[10] = {0xFFFFFF, 0x000000, 0x0000FF, 0x00C000, 0xFF0000,
                                           0xFF00FF, 0x00FFFF, 0x808080, 0x0080FF, 0x800000};
  for (int i = 0; i < 10; ++i) d.Pens[i] = TEntJwwPen{kColors[i], 1, kColors[i], 1, 0.5};
  for (int i = 0; i < 10; ++i) d.MojiStyles[i] = TEntJwwMojiStyle{2.0 + i, 2.0 + i, 0.0, 1};
  for (int g = 0; g < 16; ++g) {
    d.LayerGroups[g].State = 2;
    d.LayerGroups[g].Scale = 100.0;
  }
  for (auto& l : d.Layers) l.State = 2;
}

template <class List>
void AddLine(List& list, const TEntJwwBase& b, double x1, double y1, double x2, double y2) {
  list.Sen.push_back(TEntJwwSen{b, x1, y1, x2, y2});
  list.EntityOrder.push_back({kEntLine, static_cast<std::int32_t>(list.Sen.size() - 1)});
}

template <class List>
void AddArc(List& list, const TEntJwwBase& b, double cx, double cy, double r, double start,
            double sweep, bool full) {
  list.Enko.push_back(TEntJwwEnko{b, cx, cy, r, start, sweep, 0.0, 1.0, full ? 1 : 0});
  list.EntityOrder.push_back({kEntArc, static_cast<std::int32_t>(list.Enko.size() - 1)});
}

template <class List>
void AddPoint(List& list, const TEntJwwBase& b, double x, double y, int temporary) {
  list.Ten.push_back(TEntJwwTen{b, x, y, temporary, 0, 0.0, 1.0});
  list.EntityOrder.push_back({kEntPoint, static_cast<std::int32_t>(list.Ten.size() - 1)});
}

template <class Moji>
Moji MakeText(const TEntJwwBase& b, double x, double y, double size, const EncodedText& text) {
  Moji m{};
  m.Base = b;
  double width = size * 0.5 * static_cast<double>(text.bytes.size());
  m.StartX = x;
  m.StartY = y;
  m.EndX = x + width;
  m.EndY = y;
  m.Style = 1;
  m.SizeX = size;
  m.SizeY = size;
  m.FontName = Sjis("ＭＳ ゴシック");
  m.Text = text;
  return m;
}

template <class List>
void AddText(List& list, const TEntJwwBase& b, double x, double y, double size,
             const EncodedText& text) {
  list.Moji.push_back(MakeText<typename List::Moji_t>(b, x, y, size, text));
  list.EntityOrder.push_back({kEntText, static_cast<std::int32_t>(list.Moji.size() - 1)});
}

template <class List>
void AddDimension(List& list, const TEntJwwBase& b, double x1, double x2, double y) {
  typename List::Sunpo_t s{};
  s.Base = b;
  s.Line = TEntJwwSen{b, x1, y, x2, y};
  char label[32];
  std::snprintf(label, sizeof label, "%.0f", std::fabs(x2 - x1));
  s.Text = MakeText<typename List::Moji_t>(b, (x1 + x2) / 2 - 5, y + 1, 2.5, {label});
  s.SxfMode = 0;
  s.Aux1 = TEntJwwSen{b, x1, y - 5, x1, y};
  s.Aux2 = TEntJwwSen{b, x2, y - 5, x2, y};
  for (auto& p : s.Points) p = TEntJwwTen{b, x1, y, 0, 0, 0.0, 1.0};
  s.Points[1].X = x2;
  list.Sunpo.push_back(s);
  list.EntityOrder.push_back({kEntDimension, static_cast<std::int32_t>(list.Sunpo.size() - 1)});
}

template <class List>
void AddSolid(List& list, const TEntJwwBase& b, double x, double y, double w, double h) {
  list.Solid.push_back(TEntJwwSolid{b, x, y, x + w, y, x + w, y + h, x, y + h, 0});
  list.EntityOrder.push_back({kEntSolid, static_cast<std::int32_t>(list.Solid.size() - 1)});
}

template <class List>
void AddBlock(List& list, const TEntJwwBase& b, double x, double y, double scale, double angle,
              int number) {
  list.Block.push_back(TEntJwwBlock{b, x, y, scale, scale, angle, number});
  list.EntityOrder.push_back({kEntBlock, static_cast<std::int32_t>(list.Block.size() - 1)});
}

template <class List>
void Finish(List& list) {
  list.EntityCount = static_cast<std::int32_t>(list.EntityOrder.size());
}

// A table with four chairs, drawn around its own origin.
template <class Def>
void FillTableBlock(Def& def, int number, const char* name) {
  def.Base = Base(0, 0);
  def.Number = number;
  def.Name = Sjis(name);
  TEntJwwBase b = Base(0, 0, 2);
  AddLine(def, b, -600, -400, 600, -400);
  AddLine(def, b, 600, -400, 600, 400);
  AddLine(def, b, 600, 400, -600, 400);
  AddLine(def, b, -600, 400, -600, -400);
  for (double x : {-300.0, 300.0}) {
    AddArc(def, b, x, -600, 200, 0, 0, true);
    AddArc(def, b, x, 600, 200, 0, 0, true);
  }
  Finish(def);
}

void DrawWalls(TJwwData& d) {
  TEntJwwBase wall = Base(0, 0, 2, 1);
  const double pts[][4] = {{0, 0, 9000, 0},         {9000, 0, 9000, 6000}, {9000, 6000, 0, 6000},
                           {0, 6000, 0, 0},         {5000, 0, 5000, 2600}, {5000, 3600, 5000, 6000},
                           {5000, 3000, 9000, 3000}};
  for (const auto& p : pts) AddLine(d, wall, p[0], p[1], p[2], p[3]);
  // Door swings on layer 0-1.
  TEntJwwBase door = Base(0, 1, 3, 1);
  AddLine(d, door, 5000, 2600, 5800, 2600);
  AddArc(d, door, 5000, 2600, 800, 0, std::numbers::pi / 2, false);
  AddLine(d, door, 6000, 3000, 6000, 3800);
  AddArc(d, door, 6000, 3000, 800, std::numbers::pi / 2, std::numbers::pi / 2, false);
}

void DrawAnnotations(TJwwData& d) {
  TEntJwwBase text = Base(0, 2, 1, 1);
  AddText(d, text, 1500, 3000, 400, Sjis("居間"));
  AddText(d, text, 6500, 4500, 300, Sjis("寝室"));
  AddText(d, text, 6500, 1500, 300, Sjis("台所"));
  AddDimension(d, Base(0, 3, 1, 1), 0, 9000, -1200);
  AddDimension(d, Base(0, 3, 1, 1), 0, 5000, 7000);
  AddPoint(d, Base(0, 4, 1, 1), 0, 0, 0);
  AddPoint(d, Base(0, 4, 1, 1), 9000, 6000, 1);
  AddSolid(d, Base(0, 5, 10, 1), 8600, 5600, 400, 400);
  d.Solid.back().Color = 0x808080;
}

void DrawSite(TJwwData& d) {
  TEntJwwBase site = Base(1, 0, 4, 2);
  AddLine(d, site, -3000, -3000, 12000, -3000);
  AddLine(d, site, 12000, -3000, 12000, 9000);
  AddLine(d, site, 12000, 9000, -3000, 9000);
  AddLine(d, site, -3000, 9000, -3000, -3000);
  AddArc(d, Base(1, 1, 3, 1), 10500, 7500, 900, 0, 0, true);
  AddText(d, Base(1, 2, 1, 1), -2500, 8200, 500, Sjis("配置図"));
}

void NameLayers(TJwwData& d) {
  d.LayerGroups[0].Name = Sjis("1F");
  d.LayerGroups[0].Scale = 50.0;
  d.LayerGroups[1].Name = Sjis("site");
  d.LayerGroups[1].Scale = 200.0;
  d.LayerGroups[2].Name = Sjis("furniture");
  const char* names[] = {"壁", "建具", "文字", "寸法", "点", "塗り"};
  for (int l = 0; l < 6; ++l) d.Layers[l].Name = Sjis(names[l]);
  d.Layers[16 + 0].Name = Sjis("敷地");
  d.Layers[16 + 1].Name = Sjis("植栽");
  d.Layers[16 + 2].Name = Sjis("文字");
  d.Layers[32 + 0].Name = Sjis("テーブル");
}

}  // namespace

TJwwData MakeDemoDrawing() {
  TJwwData d;
  SizeTables(d);
  d.Header.Memo = Sjis("Quintaro demo drawing\r\nmade by the program itself");
  NameLayers(d);
  DrawWalls(d);
  DrawAnnotations(d);
  DrawSite(d);
  // The dining table: one definition placed twice on group 2.
  AddBlock(d, Base(2, 0), 2500, 1500, 1.0, 0.0, 1);
  AddBlock(d, Base(2, 0), 7000, 4500, 0.8, std::numbers::pi / 2, 1);
  Finish(d);
  d.BlockDefs.resize(1);
  FillTableBlock(d.BlockDefs[0], 1, "テーブル");
  d.BlockDefCount = 1;
  d.NumberBlocksFromScratch();  // and builds the block tree
  return d;
}

namespace {

// Adds n figures of mixed kinds (cycling through the 256 layers) to a list.
template <class List>
void FillMixed(List& list, std::size_t n, int blockNumber) {
  for (std::size_t i = 0; i < n; ++i) {
    int code = static_cast<int>(i % 256);
    TEntJwwBase b = Base(code / 16, code % 16, 1 + static_cast<int>(i % 9), 1);
    double x = static_cast<double>(i % 1000) * 10.0, y = static_cast<double>(i / 1000) * 10.0;
    switch (i % 20) {
      case 0:
        // Every partial arc has its own angles, as in real drawings.
        AddArc(list, b, x, y, 4, static_cast<double>(i % 6283) * 0.001,
               0.5 + static_cast<double>(i % 7) * 0.3, false);
        break;
      case 1:
        AddArc(list, b, x, y, 3, 0, 0, true);
        break;
      case 2:
        AddPoint(list, b, x, y, static_cast<int>(i / 20 % 2));
        break;
      case 3:
        AddText(list, b, x, y, 2.5, {"W" + std::to_string(i % 1000)});
        break;
      case 4:
        AddSolid(list, b, x, y, 5, 5);
        break;
      case 5:
        if (i % 100 == 5) {
          AddDimension(list, b, x, x + 9, y);
          break;
        }
        [[fallthrough]];
      case 6:
        if (blockNumber > 0 && i % 200 == 6) {
          AddBlock(list, b, x, y, 1.0, 0.0, blockNumber);
          break;
        }
        [[fallthrough]];
      default:
        AddLine(list, b, x, y, x + 8, y + 3);
        break;
    }
  }
  Finish(list);
}

template <class Doc>
void AddLargeBlocks(Doc& d) {
  // Definition 1 holds 20 figures and places definition 2, which holds 20 more.
  d.BlockDefs.resize(2);
  for (int k = 0; k < 2; ++k) {
    auto& def = d.BlockDefs[k];
    def.Base = Base(0, 0);
    def.Number = k + 1;
    def.Name = {"B" + std::to_string(k + 1)};
    FillMixed(def, 20, k == 0 ? 2 : 0);
    if (k == 0) {
      AddBlock(def, Base(0, 1), 5, 5, 0.5, 0.3, 2);
      Finish(def);
    }
  }
  d.BlockDefCount = 2;
  d.NumberBlocksFromScratch();  // and builds the block tree
}

}  // namespace

Document DemoDocument() {
  Document doc;
  doc.Adopt(MakeDemoDrawing());
  return doc;
}

TJwwData MakeLargeDrawing(std::size_t entities) {
  TJwwData d;
  SizeTables(d);
  FillMixed(d, entities, 1);
  AddLargeBlocks(d);
  return d;
}

TJwsData MakeLargeSymbol(std::size_t entities) {
  TJwsData d;
  d.Magic = "JwsData";
  d.Version = kVersion;
  d.LayerGroups.resize(16);
  for (auto& g : d.LayerGroups) {
    g.State = 2;
    g.Scale = 100.0;
  }
  FillMixed(d, entities, 1);
  AddLargeBlocks(d);
  return d;
}

TJwcData MakeLargeJwc(std::size_t entities) {
  TJwcData d;
  for (int g = 0; g < 16; ++g) d.layerGroups[g].scale = 100.0f;
  for (std::size_t i = 0; i < entities; ++i) {
    auto code = static_cast<std::uint8_t>(i % 256);
    auto x = static_cast<double>(i % 1000), y = static_cast<double>(i / 1000);
    switch (i % 10) {
      case 0:
        d.arcs.push_back(TEntJwcEnko{x, y, 2, 1, 0, 90, 0, 1, 1, code, {}});
        break;
      case 1:
        d.points.push_back(TEntJwcTen{x, y, code, 1, {}});
        break;
      case 2:
        // Texts share a 64 KiB block: five bytes each leaves room for many thousands.
        if (d.texts.size() < 10000) {
          TEntJwcMoji2 t{};
          t.startX = x;
          t.startY = y;
          t.endX = x + 4;
          t.endY = y;
          t.style = 1;
          t.layer = code;
          t.text = "T" + std::to_string(i % 1000);
          d.texts.push_back(t);
          break;
        }
        [[fallthrough]];
      default:
        d.lines.push_back(TEntJwcSen{x, y, x + 0.8, y + 0.3, 1, 1, code, {}});
        break;
    }
  }
  return d;
}

}  // namespace quintaro
