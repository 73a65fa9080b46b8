// Comparison of JWW drawings and JWS symbol files: the main list and each
// block definition (matched by its number) kind by kind, then the header
// and the tables.
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "document/diff_builder.h"
#include "document/relayer_plan.h"
#include "layers/labels.h"

namespace quintaro::diff {
namespace {

void ClearLayer(TEntJwwBase& b) {
  b.Layer = 0;
  b.LayerGroup = 0;
}

// Every base of the figure without its layer (a dimension has several).
template <class T>
void ClearLayers(T& f) {
  ClearLayer(f.Base);
  if constexpr (requires { f.Aux1; }) {
    ClearLayer(f.Line.Base);
    ClearLayer(f.Text.Base);
    ClearLayer(f.Aux1.Base);
    ClearLayer(f.Aux2.Base);
    for (auto& p : f.Points) ClearLayer(p.Base);
  }
}

// Names what differs between two figures without layers; the rest is the
// figure's geometry.
template <class T>
std::string WhatDiffers(T x, const T& y) {
  std::string what;
  if (x.Base.PenStyle != y.Base.PenStyle) AddPart(what, "line type");
  if (x.Base.PenColor != y.Base.PenColor) AddPart(what, "colour");
  if (x.Base.PenWidth != y.Base.PenWidth) AddPart(what, "pen width");
  if (x.Base.CurveAttr != y.Base.CurveAttr || x.Base.Flags != y.Base.Flags) {
    AddPart(what, "attributes");
  }
  x.Base = y.Base;
  if constexpr (requires { x.FontName; }) {
    if (!(x.Text == y.Text)) AddPart(what, "text");
    if (!(x.FontName == y.FontName)) AddPart(what, "font");
    x.Text = y.Text;
    x.FontName = y.FontName;
  }
  if constexpr (requires { x.Number; }) {
    if (x.Number != y.Number) AddPart(what, "block number");
    x.Number = y.Number;
  }
  if (!(x == y)) AddPart(what, "geometry");
  return what;
}

struct Place {
  std::string where;  // "" or "block N"
  bool inBlock = false;
};

template <class Array>
void Figures(const Array& a, const Array& b, const char* kind, const Place& at, DiffBuilder& d) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto& x = a[i];
    const auto& y = b[i];
    d.Layer(x.Base.LayerGroup, x.Base.Layer, y.Base.LayerGroup, y.Base.Layer, at.inBlock);
    if (x == y) continue;
    auto p = x;
    auto q = y;
    ClearLayers(p);
    ClearLayers(q);
    if (!(p == q)) d.Figure(kind, at.where, static_cast<std::int64_t>(i), WhatDiffers(p, q));
  }
}

template <class List>
void Lists(const List& a, const List& b, const Place& at, DiffBuilder& d) {
  Figures(a.Sen, b.Sen, "line", at, d);
  Figures(a.Enko, b.Enko, "arc", at, d);
  Figures(a.Ten, b.Ten, "point", at, d);
  Figures(a.Moji, b.Moji, "text", at, d);
  Figures(a.Sunpo, b.Sunpo, "dimension", at, d);
  Figures(a.Solid, b.Solid, "solid", at, d);
  Figures(a.Block, b.Block, "block insertion", at, d);
}

// True when the lists hold different numbers of figures or another order.
template <class List>
bool ShapeDiffers(const List& a, const List& b) {
  return a.EntityCount != b.EntityCount || !(a.EntityOrder == b.EntityOrder);
}

template <class Def>
bool DefinitionFieldsDiffer(const Def& a, const Def& b) {
  TEntJwwBase x = a.Base, y = b.Base;
  ClearLayer(x);
  ClearLayer(y);
  return !(x == y) || a.Referenced != b.Referenced || a.TimeStamp != b.TimeStamp ||
         a.TimeStampWide != b.TimeStampWide || !(a.Name == b.Name);
}

template <class Def>
void Blocks(const std::vector<Def>& a, const std::vector<Def>& b, DiffBuilder& d) {
  std::unordered_map<std::int32_t, const Def*> after;
  for (const Def& y : b) after.emplace(y.Number, &y);
  std::unordered_set<std::int32_t> before;
  for (const Def& x : a) {
    if (!before.insert(x.Number).second) continue;  // a repeated number: the first counts
    auto it = after.find(x.Number);
    if (it == after.end()) {
      d.Block(x.Number, BlockChangeKind::kRemoved);
      continue;
    }
    const Def& y = *it->second;
    d.Layer(x.Base.LayerGroup, x.Base.Layer, y.Base.LayerGroup, y.Base.Layer, true);
    const std::int64_t changed = d.ChangedFigures();
    Lists(x, y, {"block " + std::to_string(x.Number), true}, d);
    if (d.ChangedFigures() != changed || ShapeDiffers(x, y) || DefinitionFieldsDiffer(x, y)) {
      d.Block(x.Number, BlockChangeKind::kChanged);
    }
  }
  for (const Def& y : b) {
    if (before.insert(y.Number).second) d.Block(y.Number, BlockChangeKind::kAdded);
  }
}

// The layer tables without their names (names are compared on their own).
void LayerTables(const std::vector<TEntJwwLayerGroup>& a, const std::vector<TEntJwwLayerGroup>& b,
                 DiffBuilder& d) {
  if (a.size() != b.size()) return d.Value("layer groups");
  for (std::size_t g = 0; g < a.size(); ++g) {
    TEntJwwLayerGroup x = a[g], y = b[g];
    const std::string group = "group " + RefText({static_cast<int>(g), -1});
    if (x.Scale != y.Scale) d.Value(group + " scale", ScaleRatio(x.Scale), ScaleRatio(y.Scale));
    x.Name = y.Name;
    x.Scale = y.Scale;
    if (!(x == y)) d.Value(group);
  }
}

void LayerTables(const std::vector<TEntJwwLayer>& a, const std::vector<TEntJwwLayer>& b,
                 DiffBuilder& d) {
  if (a.size() != b.size()) return d.Value("layers");
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].State != b[i].State || a[i].Protect != b[i].Protect) {
      d.Value("layer " + RefText({static_cast<int>(i / 16), static_cast<int>(i % 16)}));
    }
  }
}

template <class T>
void Table(const T& a, const T& b, const char* name, DiffBuilder& d) {
  if (!(a == b)) d.Value(name);
}

}  // namespace

void Compare(const TJwwData& a, const TJwwData& b, DiffBuilder& d) {
  Lists(a, b, {}, d);
  if (ShapeDiffers(a, b)) d.Value("figure order");
  Blocks(a.BlockDefs, b.BlockDefs, d);
  DiffJwwHeader(a.Header, b.Header, d);
  Table(a.Header.Magic, b.Header.Magic, "magic", d);
  Table(a.Header.Memo, b.Header.Memo, "memo", d);
  LayerTables(a.LayerGroups, b.LayerGroups, d);
  LayerTables(a.Layers, b.Layers, d);
  DiffJwwPens(a.Pens, b.Pens, d);
  Table(a.LineTypes, b.LineTypes, "line types", d);
  Table(a.RandLines, b.RandLines, "random lines", d);
  Table(a.DoubleLineTypes, b.DoubleLineTypes, "double line types", d);
  Table(a.ColorsEx, b.ColorsEx, "extended colours", d);
  Table(a.LineTypesEx, b.LineTypesEx, "extended line types", d);
  Table(a.MojiStyles, b.MojiStyles, "text styles", d);
  Table(a.BlockDefCount, b.BlockDefCount, "block definition count", d);
  Table(a.ReferencedBlockCount, b.ReferencedBlockCount, "referenced block count", d);
  Table(a.SaveMode, b.SaveMode, "save mode", d);
}

void Compare(const TJwsData& a, const TJwsData& b, DiffBuilder& d) {
  Lists(a, b, {}, d);
  if (ShapeDiffers(a, b)) d.Value("figure order");
  Blocks(a.BlockDefs, b.BlockDefs, d);
  if (a.Version != b.Version) {
    d.Value("version", std::to_string(a.Version), std::to_string(b.Version));
  }
  Table(a.Magic, b.Magic, "magic", d);
  Table(a.Filler, b.Filler, "header filler", d);
  Table(a.Header, b.Header, "header values", d);
  LayerTables(a.LayerGroups, b.LayerGroups, d);
  Table(a.BlockDefCount, b.BlockDefCount, "block definition count", d);
  Table(a.ReferencedBlockCount, b.ReferencedBlockCount, "referenced block count", d);
}

}  // namespace quintaro::diff
