#include "render/qt/render_image.h"

#include <QFile>
#ifdef QUINTARO_SVG
#include <QSvgGenerator>
#endif

#include "render/qt/qt_canvas.h"
#include "render/scene/main_view.h"
#include "render/scene/scene.h"
#include "render/shapes/primitives.h"

namespace quintaro::render {

namespace {

// Draws `doc` onto `device` (already sized) with the fit-all view.
bool DrawOnto(QPaintDevice* device, const Document& doc, const DrawingExtents& extents,
              const RenderOptions& options) {
  GraphicAttributes attr;
  attr.SetBackMode(options.blackBackground ? 1 : 0);
  attr.BuildPenColors();
  ShowAllLayers(attr, doc.PublishLayers(), doc.HasNames());
  DrawContext dc(attr);
  if (const TextMacroValues* macros = doc.Macros()) {
    dc.macros = *macros;
    dc.documentTime = FileTimeStamp(macros->fileName);
  }
  dc.abortCheck = options.abortCheck;
  QtCanvas canvas(device);
  dc.view = FitAllView(extents, canvas.Width(), canvas.Height());
  if (options.group >= 0) {
    ClearCanvas(canvas, attr, canvas.Width(), canvas.Height());
    DrawThumbnail(dc, canvas, doc, options.layer, options.group);
  } else {
    ClearWithFrame(canvas, attr);
    DrawScene(dc, canvas, doc);
  }
  canvas.End();
  return !dc.drawAborted;
}

}  // namespace

QImage RenderToImage(const Document& doc, const DrawingExtents& extents,
                     const RenderOptions& options, bool* aborted) {
  QImage image(std::max(1, options.width), std::max(1, options.height), QImage::Format_RGB32);
  image.fill(Qt::white);
  bool complete = DrawOnto(&image, doc, extents, options);
  if (aborted != nullptr) *aborted = !complete;
  return image;
}

bool RenderToSvg(const Document& doc, const DrawingExtents& extents, const RenderOptions& options,
                 const std::string& path) {
#ifndef QUINTARO_SVG
  (void)doc, (void)extents, (void)options, (void)path;
  return false;
#else
  QSvgGenerator svg;
  QString file = QString::fromStdString(path);
  svg.setFileName(file);
  svg.setSize(QSize(std::max(1, options.width), std::max(1, options.height)));
  svg.setViewBox(QRect(0, 0, std::max(1, options.width), std::max(1, options.height)));
  svg.setTitle(QStringLiteral("Quintaro"));
  DrawOnto(&svg, doc, extents, options);
  return QFile::exists(file) && QFile(file).size() > 0;
#endif
}

}  // namespace quintaro::render
