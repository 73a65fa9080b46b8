#include <gtest/gtest.h>

#include "render/canvas/graphic_attributes.h"
#include "render/canvas/recording_canvas.h"

namespace quintaro::render {
namespace {

TEST(GraphicAttributesTest, ColoursFollowTheBackground) {
  GraphicAttributes a;
  EXPECT_EQ(a.ColorOfPen(2), RgbColor(0, 0, 0));
  EXPECT_EQ(a.ColorOfPen(200), RgbColor(0, 0, 0));
  EXPECT_EQ(a.ColorOfPen(1), RgbColor(0, 192, 192));
  EXPECT_EQ(a.ColorOfPen(116), RgbColor(128, 128, 128));
  // Numbers without an entry take the background colour.
  for (int n : {0, 10, 100, 357, -1}) EXPECT_EQ(a.ColorOfPen(n), 0xFFFFFFu) << n;

  a.SetBackMode(1);
  a.BuildPenColors();
  EXPECT_EQ(a.ColorOfPen(2), RgbColor(255, 255, 255));
  EXPECT_EQ(a.ColorOfPen(356), RgbColor(255, 255, 255));
  EXPECT_EQ(a.ColorOfPen(8), RgbColor(160, 0, 0));
  EXPECT_EQ(a.ColorOfPen(10), 0u);
}

TEST(GraphicAttributesTest, GreyBackgroundKeepsTheMode) {
  GraphicAttributes a;
  a.SetBackMode(1);
  a.SetBackMode(2);
  EXPECT_EQ(a.BackColor(), 0x808080u);
  EXPECT_EQ(a.BackMode(), 1);
  // The table is untouched by the mode change, and a rebuild still uses mode 1
  // while pens follow the black foreground of the grey background.
  a.BuildPenColors();
  EXPECT_EQ(a.ColorOfPen(1), RgbColor(0, 255, 255));
  EXPECT_EQ(a.ColorOfPen(2), RgbColor(255, 255, 255));
  EXPECT_EQ(a.ColorOfPen(200), 0u);
}

TEST(GraphicAttributesTest, WidthsAndRadii) {
  GraphicAttributes a;
  EXPECT_DOUBLE_EQ(a.PenWidthOf(9), 0.01);
  EXPECT_DOUBLE_EQ(a.PenWidthOf(101), 0.18);
  EXPECT_DOUBLE_EQ(a.PenWidthOf(10), 0);
  EXPECT_DOUBLE_EQ(a.PointRadiusOf(2), 0.3);
  EXPECT_DOUBLE_EQ(a.PointRadiusOf(10), 0.1);
}

TEST(GraphicAttributesTest, LayerSettersCheckTheirArguments) {
  GraphicAttributes a;
  a.SetLayerState(300, kLayerDisplayOnly);
  EXPECT_EQ(a.LayerState(300), kLayerNormal);
  a.SetLayerState(5, static_cast<LayerDisplay>(7));
  EXPECT_EQ(a.LayerState(5), kLayerNormal);
  a.SetLayerStateScale(6, kLayerHidden, 0);
  EXPECT_EQ(a.LayerState(6), kLayerHidden);
  EXPECT_DOUBLE_EQ(a.Layer(6).scale, 1.0);
  a.SetLayer(0x2B, kLayerDisplayOnly, {"walls"}, {"plan"}, 0.01);
  EXPECT_EQ(a.Layer(0x2B).groupLabel.bytes, "[2] plan");
  EXPECT_EQ(a.Layer(0x2B).layerLabel.bytes, "(B) walls");
  EXPECT_DOUBLE_EQ(a.Layer(0x2B).scale, 0.01);
}

TEST(GraphicAttributesTest, PublishedLayersReplaceEveryLayer) {
  GraphicAttributes a;
  a.SetLayerState(9, kLayerHidden);
  PublishedLayers layers;
  layers[17] = {kLayerDisplayOnly, {"a"}, {"g"}, 0.5};
  PublishLayersTo(a, layers, true);
  EXPECT_EQ(a.LayerState(9), kLayerNormal);
  EXPECT_EQ(a.LayerState(17), kLayerDisplayOnly);
  EXPECT_EQ(a.Layer(17).layerLabel.bytes, "(1) a");
  PublishLayersTo(a, layers, false);
  EXPECT_EQ(a.Layer(17).layerLabel.bytes, "(1) ");
  EXPECT_DOUBLE_EQ(a.Layer(17).scale, 0.5);
}

TEST(GraphicAttributesTest, EntityPenAndBrush) {
  GraphicAttributes a;
  RecordingCanvas c;
  a.SetLayerState(3, kLayerDisplayOnly);
  a.SetLayerState(4, kLayerHidden);
  a.SetEntityPen(c, 3, 5, 31, 0.5);
  EXPECT_EQ(c.CurrentPen().color, a.GrayColor());
  EXPECT_EQ(c.CurrentPen().style, PenStyle::kSolid);
  EXPECT_EQ(c.CurrentPen().width, 0);
  EXPECT_EQ(c.CurrentBrush().style, BrushStyle::kClear);
  a.SetEntityPen(c, 4, 5, 30, 0);
  EXPECT_EQ(c.CurrentPen().color, a.BackColor());
  EXPECT_EQ(c.CurrentPen().style, PenStyle::kDot);
  a.SetEntityPen(c, 0, 5, 32, 0);
  EXPECT_EQ(c.CurrentPen().style, PenStyle::kDot);
  a.SetEntityBrush(c, 0, 3, 5);
  EXPECT_EQ(c.CurrentBrush().style, BrushStyle::kBDiagonal);
  EXPECT_EQ(c.CurrentBrush().color, a.ColorOfPen(3));
  a.SetEntityBrush(c, 0, 3, 8);
  EXPECT_EQ(c.CurrentBrush().style, BrushStyle::kClear);
}

TEST(GraphicAttributesTest, UnchangedPensReachTheCanvasOnce) {
  GraphicAttributes a;
  RecordingCanvas c;
  for (int i = 0; i < 5; ++i) a.SetEntityPen(c, 0, 1, 1, 0);
  EXPECT_EQ(c.Count(CallKind::kPen), 1);
  EXPECT_EQ(c.Count(CallKind::kBrush), 1);
}

}  // namespace
}  // namespace quintaro::render
