#include "render/qt/render_image.h"

#include <QFile>
#include <QSvgGenerator>

#include "render/main_view.h"
#include "render/primitives.h"
#include "render/qt/qt_canvas.h"
#include "render/scene_dos.h"
#include "render/scene_jww.h"

namespace quintaro::render {

namespace {

// Draws `data` onto `device` (already sized) with the fit-all view.
template <class Data>
bool DrawOnto(QPaintDevice* device, const Data& data, const DrawingExtents& extents,
              const RenderOptions& options, bool withNames) {
  TgraAttribute attr;
  attr.SetBackMode(options.blackBackground ? 1 : 0);
  attr.BuildPenColors();
  ShowAllLayers(attr, data.PublishLayers(), withNames);
  DrawContext dc(attr);
  dc.macros = data.macros;
  dc.documentTime = FileTimeStamp(data.macros.fileName);
  dc.abortCheck = options.abortCheck;
  QtCanvas canvas(device);
  dc.view = FitAllView(extents, canvas.Width(), canvas.Height());
  if (options.group >= 0) {
    ClearCanvas(canvas, attr, canvas.Width(), canvas.Height());
    DrawThumbnail(dc, canvas, data, options.layer, options.group);
  } else {
    ClearWithFrame(canvas, attr);
    DrawScene(dc, canvas, data);
  }
  canvas.End();
  return !dc.drawAborted;
}

template <class Data>
QImage ToImage(const Data& data, const DrawingExtents& extents, const RenderOptions& options,
               bool* aborted, bool withNames) {
  QImage image(std::max(1, options.width), std::max(1, options.height), QImage::Format_RGB32);
  image.fill(Qt::white);
  bool complete = DrawOnto(&image, data, extents, options, withNames);
  if (aborted != nullptr) *aborted = !complete;
  return image;
}

template <class Data>
bool ToSvg(const Data& data, const DrawingExtents& extents, const RenderOptions& options,
           const std::string& path, bool withNames) {
  QSvgGenerator svg;
  QString file = QString::fromStdString(path);
  svg.setFileName(file);
  svg.setSize(QSize(std::max(1, options.width), std::max(1, options.height)));
  svg.setViewBox(QRect(0, 0, std::max(1, options.width), std::max(1, options.height)));
  svg.setTitle(QStringLiteral("Quintaro"));
  DrawOnto(&svg, data, extents, options, withNames);
  return QFile::exists(file) && QFile(file).size() > 0;
}

}  // namespace

QImage RenderToImage(const TJwwData& d, const DrawingExtents& e, const RenderOptions& o,
                     bool* aborted) {
  return ToImage(d, e, o, aborted, true);
}
QImage RenderToImage(const TJwsData& d, const DrawingExtents& e, const RenderOptions& o,
                     bool* aborted) {
  return ToImage(d, e, o, aborted, false);
}
QImage RenderToImage(const TJwcData& d, const DrawingExtents& e, const RenderOptions& o,
                     bool* aborted) {
  return ToImage(d, e, o, aborted, true);
}
QImage RenderToImage(const TJwkData& d, const DrawingExtents& e, const RenderOptions& o,
                     bool* aborted) {
  return ToImage(d, e, o, aborted, false);
}

bool RenderToSvg(const TJwwData& d, const DrawingExtents& e, const RenderOptions& o,
                 const std::string& path) {
  return ToSvg(d, e, o, path, true);
}
bool RenderToSvg(const TJwsData& d, const DrawingExtents& e, const RenderOptions& o,
                 const std::string& path) {
  return ToSvg(d, e, o, path, false);
}
bool RenderToSvg(const TJwcData& d, const DrawingExtents& e, const RenderOptions& o,
                 const std::string& path) {
  return ToSvg(d, e, o, path, true);
}
bool RenderToSvg(const TJwkData& d, const DrawingExtents& e, const RenderOptions& o,
                 const std::string& path) {
  return ToSvg(d, e, o, path, false);
}

}  // namespace quintaro::render
