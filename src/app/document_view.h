// What the views need from the open drawing, chosen by DocKind (".JWC",
// ".JWK", ".JWW", ".JWS", tested in that order): its scene, one group's or
// layer's thumbnail, and its paper rectangle.
#pragma once

#include <optional>
#include <string>

#include "document/document.h"
#include "render/canvas.h"
#include "render/draw_context.h"

namespace quintaro::app {

// The drawing as a whole; nothing when DocKind names no open container.
void DrawSceneOf(const std::string& docKind, const Document& doc, render::DrawContext& dc,
                 render::Canvas& canvas);
// Only the figures of `group` and, unless -1, of `layer`.
void DrawThumbnailOf(const std::string& docKind, const Document& doc, render::DrawContext& dc,
                     render::Canvas& canvas, int layer, int group);

// Moves the figures of a group (layers -1) or of one layer in the container
// DocKind names; nothing with any other DocKind.
void MoveLayerGroupOf(const std::string& docKind, Document& doc, int srcGroup, int srcLayer,
                      int dstGroup, int dstLayer);

struct PaperRect {
  render::DrawPoint a, b;  // two opposite corners, mm
};
// JWC: (0, 0) to the paper's size; JWW: the paper centred on the origin;
// JWS: the range rectangle of its header. None for JWK (and no drawing).
std::optional<PaperRect> PaperRectOf(const std::string& docKind, const Document& doc);

// True for the formats whose labels carry names (JWW and JWC).
bool HasLayerNames(const std::string& docKind);

}  // namespace quintaro::app
