// Japanese faces on Linux: the IPA fonts (Debian's fonts-ipafont).
#include "render/qt/qt_canvas.h"

namespace quintaro::render {

QStringList JapaneseFamilies(JapaneseFace face) {
  switch (face) {
    case JapaneseFace::kMincho:
      return {QStringLiteral("IPAMincho")};
    case JapaneseFace::kPMincho:
      return {QStringLiteral("IPAPMincho")};
    case JapaneseFace::kPGothic:
      return {QStringLiteral("IPAPGothic")};
    case JapaneseFace::kGothic:
      break;
  }
  return {QStringLiteral("IPAGothic")};
}

}  // namespace quintaro::render
