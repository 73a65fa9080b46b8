#include "render/qt/qt_canvas.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPixmap>
#include <QPolygon>
#include <cstring>
#include <type_traits>

#include "formats/common/text.h"

namespace quintaro::render {

QColor ToQColor(Color c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

namespace {

// Lines handed to the painter in one call at most.
constexpr std::size_t kLineBatch = 4096;
// The raster paths' fixed-point arithmetic holds for images up to this size.
constexpr int kMaxRasterSize = 16384;

Qt::PenStyle ToQtPenStyle(PenStyle s) {
  switch (s) {
    case PenStyle::kDash:
      return Qt::DashLine;
    case PenStyle::kDot:
      return Qt::DotLine;
    case PenStyle::kDashDot:
      return Qt::DashDotLine;
    case PenStyle::kDashDotDot:
      return Qt::DashDotDotLine;
    case PenStyle::kNull:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

Qt::BrushStyle ToQtBrushStyle(BrushStyle s) {
  switch (s) {
    case BrushStyle::kSolid:
      return Qt::SolidPattern;
    case BrushStyle::kHorizontal:
      return Qt::HorPattern;
    case BrushStyle::kVertical:
      return Qt::VerPattern;
    case BrushStyle::kFDiagonal:
      return Qt::FDiagPattern;
    case BrushStyle::kBDiagonal:
      return Qt::BDiagPattern;
    case BrushStyle::kCross:
      return Qt::CrossPattern;
    case BrushStyle::kDiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::NoBrush;
  }
}

}  // namespace

QtCanvas::QtCanvas(QPaintDevice* device) {
  Begin(device);
}

QtCanvas::QtCanvas(int width, int height)
    : image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32) {
  image_.fill(Qt::white);
  Begin(&image_);
}

QtCanvas::~QtCanvas() {
  End();
}

void QtCanvas::Begin(QPaintDevice* device) {
  width_ = device->width();
  height_ = device->height();
  painter_.begin(device);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  pending_.reserve(kLineBatch);
  FindPixels(device);
}

// The raster paths write into plain 32-bit images at one device pixel per
// pixel; other devices are drawn by the painter alone.
void QtCanvas::FindPixels(QPaintDevice* device) {
  pixels_ = {};
  onImage_ = device->devType() == QInternal::Image;
  if (!onImage_ || !painter_.isActive()) return;
  const auto* image = static_cast<const QImage*>(device);
  const QImage::Format format = image->format();
  if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
      image->devicePixelRatio() != 1.0 || width_ > kMaxRasterSize || height_ > kMaxRasterSize) {
    return;
  }
  // The painter draws into these very pixels: asking for writable bits could
  // detach the image from them, so the constant ones are written.
  pixels_.bits = reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image->constBits()));
  pixels_.stride = image->bytesPerLine() / 4;
  pixels_.width = pixels_.clipRight = width_;
  pixels_.height = pixels_.clipBottom = height_;
  thinLines_.SetTarget(pixels_);
  thinLines_.SetStyle(CurrentPen().style);
  thinLines_.SetPixel(PixelOf(CurrentPen().color));
}

bool QtCanvas::ThinPen() const {
  const Pen& p = CurrentPen();
  return pixels_.bits != nullptr && p.width == 0 && p.style != PenStyle::kNull &&
         p.mode == PenMode::kCopy;
}

void QtCanvas::End() {
  if (!painter_.isActive()) return;
  Flush();
  painter_.end();
}

void QtCanvas::ClipTo(const QRect& area) {
  Flush();
  painter_.setClipRect(area);
  if (pixels_.bits == nullptr) return;
  const QRect inside = area & QRect(0, 0, width_, height_);
  pixels_.clipLeft = inside.left();
  pixels_.clipTop = inside.top();
  pixels_.clipRight = inside.left() + inside.width();
  pixels_.clipBottom = inside.top() + inside.height();
  thinLines_.SetTarget(pixels_);
}

void QtCanvas::PenChanged() {
  Flush();
  penDirty_ = true;
  thinLines_.SetStyle(CurrentPen().style);
  thinLines_.SetPixel(PixelOf(CurrentPen().color));
}

void QtCanvas::BrushChanged() {
  Flush();
  brushDirty_ = true;
}

void QtCanvas::FontChanged() {
  fontDirty_ = true;
}

// Pens and brushes are made once per value: a drawing switches between a
// few colours many thousand times, and each new QPen or QBrush would cost an
// allocation.
const QPen& QtCanvas::QPenOf(const Pen& p) {
  for (const auto& [key, pen] : qpens_)
    if (key == p) return pen;
  if (qpens_.size() >= kMaxCachedStates) qpens_.clear();
  QPen pen(ToQColor(p.color));
  pen.setWidth(p.width);  // 0: cosmetic, one pixel
  pen.setStyle(ToQtPenStyle(p.style));
  pen.setCapStyle(Qt::FlatCap);
  return qpens_.emplace_back(p, pen).second;
}

const QBrush& QtCanvas::QBrushOf(const Brush& b) {
  for (const auto& [key, brush] : qbrushes_)
    if (key == b) return brush;
  if (qbrushes_.size() >= kMaxCachedStates) qbrushes_.clear();
  return qbrushes_.emplace_back(b, QBrush(ToQColor(b.color), ToQtBrushStyle(b.style))).second;
}

void QtCanvas::ApplyState() {
  if (penDirty_) {
    const Pen& p = CurrentPen();
    painter_.setPen(QPenOf(p));
    if (!modeApplied_ || p.mode != appliedMode_) {
      painter_.setCompositionMode(p.mode == PenMode::kXor ? QPainter::RasterOp_SourceXorDestination
                                                          : QPainter::CompositionMode_SourceOver);
      appliedMode_ = p.mode;
      modeApplied_ = true;
    }
    penDirty_ = false;
  }
  if (brushDirty_) {
    painter_.setBrush(QBrushOf(CurrentBrush()));
    brushDirty_ = false;
  }
}

// The pen of a batch is applied when its first line comes (LineTo): by the
// time a pen change flushes the batch, CurrentPen() is already the new one.
void QtCanvas::Flush() {
  if (pending_.empty()) return;
  painter_.drawLines(pending_.data(), static_cast<int>(pending_.size()));
  pending_.clear();
}

void QtCanvas::MoveTo(int x, int y) {
  current_ = QPoint(x, y);
}

// Every thin line is drawn on its own, as if by a painter call of its own:
// within one call a line would end one pixel further where the line before
// it ran the other way, so its pixels would depend on its neighbour.
void QtCanvas::LineTo(int x, int y) {
  QPoint to(x, y);
  const int width = CurrentPen().width;
  if (ThinPen()) {
    thinLines_.Restart();
    thinLines_.Line({current_.x(), current_.y()}, {x, y});
  } else if (to == current_ && pixels_.bits != nullptr && width > 1) {
    // A wide pen with flat ends draws nothing from a pixel to itself.
  } else {
    if (pending_.empty()) ApplyState();
    pending_.emplace_back(current_, to);
    if (pending_.size() >= kLineBatch || (width <= 1 && onImage_)) Flush();
  }
  current_ = to;
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Flush();
  ApplyState();
  int l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
  if (r - l < 1 || b - t < 1) return;
  painter_.drawRect(QRect(l, t, r - l - 1, b - t - 1));
}

// Both are two ints, x then y: the points are copied as one block.
static_assert(sizeof(QPoint) == sizeof(PixelPoint) && std::is_trivially_copyable_v<QPoint>);

void QtCanvas::ToQPoints(std::span<const PixelPoint> points) {
  points_.resize(points.size());
  // Through void*: QPoint has constructors, but copying its bytes is sound (see above).
  if (!points.empty()) {
    std::memcpy(static_cast<void*>(points_.data()), points.data(), points.size_bytes());
  }
}

void QtCanvas::Polyline(std::span<const PixelPoint> points) {
  Flush();
  if (points.size() >= 2 && ThinPen()) {
    thinLines_.Restart();
    thinLines_.Polyline(points, false);
    return;
  }
  ApplyState();
  ToQPoints(points);
  painter_.drawPolyline(points_.data(), static_cast<int>(points_.size()));
}

void QtCanvas::Polygon(std::span<const PixelPoint> points) {
  Flush();
  if (RasterPolygon(points)) return;
  ApplyState();
  ToQPoints(points);
  painter_.drawPolygon(points_.data(), static_cast<int>(points_.size()), Qt::OddEvenFill);
}

// A polygon with a thin outline: filled first (solid fills inside the
// image directly, others by the painter without its pen), then outlined.
bool QtCanvas::RasterPolygon(std::span<const PixelPoint> points) {
  if (points.size() < 3 || !ThinPen()) return false;
  const Brush& brush = CurrentBrush();
  if (brush.style != BrushStyle::kClear &&
      !(brush.style == BrushStyle::kSolid &&
        solidFill_.Fill(pixels_, points, PixelOf(brush.color)))) {
    ApplyState();
    painter_.setPen(Qt::NoPen);
    penDirty_ = true;
    ToQPoints(points);
    painter_.drawPolygon(points_.data(), static_cast<int>(points_.size()), Qt::OddEvenFill);
  }
  thinLines_.Restart();
  thinLines_.Polyline(points, true);
  return true;
}

std::unique_ptr<Canvas> QtCanvas::CreateBitmap(int width, int height) const {
  return std::make_unique<QtCanvas>(width, height);
}

bool QtCanvas::CopyFrom(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy) {
  auto* src = dynamic_cast<const QtCanvas*>(&source);
  if (src == nullptr || src->image_.isNull()) return false;
  const_cast<QtCanvas*>(src)->Flush();
  Flush();
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  painter_.drawImage(QPoint(dx, dy), src->image_, QRect(sx, sy, w, h));
  painter_.restore();
  return true;
}

const QString& QtCanvas::Decode(std::string_view bytes, TextEncoding encoding) {
  std::string key(bytes);
  key += static_cast<char>(encoding);
  auto it = glyphs_.find(key);
  if (it != glyphs_.end()) return it->second;
  std::string utf8 = ToUtf8({std::string(bytes), encoding});
  return glyphs_.emplace(key, QString::fromStdString(utf8)).first->second;
}

}  // namespace quintaro::render
