#include "render/shapes/primitives.h"

#include <cmath>
#include <cstdlib>

namespace quintaro::render {

namespace {

constexpr double kTol = 1e-12;

// Moves (x, y) onto the borders its code names, keeping it on the line
// through the two original endpoints.
void ClipEnd(const ViewTransform& v, double& x, double& y, double ax, double ay, double bx,
             double by) {
  int code = OutCode(v, x, y);
  if ((code & kOutLeft) && std::fabs(bx - ax) > kTol) {
    y = ay + (by - ay) * (v.left - ax) / (bx - ax);
    x = v.left;
    code = OutCode(v, x, y);
  }
  if ((code & kOutRight) && std::fabs(bx - ax) > kTol) {
    y = ay + (by - ay) * (v.right - ax) / (bx - ax);
    x = v.right;
    code = OutCode(v, x, y);
  }
  if ((code & kOutBottom) && std::fabs(by - ay) > kTol) {
    x = ax + (bx - ax) * (v.bottom - ay) / (by - ay);
    y = v.bottom;
    code = OutCode(v, x, y);
  }
  if ((code & kOutTop) && std::fabs(by - ay) > kTol) {
    x = ax + (bx - ax) * (v.top - ay) / (by - ay);
    y = v.top;
  }
}

void FlushPixels(DrawContext& dc, Canvas& canvas) {
  if (dc.pixels.size() > 1 && !LeftOut(dc, dc.pixels)) canvas.Polyline(dc.pixels);
  dc.pixels.clear();
}

bool AllInside(const DrawContext& dc) {
  for (const DrawPoint& p : dc.vertices)
    if (OutCode(dc.view, p.x, p.y) != 0) return false;
  return true;
}

// The vertex buffer's points as pixels (as ToPixel gives them), in the
// pixel buffer.
void AllToPixels(DrawContext& dc) {
  const ViewTransform v = dc.view;
  dc.pixels.resize(dc.vertices.size());
  PixelPoint* out = dc.pixels.data();
  for (const DrawPoint& p : dc.vertices) *out++ = ToPixel(v, p.x, p.y);
}

bool AllShareOutside(const DrawContext& dc) {
  int common = ~0;
  for (const DrawPoint& p : dc.vertices) {
    common &= OutCode(dc.view, p.x, p.y);
    if (common == 0) return false;
  }
  return true;
}

}  // namespace

int OutCode(const ViewTransform& v, double x, double y) {
  int code = 0;
  if (x - v.left < kTol) code |= kOutLeft;
  if (x - v.right > -kTol) code |= kOutRight;
  if (y - v.bottom < kTol) code |= kOutBottom;
  if (y - v.top > -kTol) code |= kOutTop;
  return code;
}

int ClipSegment(const ViewTransform& v, double& x1, double& y1, double& x2, double& y2) {
  int c1 = OutCode(v, x1, y1), c2 = OutCode(v, x2, y2);
  if (c1 == 0 && c2 == 0) return 0;
  if ((c1 & c2) != 0) return 2;
  const double ax = x1, ay = y1, bx = x2, by = y2;
  ClipEnd(v, x1, y1, ax, ay, bx, by);
  ClipEnd(v, x2, y2, ax, ay, bx, by);
  if (std::fabs(x1 - x2) < kTol && std::fabs(y1 - y2) < kTol) return 2;
  return 1;
}

int ClassifyBox(const ViewTransform& v, double x1, double y1, double x2, double y2) {
  int c1 = OutCode(v, x1, y1), c2 = OutCode(v, x2, y2);
  if (c1 == 0 && c2 == 0) return 0;
  return (c1 & c2) != 0 ? 2 : 1;
}

void ClearCanvas(Canvas& canvas, const GraphicAttributes& attr, int width, int height) {
  canvas.SetPen({attr.BackColor(), 1, PenStyle::kSolid, PenMode::kCopy});
  canvas.SetBrush({attr.BackColor(), BrushStyle::kSolid});
  canvas.Rectangle(0, 0, width, height);
  canvas.SetBrushStyle(BrushStyle::kClear);
}

void SetFramePen(Canvas& canvas, Color color, int style, int width) {
  static constexpr PenStyle kStyles[] = {PenStyle::kSolid,      PenStyle::kDash,
                                         PenStyle::kDot,        PenStyle::kDashDot,
                                         PenStyle::kDashDotDot, PenStyle::kNull};
  canvas.SetBrushStyle(BrushStyle::kClear);
  Pen pen = canvas.CurrentPen();
  pen.color = color;
  pen.width = width;
  pen.style = style >= 1 && style <= 5 ? kStyles[style] : PenStyle::kSolid;
  canvas.SetPen(pen);
}

void SetFillBrush(Canvas& canvas, Color color, int fillKind) {
  canvas.SetBrush({color, BrushStyleOfFill(fillKind)});
}

void SetXorMode(Canvas& canvas) {
  canvas.SetPenMode(PenMode::kXor);
}

void PixelLine(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void PixelFrame(Canvas& canvas, int x1, int y1, int x2, int y2) {
  bool thinX = std::abs(static_cast<long long>(x1) - x2) <= 2;
  bool thinY = std::abs(static_cast<long long>(y1) - y2) <= 2;
  if (thinX && thinY) return;
  if (thinX) {
    PixelLine(canvas, x1, y1, x1, y2);
  } else if (thinY) {
    PixelLine(canvas, x1, y1, x2, y1);
  } else {
    canvas.Rectangle(x1, y1, x2, y2);
  }
}

void DrawSegment(DrawContext& dc, Canvas& canvas, double x1, double y1, double x2, double y2) {
  if (ClipSegment(dc.view, x1, y1, x2, y2) == 2) return;
  PixelPoint a = ToPixel(dc.view, x1, y1), b = ToPixel(dc.view, x2, y2);
  PixelLine(canvas, a.x, a.y, b.x, b.y);
}

void DrawBox(DrawContext& dc, Canvas& canvas, double x1, double y1, double x2, double y2) {
  switch (ClassifyBox(dc.view, x1, y1, x2, y2)) {
    case 0: {
      PixelPoint a = ToPixel(dc.view, x1, y1), b = ToPixel(dc.view, x2, y2);
      PixelFrame(canvas, a.x, a.y, b.x, b.y);
      break;
    }
    case 1:
      dc.vertices.clear();
      dc.vertices.push_back({x1, y1});
      dc.vertices.push_back({x2, y1});
      dc.vertices.push_back({x2, y2});
      dc.vertices.push_back({x1, y2});
      DrawPolygon(dc, canvas);
      break;
    default:
      break;
  }
}

void DrawPolyline(DrawContext& dc, Canvas& canvas) {
  const auto& pts = dc.vertices;
  dc.pixels.clear();
  if (pts.size() >= 2 && AllInside(dc)) {
    // No segment needs clipping: the same pixels as the loop below, in one run.
    AllToPixels(dc);
    FlushPixels(dc, canvas);
  } else if (pts.size() >= 2 && !AllShareOutside(dc)) {
    for (std::size_t k = 1; k < pts.size(); ++k) {
      double x1 = pts[k - 1].x, y1 = pts[k - 1].y, x2 = pts[k].x, y2 = pts[k].y;
      int r = ClipSegment(dc.view, x1, y1, x2, y2);
      if (r == 2) {
        FlushPixels(dc, canvas);
        continue;
      }
      if (dc.pixels.empty()) dc.pixels.push_back(ToPixel(dc.view, x1, y1));
      dc.pixels.push_back(ToPixel(dc.view, x2, y2));
      if (r == 1) FlushPixels(dc, canvas);
    }
    FlushPixels(dc, canvas);
  }
  dc.vertices.clear();
}

bool TooLongToFill(const ViewTransform& v, DrawPoint a, DrawPoint b) {
  // The sum of the sides bounds the length: short edges need no square root.
  if ((std::fabs(b.x - a.x) + std::fabs(b.y - a.y)) * v.scale <= 5000) return false;
  return Distance(a, b) * v.scale > 10000;
}

void DrawPolygon(DrawContext& dc, Canvas& canvas) {
  auto& pts = dc.vertices;
  if (pts.size() < 3 || AllShareOutside(dc)) {
    pts.clear();
    return;
  }
  if (TooLongToFill(dc.view, pts[0], pts[1])) {
    pts.push_back(pts[0]);
    DrawPolyline(dc, canvas);
    return;
  }
  AllToPixels(dc);
  if (!LeftOut(dc, dc.pixels)) canvas.Polygon(dc.pixels);
  dc.pixels.clear();
  pts.clear();
}

}  // namespace quintaro::render
