// The drag ghost: a borderless window, always on top, carrying a
// copy of the dragged thumbnail with its label's caption in a status bar.
// It follows the pointer while the right button is held, keeping the place
// of the pointer on it from the press, and hands the drop to its owner
// when the button is released.
#pragma once

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QStatusBar>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/thumbnail_image.h"

namespace quintaro::app {

struct DragRecord {
  ThumbnailSource source = ThumbnailSource::kMain;
  int tag = 0;           // of the pressed thumbnail, 1..16
  int sourceGroup = -1;  // the group of a source layer window
  QPoint press;          // pointer position within the thumbnail at the press
  QPoint last{-1, -1};   // last pointer position seen over the ghost's picture
};

class DragGhost : public QWidget {
 public:
  // The record of the drag and the screen point of the release.
  using DropFn = std::function<void(const DragRecord&, QPoint)>;

  explicit DragGhost(QWidget* parent);
  void SetDrop(DropFn drop) { drop_ = std::move(drop); }
  // Told of every place the ghost is moved to.
  void SetHover(DropFn hover) { hover_ = std::move(hover); }

  // Covers `image` exactly with a copy of its picture, `caption` below it.
  void Start(const DragRecord& record, const ThumbnailImage& image, const QString& caption);
  // A pointer move at a screen point: with the right button held the ghost
  // follows; without it the drag ends, the ghost hides and the drop runs.
  void Follow(QPoint screen, Qt::MouseButtons buttons);

  bool Dragging() const { return dragging_; }
  const DragRecord& Record() const { return record_; }
  QString StatusText() const { return statusText_->text(); }
  const QImage& Picture() const;

 private:
  QWidget* image_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* statusText_ = nullptr;
  DragRecord record_;
  bool dragging_ = false;
  DropFn drop_;
  DropFn hover_;
};

// The screen rectangle of a panel's client area.
QRect ScreenRect(const QWidget* panel);
// The thumbnail index (column + 4 * row) of a panel under a screen point,
// or none outside it. Columns and rows are a quarter of the panel's width
// and height, limited to 0..3: a point below the last thumbnail row counts
// for row 3.
std::optional<int> CellAt(const QRect& panel, QPoint screen);

}  // namespace quintaro::app
