// Layer moves in the DOS-era formats: one layer code per record.
#include <cstddef>
#include <string>
#include <vector>

#include "formats/common/text.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jww/jww_string.h"
#include "layers/move.h"
#include "layers/move_rule.h"

namespace quintaro {

namespace {

// The source's name, cut to at most `limit` bytes without splitting a
// two-byte Shift-JIS character, goes to the destination.
void TransferName(std::string& src, std::string& dst, std::size_t limit) {
  EncodedText taken{std::move(src), TextEncoding::kCp932};
  jww::CutToChars(taken, limit);
  src.clear();
  dst = std::move(taken.bytes);
}

template <class Record, class A>
void ApplyToRecords(std::vector<Record, A>& records, const layermove::MoveRule& rule) {
  for (auto& o : records) rule.Apply(o.layer);
}

}  // namespace

void MoveLayerGroup(TJwcData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  if (!IsValidLayerMove(srcGroup, srcLayer, dstGroup, dstLayer)) return;
  const layermove::MoveRule rule{srcGroup, srcLayer, dstGroup, dstLayer};
  if (srcLayer == -1) {
    TransferName(doc.layerGroups[static_cast<std::size_t>(srcGroup)].name,
                 doc.layerGroups[static_cast<std::size_t>(dstGroup)].name,
                 TEntJwcLayerGroup::kNameBytes);
    // Named layers hand their names to the same layers of the destination.
    for (int l = 0; l < 16; ++l) {
      std::string& src = doc.layers[static_cast<std::size_t>(srcGroup * 16 + l)].name;
      if (!src.empty())
        TransferName(src, doc.layers[static_cast<std::size_t>(dstGroup * 16 + l)].name,
                     TEntJwcLayer::kNameBytes);
    }
  } else {
    TransferName(doc.layers[static_cast<std::size_t>(srcGroup * 16 + srcLayer)].name,
                 doc.layers[static_cast<std::size_t>(dstGroup * 16 + dstLayer)].name,
                 TEntJwcLayer::kNameBytes);
  }
  ApplyToRecords(doc.lines, rule);
  ApplyToRecords(doc.arcs, rule);
  ApplyToRecords(doc.points, rule);
  // Slot 0 moves with the used slots although it is never counted.
  const int slots = doc.UsedPointSlots();
  for (int i = 0; i <= slots; ++i) rule.Apply(doc.pointSlots[static_cast<std::size_t>(i)].layer);
  ApplyToRecords(doc.texts, rule);
}

void MoveLayerGroup(TJwkData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  if (!IsValidLayerMove(srcGroup, srcLayer, dstGroup, dstLayer)) return;
  const layermove::MoveRule rule{srcGroup, srcLayer, dstGroup, dstLayer};
  ApplyToRecords(doc.lines, rule);
  ApplyToRecords(doc.arcs, rule);
  ApplyToRecords(doc.points, rule);
  ApplyToRecords(doc.texts, rule);
}

}  // namespace quintaro
