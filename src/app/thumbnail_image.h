// One thumbnail of the overview (Image1 ... Image16): a picture with a tag.
#pragma once

#include <QImage>
#include <QWidget>

namespace quintaro::app {

class ThumbnailImage : public QWidget {
 public:
  ThumbnailImage(int tag, QWidget* parent);
  int Tag() const { return tag_; }
  const QImage& Picture() const { return picture_; }
  void SetPicture(QImage picture);
  void ClearPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int tag_;
  QImage picture_;
};

}  // namespace quintaro::app
