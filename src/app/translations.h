// Qt's own texts (message box buttons, file dialogs) in Japanese, like the
// rest of the program.
#pragma once

class QCoreApplication;

namespace quintaro::app {

// Installs Qt's Japanese translations on the application, whatever the
// system's language. False when they are not installed on this system:
// the program then runs with Qt's English texts.
bool InstallJapaneseTranslations(QCoreApplication& app);

}  // namespace quintaro::app
