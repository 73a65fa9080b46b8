// quintaro: the desktop program. An optional first argument names a
// drawing to open at start.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include "app/app_environment.h"
#include "app/main_window.h"
#include "app/qt_dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quintaro"));
  quintaro::app::QtDialogs dialogs;
  quintaro::app::TForm1 form(quintaro::app::DefaultEnvironment(dialogs));
  dialogs.SetParent(&form);
  form.show();
  QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    QString path = QFileInfo(args[1]).absoluteFilePath();
    QTimer::singleShot(0, &form, [&form, path] { form.OpenDocument(path); });
  }
  return app.exec();
}
