#include "render/scene/main_view.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "formats/common/file_io.h"
#include "render/shapes/primitives.h"

namespace quintaro::render {

double FitAllScale(const DrawingExtents& e, int width, int height) {
  double dx = std::max(std::fabs(e.maxX - e.minX), 1e-14);
  double dy = std::max(std::fabs(e.maxY - e.minY), 1e-14);
  return std::min(width / dx, height / dy) * 0.9;
}

ViewTransform FitAllView(const DrawingExtents& e, int width, int height) {
  double scale = FitAllScale(e, width, height);
  if (!std::isfinite(scale) || scale <= 0) scale = 1;
  double cx = (e.minX + e.maxX) / 2, cy = (e.minY + e.maxY) / 2;
  ViewTransform v;
  v.Set(cx - width / 2.0 / scale, cy - height / 2.0 / scale, scale, width, height);
  return v;
}

void ClearWithFrame(Canvas& canvas, const GraphicAttributes& attr) {
  int w = canvas.Width(), h = canvas.Height();
  ClearCanvas(canvas, attr, w, h);
  SetFramePen(canvas, 0xFF0000, 0, 0);
  const PixelPoint frame[] = {{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}};
  canvas.Polyline(frame);
}

void ShowAllLayers(GraphicAttributes& attr, const PublishedLayers& layers, bool withNames) {
  PublishLayersTo(attr, layers, withNames);
  for (int i = 0; i < GraphicAttributes::kLayerCount; ++i) attr.SetLayerState(i, kLayerNormal);
}

DateTime FileTimeStamp(const std::string& path) {
  std::optional<std::time_t> t = path.empty() ? std::nullopt : FileModifiedTime(path);
  std::tm local{};
  if (!t || localtime_r(&*t, &local) == nullptr) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace quintaro::render
