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
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

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
  // out (the array is unchanged then). A new chunk gets room for
  // min(step, room) entries, where `room` is the caller's bound on how many
  // more entries can still come (a reader passes what the input can hold).
  T* Append(std::size_t room = static_cast<std::size_t>(-1)) {
    if (size_ == capacity() && !Grow(room)) return nullptr;
    T* slot = chunks_.back() + (size_ % step_);
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
    (*this)[size_].~T();
    if (size_ % step_ == 0 && !chunks_.empty() && size_ / step_ < chunks_.size()) {
      std::free(chunks_.back());
      chunks_.pop_back();
      lastCap_ = chunks_.empty() ? 0 : step_;
    }
  }
  void clear() { Release(); }

  // Cuts the last chunk to the exact count.
  void ShrinkToFit() {
    if (chunks_.empty()) return;
    std::size_t inLast = size_ - (chunks_.size() - 1) * std::size_t{step_};
    if (inLast == lastCap_) return;
    if (inLast == 0) {
      std::free(chunks_.back());
      chunks_.pop_back();
      lastCap_ = chunks_.empty() ? 0 : step_;
      return;
    }
    T* fresh = Reallocate(chunks_.back(), inLast, inLast);
    if (!fresh) return;  // keep the larger chunk
    chunks_.back() = fresh;
    lastCap_ = inLast;
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

  bool Grow(std::size_t room) {
    std::size_t want = room < step_ ? (room ? room : 1) : step_;
    if (chunks_.empty() || lastCap_ == step_) {
      // A new chunk.
      if (chunks_.size() == chunks_.capacity()) {
        try {
          chunks_.reserve(chunks_.empty() ? 4 : chunks_.size() * 2);
        } catch (const std::bad_alloc&) {
          return false;
        }
      }
      T* c = static_cast<T*>(std::malloc(want * sizeof(T)));
      if (!c) return false;
      chunks_.push_back(c);
      lastCap_ = want;
      return true;
    }
    // The last chunk was allocated smaller than a step: widen it.
    std::size_t cap = lastCap_ * 2;
    if (cap < lastCap_ + want) cap = lastCap_ + want;
    if (cap > step_) cap = step_;
    std::size_t inLast = size_ - (chunks_.size() - 1) * std::size_t{step_};
    T* fresh = Reallocate(chunks_.back(), inLast, cap);
    if (!fresh) return false;
    chunks_.back() = fresh;
    lastCap_ = cap;
    return true;
  }

  void Release() {
    if constexpr (!std::is_trivially_destructible_v<T>) {
      for (std::size_t i = 0; i < size_; ++i) (*this)[i].~T();
    }
    for (T* c : chunks_) std::free(c);
    chunks_.clear();
    chunks_.shrink_to_fit();
    size_ = 0;
    lastCap_ = 0;
  }

  void CopyFrom(const ChunkedArray& o) {
    // Exact-size copy: full chunks, then the last one cut to its count.
    std::size_t left = o.size_;
    chunks_.reserve((left + step_ - 1) / step_);
    std::size_t done = 0;
    while (left > 0) {
      std::size_t n = left < step_ ? left : step_;
      T* c = static_cast<T*>(std::malloc(n * sizeof(T)));
      if (!c) throw std::bad_alloc();
      for (std::size_t i = 0; i < n; ++i) ::new (static_cast<void*>(c + i)) T(o[done + i]);
      chunks_.push_back(c);
      lastCap_ = n;
      size_ += n;
      done += n;
      left -= n;
    }
  }

  void Steal(ChunkedArray& o) {
    step_ = o.step_;
    chunks_ = std::move(o.chunks_);
    size_ = o.size_;
    lastCap_ = o.lastCap_;
    o.chunks_.clear();
    o.size_ = 0;
    o.lastCap_ = 0;
  }

  std::vector<T*> chunks_;
  std::size_t size_ = 0;
  std::size_t lastCap_ = 0;  // capacity of the last chunk
  std::uint32_t step_ = 1000;
};

}  // namespace quintaro
