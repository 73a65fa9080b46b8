#include <cstdint>
#include <cstdlib>

#include "formats/common/memory.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quintaro {

namespace {
std::size_t WholeLargePages(std::size_t bytes) {
  return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}
}  // namespace

void* AllocateLarge(std::size_t bytes) {
  const std::size_t size = WholeLargePages(bytes);
  void* p = std::aligned_alloc(kLargePage, size);
  if (p) AdviseLargePages(p, size);
  return p;
}

void FreeLarge(void* p) {
  std::free(p);
}

void AdviseLargePages([[maybe_unused]] void* p, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  const auto begin = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t first = (begin + kLargePage - 1) & ~std::uintptr_t{kLargePage - 1};
  const std::uintptr_t last = (begin + bytes) & ~std::uintptr_t{kLargePage - 1};
  // Advice only: where the system has no large pages the memory is used as it is.
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace quintaro
