#include "app/layer_moves.h"

#include <QMouseEvent>

#include "app/ui_texts.h"

namespace quintaro::app {

LayerMoves::LayerMoves(const LayerMovesParts& parts) : parts_(parts) {
  parts_.overview->SetMouse(this);
  parts_.firstWindow->SetMouse(this);
  parts_.secondWindow->SetMouse(this);
  parts_.ghost->SetDrop([this](const DragRecord& record, QPoint screen) { Drop(record, screen); });
  parts_.ghost->SetHover(
      [this](const DragRecord& record, QPoint screen) { Hover(record, screen); });
}

LayerWindow* LayerMoves::WindowOf(ThumbnailSource source) const {
  if (source == ThumbnailSource::kFirstWindow) return parts_.firstWindow;
  if (source == ThumbnailSource::kSecondWindow) return parts_.secondWindow;
  return nullptr;
}

LayerWindow* LayerMoves::OtherOf(const LayerWindow* window) const {
  if (window == parts_.firstWindow) return parts_.secondWindow;
  return parts_.firstWindow;
}

void LayerMoves::OpenGroup(int tag) {
  if (tag < 1 || tag > 16 || !HasDocument()) return;
  int group = tag - 1;
  for (LayerWindow* window : {parts_.firstWindow, parts_.secondWindow}) {
    if (window->ShownGroup() != group) continue;
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
    return;
  }
  if (parts_.firstWindow->ShownGroup() < 0) return SetUpAndShow(*parts_.firstWindow, group);
  if (parts_.secondWindow->ShownGroup() < 0) return SetUpAndShow(*parts_.secondWindow, group);
}

void LayerMoves::SetUpAndShow(LayerWindow& window, int group) {
  const AppState& state = *parts_.state;
  QString label = QString::fromStdString(state.document.GroupLabel(group));
  window.setWindowTitle(Ui(text::kLayerGroupCaption) + label);
  window.SetUp({state.view, group, state.grayEmpty, state.blackBackground});
  window.SetShownGroup(group);
  window.show();
  window.raise();
}

// A right-button press starts a drag: on the overview only while a drawing
// is open, on a layer window only while it shows a group. Not while the
// main view is drawn, which the thumbnails and a move would disturb.
void LayerMoves::ThumbnailPressed(ThumbnailImage& image, QMouseEvent& event) {
  if (!(event.buttons() & Qt::RightButton) || parts_.ghost->Dragging()) return;
  if (image.Tag() == 0 || parts_.state->flags.drawBusy) return;
  DragRecord record;
  record.source = image.Source();
  record.tag = image.Tag();
  record.press = event.position().toPoint();
  QString caption;
  if (LayerWindow* window = WindowOf(image.Source())) {
    if (window->ShownGroup() < 0) return;
    record.sourceGroup = window->ShownGroup();
    caption = QString::fromStdString(
        parts_.state->document.LayerLabel(record.sourceGroup, image.Tag() - 1));
  } else {
    if (!HasDocument()) return;
    caption = QString::fromStdString(parts_.state->document.GroupLabel(image.Tag() - 1));
  }
  parts_.ghost->Start(record, image, caption);
}

void LayerMoves::ThumbnailMoved(ThumbnailImage&, QMouseEvent& event) {
  parts_.ghost->Follow(event.globalPosition().toPoint(), event.buttons());
}

void LayerMoves::ThumbnailReleased(ThumbnailImage&, QMouseEvent& event) {
  parts_.ghost->Follow(event.globalPosition().toPoint(), event.buttons());
}

void LayerMoves::ThumbnailDoubleClicked(ThumbnailImage& image) {
  if (image.Source() == ThumbnailSource::kMain) OpenGroup(image.Tag());
}

// Where a drop at a screen point would move something: a cell of the
// overview (window null) or of a layer window; none where it would do
// nothing, the dragged thumbnail's own cell included. On a layer window its
// own panel counts first: where the two windows overlap, the drop counts for
// the window the drag started in.
std::optional<DropTarget> LayerMoves::TargetOf(const DragRecord& record, QPoint screen) const {
  const int dragged = record.tag - 1;
  LayerWindow* from = WindowOf(record.source);
  if (from == nullptr) {
    const QWidget* panel = parts_.overview->Panel();
    if (!panel->isVisible() || OverLayerWindow(screen)) return std::nullopt;
    std::optional<int> cell = CellAt(ScreenRect(panel), screen);
    if (!cell || *cell == dragged) return std::nullopt;
    return DropTarget{nullptr, *cell};
  }
  if (from->ShownGroup() < 0) return std::nullopt;
  if (std::optional<int> cell = CellAt(ScreenRect(from->Panel()), screen)) {
    if (*cell == dragged) return std::nullopt;
    return DropTarget{from, *cell};
  }
  LayerWindow* other = OtherOf(from);
  if (other->ShownGroup() < 0 || !other->isVisible() || other->isMinimized()) return std::nullopt;
  if (std::optional<int> cell = CellAt(ScreenRect(other->Panel()), screen)) {
    return DropTarget{other, *cell};
  }
  return std::nullopt;
}

void LayerMoves::Drop(const DragRecord& record, QPoint screen) {
  Highlight(nullptr);
  LayerWindow* from = WindowOf(record.source);
  if (from != nullptr) {
    from->SetStatusText(QString());
  } else {
    parts_.mainStatus(QString());
  }
  std::optional<DropTarget> target = TargetOf(record, screen);
  if (!target) return;
  if (target->window == nullptr) return MoveGroup(record.tag - 1, target->cell);
  if (target->window == from) return MoveLayer(*from, record.tag - 1, target->cell);
  MoveLayerAcross(*from, *target->window, record.tag - 1, target->cell);
}

void LayerMoves::Hover(const DragRecord& record, QPoint screen) {
  std::optional<DropTarget> t = TargetOf(record, screen);
  ThumbnailImage* image = nullptr;
  if (t) {
    image = t->window ? t->window->Image(t->cell + 1) : parts_.overview->Image(t->cell + 1);
  }
  Highlight(image);
}

void LayerMoves::Highlight(ThumbnailImage* image) {
  if (image == highlighted_) return;
  if (highlighted_ != nullptr) highlighted_->SetHighlighted(false);
  highlighted_ = image;
  if (image != nullptr) image->SetHighlighted(true);
}

// Layer windows stay above the main window, so a point inside one of them
// is not on the overview even where the overview lies below.
bool LayerMoves::OverLayerWindow(QPoint screen) const {
  for (const LayerWindow* window : {parts_.firstWindow, parts_.secondWindow}) {
    if (window->isVisible() && window->frameGeometry().contains(screen)) return true;
  }
  return false;
}

}  // namespace quintaro::app
