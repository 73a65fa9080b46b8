#include "app/document_view.h"

#include "app/view_navigation.h"
#include "layers/move.h"
#include "render/scene_dos.h"
#include "render/scene_jww.h"

namespace quintaro::app {

namespace {

// Calls `f` with the container DocKind names, when it is the one open.
template <class Doc, class F>
void WithContainer(const std::string& docKind, Doc& doc, F&& f) {
  if (docKind == ".JWC") {
    if (auto* d = doc.Jwc()) f(*d);
  } else if (docKind == ".JWK") {
    if (auto* d = doc.Jwk()) f(*d);
  } else if (docKind == ".JWW") {
    if (auto* d = doc.Jww()) f(*d);
  } else if (docKind == ".JWS") {
    if (auto* d = doc.Jws()) f(*d);
  }
}

}  // namespace

void DrawSceneOf(const std::string& docKind, const Document& doc, render::DrawContext& dc,
                 render::Canvas& canvas) {
  WithContainer(docKind, doc, [&](const auto& d) { render::DrawScene(dc, canvas, d); });
}

void DrawThumbnailOf(const std::string& docKind, const Document& doc, render::DrawContext& dc,
                     render::Canvas& canvas, int layer, int group) {
  WithContainer(docKind, doc,
                [&](const auto& d) { render::DrawThumbnail(dc, canvas, d, layer, group); });
}

void MoveLayerGroupOf(const std::string& docKind, Document& doc, int srcGroup, int srcLayer,
                      int dstGroup, int dstLayer) {
  WithContainer(docKind, doc,
                [&](auto& d) { MoveLayerGroup(d, srcGroup, srcLayer, dstGroup, dstLayer); });
}

std::optional<PaperRect> PaperRectOf(const std::string& docKind, const Document& doc) {
  if (docKind == ".JWC" && doc.Jwc()) {
    PaperSize p = PaperOfCode(doc.Jwc()->header.PaperCode);
    return PaperRect{{0, 0}, {p.width, p.height}};
  }
  if (docKind == ".JWW" && doc.Jww()) {
    PaperSize p = PaperOfCode(doc.Jww()->Header.PaperSize);
    return PaperRect{{-p.width / 2, -p.height / 2}, {p.width / 2, p.height / 2}};
  }
  if (docKind == ".JWS" && doc.Jws()) {
    const double* d = doc.Jws()->Header.Doubles;
    return PaperRect{{d[6], d[7]}, {d[8], d[9]}};
  }
  return std::nullopt;
}

bool HasLayerNames(const std::string& docKind) {
  return docKind == ".JWW" || docKind == ".JWC";
}

}  // namespace quintaro::app
