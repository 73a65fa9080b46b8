// The container of an open document, for tests that look at the records
// themselves: null when another format, or none, is open. The programs
// reach containers only through Document.
#pragma once

#include <type_traits>

#include "document/document.h"

namespace quintaro::test {

template <class C, class Doc>
auto* Container(Doc& doc) {
  std::conditional_t<std::is_const_v<Doc>, const C*, C*> found = nullptr;
  doc.WithContainer([&](auto& d) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(d)>, C>) found = &d;
  });
  return found;
}

// The same model in every part: the two containers compare whole.
inline bool SameModel(const Document& a, const Document& b) {
  bool same = false;
  Document::WithContainers(a, b, [&](const auto& x, const auto& y) { same = x == y; });
  return same;
}

}  // namespace quintaro::test
