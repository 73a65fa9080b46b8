#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace quintaro::app {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  // Every pixel comes from the handler's paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void TPaintBox::paintEvent(QPaintEvent*) {
  if (handler_ == nullptr) return;
  QPainter painter(this);
  handler_->Paint(painter);
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  if (handler_) handler_->MousePress(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (handler_) handler_->MouseMove(event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (handler_) handler_->MouseRelease(event);
}

// A quick second press is a press like any other for the two-button drag.
void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (handler_) handler_->MousePress(event);
}

void TPaintBox::wheelEvent(QWheelEvent* event) {
  if (handler_) handler_->Wheel(event);
}

}  // namespace quintaro::app
