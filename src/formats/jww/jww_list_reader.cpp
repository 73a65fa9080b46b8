#include "formats/jww/jww_list_reader.h"

#include <cstdio>

namespace quintaro::jww {

std::string DescribeMainFailure(const ListProgress& p) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "the main entity list (entity %llu of %llu)",
                static_cast<unsigned long long>(p.index + 1),
                static_cast<unsigned long long>(p.total));
  return p.total == 0 && p.index == 0 ? std::string("the main entity list (its count)")
                                      : std::string(buf);
}

std::string DescribeDefFailure(const ListProgress& defs, const ListProgress& inner) {
  if (defs.total == 0) return "the block definition list (its count)";
  char buf[200];
  if (inner.total > 0) {
    std::snprintf(buf, sizeof buf,
                  "the block definition list (definition %llu of %llu, entity %llu of %llu)",
                  static_cast<unsigned long long>(defs.index + 1),
                  static_cast<unsigned long long>(defs.total),
                  static_cast<unsigned long long>(inner.index + 1),
                  static_cast<unsigned long long>(inner.total));
  } else {
    std::snprintf(buf, sizeof buf, "the block definition list (definition %llu of %llu)",
                  static_cast<unsigned long long>(defs.index + 1),
                  static_cast<unsigned long long>(defs.total));
  }
  return buf;
}

int ClassTagReader::ReadNewClass(ByteReader& r) {
  r.U16();  // schema number, ignored
  std::uint16_t n = r.U16();
  char name[16];
  int kind = 0;
  if (n <= sizeof name) {
    if (!r.Read(name, n)) return 0;
    kind = KindOfClassName(name, n);
  } else if (!r.Skip(n)) {
    return 0;
  }
  if (!r.Ok()) return 0;
  classes_.emplace_back(counter_, kind);
  ++counter_;
  cacheIndex_ = 0;
  return kind;
}

}  // namespace quintaro::jww
