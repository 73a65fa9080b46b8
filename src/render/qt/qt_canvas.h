// The canvas drawn with QPainter, on any paint device: an image, a pixmap,
// a widget or an SVG generator. Straight lines are collected and handed to
// the painter in batches; Flush() (or the destructor) draws what is left.
// On a 32-bit image, thin lines and outlines (solid, dotted or dashed) and
// solid fills are written into its pixels directly (thin_lines.h,
// solid_fill.h): the same pixels as the painter's, in the same order,
// without its cost per call.
#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "render/canvas/canvas.h"
#include "render/qt/pixel_target.h"
#include "render/qt/solid_fill.h"
#include "render/qt/thin_lines.h"

namespace quintaro::render {

class QtCanvas : public Canvas {
 public:
  // Paints on `device`, which must outlive the canvas.
  explicit QtCanvas(QPaintDevice* device);
  // An off-screen canvas owning its image (white, 32-bit RGB).
  QtCanvas(int width, int height);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Polyline(std::span<const PixelPoint> points) override;
  void Polygon(std::span<const PixelPoint> points) override;
  void TextOut(int x, int y, std::string_view bytes, TextEncoding encoding) override;
  std::unique_ptr<Canvas> CreateBitmap(int width, int height) const override;
  bool CopyFrom(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy) override;
  void Flush() override;

  // Ends painting (flushing first); the canvas must not be drawn on afterwards.
  void End();
  // From now on only the pixels inside `area` change. Every shape is still
  // worked out for the whole device, so they are the pixels a drawing of
  // the whole would set there.
  void ClipTo(const QRect& area);
  QPainter& Painter() { return painter_; }
  // The owned image of an off-screen canvas (null image otherwise).
  const QImage& Image() const { return image_; }

 protected:
  void PenChanged() override;
  void BrushChanged() override;
  void FontChanged() override;

 private:
  void Begin(QPaintDevice* device);
  void FindPixels(QPaintDevice* device);
  bool ThinPen() const;
  bool RasterPolygon(std::span<const PixelPoint> points);
  void ApplyState();
  const QPen& QPenOf(const Pen& p);
  const QBrush& QBrushOf(const Brush& b);
  void ToQPoints(std::span<const PixelPoint> points);
  void DrawGlyph(const QString& glyph, bool upright, bool cornerMark, double advance);
  const QString& Decode(std::string_view bytes, TextEncoding encoding);

  QImage image_;
  QPainter painter_;
  int width_ = 0, height_ = 0;
  QPoint current_;
  std::vector<QLine> pending_;
  // The image's pixels when the raster paths may write them (no bits otherwise).
  PixelTarget pixels_;
  ThinLines thinLines_{pixels_};
  SolidFill solidFill_;
  bool onImage_ = false;
  std::vector<QPoint> points_;
  bool penDirty_ = true, brushDirty_ = true, fontDirty_ = true;
  static constexpr std::size_t kMaxCachedStates = 64;
  std::vector<std::pair<Pen, QPen>> qpens_;
  std::vector<std::pair<Brush, QBrush>> qbrushes_;
  PenMode appliedMode_ = PenMode::kCopy;
  bool modeApplied_ = false;
  QFont qfont_;
  double fontScaleX_ = 1, fontScaleY_ = 1, fontAscent_ = 0;
  bool vertical_ = false;
  std::unordered_map<std::string, QString> glyphs_;
};

QColor ToQColor(Color c);

// The Japanese faces a drawing names, in any spelling ("ＭＳ ゴシック",
// "MS PGothic", "游明朝"...): fixed-pitch or proportional, Gothic or Mincho.
enum class JapaneseFace : std::uint8_t { kGothic, kPGothic, kMincho, kPMincho };

// The families, first choice first, that show a face name of the drawings
// (Shift-JIS, without a leading "@"): the platform's Japanese fonts for the
// Japanese faces (JapaneseFamilies), the name itself for any other.
QStringList FamiliesForFace(const std::string& faceName, bool* japanese);
// The installed fonts of this platform for a Japanese face.
QStringList JapaneseFamilies(JapaneseFace face);

}  // namespace quintaro::render
