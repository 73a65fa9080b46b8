// Paths and file patterns on Windows: UTF-8 paths (the core's file layer
// turns them into the wide names of the system, never the ANSI code page),
// case-insensitive matching.
#include "app/document_session.h"

namespace quintaro::app {

std::string LocalPath(const QString& path) {
  return path.toStdString();
}

QString ExtensionPattern(const QString& extension) {
  return QStringLiteral("*.") + extension.toLower();
}

}  // namespace quintaro::app
