// Takes screenshots of the program for a look by eye (not a test):
//   quintaro_app_shots OUTPUT_FOLDER
// Opens shared samples, zooms, drags, turns pages, changes the background
// and walks through the open dialog and a refused Save As with the real
// Qt dialogs, saving each view as a PNG.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/main_window.h"
#include "app/qt_dialogs.h"
#include "app_window.h"
#include "support/temp_dir.h"

using namespace quintaro::app;

namespace {

QString out;

void Shot(QWidget* widget, const char* name) {
  QCoreApplication::processEvents();
  widget->grab().save(out + "/" + name + ".png");
}

// Acts on the next modal dialog once it is up.
void OnNextDialog(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start(50);
}

void Drag(testing::AppWindow& w, QPoint from, QPoint to, bool release) {
  w.Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  w.Mouse(QEvent::MouseButtonPress, from, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
  w.Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
  if (!release) return;
  w.Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::RightButton);
  w.Mouse(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
}

void Navigation(const std::string& sample, const char* prefix) {
  testing::AppWindow w;
  MainWindow& f = w.Main();
  w.OpenSample(sample);
  QString p = QString::fromLatin1(prefix);
  Shot(&f, (p + "_all").toLatin1());
  w.WheelAt({180, 120}, -120);
  w.WheelAt({180, 120}, -120);
  Shot(&f, (p + "_zoom").toLatin1());
  Drag(w, {120, 80}, {300, 220}, false);
  Shot(&f, (p + "_band").toLatin1());
  w.Mouse(QEvent::MouseButtonRelease, {300, 220}, Qt::LeftButton, Qt::RightButton);
  Shot(&f, (p + "_zoomrect").toLatin1());
  Drag(w, {300, 60}, {100, 250}, true);  // paper range
  Shot(&f, (p + "_paper").toLatin1());
  f.findChild<QAction*>("blackAction")->trigger();
  Shot(&f, (p + "_black").toLatin1());
  f.findChild<QTabWidget*>("pages")->setCurrentIndex(1);
  Shot(&f, (p + "_groups_black").toLatin1());
  f.findChild<QAction*>("whiteAction")->trigger();
  f.findChild<QAction*>("greyAction")->trigger();
  Shot(&f, (p + "_groups_grey").toLatin1());
}

void DialogShots() {
  quintaro::test::TempDir dir;
  std::filesystem::copy_file(quintaro::test::SamplePath("jww/dist_test3.jww"),
                             dir.File("plan.jww"));
  QtDialogs dialogs;
  AppEnvironment env;
  env.dialogs = &dialogs;
  env.programFolder = QString::fromStdString(dir.File("program"));
  MainWindow form(env);
  dialogs.SetParent(&form);
  form.show();
  form.OpenDocument(QString::fromStdString(dir.File("plan.jww")));
  OnNextDialog([](QWidget* d) {
    Shot(d, "dialog_open");
    static_cast<QFileDialog*>(d)->reject();
  });
  form.OnOpen();
  OnNextDialog([&dir](QWidget* d) {
    Shot(d, "dialog_save");
    auto* dialog = static_cast<QFileDialog*>(d);
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QStringLiteral("PLAN.JWW"));
    QMetaObject::invokeMethod(dialog, "accept");  // the file dialog's own accept
    OnNextDialog([](QWidget* box) {
      Shot(box, "dialog_refused");
      static_cast<QMessageBox*>(box)->accept();
    });
  });
  form.OnSaveAs();
  Shot(&form, "dialog_after_refusal");
  form.close();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  Navigation("jww/dist_sample.jww", "jww");
  Navigation("jww/jdu_sample.jww", "jdu");
  Navigation("jws/dist_kitchen.jws", "jws");
  Navigation("jwk/dist_desk.jwk", "jwk");
  DialogShots();
  return 0;
}
