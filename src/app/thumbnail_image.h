// One of the sixteen thumbnails of the overview or of a layer window:
// a picture with a tag. Mouse presses, moves and releases go to a handler;
// a double-click counts as a press except for the left button. Where the
// thumbnails take the focus, the arrow keys move it among the sixteen and
// Enter counts as a left double-click.
#pragma once

#include <QImage>
#include <QWidget>

class QKeyEvent;
class QMouseEvent;

namespace quintaro::app {

class ThumbnailImage;

// Where a thumbnail's mouse events go. Moves and the release reach the
// pressed thumbnail wherever the pointer is, as long as a button is held.
class ThumbnailMouse {
 public:
  virtual ~ThumbnailMouse() = default;
  virtual void ThumbnailPressed(ThumbnailImage& image, QMouseEvent& event) = 0;
  virtual void ThumbnailMoved(ThumbnailImage& image, QMouseEvent& event) = 0;
  virtual void ThumbnailReleased(ThumbnailImage& image, QMouseEvent& event) = 0;
  virtual void ThumbnailDoubleClicked(ThumbnailImage& image) = 0;
};

// Which window a thumbnail belongs to.
enum class ThumbnailSource { kMain = 0, kFirstWindow = 1, kSecondWindow = 2 };

class ThumbnailImage : public QWidget {
 public:
  ThumbnailImage(int tag, ThumbnailSource source, QWidget* parent);
  int Tag() const { return tag_; }
  ThumbnailSource Source() const { return source_; }
  const QImage& Picture() const { return picture_; }
  void SetPicture(QImage picture);
  void ClearPicture();
  // Marks the cell a dragged thumbnail would be dropped onto.
  void SetHighlighted(bool on);
  bool Highlighted() const { return highlighted_; }
  void SetMouse(ThumbnailMouse* mouse) { mouse_ = mouse; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int tag_;
  ThumbnailSource source_;
  QImage picture_;
  ThumbnailMouse* mouse_ = nullptr;
  bool highlighted_ = false;
};

}  // namespace quintaro::app
