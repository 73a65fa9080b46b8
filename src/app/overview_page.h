// The page "LayerGroup": sixteen thumbnails of the drawing, one per layer
// group, each with a label of the group's number, scale and name. They
// follow the main view's zoom and pan, and are drawn anew each time the
// page is turned to and when the page changes its size. The Escape key
// stops a drawing of them and leaves what was drawn so far.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "app/app_state.h"
#include "app/document_session.h"
#include "app/thumbnail_grid.h"
#include "app/thumbnail_image.h"
#include "app/thumbnail_pass.h"
#include "render/canvas/draw_context.h"

namespace quintaro::app {

class OverviewPage {
 public:
  OverviewPage(AppState& state, const DocumentSession& session, QWidget* parent);

  QWidget* Panel() const { return panel_; }
  // Where the thumbnails' presses, drags and double-clicks go.
  void SetMouse(ThumbnailMouse* mouse);
  // Where a drawing stopped by the Escape key says so.
  void SetStatus(std::function<void(const QString&)> status) { status_ = std::move(status); }
  // Called after every drawing of the thumbnails has ended.
  void SetDrawEnded(std::function<void()> f) { drawEnded_ = std::move(f); }
  // The keyboard's selection: the thumbnail with the focus, else the first.
  void FocusSelection();
  // Lays out and draws all sixteen thumbnails. Nothing while another
  // drawing runs (the callers wait for its end).
  void DrawOverview();
  // Draws one group's thumbnail again, in the current layout.
  void RedrawGroup(int group);

  // tag 1..16
  ThumbnailImage* Image(int tag) const { return images_[tag - 1]; }
  QLabel* Label(int tag) const { return labels_[tag - 1]; }
  // The transform of the last thumbnail drawing.
  const ViewTransform& ThumbnailView() const { return dc_.view; }
  const ThumbnailCells& Cells() const { return cells_; }

 private:
  void Prepare();
  void Resized();
  void Relayout();
  void DrawGroup(ThumbnailPass& pass, int group);
  void Ended(ThumbnailPass& pass);

  AppState& state_;
  const DocumentSession& session_;
  QWidget* panel_;
  std::array<ThumbnailImage*, 16> images_{};
  std::array<QLabel*, 16> labels_{};
  render::DrawContext dc_;
  ThumbnailCells cells_;
  QTimer* relayout_ = nullptr;
  std::function<void(const QString&)> status_;
  std::function<void()> drawEnded_;
  bool drawn_ = false;      // laid out at least once
  bool stopShown_ = false;  // the status tells of a stopped drawing
};

}  // namespace quintaro::app
