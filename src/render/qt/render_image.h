// A whole drawing rendered to an image or an SVG file with the fit-all
// view: background (white, or black), blue frame, every layer shown.
#pragma once

#include <QImage>
#include <functional>
#include <string>

#include "document/document.h"
#include "formats/common/types.h"

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

// Draws the open drawing of `doc`; `extents` is its bounding box.
// `aborted` (optional) tells whether the drawing stopped early.
QImage RenderToImage(const Document& doc, const DrawingExtents& extents,
                     const RenderOptions& options, bool* aborted = nullptr);

// Call before the application object of a program that draws without a
// screen (Qt's offscreen platform): on Windows, where that platform knows
// no font folder of its own, it is given the system's fonts folder (unless
// QT_QPA_FONTDIR names another); elsewhere the system's font configuration
// serves as it is.
void UseSystemFontsOffscreen();

// Whether this build has Qt's SVG module (a Qt built without it writes
// only pictures).
#ifdef QUINTARO_SVG
inline constexpr bool kCanWriteSvg = true;
#else
inline constexpr bool kCanWriteSvg = false;
#endif

// Writes an SVG of options.width x options.height pixels; false when the
// file could not be written (or kCanWriteSvg is false).
bool RenderToSvg(const Document& doc, const DrawingExtents& extents, const RenderOptions& options,
                 const std::string& path);

}  // namespace quintaro::render
