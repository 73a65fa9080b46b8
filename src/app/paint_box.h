// The paint area of the page "ALL". It keeps no state of its
// own and hands every paint, mouse and wheel event to its handler.
#pragma once

#include <QWidget>

class QMouseEvent;
class QPainter;
class QWheelEvent;

namespace quintaro::app {

class PaintBoxEvents {
 public:
  virtual ~PaintBoxEvents() = default;
  virtual void Paint(QPainter& painter) = 0;
  virtual void MousePress(QMouseEvent* event) = 0;
  virtual void MouseMove(QMouseEvent* event) = 0;
  virtual void MouseRelease(QMouseEvent* event) = 0;
  virtual void Wheel(QWheelEvent* event) = 0;
  virtual void SizeChanged() {}
};

class PaintBox : public QWidget {
 public:
  explicit PaintBox(QWidget* parent = nullptr);
  void SetHandler(PaintBoxEvents* handler) { handler_ = handler; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  PaintBoxEvents* handler_ = nullptr;
};

}  // namespace quintaro::app
