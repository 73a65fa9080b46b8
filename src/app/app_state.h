// The values every window of the program shares for the whole run. The
// main window owns the one AppState; nothing here is global.
#pragma once

#include <future>

#include "app/view_navigation.h"
#include "document/document.h"
#include "formats/common/types.h"
#include "render/canvas/graphic_attributes.h"
#include "render/scene/display_list.h"

namespace quintaro::app {

struct DrawFlags {
  bool drawBusy = false;        // the main view or thumbnails are being drawn
  bool abortRequested = false;  // a wheel turn asked the drawing to stop
  // A layer window was to be drawn while another drawing ran.
  bool layerRepaintPending = false;
};

struct AppState {
  // Images carried by JWW drawings are kept in the document's work folder
  // (TempFolder), removed with the state.
  Document document{Document::Images::kKeep};
  render::GraphicAttributes attributes;
  DrawingExtents extents;
  DrawFlags flags;
  ViewState view;
  // The instant the date macros of every view show as the drawing's time.
  render::DateTime documentTime;
  bool blackBackground = false;
  bool grayEmpty = false;  // grey thumbnails for empty groups and layers

  int groupInFirstWindow = -1, groupInSecondWindow = -1;  // groups shown in the layer windows

  // The figures of the open drawing for views that show a part of it. They
  // are made on a second thread as soon as a drawing is opened (both threads
  // only read the drawing; a move between layers changes nothing they
  // read), and waited for when first drawn.
  void StartFigures();
  const render::DisplayList& Figures();
  // Waits for the figures and drops them: the drawing is about to be replaced.
  void DropFigures();
  // Draws the figures `filter` shows into the view of `dc`, or into `area`
  // of it: through the record walk when the view holds the whole drawing,
  // else through the figures made for it (both set the same pixels).
  void DrawFigures(render::DrawContext& dc, render::Canvas& canvas,
                   const render::SceneFilter& filter, const render::PixelArea* area = nullptr);

  // The attribute store's background mode: 0 white, 1 black.
  int BackMode() const { return blackBackground ? 1 : 0; }

  AppState() = default;
  ~AppState() { DropFigures(); }
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

 private:
  render::DisplayList figures_;
  std::future<render::DisplayList> figuresBeingMade_;
};

}  // namespace quintaro::app
