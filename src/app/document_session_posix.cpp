// Paths and file patterns of a POSIX file system: bytes as the system
// encodes names, case-sensitive matching.
#include <QFile>

#include "app/document_session.h"

namespace quintaro::app {

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString ExtensionPattern(const QString& extension) {
  QString pattern = QStringLiteral("*.");
  for (QChar c : extension) pattern += QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper());
  return pattern;
}

}  // namespace quintaro::app
