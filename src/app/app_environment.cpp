#include "app/app_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace quintaro::app {

AppEnvironment DefaultEnvironment(Dialogs& dialogs) {
  AppEnvironment env;
  env.dialogs = &dialogs;
  QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (!folder.isEmpty()) env.settingsPath = QDir(folder).filePath(QStringLiteral("quintaro.ini"));
  env.programFolder = QCoreApplication::applicationDirPath();
  return env;
}

}  // namespace quintaro::app
