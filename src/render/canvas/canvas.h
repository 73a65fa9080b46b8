// The raster canvas that every figure is drawn on: a pen, a brush, a font
// and a few integer-pixel drawing calls. Backends (QPainter, the recording
// canvas of the tests) derive from Canvas; the attribute setters here remember
// the current values and tell the backend only about real changes.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "formats/common/text.h"

namespace quintaro::render {

// A colour value 0x00BBGGRR (red in the low byte).
using Color = std::uint32_t;

inline constexpr Color RgbColor(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int RedOf(Color c) {
  return static_cast<int>(c & 0xFF);
}
inline constexpr int GreenOf(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int BlueOf(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

enum class PenStyle : std::uint8_t { kSolid, kDash, kDot, kDashDot, kDashDotDot, kNull };
enum class PenMode : std::uint8_t { kCopy, kXor };
enum class BrushStyle : std::uint8_t {
  kSolid,
  kClear,
  kHorizontal,
  kVertical,
  kFDiagonal,  // lines falling to the right
  kBDiagonal,  // lines rising to the right
  kCross,
  kDiagCross,
};

struct Pen {
  Color color = 0;
  int width = 0;  // 0 = the thinnest line the device draws
  PenStyle style = PenStyle::kSolid;
  PenMode mode = PenMode::kCopy;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
  Color color = 0xFFFFFF;
  BrushStyle style = BrushStyle::kSolid;
  friend bool operator==(const Brush&, const Brush&) = default;
};

// A font as the drawing asks for it. Sizes are pixels; the escapement is in
// tenths of a degree counter-clockwise; the face name is in the drawing's
// encoding (Shift-JIS) and may begin with "@" for vertical writing.
struct FontSpec {
  int height = 0;  // character cell height
  int width = 0;   // average character width; 0 = the face's natural one
  int escapement = 0;
  int orientation = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::string faceName;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  const Pen& CurrentPen() const { return pen_; }
  const Brush& CurrentBrush() const { return brush_; }
  const FontSpec& CurrentFont() const { return font_; }
  Color TextColor() const { return textColor_; }

  void SetPen(const Pen& pen) {
    if (pen == pen_) return;
    pen_ = pen;
    PenChanged();
  }
  void SetPenColor(Color c) {
    if (c != pen_.color) SetPen({c, pen_.width, pen_.style, pen_.mode});
  }
  void SetPenWidth(int w) {
    if (w != pen_.width) SetPen({pen_.color, w, pen_.style, pen_.mode});
  }
  void SetPenMode(PenMode m) {
    if (m != pen_.mode) SetPen({pen_.color, pen_.width, pen_.style, m});
  }
  void SetBrush(const Brush& brush) {
    if (brush == brush_) return;
    brush_ = brush;
    BrushChanged();
  }
  void SetBrushStyle(BrushStyle s) { SetBrush({brush_.color, s}); }
  void SetFont(const FontSpec& font) {
    if (font == font_) return;
    font_ = font;
    FontChanged();
  }
  void SetTextColor(Color c) {
    if (c == textColor_) return;
    textColor_ = c;
    TextColorChanged();
  }

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // Outlined with the pen and filled with the brush; the right and bottom
  // edges are exclusive. The corners may come in any order.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // A polyline or polygon whose points all lie on one pixel draws nothing
  // (the shapes leave such calls out).
  virtual void Polyline(std::span<const PixelPoint> points) = 0;
  // Closed, filled with the brush, outlined with the pen.
  virtual void Polygon(std::span<const PixelPoint> points) = 0;
  // One run of characters with the current font and text colour, the top
  // left corner of its cell at (x, y), background left untouched.
  virtual void TextOut(int x, int y, std::string_view bytes, TextEncoding encoding) = 0;

  // An off-screen canvas of this backend's kind, cleared to white.
  virtual std::unique_ptr<Canvas> CreateBitmap(int width, int height) const = 0;
  // Copies a w x h block at (sx, sy) of `source` to (dx, dy); false when the
  // source is not of a kind this canvas can read.
  virtual bool CopyFrom(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy) = 0;
  // Completes any drawing the backend still holds back.
  virtual void Flush() {}

 protected:
  virtual void PenChanged() {}
  virtual void BrushChanged() {}
  virtual void FontChanged() {}
  virtual void TextColorChanged() {}

 private:
  Pen pen_;
  Brush brush_;
  FontSpec font_;
  Color textColor_ = 0;
};

}  // namespace quintaro::render
