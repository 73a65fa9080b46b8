// ChunkedArray<T>: the entity arrays of the JWW and JWS models.
//
// An array that grows in chunks of a fixed number of entries (1000 for the
// main list, 500 for texts and dimensions inside block definitions)
// and never moves an entry once stored: growing allocates one more chunk
// instead of copying the whole array, so a list of a million entities is read
// without the quadratic copying (or the doubled peak memory) that growing one
// contiguous buffer in steps of 1000 would cost. ShrinkToFit() cuts the last
// chunk to its exact count ("cut to size").
//
// Indexing (a[i]), size(), empty(), back(), range-for and equality work as
// with std::vector. Entries are not contiguous across chunks.
//
// The first chunks are allocated one by one; a larger array carves its
// chunks from slabs of whole large pages (formats/common/memory.h), each
// holding as many chunks as the array already has, so that reading a
// million figures faults its memory in 2 MiB pieces instead of 4 KiB ones.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "formats/common/memory.h"

namespace quintaro {

template <class T>
class ChunkedArray {
 public:
  using value_type = T;
  using size_type = std::size_t;

  explicit ChunkedArray(std::uint32_t step = 1000) : step_(step ? step : 1) {}
  ~ChunkedArray() { Release(); }

  ChunkedArray(const ChunkedArray& o) : step_(o.step_) { CopyFrom(o); }
  ChunkedArray& operator=(const ChunkedArray& o) {
    if (this != &o) {
      Release();
      step_ = o.step_;
      CopyFrom(o);
    }
    return *this;
  }
  ChunkedArray(ChunkedArray&& o) noexcept { Steal(o); }
  ChunkedArray& operator=(ChunkedArray&& o) noexcept {
    if (this != &o) {
      Release();
      Steal(o);
    }
    return *this;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // Entries per chunk (the growth step).
  std::uint32_t step() const { return step_; }
  // Sets the growth step; only takes effect while the array is empty.
  void set_step(std::uint32_t step) {
    if (size_ == 0 && chunks_.empty()) step_ = step ? step : 1;
  }
  // Entries that fit without allocating.
  std::size_t capacity() const {
    return chunks_.empty() ? 0 : (chunks_.size() - 1) * std::size_t{step_} + lastCap_;
  }

  T& operator[](std::size_t i) { return chunks_[i / step_][i % step_]; }
  const T& operator[](std::size_t i) const { return chunks_[i / step_][i % step_]; }
  T& back() { return (*this)[size_ - 1]; }
  const T& back() const { return (*this)[size_ - 1]; }

  // Appends a value-initialised entry and returns it; nullptr when memory ran
  // out (the array is unchanged then). `room` is the caller's bound on how
  // many more entries can still come (a reader passes what the input can
  // hold): a new chunk gets room for min(step, room) entries, and a slab for
  // no more chunks than `room` fills (rounded up to its large pages).
  T* Append(std::size_t room = static_cast<std::size_t>(-1)) {
    if (next_ == end_ && !Grow(room)) return nullptr;
    T* slot = next_++;
    ::new (static_cast<void*>(slot)) T();
    ++size_;
    return slot;
  }
  void push_back(const T& v) {
    if (T* p = Append())
      *p = v;
    else
      throw std::bad_alloc();
  }
  void push_back(T&& v) {
    if (T* p = Append())
      *p = std::move(v);
    else
      throw std::bad_alloc();
  }
  // Drops the last entry (a partly read entity).
  void pop_back() {
    --size_;
    (--next_)->~T();
    if (next_ == chunks_.back()) ReleaseLastChunk();
  }
  void clear() { Release(); }

  // Cuts the last chunk to the exact count. (A chunk carved from a slab of
  // large pages keeps its room, which belongs to the slab.)
  void ShrinkToFit() {
    if (chunks_.empty()) return;
    const auto inLast = static_cast<std::size_t>(next_ - chunks_.back());
    if (inLast == lastCap_) return;
    if (inLast == 0) return ReleaseLastChunk();
    if (slabs_.back().large) return;
    ResizeLastSlab(inLast);  // on failure the larger chunk stays
  }

  template <bool Const>
  class Iter {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<Const, const T*, T*>;
    using reference = std::conditional_t<Const, const T&, T&>;
    using Owner = std::conditional_t<Const, const ChunkedArray, ChunkedArray>;

    Iter() = default;
    Iter(Owner* a, std::size_t i) : a_(a), i_(i) { Load(); }
    reference operator*() const { return *p_; }
    pointer operator->() const { return p_; }
    Iter& operator++() {
      ++i_;
      if (--left_ == 0)
        Load();
      else
        ++p_;
      return *this;
    }
    Iter operator++(int) {
      Iter t = *this;
      ++*this;
      return t;
    }
    friend bool operator==(const Iter& x, const Iter& y) { return x.i_ == y.i_; }
    std::size_t index() const { return i_; }

   private:
    void Load() {
      if (!a_ || i_ >= a_->size_) {
        p_ = nullptr;
        left_ = 0;
        return;
      }
      std::size_t c = i_ / a_->step_, off = i_ % a_->step_;
      p_ = a_->chunks_[c] + off;
      left_ = a_->step_ - off;
    }
    Owner* a_ = nullptr;
    std::size_t i_ = 0;
    pointer p_ = nullptr;
    std::size_t left_ = 0;
  };
  using iterator = Iter<false>;
  using const_iterator = Iter<true>;
  iterator begin() { return iterator(this, 0); }
  iterator end() { return iterator(this, size_); }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size_); }

  friend bool operator==(const ChunkedArray& a, const ChunkedArray& b) {
    if (a.size_ != b.size_) return false;
    for (std::size_t i = 0; i < a.size_; ++i)
      if (!(a[i] == b[i])) return false;
    return true;
  }

 private:
  static constexpr bool kTrivial = std::is_trivially_copyable_v<T>;

  // Moves `count` entries of `old` (capacity irrelevant) into a new block of
  // `cap` entries; frees `old`. nullptr (old kept) when memory ran out.
  static T* Reallocate(T* old, std::size_t count, std::size_t cap) {
    if constexpr (kTrivial) {
      return static_cast<T*>(std::realloc(old, cap * sizeof(T)));
    } else {
      T* fresh = static_cast<T*>(std::malloc(cap * sizeof(T)));
      if (!fresh) return nullptr;
      for (std::size_t i = 0; i < count; ++i) {
        ::new (static_cast<void*>(fresh + i)) T(std::move(old[i]));
        old[i].~T();
      }
      std::free(old);
      return fresh;
    }
  }

  static constexpr std::size_t kLooseChunks = 4;           // chunks allocated one by one ...
  static constexpr std::size_t kLooseBytes = 512u << 10;   // ... while they hold less
  static constexpr std::size_t kMaxSlabBytes = 64u << 20;  // the most one slab takes

  // Memory for `entries` entries; its chunks are handed out in order.
  struct Slab {
    T* base;
    std::size_t entries;
    std::size_t used;  // chunks handed out
    bool large;        // whole large pages (else one chunk of its own)
  };

  bool Grow(std::size_t room) {
    const std::size_t want = room < step_ ? (room ? room : 1) : step_;
    if (!chunks_.empty() && lastCap_ < step_) {
      // The last chunk was allocated smaller than a step: widen it.
      std::size_t cap = lastCap_ * 2;
      if (cap < lastCap_ + want) cap = lastCap_ + want;
      if (cap > step_) cap = step_;
      return ResizeLastSlab(cap);
    }
    try {
      if (chunks_.size() == chunks_.capacity())
        chunks_.reserve(chunks_.empty() ? 4 : chunks_.size() * 2);
      if (slabs_.size() == slabs_.capacity())
        slabs_.reserve(slabs_.empty() ? 4 : slabs_.size() * 2);
    } catch (const std::bad_alloc&) {
      return false;
    }
    if (slabs_.empty() || (slabs_.back().used + 1) * std::size_t{step_} > slabs_.back().entries) {
      if (!NewSlab(room, want)) return false;
    }
    Slab& s = slabs_.back();
    T* c = s.base + s.used * std::size_t{step_};
    ++s.used;
    chunks_.push_back(c);
    lastCap_ = std::min<std::size_t>(step_, s.entries - (s.used - 1) * std::size_t{step_});
    next_ = c;
    end_ = c + lastCap_;
    return true;
  }

  // One chunk of its own while the array is small; then a slab of whole
  // large pages for as many chunks as the array has (at least a large
  // page's worth), no more than `room` entries can fill.
  bool NewSlab(std::size_t room, std::size_t want) {
    const std::size_t chunkBytes = std::size_t{step_} * sizeof(T);
    std::size_t chunks = std::max(chunks_.size(), (kLargePage + chunkBytes - 1) / chunkBytes);
    chunks = std::min({chunks, kMaxSlabBytes / chunkBytes, room / step_ + (room % step_ != 0)});
    if (chunks_.size() < kLooseChunks && chunks_.size() * chunkBytes < kLooseBytes) {
      chunks = 1;
    }
    if (chunks <= 1) {
      T* c = static_cast<T*>(std::malloc(want * sizeof(T)));
      if (!c) return false;
      slabs_.push_back(Slab{c, want, 0, false});
      return true;
    }
    // As many chunks as its large pages hold: a page half used is resident whole.
    chunks = (chunks * chunkBytes + kLargePage - 1) / kLargePage * kLargePage / chunkBytes;
    T* base = static_cast<T*>(AllocateLarge(chunks * chunkBytes));
    if (!base) return false;
    slabs_.push_back(Slab{base, chunks * std::size_t{step_}, 0, true});
    return true;
  }

  // Gives the last chunk, one of its own, room for `cap` entries (its
  // entries move with it).
  bool ResizeLastSlab(std::size_t cap) {
    Slab& s = slabs_.back();
    const auto live = static_cast<std::size_t>(next_ - chunks_.back());
    T* fresh = Reallocate(s.base, live, cap);
    if (!fresh) return false;
    s.base = chunks_.back() = fresh;
    s.entries = lastCap_ = cap;
    next_ = fresh + live;
    end_ = fresh + cap;
    return true;
  }

  // Hands the (empty) last chunk back to its slab, and the slab back when
  // it holds no other.
  void ReleaseLastChunk() {
    chunks_.pop_back();
    if (--slabs_.back().used == 0) {
      FreeSlab(slabs_.back());
      slabs_.pop_back();
    }
    lastCap_ = chunks_.empty() ? 0 : step_;
    next_ = end_ = chunks_.empty() ? nullptr : chunks_.back() + step_;
  }

  static void FreeSlab(const Slab& s) {
    if (s.large) {
      FreeLarge(s.base);
    } else {
      std::free(s.base);
    }
  }

  void Release() {
    if constexpr (!std::is_trivially_destructible_v<T>) {
      for (std::size_t i = 0; i < size_; ++i) (*this)[i].~T();
    }
    for (const Slab& s : slabs_) FreeSlab(s);
    slabs_.clear();
    slabs_.shrink_to_fit();
    chunks_.clear();
    chunks_.shrink_to_fit();
    size_ = 0;
    lastCap_ = 0;
    next_ = end_ = nullptr;
  }

  void CopyFrom(const ChunkedArray& o) {
    // Exact-size copy: full chunks, then the last one cut to its count.
    std::size_t left = o.size_;
    chunks_.reserve((left + step_ - 1) / step_);
    slabs_.reserve(chunks_.capacity());
    std::size_t done = 0;
    while (left > 0) {
      std::size_t n = left < step_ ? left : step_;
      T* c = static_cast<T*>(std::malloc(n * sizeof(T)));
      if (!c) throw std::bad_alloc();
      for (std::size_t i = 0; i < n; ++i) ::new (static_cast<void*>(c + i)) T(o[done + i]);
      slabs_.push_back(Slab{c, n, 1, false});
      chunks_.push_back(c);
      lastCap_ = n;
      size_ += n;
      done += n;
      left -= n;
      next_ = end_ = c + n;
    }
  }

  void Steal(ChunkedArray& o) {
    step_ = o.step_;
    chunks_ = std::move(o.chunks_);
    slabs_ = std::move(o.slabs_);
    size_ = o.size_;
    lastCap_ = o.lastCap_;
    next_ = o.next_;
    end_ = o.end_;
    o.chunks_.clear();
    o.slabs_.clear();
    o.size_ = 0;
    o.lastCap_ = 0;
    o.next_ = o.end_ = nullptr;
  }

  std::vector<T*> chunks_;
  std::vector<Slab> slabs_;
  std::size_t size_ = 0;
  std::size_t lastCap_ = 0;  // capacity of the last chunk
  T* next_ = nullptr;        // where the next entry goes in the last chunk
  T* end_ = nullptr;         // the end of the last chunk's room
  std::uint32_t step_ = 1000;
};

}  // namespace quintaro
