#include "app_window.h"

#include <QTest>
#include <filesystem>

namespace quintaro::app::testing {

AppWindow::AppWindow(const std::string& settings, QString settingsPath)
    : settingsPath_(settingsPath.isEmpty() ? QString::fromStdString(dir_.File("quintaro.ini"))
                                           : settingsPath) {
  if (!settings.empty()) {
    quintaro::test::WriteAll(settingsPath_.toStdString(), {settings.begin(), settings.end()});
  }
  std::filesystem::create_directory(dir_.File("program"));
  AppEnvironment env;
  env.dialogs = &dialogs_;
  env.settingsPath = settingsPath_;
  env.programFolder = QString::fromStdString(dir_.File("program"));
  form_ = std::make_unique<TForm1>(env);
  form_->show();
  (void)QTest::qWaitForWindowExposed(form_.get());
}

TPaintBox* AppWindow::Box() const {
  return form_->findChild<TPaintBox*>("PaintBox1");
}

QString AppWindow::OpenSample(const std::string& sample) {
  std::string name = std::filesystem::path(sample).filename().string();
  std::filesystem::copy_file(quintaro::test::SamplePath(sample), dir_.File(name),
                             std::filesystem::copy_options::overwrite_existing);
  QString path = QString::fromStdString(dir_.File(name));
  form_->OpenDocument(path);
  return path;
}

void AppWindow::Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(Box()->mapToGlobal(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(Box(), &event);
}

void AppWindow::WheelAt(QPoint at, int delta) {
  QWheelEvent event(QPointF(at), QPointF(Box()->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Box(), &event);
}

QString AppWindow::TwoButtonDrag(QPoint from, QPoint to) {
  Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonPress, from, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
  Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
  QString status = form_->StatusText();
  Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
  return status;
}

}  // namespace quintaro::app::testing
