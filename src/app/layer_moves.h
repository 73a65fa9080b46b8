// Re-layering by hand: opening a group in a layer window by a double-click,
// the right-button drag of a thumbnail with its ghost, the drop rules, and
// the three move commands (group onto group, layer onto a layer of the same
// group, layer onto a layer of the group in the other layer window). Each
// command asks first and reports in the status bar of the window where the
// drag started.
#pragma once

#include <QString>
#include <functional>

#include "app/app_state.h"
#include "app/dialogs.h"
#include "app/document_session.h"
#include "app/drag_ghost.h"
#include "app/layer_window.h"
#include "app/overview_page.h"
#include "app/thumbnail_image.h"

namespace quintaro::app {

// The questions, lines separated by CR LF; numbers as one hex digit.
QString GroupMoveQuestion(int srcGroup, int dstGroup);
QString LayerMoveQuestion(int group, int srcLayer, int dstLayer);
QString CrossLayerMoveQuestion(int srcGroup, int srcLayer, int dstGroup, int dstLayer);

struct LayerMovesParts {
  AppState* state = nullptr;
  const DocumentSession* session = nullptr;
  Dialogs* dialogs = nullptr;
  OverviewPage* overview = nullptr;
  std::function<void(const QString&)> mainStatus;  // shown at once
  LayerWindow* firstWindow = nullptr;
  LayerWindow* secondWindow = nullptr;
  DragGhost* ghost = nullptr;
};

class LayerMoves : public ThumbnailMouse {
 public:
  explicit LayerMoves(const LayerMovesParts& parts);

  // A double-click on the group thumbnail with `tag`: brings up the window
  // showing the group, else sets up a window showing none; nothing when
  // both show other groups.
  void OpenGroup(int tag);
  // The drop of a drag at a screen point.
  void Drop(const DragRecord& record, QPoint screen);

  void MoveGroup(int srcGroup, int dstGroup);
  void MoveLayer(LayerWindow& window, int srcLayer, int dstLayer);
  void MoveLayerAcross(LayerWindow& from, LayerWindow& to, int srcLayer, int dstLayer);

  // ThumbnailMouse
  void ThumbnailPressed(ThumbnailImage& image, QMouseEvent& event) override;
  void ThumbnailMoved(ThumbnailImage& image, QMouseEvent& event) override;
  void ThumbnailReleased(ThumbnailImage& image, QMouseEvent& event) override;
  void ThumbnailDoubleClicked(ThumbnailImage& image) override;

 private:
  LayerWindow* WindowOf(ThumbnailSource source) const;
  LayerWindow* OtherOf(const LayerWindow* window) const;
  bool HasDocument() const { return !parts_.session->DocKind().empty(); }
  bool OverLayerWindow(QPoint screen) const;
  void DropFromMain(const DragRecord& record, QPoint screen);
  void DropFromLayerWindow(LayerWindow& from, const DragRecord& record, QPoint screen);
  void SetUpAndShow(LayerWindow& window, int group);
  void Move(int srcGroup, int srcLayer, int dstGroup, int dstLayer);

  LayerMovesParts parts_;
};

}  // namespace quintaro::app
