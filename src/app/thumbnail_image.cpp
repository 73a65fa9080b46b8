#include "app/thumbnail_image.h"

#include <QPainter>

namespace quintaro::app {

ThumbnailImage::ThumbnailImage(int tag, QWidget* parent) : QWidget(parent), tag_(tag) {
  setObjectName(QStringLiteral("Image%1").arg(tag));
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
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

}  // namespace quintaro::app
