#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace quintaro::app {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("paintBox"));
  // Every pixel comes from the handler's paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void PaintBox::paintEvent(QPaintEvent*) {
  if (handler_ == nullptr) return;
  QPainter painter(this);
  handler_->Paint(painter);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (handler_) handler_->MousePress(event);
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (handler_) handler_->MouseMove(event);
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (handler_) handler_->MouseRelease(event);
}

// A quick second press is a press like any other for the two-button drag.
void PaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (handler_) handler_->MousePress(event);
}

void PaintBox::wheelEvent(QWheelEvent* event) {
  if (handler_) handler_->Wheel(event);
}

void PaintBox::resizeEvent(QResizeEvent*) {
  if (handler_) handler_->SizeChanged();
}

}  // namespace quintaro::app
