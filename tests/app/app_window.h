// A main window for the tests: its settings in a private folder, its
// dialogs scripted, shown on the offscreen platform.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/paint_box.h"
#include "scripted_dialogs.h"
#include "support/temp_dir.h"

namespace quintaro::app::testing {

class AppWindow {
 public:
  // `settings` is written as the settings file first, unless empty.
  explicit AppWindow(const std::string& settings = {}, QString settingsPath = {});

  MainWindow& Main() { return *main_; }
  PaintBox* Box() const;
  quintaro::test::TempDir& Dir() { return dir_; }
  ScriptedDialogs& Dialogs() { return dialogs_; }
  QString SettingsPath() const { return settingsPath_; }

  // A copy of a shared sample in the window's folder, opened.
  QString OpenSample(const std::string& sample);
  // A large generated drawing (20000 figures on every layer) in the
  // window's folder, opened; empty when it could not be written.
  QString OpenLarge();

  // Mouse and wheel events on the paint area, at pixel positions.
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held);
  void WheelAt(QPoint at, int delta);
  // Presses left then right at `from`, moves to `to`, releases both; the
  // status text seen after the move is returned.
  QString TwoButtonDrag(QPoint from, QPoint to);

  // Turns to the page "LayerGroup", which draws the group thumbnails.
  void ShowGroups();
  // The main window and the two layer windows side by side on the screen,
  // none covering another: main at the left, the first layer window top right, the second
  // bottom right.
  void Arrange();
  // A left double-click on a thumbnail.
  static void DoubleClick(ThumbnailImage* image);
  // A right-button drag: pressed at `press` within the thumbnail, moved over
  // the screen points of `path` and released at the last. Every event goes to
  // the pressed thumbnail, as the press's mouse grab does on a desktop.
  static void RightDrag(ThumbnailImage* image, QPoint press, const std::vector<QPoint>& path);
  // The screen point in the middle of cell `index` (0..15) of a panel.
  static QPoint CellCentre(const QWidget* panel, int index);

 private:
  quintaro::test::TempDir dir_;
  ScriptedDialogs dialogs_;
  QString settingsPath_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace quintaro::app::testing
