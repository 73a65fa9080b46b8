// The views and thumbnails are drawn at the screen's own pixels (a screen
// at 150 % has 1.5 of them per logical pixel), so that lines and texts stay
// sharp. Widget sizes and mouse positions are logical; the view transforms,
// and the navigation arithmetic on them, work in device pixels.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quintaro::app {

inline int DevicePixels(const QWidget* widget, int logical) {
  return std::max(1, static_cast<int>(std::lround(logical * widget->devicePixelRatioF())));
}

inline QPointF ToDevice(const QWidget* widget, QPointF logical) {
  return logical * widget->devicePixelRatioF();
}

// A picture drawn at device pixels, marked so that painting shows it at its
// logical size.
inline void MarkDevicePixels(QImage& image, const QWidget* widget) {
  image.setDevicePixelRatio(widget->devicePixelRatioF());
}

}  // namespace quintaro::app
