#include "app/app_state.h"

#include "render/scene/scene.h"

namespace quintaro::app {

void AppState::StartFigures() {
  DropFigures();
  figuresBeingMade_ =
      std::async(std::launch::async, [this] { return render::DisplayList::Build(document); });
}

const render::DisplayList& AppState::Figures() {
  if (figuresBeingMade_.valid()) figures_ = figuresBeingMade_.get();
  if (!figures_.Matches(document)) figures_ = render::DisplayList::Build(document);
  return figures_;
}

void AppState::DropFigures() {
  if (figuresBeingMade_.valid()) figuresBeingMade_.wait();
  figuresBeingMade_ = {};
  figures_ = {};
}

void AppState::DrawFigures(render::DrawContext& dc, render::Canvas& canvas,
                           const render::SceneFilter& filter, const render::PixelArea* area) {
  const ViewTransform& v = dc.view;
  const bool whole = area == nullptr && v.left <= extents.minX && v.right >= extents.maxX &&
                     v.bottom <= extents.minY && v.top >= extents.maxY;
  if (!whole) return Figures().Draw(dc, canvas, filter, area);
  if (filter.thumbnail)
    return render::DrawThumbnail(dc, canvas, document, filter.layer, filter.group);
  render::DrawScene(dc, canvas, document);
}

}  // namespace quintaro::app
