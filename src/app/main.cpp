// quintaro: the desktop program. An optional first argument names a
// drawing to open at start.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstring>

#include "app/app_environment.h"
#include "app/main_window.h"
#include "app/program_info.h"
#include "app/qt_dialogs.h"
#include "app/translations.h"

namespace {

constexpr char kHelp[] =
    "quintaro: show a Jw_cad drawing (JWW, JWS, JWC, JWK) and move its layer groups and layers\n"
    "Usage: quintaro [OPTIONS] [FILE]\n"
    "\n"
    "Positionals:\n"
    "  FILE                        a drawing to open at start\n"
    "\n"
    "Options:\n"
    "  -h,--help                   Print this help message and exit\n"
    "  --version                   Display program version information and exit\n";

// --help and --version are answered before any window (or display connection)
// exists, so they work without a desktop. Returns -1 when the program should start.
int AnswerInfoOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (std::strcmp(argv[i], "--version") == 0) {
      quintaro::app::ShowProgramInfo("quintaro " QUINTARO_VERSION "\n");
      return 0;
    }
    if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      quintaro::app::ShowProgramInfo(kHelp);
      return 0;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (int code = AnswerInfoOptions(argc, argv); code >= 0) return code;
  quintaro::app::UseJapaneseDatesWithoutSystemLanguage();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quintaro"));
  quintaro::app::InstallJapaneseTranslations(app);
  quintaro::app::QtDialogs dialogs;
  quintaro::app::MainWindow form(quintaro::app::DefaultEnvironment(dialogs));
  dialogs.SetParent(&form);
  form.show();
  QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    QString path = QFileInfo(args[1]).absoluteFilePath();
    QTimer::singleShot(0, &form, [&form, path] { form.OpenDocument(path); });
  }
  return app.exec();
}
