#include "render/canvas/recording_canvas.h"

namespace quintaro::render {

RecordedCall& RecordingCanvas::Add(CallKind kind) {
  RecordedCall& call = calls_.emplace_back();
  call.kind = kind;
  call.pen = CurrentPen();
  call.brush = CurrentBrush();
  call.textColor = TextColor();
  return call;
}

void RecordingCanvas::MoveTo(int x, int y) {
  Add(CallKind::kMoveTo).points = {{x, y}};
}
void RecordingCanvas::LineTo(int x, int y) {
  Add(CallKind::kLineTo).points = {{x, y}};
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Add(CallKind::kRectangle).points = {{x1, y1}, {x2, y2}};
}

void RecordingCanvas::Polyline(std::span<const PixelPoint> points) {
  Add(CallKind::kPolyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Polygon(std::span<const PixelPoint> points) {
  Add(CallKind::kPolygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::TextOut(int x, int y, std::string_view bytes, TextEncoding) {
  RecordedCall& call = Add(CallKind::kText);
  call.points = {{x, y}};
  call.font = CurrentFont();
  call.text.assign(bytes);
}

std::unique_ptr<Canvas> RecordingCanvas::CreateBitmap(int width, int height) const {
  return std::make_unique<RecordingCanvas>(width, height);
}

bool RecordingCanvas::CopyFrom(const Canvas&, int sx, int sy, int w, int h, int dx, int dy) {
  Add(CallKind::kCopy).points = {{sx, sy}, {w, h}, {dx, dy}};
  return true;
}

void RecordingCanvas::PenChanged() {
  Add(CallKind::kPen);
}
void RecordingCanvas::BrushChanged() {
  Add(CallKind::kBrush);
}
void RecordingCanvas::FontChanged() {
  Add(CallKind::kFont).font = CurrentFont();
}
void RecordingCanvas::TextColorChanged() {
  Add(CallKind::kTextColor);
}

std::vector<RecordedCall> RecordingCanvas::Drawings() const {
  std::vector<RecordedCall> out;
  for (const RecordedCall& c : calls_) {
    if (c.kind != CallKind::kPen && c.kind != CallKind::kBrush && c.kind != CallKind::kFont &&
        c.kind != CallKind::kTextColor) {
      out.push_back(c);
    }
  }
  return out;
}

std::vector<RecordedCall> RecordingCanvas::Of(CallKind kind) const {
  std::vector<RecordedCall> out;
  for (const RecordedCall& c : calls_) {
    if (c.kind == kind) out.push_back(c);
  }
  return out;
}

std::vector<RecordedLine> RecordingCanvas::Lines() const {
  std::vector<RecordedLine> out;
  const RecordedCall* last = nullptr;
  for (const RecordedCall& c : calls_) {
    if (c.kind == CallKind::kLineTo && last != nullptr) {
      out.push_back({last->points[0], c.points[0], c.pen});
    }
    if (c.kind == CallKind::kMoveTo || c.kind == CallKind::kLineTo) last = &c;
  }
  return out;
}

std::string RecordingCanvas::AllText() const {
  std::string out;
  for (const RecordedCall& c : calls_) {
    if (c.kind == CallKind::kText) out += c.text;
  }
  return out;
}

int RecordingCanvas::Count(CallKind kind) const {
  int n = 0;
  for (const RecordedCall& c : calls_) n += c.kind == kind ? 1 : 0;
  return n;
}

}  // namespace quintaro::render
