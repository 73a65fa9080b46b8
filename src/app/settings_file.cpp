#include "app/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/recent_files.h"

namespace quintaro::app {

AppSettings ReadSettings(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  std::string text = file.readAll().toStdString();
  AppSettings settings = ParseSettings(text);
  settings.recentFiles = ParseRecentFiles(text);
  return settings;
}

bool WriteSettings(const std::string& path, const AppSettings& settings) {
  QString name = QString::fromStdString(path);
  QDir().mkpath(QFileInfo(name).absolutePath());
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly)) return false;
  std::string text = FormatSettings(settings) + FormatRecentFiles(settings.recentFiles);
  if (file.write(text.data(), static_cast<qint64>(text.size())) !=
      static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace quintaro::app
