// "^" control sequences inside a text: style switches, a colour switch, and
// characters placed raised, lowered, half-size or over the previous one.
#include <cmath>

#include "render/shapes/geometry.h"
#include "render/text/text_draw.h"

namespace quintaro::render {

namespace {

class ControlledText {
 public:
  ControlledText(DrawContext& dc, Canvas& canvas, const TextRow& row, double angle)
      : dc_(dc), canvas_(canvas), row_(row), angle_(angle), style_(row.style) {
    dx_ = std::cos(angle);
    dy_ = std::sin(angle);
    p_ = {row.startX, row.startY};
    q_ = p_;
  }

  void Run();

 private:
  std::string_view CharAt(std::size_t i) const {
    return i < text().size() ? text().substr(i, SjisCharLength(text(), i)) : std::string_view();
  }
  std::string_view text() const { return row_.text; }
  double NormalCell(std::string_view ch) const {
    return ch.size() == 2 ? row_.width : row_.width / 2;
  }
  DrawPoint Along(DrawPoint from, double d, double n) const {
    return {from.x + d * dx_ - n * dy_, from.y + d * dy_ + n * dx_};
  }

  void Append(std::size_t i, std::string_view ch);
  void Flush();
  // Returns the index after the control, or 0 when it is not one.
  std::size_t Control(std::size_t i);
  std::size_t Placement(std::size_t i, char kind);
  void DrawSpecial(std::string_view chars, DrawPoint at, double widthFactor, double heightFactor,
                   double spacing);

  DrawContext& dc_;
  Canvas& canvas_;
  const TextRow& row_;
  double angle_, dx_ = 1, dy_ = 0;
  int style_;
  bool literal_ = false;
  DrawPoint p_;  // cursor
  DrawPoint q_;  // where the last character went
  double lastCell_ = 0;
  std::size_t runStart_ = 0, runEnd_ = 0;
  DrawPoint runAt_;
};

void ControlledText::Append(std::size_t i, std::string_view ch) {
  if (runEnd_ == runStart_) {
    runStart_ = i;
    runAt_ = p_;
  }
  runEnd_ = i + ch.size();
  q_ = p_;
  lastCell_ = NormalCell(ch);
  double step = ch.size() == 2 ? row_.width + row_.spacing : (row_.width + row_.spacing) / 2;
  p_ = Along(p_, step, 0);
}

void ControlledText::Flush() {
  if (runEnd_ > runStart_) {
    DrawCharRun(dc_, canvas_, style_, row_.fontName, text().substr(runStart_, runEnd_ - runStart_),
                row_.spacing, row_.width, row_.height, angle_, runAt_.x, runAt_.y);
  }
  runStart_ = runEnd_;
}

void ControlledText::DrawSpecial(std::string_view chars, DrawPoint at, double widthFactor,
                                 double heightFactor, double spacing) {
  DrawCharRun(dc_, canvas_, style_, row_.fontName, chars, spacing, row_.width * widthFactor,
              row_.height * heightFactor, angle_, at.x, at.y);
}

std::size_t ControlledText::Placement(std::size_t i, char kind) {
  std::size_t at = i + 2;
  std::string_view ch = CharAt(at);
  if (ch.empty() || ch == "^") return 0;
  Flush();
  const double w = row_.width, h = row_.height, cell = NormalCell(ch);
  std::size_t next = at + ch.size();
  DrawPoint centre = Along(q_, lastCell_ / 2, 0);
  switch (kind) {
    case 'u':
    case 'd':
    case 'c': {
      double raise = kind == 'u' ? h / 2 : kind == 'c' ? h / 4 : 0;
      DrawSpecial(ch, Along(p_, 0, raise), 0.5, 0.5, row_.spacing);
      q_ = p_;
      lastCell_ = cell;
      p_ = Along(p_, (w + row_.spacing) / 2, 0);
      break;
    }
    case 'o':
      DrawSpecial(ch, Along(centre, -cell / 4, h / 4), 0.5, 0.5, row_.spacing);
      break;
    case 'w': {
      std::string_view second = CharAt(next);
      double total = cell / 2 + (second.empty() ? 0 : NormalCell(second) / 2);
      DrawSpecial(text().substr(at, ch.size() + second.size()), Along(centre, -total / 2, h / 4),
                  0.5, 0.5, 0);
      next += second.size();
      break;
    }
    default: {  // 'n', 'b', 'B'
      double shift = kind == 'b' ? cell / 4 : kind == 'B' ? cell / 5 : 0;
      DrawSpecial(ch, Along(centre, shift - cell / 2, 0), 1, 1, row_.spacing);
      break;
    }
  }
  runStart_ = runEnd_ = next;
  return next;
}

std::size_t ControlledText::Control(std::size_t i) {
  std::string_view op = CharAt(i + 1);
  if (op.size() != 1) return 0;
  int bit = 0;
  switch (op[0]) {
    case '!':
      bit = kStyleBold;
      break;
    case '/':
      bit = kStyleItalic;
      break;
    case '_':
      bit = kStyleUnderline;
      break;
    case '-':
      bit = kStyleStrikeOut;
      break;
    case '#':
      Flush();
      style_ = row_.style;
      return i + 2;
    case '*':
      Flush();
      literal_ = true;
      return i + 2;
    case '$': {
      std::string_view digit = CharAt(i + 2);
      if (digit.size() != 1 || digit[0] < '1' || digit[0] > '9') return 0;
      Flush();
      canvas_.SetPenColor(dc_.attr->ColorOfPen(digit[0] - '0'));
      return i + 3;
    }
    case 'u':
    case 'd':
    case 'c':
    case 'o':
    case 'w':
    case 'n':
    case 'b':
    case 'B':
      return Placement(i, op[0]);
    default:
      return 0;
  }
  Flush();
  style_ |= bit;
  return i + 2;
}

void ControlledText::Run() {
  std::size_t i = 0;
  while (i < text().size()) {
    std::string_view ch = CharAt(i);
    if (!literal_ && ch == "^") {
      std::size_t next = Control(i);
      if (next != 0) {
        i = next;
        continue;
      }
      // Not a control: the "^" and what follows it are ordinary characters.
      std::string_view op = CharAt(i + 1);
      Append(i, ch);
      if (!op.empty()) Append(i + 1, op);
      std::size_t after = i + 1 + op.size();
      if (op == "$" && after < text().size()) {
        std::string_view third = CharAt(after);
        Append(after, third);
        after += third.size();
      }
      i = after;
      continue;
    }
    Append(i, ch);
    i += ch.size();
  }
  Flush();
}

}  // namespace

void DrawControlledText(DrawContext& dc, Canvas& canvas, const TextRow& row, double angle) {
  ControlledText(dc, canvas, row, angle).Run();
}

}  // namespace quintaro::render
