#include "app/thumbnail_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace quintaro::app {

ThumbnailImage::ThumbnailImage(int tag, ThumbnailSource source, QWidget* parent)
    : QWidget(parent), tag_(tag), source_(source) {
  setObjectName(QStringLiteral("Image%1").arg(tag));
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

void ThumbnailImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
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
