#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quintaro::app {

namespace {

bool NamesNoLanguage(const QByteArray& locale) {
  return locale.isEmpty() || locale == "C" || locale == "POSIX" || locale.startsWith("C.");
}

}  // namespace

// Only the time category: the language Qt reports for everything else
// (fonts, messages) stays the system's. Qt reads the variables once, when
// the application is made. LC_ALL set by the user overrides every
// category and is left alone.
void UseJapaneseDatesWithoutSystemLanguage() {
  if (!qEnvironmentVariableIsEmpty("LC_ALL")) return;
  QByteArray time = qgetenv("LC_TIME");
  if (time.isEmpty()) time = qgetenv("LANG");
  if (NamesNoLanguage(time)) qputenv("LC_TIME", "ja_JP.UTF-8");
}

bool InstallJapaneseTranslations(QCoreApplication& app) {
  QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  auto* translator = new QTranslator(&app);
  if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace quintaro::app
