// QtCanvas makes each pen and brush once, sets the composition mode only
// when it changes and batches lines: the images must be those of a painter
// given fresh pens, brushes and modes before every batch, each batch drawn
// with the pen in force when its lines came, over random sequences of calls.
#include <gtest/gtest.h>

#include <QImage>
#include <QLine>
#include <QPainter>
#include <random>
#include <vector>

#include "render/canvas/canvas.h"
#include "render/qt/qt_canvas.h"

namespace quintaro::render {
namespace {

constexpr int kSize = 96;

// The plain way: every batch of lines and every shape gets a new pen,
// brush and mode.
class FreshPainter {
 public:
  explicit FreshPainter(QImage* image) : painter_(image) {}
  ~FreshPainter() { FlushLines(); }

  void Apply(const Pen& pen, const Brush& brush) {
    static constexpr Qt::PenStyle kPen[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                            Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    static constexpr Qt::BrushStyle kBrush[] = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    QPen q(ToQColor(pen.color));
    q.setWidth(pen.width);
    q.setStyle(kPen[static_cast<int>(pen.style)]);
    q.setCapStyle(Qt::FlatCap);
    painter_.setPen(q);
    painter_.setCompositionMode(pen.mode == PenMode::kXor ? QPainter::RasterOp_SourceXorDestination
                                                          : QPainter::CompositionMode_SourceOver);
    painter_.setBrush(QBrush(ToQColor(brush.color), kBrush[static_cast<int>(brush.style)]));
    pen_ = pen;
    brush_ = brush;
  }
  void Line(QLine l, const Pen& pen) {
    if (lines_.empty()) batchPen_ = pen;
    lines_.push_back(l);
  }
  void FlushLines() {
    if (lines_.empty()) return;
    Apply(batchPen_, brush_);
    painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    lines_.clear();
  }
  QPainter& Painter() { return painter_; }

 private:
  QPainter painter_;
  std::vector<QLine> lines_;
  Pen pen_, batchPen_;
  Brush brush_;
};

std::vector<PixelPoint> RandomPoints(std::mt19937& rng, int n) {
  std::vector<PixelPoint> pts;
  for (int i = 0; i < n; ++i)
    pts.push_back(
        {static_cast<int>(rng() % (kSize + 20)) - 10, static_cast<int>(rng() % (kSize + 20)) - 10});
  return pts;
}

QPolygon ToPolygon(const std::vector<PixelPoint>& pts) {
  QPolygon q;
  for (const PixelPoint& p : pts) q << QPoint(p.x, p.y);
  return q;
}

// `colours` pens in rotation: more than the canvas keeps makes it drop and
// remake them.
void DrawBoth(unsigned seed, int colours, QtCanvas& canvas, FreshPainter& fresh) {
  std::mt19937 rng(seed);
  Pen pen;
  Brush brush;
  for (int step = 0; step < 3000; ++step) {
    const int what = static_cast<int>(rng() % 10);
    if (what < 3) {
      const Pen old = pen;
      pen = {RgbColor(static_cast<int>(rng() % colours) * 3, 40, 200),
             static_cast<int>(rng() % 4) % 3 * 3,
             static_cast<PenStyle>(rng() % 6 == 0 ? rng() % 6 : 0),
             rng() % 8 == 0 ? PenMode::kXor : PenMode::kCopy};
      if (!(pen == old)) fresh.FlushLines();
      canvas.SetPen(pen);
    } else if (what == 3) {
      const Brush old = brush;
      brush = {RgbColor(200, static_cast<int>(rng() % colours), 9),
               static_cast<BrushStyle>(rng() % 8)};
      if (!(brush == old)) fresh.FlushLines();
      canvas.SetBrush(brush);
    } else if (what < 7) {
      const auto p = RandomPoints(rng, 2);
      canvas.MoveTo(p[0].x, p[0].y);
      canvas.LineTo(p[1].x, p[1].y);
      fresh.Line(QLine(p[0].x, p[0].y, p[1].x, p[1].y), pen);
    } else {
      const auto p = RandomPoints(rng, 2 + static_cast<int>(rng() % 6));
      fresh.FlushLines();
      fresh.Apply(pen, brush);
      if (what == 7) {
        canvas.Polyline(p);
        fresh.Painter().drawPolyline(ToPolygon(p));
      } else {
        canvas.Polygon(p);
        fresh.Painter().drawPolygon(ToPolygon(p), Qt::OddEvenFill);
      }
    }
  }
}

TEST(QtCanvasStateTest, KeptPensAndModesDrawAsFreshOnes) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    for (int colours : {3, 200}) {
      SCOPED_TRACE(seed * 1000 + colours);
      QtCanvas canvas(kSize, kSize);
      QImage reference(kSize, kSize, QImage::Format_RGB32);
      reference.fill(Qt::white);
      {
        FreshPainter fresh(&reference);
        DrawBoth(seed, colours, canvas, fresh);
      }
      canvas.End();
      EXPECT_EQ(canvas.Image(), reference);
    }
  }
}

}  // namespace
}  // namespace quintaro::render
