// Memory for the large arrays of a model.
//
// A fresh model of millions of figures costs one page fault per 4 KiB it
// fills, which is most of what reading a large drawing into memory costs.
// Where the system offers large pages (Linux transparent huge pages), the
// memory below is advised to use them: one fault per 2 MiB.
#pragma once

#include <cstddef>

namespace quintaro {

inline constexpr std::size_t kLargePage = std::size_t{1} << 21;

// At least `bytes` of memory aligned to a large page, advised to use large
// pages; nullptr when memory ran out. Give it back with FreeLarge.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* p);

// Advises the whole large pages inside [p, p + bytes) to be large pages
// (before the memory is first written; a range holding none is left alone).
void AdviseLargePages(void* p, std::size_t bytes);

}  // namespace quintaro
