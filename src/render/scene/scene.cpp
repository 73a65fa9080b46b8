#include "render/scene/scene.h"

#include "render/scene/scene_dos.h"
#include "render/scene/scene_jww.h"

namespace quintaro::render {

void DrawScene(DrawContext& dc, Canvas& canvas, const Document& doc) {
  doc.WithContainer([&](const auto& d) { DrawScene(dc, canvas, d); });
}

void DrawThumbnail(DrawContext& dc, Canvas& canvas, const Document& doc, int layer, int group) {
  doc.WithContainer([&](const auto& d) { DrawThumbnail(dc, canvas, d, layer, group); });
}

}  // namespace quintaro::render
