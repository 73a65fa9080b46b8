#include "app/thumbnail_image.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quintaro::app {

namespace {

constexpr int kHighlightWidth = 4;

// The tag the arrow key leads to in the grid of four by four; the same
// tag at an edge.
int Neighbour(int tag, int key) {
  const int i = tag - 1, row = i / 4, column = i % 4;
  switch (key) {
    case Qt::Key_Left:
      return column > 0 ? tag - 1 : tag;
    case Qt::Key_Right:
      return column < 3 ? tag + 1 : tag;
    case Qt::Key_Up:
      return row > 0 ? tag - 4 : tag;
    case Qt::Key_Down:
      return row < 3 ? tag + 4 : tag;
  }
  return 0;
}

}  // namespace

ThumbnailImage::ThumbnailImage(int tag, ThumbnailSource source, QWidget* parent)
    : QWidget(parent), tag_(tag), source_(source) {
  setObjectName(QStringLiteral("thumbnail%1").arg(tag));
  // Painted whole (picture or panel white), so that a new picture repaints
  // only the thumbnail and never the panel below it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void ThumbnailImage::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  update();
}

void ThumbnailImage::ClearPicture() {
  picture_ = QImage();
  update();
}

void ThumbnailImage::SetHighlighted(bool on) {
  if (highlighted_ == on) return;
  highlighted_ = on;
  update();
}

// The picture in a thin grey frame that sets the cells apart; the drop
// target's frame is thick and blue.
void ThumbnailImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
  painter.setBrush(Qt::NoBrush);
  if (highlighted_) {
    painter.setPen(QPen(QColor(0x00, 0x78, 0xD7), kHighlightWidth, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    int inset = kHighlightWidth / 2;
    painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
  } else {
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  // The selected cell of the keyboard: a dotted frame inside.
  if (hasFocus()) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
  }
}

void ThumbnailImage::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mouse_ != nullptr) {
    return mouse_->ThumbnailDoubleClicked(*this);
  }
  const int next = Neighbour(tag_, key);
  if (next == 0) return QWidget::keyPressEvent(event);
  auto* cell = parentWidget()->findChild<ThumbnailImage*>(QStringLiteral("thumbnail%1").arg(next),
                                                          Qt::FindDirectChildrenOnly);
  if (cell != nullptr) cell->setFocus(Qt::OtherFocusReason);
}

void ThumbnailImage::focusInEvent(QFocusEvent*) {
  update();
}

void ThumbnailImage::focusOutEvent(QFocusEvent*) {
  update();
}

void ThumbnailImage::mousePressEvent(QMouseEvent* event) {
  if (mouse_) mouse_->ThumbnailPressed(*this, *event);
}

void ThumbnailImage::mouseMoveEvent(QMouseEvent* event) {
  if (mouse_) mouse_->ThumbnailMoved(*this, *event);
}

void ThumbnailImage::mouseReleaseEvent(QMouseEvent* event) {
  if (mouse_) mouse_->ThumbnailReleased(*this, *event);
}

void ThumbnailImage::mouseDoubleClickEvent(QMouseEvent* event) {
  if (mouse_ == nullptr) return;
  if (event->button() == Qt::LeftButton) {
    mouse_->ThumbnailDoubleClicked(*this);
  } else {
    mouse_->ThumbnailPressed(*this, *event);
  }
}

}  // namespace quintaro::app
