// A canvas that keeps every call with its pixel coordinates, so tests can
// check exactly what a drawing produced.
#pragma once

#include <string>
#include <vector>

#include "render/canvas/canvas.h"

namespace quintaro::render {

enum class CallKind {
  kPen,
  kBrush,
  kFont,
  kTextColor,
  kMoveTo,
  kLineTo,
  kRectangle,
  kPolyline,
  kPolygon,
  kText,
  kCopy,
};

struct RecordedCall {
  CallKind kind = CallKind::kPen;
  std::vector<PixelPoint> points;  // MoveTo/LineTo/Text: one; Rectangle: two
  Pen pen;                         // the pen and brush in force for drawing calls
  Brush brush;
  FontSpec font;  // for kFont and kText
  Color textColor = 0;
  std::string text;  // the bytes of kText
};

// A straight line drawn by MoveTo then LineTo.
struct RecordedLine {
  PixelPoint from, to;
  Pen pen;
  friend bool operator==(const RecordedLine&, const RecordedLine&) = default;
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width = 800, int height = 600) : width_(width), height_(height) {}

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

  const std::vector<RecordedCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }
  // Only the drawing calls (state changes left out).
  std::vector<RecordedCall> Drawings() const;
  std::vector<RecordedCall> Of(CallKind kind) const;
  // Every MoveTo/LineTo pair as a line.
  std::vector<RecordedLine> Lines() const;
  // The bytes of every text call, in order, joined.
  std::string AllText() const;
  int Count(CallKind kind) const;

 protected:
  void PenChanged() override;
  void BrushChanged() override;
  void FontChanged() override;
  void TextColorChanged() override;

 private:
  RecordedCall& Add(CallKind kind);

  int width_;
  int height_;
  std::vector<RecordedCall> calls_;
};

}  // namespace quintaro::render
