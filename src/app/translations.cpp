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
  // Carried inside the program where the system has no Qt translations
  // (Windows), else the system's own.
  for (const QString& folder :
       {QStringLiteral(":/qt-translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      return QCoreApplication::installTranslator(translator);
    }
  }
  delete translator;
  return false;
}

}  // namespace quintaro::app
