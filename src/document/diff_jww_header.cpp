// The JWW header values and pen table compared one value at a time, each
// named as the model names it and shown before and after, so that a diff
// says which setting changed rather than only that the header did.
#include <charconv>
#include <cstring>
#include <string>

#include "document/diff_builder.h"

namespace quintaro::diff {
namespace {

std::string Text(std::int32_t v) {
  return std::to_string(v);
}
std::string Text(double v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

// Values are taken by copy: the header is packed.
template <class T>
void One(const std::string& name, T x, T y, DiffBuilder& d) {
  if (std::memcmp(&x, &y, sizeof x) != 0) d.Value("header " + name, Text(x), Text(y));
}

std::string At(const char* name, std::size_t i) {
  return std::string(name) + "[" + std::to_string(i) + "]";
}

void View(const std::string& name, TJwwViewRecord x, TJwwViewRecord y, DiffBuilder& d) {
  One(name + ".Scale", x.Scale, y.Scale, d);
  One(name + ".X", x.X, y.X, d);
  One(name + ".Y", x.Y, y.Y, d);
  One(name + ".LayerGroup", x.LayerGroup, y.LayerGroup, d);
}

}  // namespace

void DiffJwwHeader(const TEntJwwHeaderValues& a, const TEntJwwHeaderValues& b, DiffBuilder& d) {
#define QUINTARO_ONE(m) One(#m, a.m, b.m, d)
#define QUINTARO_ALL(m) \
  for (std::size_t i = 0; i < sizeof a.m / sizeof a.m[0]; ++i) One(At(#m, i), a.m[i], b.m[i], d)
#define QUINTARO_VIEWS(m) \
  for (std::size_t i = 0; i < sizeof a.m / sizeof a.m[0]; ++i) View(At(#m, i), a.m[i], b.m[i], d)
  QUINTARO_ONE(Version);
  QUINTARO_ONE(PaperSize);
  QUINTARO_ONE(WriteLayerGroup);
  if (std::memcmp(a.Reserved, b.Reserved, sizeof a.Reserved) != 0) d.Value("header Reserved");
  QUINTARO_ALL(DimSettings);
  QUINTARO_ONE(DimReserved);
  QUINTARO_ONE(MaxDrawWidth);
  QUINTARO_ONE(PrintOriginX);
  QUINTARO_ONE(PrintOriginY);
  QUINTARO_ONE(PrintScale);
  QUINTARO_ONE(PrintRotate90);
  QUINTARO_ONE(ScaleRulerMode);
  QUINTARO_ONE(ScaleRulerMinDisplay);
  QUINTARO_ONE(ScaleRulerPitchX);
  QUINTARO_ONE(ScaleRulerPitchY);
  QUINTARO_ONE(ScaleRulerRefX);
  QUINTARO_ONE(ScaleRulerRefY);
  QUINTARO_ONE(ShadowLevel);
  QUINTARO_ONE(ShadowLatitude);
  QUINTARO_ONE(Shadow9To15);
  QUINTARO_ONE(WallShadowLevel);
  QUINTARO_ONE(SkyViewLevel);
  QUINTARO_ONE(SkyViewRadius);
  QUINTARO_ONE(Unit3D);
  QUINTARO_ONE(ViewScale);
  QUINTARO_ONE(ViewOriginX);
  QUINTARO_ONE(ViewOriginY);
  QUINTARO_ONE(RangeScale);
  QUINTARO_ONE(RangeOriginX);
  QUINTARO_ONE(RangeOriginY);
  QUINTARO_VIEWS(ZoomJumps);
  QUINTARO_VIEWS(ViewRecords);
  QUINTARO_ALL(MultiLineSpacings);
  QUINTARO_ONE(BothSidesSpacing);
  QUINTARO_ALL(Switches);
  QUINTARO_ONE(Switch11Units);
  QUINTARO_ONE(Switch11Tens);
  QUINTARO_ONE(DrawTime);
  QUINTARO_ALL(View25DInts);
  QUINTARO_ALL(View25DDoubles);
  QUINTARO_ONE(DefaultLength);
  QUINTARO_ONE(DefaultBoxWidth);
  QUINTARO_ONE(DefaultBoxHeight);
  QUINTARO_ONE(DefaultCircleRadius);
  QUINTARO_ONE(SolidColoring);
  QUINTARO_ONE(DefaultSolidColor);
  QUINTARO_ALL(TextEntryA);
  QUINTARO_ALL(TextEntryB);
  QUINTARO_ALL(TextEntryC);
  QUINTARO_ONE(TextEntryD);
  QUINTARO_ALL(TextEntryE);
#undef QUINTARO_ONE
#undef QUINTARO_ALL
#undef QUINTARO_VIEWS
}

void DiffJwwPens(const std::vector<TEntJwwPen>& a, const std::vector<TEntJwwPen>& b,
                 DiffBuilder& d) {
  if (a.size() != b.size()) return d.Value("pens");
  for (std::size_t i = 0; i < a.size(); ++i) {
    const TEntJwwPen x = a[i], y = b[i];
    const std::string pen = "pen " + std::to_string(i) + " ";
    if (x.ScreenColor != y.ScreenColor)
      d.Value(pen + "screen colour", Text(x.ScreenColor), Text(y.ScreenColor));
    if (x.ScreenWidth != y.ScreenWidth)
      d.Value(pen + "screen width", Text(x.ScreenWidth), Text(y.ScreenWidth));
    if (x.PrinterColor != y.PrinterColor)
      d.Value(pen + "printer colour", Text(x.PrinterColor), Text(y.PrinterColor));
    if (x.PrinterWidth != y.PrinterWidth)
      d.Value(pen + "printer width", Text(x.PrinterWidth), Text(y.PrinterWidth));
    if (std::memcmp(&x.PrinterPointRadius, &y.PrinterPointRadius, sizeof(double)) != 0)
      d.Value(pen + "point radius", Text(x.PrinterPointRadius), Text(y.PrinterPointRadius));
  }
}

}  // namespace quintaro::diff
