// The JWW header values and pen table compared one value at a time by
// walking the header's own table, each named as the model names it and
// shown before and after, so that a diff says which setting changed.
#include "document/diff_builder.h"
#include "formats/jww/jww_header.h"

namespace quintaro::diff {

void DiffJwwHeader(const TEntJwwHeaderValues& a, const TEntJwwHeaderValues& b, DiffBuilder& d) {
  if (a.Version != b.Version)
    d.Value("header Version", std::to_string(a.Version), std::to_string(b.Version));
  jww::CompareJwwHeaderValues(a, b, [&](auto& name, auto& x, auto& y) { d.Value(name, x, y); });
}

void DiffJwwPens(const std::vector<TEntJwwPen>& a, const std::vector<TEntJwwPen>& b,
                 DiffBuilder& d) {
  if (a.size() != b.size()) return d.Value("pens");
  jww::CompareJwwPens(a, b, [&](auto& name, auto& x, auto& y) { d.Value(name, x, y); });
}

}  // namespace quintaro::diff
