// Re-layering by hand: opening a group in a layer window by a double-click,
// the right-button drag of a thumbnail with its ghost, the drop rules, and
// the three move commands (group onto group, layer onto a layer of the same
// group, layer onto a layer of the group in the other layer window). Each
// command asks first and reports in the status bar of the window where the
// drag started.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "app/app_state.h"
#include "app/dialogs.h"
#include "app/document_session.h"
#include "app/drag_ghost.h"
#include "app/edit_history.h"
#include "app/layer_window.h"
#include "app/overview_page.h"
#include "app/thumbnail_image.h"

namespace quintaro::app {

// The questions, lines separated by CR LF; numbers as one hex digit.
// A group move between groups of different scales (denominators as
// stored) says so in one more line.
QString GroupMoveQuestion(int srcGroup, int dstGroup, std::optional<double> srcScale = {},
                          std::optional<double> dstScale = {});
QString LayerMoveQuestion(int group, int srcLayer, int dstLayer);
QString CrossLayerMoveQuestion(int srcGroup, int srcLayer, int dstGroup, int dstLayer);

struct LayerMovesParts {
  AppState* state = nullptr;
  const DocumentSession* session = nullptr;
  Dialogs* dialogs = nullptr;
  EditHistory* history = nullptr;  // every confirmed move is one step
  OverviewPage* overview = nullptr;
  std::function<void(const QString&)> mainStatus;  // shown at once
  LayerWindow* firstWindow = nullptr;
  LayerWindow* secondWindow = nullptr;
  DragGhost* ghost = nullptr;
};

struct DropTarget {
  LayerWindow* window = nullptr;  // null: the overview
  int cell = 0;                   // 0..15
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
  // The pointer of a drag at a screen point: the cell a drop would move
  // something onto is highlighted, no other.
  void Hover(const DragRecord& record, QPoint screen);
  std::optional<DropTarget> TargetOf(const DragRecord& record, QPoint screen) const;
  ThumbnailImage* Highlighted() const { return highlighted_; }

  void MoveGroup(int srcGroup, int dstGroup);
  void MoveLayer(LayerWindow& window, int srcLayer, int dstLayer);
  void MoveLayerAcross(LayerWindow& from, LayerWindow& to, int srcLayer, int dstLayer);
  // A move chosen from the lists of 編集 → 移動…: the question, the step and
  // the main status line of the drag that does the same.
  void MoveChosen(const MoveChoice& choice);

  // ThumbnailMouse
  void ThumbnailPressed(ThumbnailImage& image, QMouseEvent& event) override;
  void ThumbnailMoved(ThumbnailImage& image, QMouseEvent& event) override;
  void ThumbnailReleased(ThumbnailImage& image, QMouseEvent& event) override;
  void ThumbnailDoubleClicked(ThumbnailImage& image) override;

 private:
  LayerWindow* WindowOf(ThumbnailSource source) const;
  LayerWindow* OtherOf(const LayerWindow* window) const;
  bool HasDocument() const { return parts_.session->HasDocument(); }
  bool OverLayerWindow(QPoint screen) const;
  void Highlight(ThumbnailImage* image);
  void SetUpAndShow(LayerWindow& window, int group);
  // Makes the move one step; the status line that reports it.
  QString Move(int srcGroup, int srcLayer, int dstGroup, int dstLayer);

  LayerMovesParts parts_;
  ThumbnailImage* highlighted_ = nullptr;
};

}  // namespace quintaro::app
