// Texts of the tests are UTF-8; Qt wants QString.
#pragma once

#include <QString>
#include <string_view>

namespace quintaro::app::testing {

inline QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace quintaro::app::testing
