// Which figures a scene drawing shows: the main view hides layers in the
// hidden state; a thumbnail shows one layer group, or one layer of it.
#pragma once

#include "render/canvas/graphic_attributes.h"

namespace quintaro::render {

struct SceneFilter {
  bool thumbnail = false;
  int layer = -1;  // thumbnail: layer within the group, -1 any
  int group = -1;  // thumbnail: layer group, -1 any

  static SceneFilter MainView() { return {}; }
  static SceneFilter Thumbnail(int layer, int group) { return {true, layer, group}; }

  bool PassesGroupLayer(int figureGroup, int figureLayer) const {
    return (group == -1 || figureGroup == group) && (layer < 0 || figureLayer == layer);
  }
  bool Passes(const GraphicAttributes& attr, int layerCode) const {
    if (!thumbnail) return attr.LayerState(layerCode) != kLayerHidden;
    return PassesGroupLayer(GroupOfCode(layerCode), LayerOfCode(layerCode));
  }
};

}  // namespace quintaro::render
