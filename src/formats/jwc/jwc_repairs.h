// The values a JWC or JWK save writes differently from the model, counted
// by kind, so that the caller can tell the user what a save repaired.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/common/repairs.h"
#include "formats/jwc/jwc_types.h"

namespace quintaro {

// Line types and colours out of range (written as 0) and texts that are
// written in a cleaned form.
void NoteJwcFigureRepairs(const JwcRecordList<TEntJwcSen>& lines,
                          const JwcRecordList<TEntJwcEnko>& arcs,
                          const JwcRecordList<TEntJwcTen>& points,
                          const std::vector<TEntJwcMoji2>& texts, RepairLog& log);

// Text style colours out of range (written as 0).
void NoteJwcStyleRepairs(std::span<const TEntJwcMojiStyle> styles, RepairLog& log);

// Header counts as read (none when `read` is false) that the reader had to
// bring in range: negative figure counts, and a point slot count outside
// 0..100 when `slots` is given.
void NoteJwcCountRepairs(std::span<const std::int32_t> counts, const std::int32_t* slots,
                         RepairLog& log);

// Names longer than `limit` bytes or holding control characters.
void NoteJwcNameRepair(const std::string& name, std::size_t limit, RepairLog& log);

}  // namespace quintaro
