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

EncodedText& LayerName(TJwwData& doc, int group, int layer) {
  return doc.Layers[static_cast<std::size_t>(group * 16 + layer)].Name;
}

void TransferJwwNames(TJwwData& doc, const layermove::MoveRule& r) {
  if (r.srcLayer == -1) {
    if (doc.LayerGroups.size() != 16) return;  // no header read: no names
    TransferName(doc.LayerGroups[static_cast<std::size_t>(r.srcGroup)].Name,
                 doc.LayerGroups[static_cast<std::size_t>(r.dstGroup)].Name);
    if (doc.Layers.size() != 256) return;
    // Each named layer hands its name to the same layer of the destination;
    // an unnamed one leaves the destination's name alone.
    for (int l = 0; l < 16; ++l) {
      EncodedText& src = LayerName(doc, r.srcGroup, l);
      if (!src.Empty()) TransferName(src, LayerName(doc, r.dstGroup, l));
    }
    return;
  }
  if (doc.Layers.size() != 256) return;
  TransferName(LayerName(doc, r.srcGroup, r.srcLayer), LayerName(doc, r.dstGroup, r.dstLayer));
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
