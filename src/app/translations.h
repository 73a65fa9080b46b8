// Qt's own texts (message box buttons, file dialogs) in Japanese, like the
// rest of the program.
#pragma once

class QCoreApplication;

namespace quintaro::app {

// Installs Qt's Japanese translations on the application, whatever the
// system's language. False when they are not installed on this system:
// the program then runs with Qt's English texts.
bool InstallJapaneseTranslations(QCoreApplication& app);

// Called before the application is made. On a system that names no
// language (LANG and LC_TIME unset, C or POSIX) Qt's own file dialog would
// write the dates of its list in English among Japanese texts: they follow
// the Japanese format instead. The C library's settings do not change.
void UseJapaneseDatesWithoutSystemLanguage();

}  // namespace quintaro::app
