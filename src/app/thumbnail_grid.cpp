#include "app/thumbnail_grid.h"

#include "app/device_pixels.h"
#include "app/view_navigation.h"

namespace quintaro::app {

ThumbnailCells CellsOf(int panelWidth, int panelHeight, int labelHeight) {
  ThumbnailCells c;
  c.labelHeight = labelHeight;
  c.width = panelWidth / 4;
  if (c.width <= 0) c.width = 4;
  c.height = panelHeight / 4;
  if (labelHeight >= c.height) c.height = labelHeight + 4;
  return c;
}

ThumbnailCells PrepareThumbnails(const AppState& state, const QWidget* panel, int labelHeight,
                                 const ViewState& view, render::DrawContext& dc) {
  ThumbnailCells cells = CellsOf(panel->width(), panel->height(), labelHeight);
  const TextMacroValues* macros = state.document.Macros();
  dc.macros = macros ? *macros : TextMacroValues{};
  dc.documentTime = state.documentTime;
  int w = cells.width, h = cells.height - cells.labelHeight;
  dc.view = ThumbnailTransform(state.extents, DevicePixels(panel, w), DevicePixels(panel, h), view);
  return cells;
}

void PlaceCell(const ThumbnailCells& cells, int index, QLabel* label, QWidget* image, int w,
               int h) {
  int left = (index % 4) * cells.width, top = (index / 4) * cells.height;
  label->setGeometry(left, top, cells.width, cells.labelHeight);
  image->setGeometry(left, top + cells.labelHeight, w, h);
}

void ShowLabel(QLabel* label, const QString& whole) {
  const QString shown =
      label->fontMetrics().elidedText(whole, Qt::ElideRight, label->contentsRect().width());
  label->setText(shown);
  label->setToolTip(shown == whole ? QString() : whole);
}

}  // namespace quintaro::app
