// Moves as the command line takes them; the rules themselves and the
// mapping file live in document/relayer_plan.h, shared with the desktop.
#pragma once

#include <optional>
#include <string>

#include "document/relayer_plan.h"

namespace quintaro::cli {

using MoveStep = RelayerRule;
using quintaro::Describe;
using quintaro::ParseGroupMove;
using quintaro::ParseLayerMove;

// A mapping file's rules; on a malformed file sets `error` and returns none.
inline std::optional<RelayerPlan> ParseMoveMap(const std::string& json, std::string& error) {
  PlanParseResult r = ParseRelayerPlan(json);
  error = r.error;
  if (!r.Ok()) return std::nullopt;
  return std::move(r.rules);
}

}  // namespace quintaro::cli
