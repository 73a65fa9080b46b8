// What a command writes, caught for the tests.
#pragma once

#include <sstream>

#include "cli/commands.h"

namespace quintaro::cli::testing {

struct Capture {
  std::ostringstream out, err;
  Io io() { return {out, err, false}; }
};

}  // namespace quintaro::cli::testing
