#include "app/thumbnail_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace quintaro::app {

namespace {

constexpr int kHighlightWidth = 4;

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
