// The JWW header after the magic and the version, read and written from one
// table of its fields in file order (jww_header.cpp), so that the version
// gates and the repairs of the writer stand in one place. Internal to the
// format libraries.
#pragma once

#include <cstdint>
#include <string>

#include "formats/common/bytes.h"
#include "formats/common/repairs.h"

namespace quintaro {

class TJwwData;

namespace jww {

// Reads the header fields of a file of `version` into `d` (whose tables are
// sized). Every field read completely is kept; on failure `part` names the
// part of the header that was cut ("the layer names").
bool ReadJwwHeader(ByteReader& r, std::int32_t version, TJwwData& d, std::string& part);

// Writes the header fields for `version`; values out of the format's range
// are written repaired and noted in `repairs`.
void WriteJwwHeader(ByteWriter& w, std::int32_t version, const TJwwData& d, RepairLog& repairs);

}  // namespace jww
}  // namespace quintaro
