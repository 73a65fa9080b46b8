// The lines that tell what a save repaired (or would repair).
#pragma once

#include <ostream>

#include "formats/common/repairs.h"

namespace quintaro::cli {

// "warning: 3 × colour out of range written as 0", one line per kind.
inline void WriteRepairWarnings(const RepairLog& log, std::ostream& err) {
  for (const Repair& r : log.Items()) err << "warning: " << r.count << " \u00d7 " << r.what << "\n";
}

}  // namespace quintaro::cli
