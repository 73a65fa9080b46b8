// The work behind Document::Apply, its one caller, for whichever container
// is open: a plan's rules applied one by one with what each did and the
// record of what changed, and a record written back into the drawing. The
// per-format work is the layers library's (move.h, swap.h, names.h,
// census.h, layer_slots.h).
#pragma once

#include "document/layer_change.h"
#include "document/relayer_plan.h"

namespace quintaro {

// Refuses the whole plan, changing nothing, when a rename names what the
// file cannot hold; a rename in a format without names is skipped with a
// warning. Afterwards checks that no figure was lost or gained.
template <class Doc>
LayerChange ApplyRules(Doc& doc, const RelayerPlan& plan, const ApplyOptions& options);

// Writes the `after` side of every figure and name of the record.
template <class Doc>
void ApplyRecord(Doc& doc, const LayerChange& change);

}  // namespace quintaro
