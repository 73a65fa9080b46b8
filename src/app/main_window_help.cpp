// The ヘルプ menu: the guide of the desktop program, opened in the system's
// viewer, and the version box.
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/main_window.h"
#include "app/ui_texts.h"

namespace quintaro::app {

namespace {

// Where the packages put the guide: beside the program on Windows, in the
// shared documentation folder elsewhere.
QStringList GuidePlaces(const QString& programFolder) {
  QDir bin(programFolder);
  return {bin.filePath(QStringLiteral("quintaro-guide.txt")),
          bin.filePath(QStringLiteral("../share/doc/quintaro/gui.md"))};
}

}  // namespace

void MainWindow::OnGuide() {
  const QStringList places = GuidePlaces(env_.programFolder);
  for (const QString& place : places) {
    if (!QFileInfo::exists(place)) continue;
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(place).canonicalFilePath()));
    return;
  }
  QStringList shown;
  for (const QString& place : places) shown << QDir::toNativeSeparators(QDir::cleanPath(place));
  env_.dialogs->Error(Ui(text::kGuideMissing) + QStringLiteral("\r\n") +
                      shown.join(QStringLiteral("\r\n")));
}

void MainWindow::OnAbout() {
  const QStringList lines{
      Ui(text::kCaption).section(' ', 0, 0) + QStringLiteral(" " QUINTARO_VERSION),
      Ui(text::kAboutLicence),
      Ui(text::kAboutLibraries),
      QStringLiteral("  Qt ") + QString::fromLatin1(qVersion()) + QStringLiteral(" (GNU LGPL v3)"),
      Ui("  ICU (Unicode License、Windows 以外)"),
  };
  env_.dialogs->Inform(lines.join(QStringLiteral("\r\n")));
}

}  // namespace quintaro::app
