#include "app/thumbnail_pass.h"

#include <QCoreApplication>

#include "app/device_pixels.h"
#include "app/thumbnail_image.h"
#include "render/qt/qt_canvas.h"
#include "render/shapes/primitives.h"

namespace quintaro::app {

namespace {

// How often a long cell shows what it has drawn so far, as the main view.
constexpr int kProgressMs = 100;
// Pending events run at the first abort check and then at most this often:
// the key is still seen at once, and the checks of small cells, which come
// every few microseconds, cost nothing.
constexpr int kEventsMs = 10;

}  // namespace

ThumbnailPass::ThumbnailPass(AppState& state, render::DrawContext& dc) : state_(state), dc_(dc) {
  state_.flags.drawBusy = true;
  state_.flags.abortRequested = false;
  QCoreApplication::instance()->installEventFilter(&escape_);
  dc_.abortCheck = [this] { return CheckAbort(); };
  progress_.start();
}

// A wheel turn over the main view while the thumbnails were drawn asked
// nothing of them: they stop only for the Escape key.
void ThumbnailPass::Finish() {
  if (!running_) return;
  running_ = false;
  dc_.abortCheck = nullptr;
  QCoreApplication::instance()->removeEventFilter(&escape_);
  state_.flags.drawBusy = false;
  state_.flags.abortRequested = false;
}

void ThumbnailPass::DrawCell(ThumbnailImage* image, int w, int h, int layer, int group) {
  w = DevicePixels(image, w);
  h = DevicePixels(image, h);
  QImage picture(w, h, QImage::Format_RGB32);
  if (stopped_ || picture.isNull()) return image->ClearPicture();
  {
    render::QtCanvas canvas(&picture);
    render::ClearCanvas(canvas, state_.attributes, w, h);
    image_ = image;
    picture_ = &picture;
    canvas_ = &canvas;
    state_.DrawFigures(dc_, canvas, render::SceneFilter::Thumbnail(layer, group));
    canvas.End();
    canvas_ = nullptr;
  }
  MarkDevicePixels(picture, image);
  image->SetPicture(std::move(picture));
}

bool ThumbnailPass::CheckAbort() {
  if (stopped_) return true;
  if (canvas_ != nullptr && progress_.elapsed() >= kProgressMs) {
    canvas_->Flush();
    QImage sofar = picture_->copy();
    MarkDevicePixels(sofar, image_);
    image_->SetPicture(std::move(sofar));
    progress_.restart();
  }
  if (events_.isValid() && events_.elapsed() < kEventsMs) return false;
  QCoreApplication::processEvents();
  events_.start();
  stopped_ = escape_.Hit();
  return stopped_;
}

}  // namespace quintaro::app
