// The JWW header after the magic and the version, read, written and
// compared by walking the one table of its values (jww_header_table.h).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "formats/common/bytes.h"
#include "formats/common/repairs.h"
#include "formats/jww/jww_types.h"

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

// Notes what WriteJwwHeader would repair, writing nothing.
void NoteJwwHeaderRepairs(std::int32_t version, const TJwwData& d, RepairLog& repairs);

// Called with the name of a value that differs between two drawings, as a
// diff shows it, and both values as text (none for a block of bytes).
using ChangedValue = std::function<void(const std::string& name, const std::string& before,
                                        const std::string& after)>;

// The numeric header values (the version excepted), in file order, each
// named "header " and its member's name ("header ZoomJumps[1].Scale").
void CompareJwwHeaderValues(const TEntJwwHeaderValues& a, const TEntJwwHeaderValues& b,
                            const ChangedValue& changed);
// The pens present in both, each setting named "pen N " and what it sets.
void CompareJwwPens(std::span<const TEntJwwPen> a, std::span<const TEntJwwPen> b,
                    const ChangedValue& changed);

}  // namespace jww
}  // namespace quintaro
