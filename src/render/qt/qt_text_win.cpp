// Japanese faces on Windows: the MS fonts the drawings name, which every
// Japanese Windows has; where they are missing (a Windows without the
// optional Japanese supplemental fonts), Yu Gothic, Meiryo or Yu Mincho.
#include "render/qt/qt_canvas.h"

namespace quintaro::render {

QStringList JapaneseFamilies(JapaneseFace face) {
  switch (face) {
    case JapaneseFace::kMincho:
      return {QStringLiteral("MS Mincho"), QStringLiteral("Yu Mincho")};
    case JapaneseFace::kPMincho:
      return {QStringLiteral("MS PMincho"), QStringLiteral("Yu Mincho")};
    case JapaneseFace::kPGothic:
      return {QStringLiteral("MS PGothic"), QStringLiteral("Yu Gothic"), QStringLiteral("Meiryo")};
    case JapaneseFace::kGothic:
      break;
  }
  return {QStringLiteral("MS Gothic"), QStringLiteral("Yu Gothic"), QStringLiteral("Meiryo")};
}

}  // namespace quintaro::render
