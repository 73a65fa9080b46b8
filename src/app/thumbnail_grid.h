// The sixteen cells, four by four, in which the overview shows the layer
// groups and a layer window the layers of one group: each a label with its
// thumbnail below.
#pragma once

#include <QLabel>
#include <QWidget>

#include "app/app_state.h"
#include "render/canvas/draw_context.h"

namespace quintaro::app {

struct ThumbnailCells {
  int width = 4, height = 4;  // one cell
  int labelHeight = 0;
};

// Cells of a panel's client size: a quarter of each side, at least 4
// pixels wide and at least 4 pixels taller than the label.
ThumbnailCells CellsOf(int panelWidth, int panelHeight, int labelHeight);

// The cells of `panel` at its present size, with `dc` set up to draw the
// document into one of them at the zoom and offsets of `view`.
ThumbnailCells PrepareThumbnails(const AppState& state, const QWidget* panel, int labelHeight,
                                 const ViewState& view, render::DrawContext& dc);

// Places cell `index` (0..15): the label across its top, the w x h image
// below it.
void PlaceCell(const ThumbnailCells& cells, int index, QLabel* label, QWidget* image, int w, int h);

// A cell's label: the whole text where it fits, else cut with "…" and the
// whole text as its tooltip.
void ShowLabel(QLabel* label, const QString& whole);

}  // namespace quintaro::app
