// What a layer edit did, in the words of the status lines and the mapping
// result box, read from the record the edit returned.
#pragma once

#include <QString>

#include "document/document.h"

namespace quintaro::app {

// "[2]→[5] 1,234 図形" for a group, "[2]－[3]→[2]－[5] 16 図形" for a
// layer, "⇄" for a swap; a rule by name adds the name it found.
QString FlowText(const LayerChange::Flow& flow);
// " " and every flow of the record, separated by "、"; past four flows only
// the total. Empty for a record without flows.
QString MoveSummary(const LayerChange& change);
// The mapping result box: the outcome, then a line per flow, rename and
// note (a scale difference, a name that found nothing, a name cut).
QString MappingOutcomeText(const LayerChange& change, const Document& doc);

}  // namespace quintaro::app
