#include "qt_app.h"

#ifdef QUINTARO_BENCH_WIDGETS
#include <QApplication>
using AppClass = QApplication;
#else
#include <QGuiApplication>
using AppClass = QGuiApplication;
#endif

namespace quintaro::bench {

void EnsureQtApp() {
  static int argc = 1;
  static char name[] = "quintaro-bench";
  static char* argv[] = {name, nullptr};
  if (AppClass::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Kept to the end of the process: the windows of the fixtures are static
  // too, and a QApplication destroyed among the exit handlers crashed.
  static AppClass* app = new AppClass(argc, argv);
  (void)app;
}

}  // namespace quintaro::bench
