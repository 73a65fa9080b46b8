// A whole drawing rendered to an image or an SVG file with the fit-all
// view: background (white, or black), blue frame, every layer shown.
#pragma once

#include <QImage>
#include <functional>
#include <string>

#include "formats/common/types.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro::render {

struct RenderOptions {
  int width = 1024;
  int height = 768;
  bool blackBackground = false;
  // A layer group (0..15) draws only that group's figures, as its thumbnail
  // does (background, no frame); with `layer` (0..15) only that layer's.
  int group = -1;
  int layer = -1;
  // Asked during the drawing; true stops it (the image keeps what was drawn).
  std::function<bool()> abortCheck;
};

// `extents` is the drawing's bounding box. `aborted` (optional) tells
// whether the drawing stopped early.
QImage RenderToImage(const TJwwData& data, const DrawingExtents& extents,
                     const RenderOptions& options, bool* aborted = nullptr);
QImage RenderToImage(const TJwsData& data, const DrawingExtents& extents,
                     const RenderOptions& options, bool* aborted = nullptr);
QImage RenderToImage(const TJwcData& data, const DrawingExtents& extents,
                     const RenderOptions& options, bool* aborted = nullptr);
QImage RenderToImage(const TJwkData& data, const DrawingExtents& extents,
                     const RenderOptions& options, bool* aborted = nullptr);

// Writes an SVG of options.width x options.height pixels; false when the
// file could not be written.
bool RenderToSvg(const TJwwData& data, const DrawingExtents& extents, const RenderOptions& options,
                 const std::string& path);
bool RenderToSvg(const TJwsData& data, const DrawingExtents& extents, const RenderOptions& options,
                 const std::string& path);
bool RenderToSvg(const TJwcData& data, const DrawingExtents& extents, const RenderOptions& options,
                 const std::string& path);
bool RenderToSvg(const TJwkData& data, const DrawingExtents& extents, const RenderOptions& options,
                 const std::string& path);

}  // namespace quintaro::render
