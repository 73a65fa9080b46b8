// On Windows the offscreen platform reads font files with FreeType from one
// folder, by default a folder inside Qt's own installation, which a
// self-contained program does not have: it gets %WINDIR%\Fonts.
#include <windows.h>

#include <QByteArray>
#include <QDir>
#include <QString>

#include "render/qt/render_image.h"

namespace quintaro::render {

void UseSystemFontsOffscreen() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) return;
  wchar_t windows[MAX_PATH];
  UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  QString fonts = QString::fromWCharArray(windows, static_cast<qsizetype>(n)) + "\\Fonts";
  qputenv("QT_QPA_FONTDIR", QDir::toNativeSeparators(fonts).toUtf8());
}

}  // namespace quintaro::render
