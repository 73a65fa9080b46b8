#include "document/relayer_apply.h"

#include <cstddef>
#include <utility>

#include "layers/census.h"
#include "layers/labels.h"
#include "layers/layer_slots.h"
#include "layers/move.h"
#include "layers/name_match.h"
#include "layers/names.h"
#include "layers/swap.h"

namespace quintaro {

namespace {

// Every figure's layer and every name before an edit; dropped once the
// change is known.
struct Snapshot {
  std::vector<std::uint32_t> figures;
  std::vector<std::pair<int, EncodedText>> names;
};

// Names are visited by index: groups 0..15, layers 16 + group * 16 + layer.
LayerRef RefOfName(int index) {
  return index < 16 ? LayerRef{index, -1} : LayerRef{(index - 16) / 16, (index - 16) % 16};
}

int NameIndex(const LayerRef& ref) {
  return ref.IsGroup() ? ref.group : 16 + ref.group * 16 + ref.layer;
}

template <class Doc>
Snapshot Take(Doc& d) {
  Snapshot s;
  layerslots::ForEachSlot(d, [&](auto& slot) { s.figures.push_back(layerslots::Get(slot)); });
  layerslots::ForEachName(
      d, [&](int i, auto& text) { s.names.emplace_back(i, layerslots::GetName(text)); });
  return s;
}

// The differences between the snapshot and the drawing as it is now.
template <class Doc>
void Compare(const Snapshot& before, Doc& d, LayerChange& change) {
  std::uint32_t index = 0;
  layerslots::ForEachSlot(d, [&](auto& slot) {
    const std::uint32_t now = layerslots::Get(slot);
    if (index < before.figures.size() && before.figures[index] != now) {
      change.figures.push_back({index, before.figures[index], now});
    }
    ++index;
  });
  std::size_t k = 0;
  layerslots::ForEachName(d, [&](int i, auto& text) {
    EncodedText now = layerslots::GetName(text);
    while (k < before.names.size() && before.names[k].first < i) ++k;
    if (k < before.names.size() && before.names[k].first == i && !(before.names[k].second == now)) {
      change.names.push_back({RefOfName(i), before.names[k].second, std::move(now)});
    }
  });
}

int Total(const LayerTotals& t, const LayerRef& r) {
  return r.IsGroup() ? t.Group(r.group) : t.Layer(r.group, r.layer);
}

int Sum(const LayerTotals& t) {
  int s = 0;
  for (int g = 0; g < 16; ++g) s += t.Group(g);
  return s;
}

// A move between groups of different scales, e.g. "group 2 -> 5: scale
// 1/100 -> 1/50; ...", when figures go.
template <class Doc>
void WarnOfScale(const Doc& d, const LayerRef& from, const LayerRef& to, int figures,
                 std::vector<std::string>& warnings) {
  auto a = GroupScale(d, from.group), b = GroupScale(d, to.group);
  if (figures == 0 || from.group == to.group || !a || !b || *a == *b) return;
  warnings.push_back(std::string(from.IsGroup() ? "group " : "layer ") + RefText(from) + " -> " +
                     RefText(to) + ": scale " + ScaleRatio(*a) + " -> " + ScaleRatio(*b) +
                     "; the figures keep their coordinates, so texts and dimensions show at "
                     "another size on paper");
}

// One move or swap; `totals` are the census before it, and after it on return.
template <class Doc>
LayerChange::Flow Perform(Doc& d, const LayerRef& from, const LayerRef& to, bool swap,
                          LayerTotals& totals, std::vector<std::string>& warnings) {
  LayerChange::Flow f{from, to, swap};
  f.fromBefore = Total(totals, from);
  f.toBefore = Total(totals, to);
  WarnOfScale(d, from, to, f.fromBefore, warnings);
  if (swap) WarnOfScale(d, to, from, f.toBefore, warnings);
  if (!(from == to)) {
    if (swap) {
      SwapLayerGroups(d, from.group, from.layer, to.group, to.layer);
    } else {
      MoveLayerGroup(d, from.group, from.layer, to.group, to.layer);
    }
    f.figures = swap ? f.fromBefore + f.toBefore : f.fromBefore;
    totals = CensusAllLayers(d);
  }
  f.fromAfter = Total(totals, from);
  f.toAfter = Total(totals, to);
  return f;
}

// The groups or layers a name rule finds, in group-layer order.
template <class Doc>
std::vector<LayerRef> Matches(const Doc& d, const RelayerRule& rule, bool asStored) {
  NamePattern pattern(rule.pattern, asStored);
  std::vector<LayerRef> found;
  for (int g = 0; g < 16; ++g) {
    if (rule.kind == RuleKind::kGroupName) {
      if (pattern.Matches(NameOf(d, g, -1))) found.push_back({g, -1});
      continue;
    }
    if (rule.inGroup >= 0 && rule.inGroup != g) continue;
    for (int l = 0; l < 16; ++l)
      if (pattern.Matches(NameOf(d, g, l))) found.push_back({g, l});
  }
  return found;
}

template <class Doc>
LayerChange::Step ApplyRule(Doc& d, const RelayerRule& r, const ApplyOptions& options,
                            LayerTotals& totals) {
  LayerChange::Step s{r};
  switch (r.kind) {
    case RuleKind::kMove:
    case RuleKind::kSwap:
      s.flows.push_back(Perform(d, r.from, r.to, r.kind == RuleKind::kSwap, totals, s.warnings));
      break;
    case RuleKind::kGroupName:
    case RuleKind::kLayerName: {
      std::vector<LayerRef> found = Matches(d, r, options.namesAsStored);
      if (found.empty()) s.warnings.push_back(Describe(r) + ": matched nothing");
      for (const LayerRef& ref : found) {
        std::string name = NameOf(d, ref.group, ref.layer);
        s.flows.push_back(Perform(d, ref, r.to, false, totals, s.warnings));
        s.flows.back().name = std::move(name);
      }
      break;
    }
    case RuleKind::kRenameGroup:
    case RuleKind::kRenameLayer: {
      if (const char* format = NamelessFormat(d)) {
        s.skipped = true;
        s.warnings.push_back(std::string(format) + " has no " +
                             (r.from.IsGroup() ? "group" : "layer") + " names: rename " +
                             RefText(r.from) + " skipped");
        break;
      }
      s.oldName = NameOf(d, r.from.group, r.from.layer);
      const bool cut = Rename(d, r.from.group, r.from.layer, r.name);
      s.newName = NameOf(d, r.from.group, r.from.layer);
      if (cut) s.warnings.push_back(Describe(r) + ": cut to \"" + s.newName + "\"");
      break;
    }
  }
  return s;
}

}  // namespace

template <class Doc>
LayerChange ApplyRules(Doc& doc, const RelayerPlan& plan, const ApplyOptions& options) {
  LayerChange change;
  for (const RelayerRule& r : plan) {
    if (r.kind != RuleKind::kRenameGroup && r.kind != RuleKind::kRenameLayer) continue;
    if (NamelessFormat(doc)) break;  // renames are skipped, not refused
    std::string refusal = NameRefusal(doc, r.from.group, r.from.layer, r.name);
    if (!refusal.empty()) {
      change.error = Describe(r) + ": " + refusal;
      return change;
    }
  }
  const Snapshot before = Take(doc);
  LayerTotals totals = CensusAllLayers(doc);
  const int count = Sum(totals);
  for (const RelayerRule& r : plan) change.steps.push_back(ApplyRule(doc, r, options, totals));
  if (Sum(totals) != count) change.error = "the figure count changed during the moves";
  Compare(before, doc, change);
  return change;
}

template <class Doc>
void ApplyRecord(Doc& doc, const LayerChange& change) {
  std::uint32_t index = 0;
  std::size_t next = 0;
  const auto& figures = change.figures;
  layerslots::ForEachSlot(doc, [&](auto& slot) {
    if (next < figures.size() && figures[next].index == index) {
      layerslots::Set(slot, figures[next].after);
      ++next;
    }
    ++index;
  });
  std::size_t name = 0;
  layerslots::ForEachName(doc, [&](int i, auto& text) {
    while (name < change.names.size() && NameIndex(change.names[name].ref) < i) ++name;
    if (name < change.names.size() && NameIndex(change.names[name].ref) == i) {
      layerslots::SetName(text, change.names[name].after);
    }
  });
}

template LayerChange ApplyRules(TJwwData&, const RelayerPlan&, const ApplyOptions&);
template LayerChange ApplyRules(TJwsData&, const RelayerPlan&, const ApplyOptions&);
template LayerChange ApplyRules(TJwcData&, const RelayerPlan&, const ApplyOptions&);
template LayerChange ApplyRules(TJwkData&, const RelayerPlan&, const ApplyOptions&);
template void ApplyRecord(TJwwData&, const LayerChange&);
template void ApplyRecord(TJwsData&, const LayerChange&);
template void ApplyRecord(TJwcData&, const LayerChange&);
template void ApplyRecord(TJwkData&, const LayerChange&);

}  // namespace quintaro
