// Large pages need a privilege that programs seldom hold on Windows: the
// memory is only aligned.
#include <malloc.h>

#include "formats/common/memory.h"

namespace quintaro {

void* AllocateLarge(std::size_t bytes) {
  return _aligned_malloc(bytes ? bytes : 1, kLargePage);
}

void FreeLarge(void* p) {
  _aligned_free(p);
}

void AdviseLargePages(void*, std::size_t) {}

}  // namespace quintaro
