#include "document/layer_change.h"

#include <algorithm>
#include <utility>

namespace quintaro {

int LayerChange::Step::Moved() const {
  int n = 0;
  for (const Flow& f : flows) n += f.figures;
  return n;
}

int LayerChange::Moved() const {
  int n = 0;
  for (const Step& s : steps) n += s.Moved();
  return n;
}

RelayerPlan LayerChange::Rules() const {
  RelayerPlan rules;
  for (const Step& s : steps) rules.push_back(s.rule);
  return rules;
}

LayerChange LayerChange::Inverse() && {
  for (Figure& f : figures) std::swap(f.before, f.after);
  for (Name& n : names) std::swap(n.before, n.after);
  std::reverse(steps.begin(), steps.end());
  for (Step& s : steps) {
    std::reverse(s.flows.begin(), s.flows.end());
    for (Flow& f : s.flows) {
      f = {f.to,      f.from,      f.swap,     f.figures,   std::move(f.name),
           f.toAfter, f.fromAfter, f.toBefore, f.fromBefore};
    }
  }
  return std::move(*this);
}

}  // namespace quintaro
