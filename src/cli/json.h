// The JSON writer of the command line lives beside the mapping files it also writes.
#pragma once

#include "document/json_writer.h"

namespace quintaro::cli {
using quintaro::JsonQuote;
using quintaro::JsonWriter;
}  // namespace quintaro::cli
