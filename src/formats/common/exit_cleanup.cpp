#include "formats/common/exit_cleanup.h"

#include <atomic>
#include <cstring>

namespace quintaro::exit_cleanup {

namespace {

enum State : int { kFree, kFilling, kFile, kFolder };

constexpr std::size_t kPathBytes = 1024;
constexpr std::size_t kEntriesPerBlock = 32;

struct Block;

}  // namespace

struct Entry {
  std::atomic<int> state{kFree};
  char path[kPathBytes] = {};
};

namespace {

// Blocks are chained and never freed: a handler may walk them at any time.
struct Block {
  Entry entries[kEntriesPerBlock];
  std::atomic<Block*> next{nullptr};
};

constinit Block first;

Entry* TakeFreeEntry() {
  for (Block* b = &first;; b = b->next.load()) {
    for (Entry& e : b->entries) {
      int expected = kFree;
      if (e.state.compare_exchange_strong(expected, kFilling)) return &e;
    }
    if (!b->next.load()) {
      Block* fresh = new Block;
      Block* none = nullptr;
      if (!b->next.compare_exchange_strong(none, fresh)) delete fresh;
    }
  }
}

template <class F>
void ForEachLive(int state, F&& f) {
  for (Block* b = &first; b; b = b->next.load()) {
    for (Entry& e : b->entries) {
      if (e.state.load(std::memory_order_acquire) == state) f(e.path);
    }
  }
}

}  // namespace

Entry* Remember(const std::string& path, bool folder) {
  static_assert(std::atomic<int>::is_always_lock_free && std::atomic<Block*>::is_always_lock_free);
  if (path.empty() || path.size() >= kPathBytes) return nullptr;
  InstallHandlers();
  Entry* e = TakeFreeEntry();
  std::memcpy(e->path, path.c_str(), path.size() + 1);
  e->state.store(folder ? kFolder : kFile, std::memory_order_release);
  return e;
}

void Forget(Entry* entry) {
  if (entry) entry->state.store(kFree, std::memory_order_release);
}

void RemoveAll(int (*removeFile)(const char*), int (*removeFolder)(const char*)) {
  ForEachLive(kFile, removeFile);
  ForEachLive(kFolder, removeFolder);
}

}  // namespace quintaro::exit_cleanup
