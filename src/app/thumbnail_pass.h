// One drawing of thumbnails (the sixteen cells of the overview or of a
// layer window, or one of them again) that the Escape key can stop, as it
// stops the main view. While a pass runs the shared drawBusy flag is set,
// so that commands, the main view and the other thumbnail drawings wait
// for its end; at every abort check pending events are let run, which
// keeps the windows responsive and lets the key arrive.
#pragma once

#include <QElapsedTimer>
#include <QImage>

#include "app/app_state.h"
#include "app/escape_watch.h"
#include "render/canvas/draw_context.h"

namespace quintaro::render {
class QtCanvas;
}

namespace quintaro::app {

class ThumbnailImage;

class ThumbnailPass {
 public:
  // Starts the pass for drawings through `dc`.
  ThumbnailPass(AppState& state, render::DrawContext& dc);
  ~ThumbnailPass() { Finish(); }
  ThumbnailPass(const ThumbnailPass&) = delete;
  ThumbnailPass& operator=(const ThumbnailPass&) = delete;

  // Draws `layer` (-1 every layer) of `group` into a new picture of w x h
  // on the background the store is set to, and hands it to `image`, also
  // while it is being drawn and when the pass stops in its middle.
  void DrawCell(ThumbnailImage* image, int w, int h, int layer, int group);
  // True once the Escape key has stopped the pass: every later cell is
  // left blank.
  bool Stopped() const { return stopped_; }
  // Stops the pass at its next abort check, as the Escape key does.
  void Stop() { stopped_ = true; }
  // Ends the pass (once): the shared flags are let go, so that what
  // follows may start another drawing.
  void Finish();

 private:
  bool CheckAbort();

  AppState& state_;
  render::DrawContext& dc_;
  EscapeWatch escape_;
  QElapsedTimer progress_;
  QElapsedTimer events_;                // since events last ran; invalid before the first check
  ThumbnailImage* image_ = nullptr;     // the cell being drawn
  QImage* picture_ = nullptr;           // its picture
  render::QtCanvas* canvas_ = nullptr;  // and the canvas on it
  bool stopped_ = false;
  bool running_ = true;
};

}  // namespace quintaro::app
