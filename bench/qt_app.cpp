#include "qt_app.h"

#include <memory>

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
  static auto app = std::make_unique<AppClass>(argc, argv);
}

}  // namespace quintaro::bench
