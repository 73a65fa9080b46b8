// The two layer windows, of identical build. Each shows
// one layer group as sixteen thumbnails, one per layer, with the group's
// element counts in its status bar. The thumbnails are drawn when the
// window is shown, set up or resized, outside of any paint, and kept: a
// repaint shows the kept pictures. The Escape key stops a drawing of them
// and leaves what was drawn so far.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "app/thumbnail_grid.h"
#include "app/thumbnail_image.h"
#include "app/thumbnail_pass.h"
#include "render/canvas/draw_context.h"

namespace quintaro::app {

// The values a layer window is set up with. They are copies: a later zoom
// of the main view or a change of background does not reach an open
// window until it is set up again.
struct LayerWindowSetup {
  ViewState view;  // the main view's zoom and offsets
  int group = 0;
  bool grayEmpty = false;
  bool blackBackground = false;
};

class LayerWindow : public QWidget {
 public:
  // The first (kFirstWindow) or second (kSecondWindow) layer window; each
  // keeps its own group entry of the shared state up to date.
  LayerWindow(AppState& state, ThumbnailSource which, QWidget* parent);

  // Also asks for a new drawing of the thumbnails.
  void SetUp(const LayerWindowSetup& setup);
  const LayerWindowSetup& Setup() const { return setup_; }
  ThumbnailSource Which() const { return which_; }
  // The group shown, -1 while closed.
  int ShownGroup() const { return state_.*groupEntry_; }
  void SetShownGroup(int group) { state_.*groupEntry_ = group; }

  // Lays out and draws all sixteen thumbnails and the element counts.
  // While another drawing runs it waits: the next paint of the panel after
  // that drawing's end asks again.
  void DrawLayers();
  // DrawLayers as soon as the events in hand are handled (after a show, a
  // resize, a change of the drawing).
  void Redraw();
  // Called after every drawing of the thumbnails has ended.
  void SetDrawEnded(std::function<void()> f) { drawEnded_ = std::move(f); }
  // Draws one layer's thumbnail again in the current layout.
  void RedrawLayer(int layer);
  // "レイヤグループ内要素数：" with the directly drawn elements and, in
  // brackets, the members of placed blocks.
  void ShowElementCount();
  // Shown at once.
  void SetStatusText(const QString& text);
  QString StatusText() const { return statusText_->text(); }

  QWidget* Panel() const { return panel_; }
  ThumbnailImage* Image(int tag) const { return images_[tag - 1]; }
  QLabel* Label(int tag) const { return labels_[tag - 1]; }
  const ThumbnailCells& Cells() const { return cells_; }
  const ViewTransform& ThumbnailView() const { return dc_.view; }
  void SetMouse(ThumbnailMouse* mouse);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PanelPainted();
  bool Prepare();
  QString ElementCountText() const;
  void DrawLayer(ThumbnailPass& pass, int layer, int minimum);

  AppState& state_;
  int AppState::*groupEntry_;
  ThumbnailSource which_;
  LayerWindowSetup setup_;
  QWidget* panel_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* statusText_ = nullptr;
  std::array<ThumbnailImage*, 16> images_{};
  std::array<QLabel*, 16> labels_{};
  render::DrawContext dc_;
  ThumbnailCells cells_;
  QTimer* redraw_ = nullptr;
  ThumbnailPass* pass_ = nullptr;  // the drawing running, if any
  std::function<void()> drawEnded_;
  bool stale_ = true;  // the kept pictures do not show the present set-up
};

}  // namespace quintaro::app
