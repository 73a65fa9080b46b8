#include "app_window.h"

#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "document/demo_drawing.h"

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
  main_ = std::make_unique<MainWindow>(env);
  main_->show();
  (void)QTest::qWaitForWindowExposed(main_.get());
}

PaintBox* AppWindow::Box() const {
  return main_->findChild<PaintBox*>("paintBox");
}

QString AppWindow::OpenSample(const std::string& sample) {
  std::string name = std::filesystem::path(sample).filename().string();
  std::filesystem::copy_file(quintaro::test::SamplePath(sample), dir_.File(name),
                             std::filesystem::copy_options::overwrite_existing);
  QString path = QString::fromStdString(dir_.File(name));
  main_->OpenDocument(path);
  return path;
}

QString AppWindow::OpenLarge() {
  std::string path = dir_.File("large.jww");
  TJwwData big = MakeLargeDrawing(20000);
  if (!big.SaveToFile(path, big.Header.Version)) return {};
  main_->OpenDocument(QString::fromStdString(path));
  return QString::fromStdString(path);
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
  QString status = main_->StatusText();
  Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
  return status;
}

void AppWindow::ShowGroups() {
  main_->findChild<QTabWidget*>("pages")->setCurrentIndex(1);
}

void AppWindow::Arrange() {
  main_->setGeometry(0, 0, 400, 420);
  main_->FirstLayerWindow().setGeometry(420, 0, 360, 280);
  main_->SecondLayerWindow().setGeometry(420, 310, 360, 280);
  QCoreApplication::processEvents();
}

void AppWindow::DoubleClick(ThumbnailImage* image) {
  QPoint at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, image->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, image->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QMouseEvent twice(QEvent::MouseButtonDblClick, at, image->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(image, &press);
  QApplication::sendEvent(image, &release);
  QApplication::sendEvent(image, &twice);
  QApplication::sendEvent(image, &release);
}

void AppWindow::RightDrag(ThumbnailImage* image, QPoint press, const std::vector<QPoint>& path) {
  QMouseEvent down(QEvent::MouseButtonPress, press, image->mapToGlobal(press), Qt::RightButton,
                   Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(image, &down);
  for (QPoint screen : path) {
    QMouseEvent move(QEvent::MouseMove, image->mapFromGlobal(screen), screen, Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(image, &move);
  }
  QPoint end = path.empty() ? image->mapToGlobal(press) : path.back();
  QMouseEvent up(QEvent::MouseButtonRelease, image->mapFromGlobal(end), end, Qt::RightButton,
                 Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(image, &up);
}

QPoint AppWindow::CellCentre(const QWidget* panel, int index) {
  int cw = panel->width() / 4, ch = panel->height() / 4;
  QPoint local((index % 4) * cw + cw / 2, (index / 4) * ch + ch / 2);
  return panel->mapToGlobal(local);
}

}  // namespace quintaro::app::testing
