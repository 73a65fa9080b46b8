#include "document/relayer_apply.h"

#include "document/layer_edits.h"
#include "layers/name_match.h"

namespace quintaro {

namespace {

int Total(const Document& doc, const LayerRef& r) {
  return r.IsGroup() ? doc.GroupTotal(r.group) : doc.LayerTotal(r.group, r.layer);
}

int Sum(const Document& doc) {
  LayerTotals t = doc.Totals();
  int s = 0;
  for (int g = 0; g < 16; ++g) s += t.Group(g);
  return s;
}

AppliedMove Perform(Document& doc, const LayerRef& from, const LayerRef& to, bool swap,
                    std::vector<std::string>& warnings) {
  AppliedMove m;
  m.from = from;
  m.to = to;
  m.swap = swap;
  m.fromBefore = Total(doc, from);
  m.toBefore = Total(doc, to);
  std::string scale = ScaleWarning(doc, from, to);
  if (!scale.empty() && m.fromBefore > 0) warnings.push_back(scale);
  if (swap && !(from == to)) {
    std::string back = ScaleWarning(doc, to, from);
    if (!back.empty() && m.toBefore > 0) warnings.push_back(back);
  }
  if (!(from == to)) {
    if (swap) {
      SwapLayerRefs(doc, from, to);
    } else {
      MoveLayerRef(doc, from, to);
    }
  }
  m.fromAfter = Total(doc, from);
  m.toAfter = Total(doc, to);
  return m;
}

// The groups or layers a name rule finds, in group-layer order.
std::vector<LayerRef> Matches(const Document& doc, const RelayerRule& rule, bool asStored) {
  NamePattern pattern(rule.pattern, asStored);
  std::vector<LayerRef> found;
  for (int g = 0; g < 16; ++g) {
    if (rule.kind == RuleKind::kGroupName) {
      if (pattern.Matches(doc.GroupName(g))) found.push_back({g, -1});
      continue;
    }
    if (rule.inGroup >= 0 && rule.inGroup != g) continue;
    for (int l = 0; l < 16; ++l)
      if (pattern.Matches(doc.LayerName(g, l))) found.push_back({g, l});
  }
  return found;
}

void ApplyRule(Document& doc, RuleOutcome& out, const ApplyOptions& options) {
  const RelayerRule& r = out.rule;
  switch (r.kind) {
    case RuleKind::kMove:
    case RuleKind::kSwap:
      out.moves.push_back(Perform(doc, r.from, r.to, r.kind == RuleKind::kSwap, out.warnings));
      return;
    case RuleKind::kGroupName:
    case RuleKind::kLayerName: {
      std::vector<LayerRef> found = Matches(doc, r, options.namesAsStored);
      if (found.empty()) out.warnings.push_back(Describe(r) + ": matched nothing");
      for (const LayerRef& ref : found) {
        std::string name = NameOf(doc, ref);
        out.moves.push_back(Perform(doc, ref, r.to, false, out.warnings));
        out.moves.back().name = name;
      }
      return;
    }
    case RuleKind::kRenameGroup:
    case RuleKind::kRenameLayer: {
      out.oldName = NameOf(doc, r.from);
      bool cut = false;
      RenameLayerRef(doc, r.from, r.name, nullptr, &cut);  // checked beforehand
      out.newName = NameOf(doc, r.from);
      if (cut) out.warnings.push_back(Describe(r) + ": cut to \"" + out.newName + "\"");
      return;
    }
  }
}

}  // namespace

int AppliedMove::Moved() const {
  if (from == to) return 0;
  return swap ? fromBefore + toBefore : fromBefore;
}

int PlanOutcome::Moved() const {
  int n = 0;
  for (const RuleOutcome& r : rules)
    for (const AppliedMove& m : r.moves) n += m.Moved();
  return n;
}

std::string ScaleWarning(const Document& doc, const LayerRef& from, const LayerRef& to) {
  auto change = ScaleChangeOf(doc, from.group, to.group);
  if (!change) return {};
  return std::string(from.IsGroup() ? "group " : "layer ") + RefText(from) + " -> " + RefText(to) +
         ": scale " + ScaleRatio(change->from) + " -> " + ScaleRatio(change->to) +
         "; the figures keep their coordinates, so texts and dimensions show at another size "
         "on paper";
}

PlanOutcome ApplyRelayerPlan(Document& doc, const RelayerPlan& plan, const ApplyOptions& options) {
  PlanOutcome outcome;
  for (const RelayerRule& r : plan) {
    if (r.kind != RuleKind::kRenameGroup && r.kind != RuleKind::kRenameLayer) continue;
    std::string refusal = NameRefusal(doc, r.from, r.name);
    if (!refusal.empty()) {
      outcome.error = Describe(r) + ": " + refusal;
      return outcome;
    }
  }
  const int before = Sum(doc);
  for (const RelayerRule& r : plan) {
    outcome.rules.emplace_back().rule = r;
    ApplyRule(doc, outcome.rules.back(), options);
  }
  if (Sum(doc) != before) outcome.error = "the figure count changed during the moves";
  return outcome;
}

}  // namespace quintaro
