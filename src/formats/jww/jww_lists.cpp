#include "formats/jww/jww_lists.h"

#include <cstring>

namespace quintaro::jww {

namespace {
const char* const kClassNames[kClassList + 1] = {
    "",           "CDataSen",   "CDataEnko", "CDataTen", "CDataMoji", "CDataSunpou",
    "CDataSolid", "CDataBlock", "CDataList",
};
}  // namespace

const char* ClassName(int classId) {
  return classId >= 1 && classId <= kClassList ? kClassNames[classId] : "";
}

int KindOfClassName(const char* name, std::size_t length) {
  for (int k = 1; k <= kClassList; ++k) {
    if (std::strlen(kClassNames[k]) == length && std::memcmp(kClassNames[k], name, length) == 0)
      return k;
  }
  return 0;
}

}  // namespace quintaro::jww
