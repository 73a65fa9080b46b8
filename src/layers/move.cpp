#include "layers/move.h"

#include <cstddef>
#include <utility>

#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/move_rule.h"

namespace quintaro {

namespace {

bool InRange(int n) {
  return n >= 0 && n <= 15;
}

// The source's name goes to the destination; the source's becomes empty.
template <class Name>
void TransferName(Name& src, Name& dst) {
  Name taken = std::move(src);
  src = Name{};
  dst = std::move(taken);
}

void TransferJwwNames(TJwwData& doc, const layermove::MoveRule& r) {
  if (r.srcLayer == -1) {
    if (doc.LayerGroups.size() != 16) return;  // no header read: no names
    TransferName(doc.LayerGroups[static_cast<std::size_t>(r.srcGroup)].Name,
                 doc.LayerGroups[static_cast<std::size_t>(r.dstGroup)].Name);
    return;
  }
  if (doc.Layers.size() != 256) return;
  TransferName(doc.Layers[static_cast<std::size_t>(r.srcGroup * 16 + r.srcLayer)].Name,
               doc.Layers[static_cast<std::size_t>(r.dstGroup * 16 + r.dstLayer)].Name);
}

}  // namespace

bool IsValidLayerMove(int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  if (!InRange(srcGroup) || !InRange(dstGroup)) return false;
  if (srcLayer == -1 && dstLayer == -1) return true;
  return InRange(srcLayer) && InRange(dstLayer);
}

void MoveLayerGroup(TJwwData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  if (!IsValidLayerMove(srcGroup, srcLayer, dstGroup, dstLayer)) return;
  const layermove::MoveRule rule{srcGroup, srcLayer, dstGroup, dstLayer};
  TransferJwwNames(doc, rule);
  layermove::ApplyToDrawing(doc, doc.Header.Version, rule);
}

void MoveLayerGroup(TJwsData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  if (!IsValidLayerMove(srcGroup, srcLayer, dstGroup, dstLayer)) return;
  const layermove::MoveRule rule{srcGroup, srcLayer, dstGroup, dstLayer};
  layermove::ApplyToDrawing(doc, doc.Version, rule);  // symbols carry no names
}

}  // namespace quintaro
