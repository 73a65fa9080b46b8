#include "layers/swap.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/move.h"
#include "layers/move_rule.h"

namespace quintaro {

namespace {

// Each figure of A goes to B and each of B to A; a figure is rewritten once.
struct SwapRule {
  layermove::MoveRule there, back;

  template <class Layer>
  void Apply(Layer& l) const {
    if (Matches(l)) {
      there.Apply(l);
    } else {
      back.Apply(l);
    }
  }

 private:
  bool Matches(const TEntJwwBase& b) const { return there.Matches(b.LayerGroup, b.Layer); }
  bool Matches(std::uint8_t code) const {
    return there.Matches(GroupOfCode(code), LayerOfCode(code));
  }
};

// Null when the numbers name no swap or the two sides are the same.
bool MakeRule(int ga, int la, int gb, int lb, SwapRule& rule) {
  if (!IsValidLayerMove(ga, la, gb, lb) || (ga == gb && la == lb)) return false;
  rule = {{ga, la, gb, lb}, {gb, lb, ga, la}};
  return true;
}

template <class Name>
void SwapNames(std::vector<Name>& names, std::size_t per, int ga, int la, int gb, int lb) {
  if (names.size() != per) return;  // no header read: no names
  std::size_t a = la < 0 ? ga : ga * 16 + la, b = lb < 0 ? gb : gb * 16 + lb;
  std::swap(names[a].Name, names[b].Name);
}

template <class Record, class A>
void ApplyToRecords(std::vector<Record, A>& records, const SwapRule& rule) {
  for (auto& o : records) rule.Apply(o.layer);
}

template <class Dos>
void ApplyToDos(Dos& doc, const SwapRule& rule) {
  ApplyToRecords(doc.lines, rule);
  ApplyToRecords(doc.arcs, rule);
  ApplyToRecords(doc.points, rule);
  ApplyToRecords(doc.texts, rule);
}

}  // namespace

void SwapLayerGroups(TJwwData& doc, int ga, int la, int gb, int lb) {
  SwapRule rule;
  if (!MakeRule(ga, la, gb, lb, rule)) return;
  if (la < 0) {
    SwapNames(doc.LayerGroups, 16, ga, la, gb, lb);
    for (int l = 0; l < 16; ++l) SwapNames(doc.Layers, 256, ga, l, gb, l);
  } else {
    SwapNames(doc.Layers, 256, ga, la, gb, lb);
  }
  layermove::ApplyToDrawing(doc, doc.Header.Version, rule);
}

void SwapLayerGroups(TJwsData& doc, int ga, int la, int gb, int lb) {
  SwapRule rule;
  if (MakeRule(ga, la, gb, lb, rule)) layermove::ApplyToDrawing(doc, doc.Version, rule);
}

void SwapLayerGroups(TJwcData& doc, int ga, int la, int gb, int lb) {
  SwapRule rule;
  if (!MakeRule(ga, la, gb, lb, rule)) return;
  // Both names already fit their kind's length.
  if (la < 0) {
    std::swap(doc.layerGroups[static_cast<std::size_t>(ga)].name,
              doc.layerGroups[static_cast<std::size_t>(gb)].name);
    for (int l = 0; l < 16; ++l)
      std::swap(doc.layers[static_cast<std::size_t>(ga * 16 + l)].name,
                doc.layers[static_cast<std::size_t>(gb * 16 + l)].name);
  } else {
    std::swap(doc.layers[static_cast<std::size_t>(ga * 16 + la)].name,
              doc.layers[static_cast<std::size_t>(gb * 16 + lb)].name);
  }
  ApplyToDos(doc, rule);
  // The point slots a move rewrites: slot 0 through the used count.
  const int slots = doc.UsedPointSlots();
  for (int i = 0; i <= slots; ++i) rule.Apply(doc.pointSlots[static_cast<std::size_t>(i)].layer);
}

void SwapLayerGroups(TJwkData& doc, int ga, int la, int gb, int lb) {
  SwapRule rule;
  if (MakeRule(ga, la, gb, lb, rule)) ApplyToDos(doc, rule);
}

}  // namespace quintaro
