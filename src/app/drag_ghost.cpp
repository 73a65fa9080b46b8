#include "app/drag_ghost.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace quintaro::app {

namespace {

constexpr int kStatusHeight = 14;

// The ghost's picture. It lies under the pointer, so pointer moves that
// reach it (when no other widget holds the mouse) drive the ghost too.
class GhostImage : public QWidget {
 public:
  explicit GhostImage(DragGhost* ghost) : QWidget(ghost), ghost_(ghost) {
    setObjectName(QStringLiteral("ghostImage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  QImage picture;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, picture);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    ghost_->Follow(event->globalPosition().toPoint(), event->buttons());
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    ghost_->Follow(event->globalPosition().toPoint(), event->buttons());
  }

 private:
  DragGhost* ghost_;
};

}  // namespace

DragGhost::DragGhost(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("dragGhost"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  image_ = new GhostImage(this);
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("statusBar"));
  statusBar_->setSizeGripEnabled(false);
  statusBar_->setFixedHeight(kStatusHeight);
  statusBar_->setAutoFillBackground(true);
  QPalette palette = statusBar_->palette();
  palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));  // silver
  palette.setColor(QPalette::WindowText, Qt::black);
  statusBar_->setPalette(palette);
  statusText_ = new QLabel(statusBar_);
  statusText_->setContentsMargins(0, 0, 0, 0);
  statusBar_->addWidget(statusText_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(image_, 1);
  layout->addWidget(statusBar_);
}

const QImage& DragGhost::Picture() const {
  return static_cast<const GhostImage*>(image_)->picture;
}

void DragGhost::Start(const DragRecord& record, const ThumbnailImage& image,
                      const QString& caption) {
  statusText_->setText(caption);
  QSize size = image.size();
  auto* ghostImage = static_cast<GhostImage*>(image_);
  ghostImage->picture = image.Picture().copy();
  image_->setFixedSize(size);
  setFixedSize(size.width(), size.height() + kStatusHeight);
  move(image.mapToGlobal(QPoint(0, 0)));
  record_ = record;
  record_.last = QPoint(-1, -1);
  dragging_ = true;
  show();
  raise();
}

void DragGhost::Follow(QPoint screen, Qt::MouseButtons buttons) {
  if (!dragging_) return;
  if (buttons & Qt::RightButton) {
    QPoint over = screen - image_->mapToGlobal(QPoint(0, 0));
    if (over == record_.last) return;
    move(screen - record_.press);
    record_.last = over;
    if (hover_) hover_(record_, screen);
    return;
  }
  // Hidden before the drop, so that it does not hang over the question.
  dragging_ = false;
  hide();
  DragRecord record = record_;
  if (drop_) drop_(record, screen);
}

QRect ScreenRect(const QWidget* panel) {
  return QRect(panel->mapToGlobal(QPoint(0, 0)), panel->size());
}

std::optional<int> CellAt(const QRect& panel, QPoint screen) {
  if (!panel.contains(screen)) return std::nullopt;
  // A panel narrower or lower than 4 pixels has cells of one pixel.
  int cw = std::max(1, panel.width() / 4), ch = std::max(1, panel.height() / 4);
  int column = std::clamp((screen.x() - panel.x()) / cw, 0, 3);
  int row = std::clamp((screen.y() - panel.y()) / ch, 0, 3);
  return column + 4 * row;
}

}  // namespace quintaro::app
