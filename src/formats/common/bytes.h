// Little-endian byte cursors shared by every format reader and writer.
//
// ByteReader walks a file front to back, either over bytes in memory or
// streaming from an open file through a fixed buffer. The first failure
// (a read past the end or an I/O error) is sticky: every later read yields
// zeros, the position stops where it was, and FailOffset() tells where it
// happened. Remaining() tells how many bytes the input still holds, which
// bounds every reservation that a count read from the file may ask for.
//
// ByteWriter appends little-endian values to memory or to an open file,
// with the same sticky failure.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quintaro {

class ByteReader {
 public:
  // Reads the given bytes; they must outlive the reader.
  explicit ByteReader(std::span<const std::uint8_t> bytes);
  // Streams `size` bytes from `file` (not owned), starting at its current position.
  ByteReader(std::FILE* file, std::uint64_t size);

  ByteReader(const ByteReader&) = delete;
  ByteReader& operator=(const ByteReader&) = delete;

  bool Ok() const { return !failed_; }
  // Offset of the next byte to read (of the failed read, after a failure).
  std::uint64_t Offset() const { return consumed_ + pos_; }
  std::uint64_t FailOffset() const { return failOffset_; }
  std::uint64_t Size() const { return size_; }
  std::uint64_t Remaining() const { return failed_ ? 0 : size_ - Offset(); }
  bool AtEnd() const { return Remaining() == 0; }

  // True when `count` items of at least `minBytesEach` bytes could still
  // follow. Use before reserving memory for a count read from the file.
  bool CanHold(std::uint64_t count, std::uint64_t minBytesEach) const {
    if (minBytesEach == 0) minBytesEach = 1;
    return count <= Remaining() / minBytesEach;
  }

  // Copies n bytes; on a short input nothing is copied, dst is zeroed and
  // the reader fails.
  bool Read(void* dst, std::size_t n) {
    if (n <= avail_ - pos_) {
      std::memcpy(dst, data_ + pos_, n);
      pos_ += n;
      return true;
    }
    return ReadSlow(dst, n);
  }
  // Read() of a size known when compiling, so that the copy is a few
  // moves wherever it is used.
  template <std::size_t N>
  bool ReadFixed(void* dst) {
    if (N <= avail_ - pos_) {
      std::memcpy(dst, data_ + pos_, N);
      pos_ += N;
      return true;
    }
    return ReadSlow(dst, N);
  }
  // The next N bytes where they stand in the input, consumed; nullptr
  // (nothing consumed) when they are not all at hand, and the caller then
  // falls back on ReadFixed. Reading fields in place spares a copy that the
  // processor cannot forward to the narrower loads after it.
  template <std::size_t N>
  const std::uint8_t* TakeInPlace() {
    if (N > avail_ - pos_) return nullptr;
    const std::uint8_t* p = data_ + pos_;
    pos_ += N;
    return p;
  }
  // Up to `want` of the next bytes where they stand, in whole units of
  // `unit` bytes, consumed; empty (nothing consumed) when not even one unit
  // can be had. A streamed reader tops its buffer up to `want` bytes first.
  // The bytes stay valid until the next read.
  std::span<const std::uint8_t> TakeRunInPlace(std::size_t want, std::size_t unit);
  // Copies `n` bytes at `offset` from the start of the input, leaving the
  // reader where it is; false when they cannot all be had. Touches none of
  // the reader's state, so another thread may call it while this one reads
  // on. A streamed reader needs the system's positional reads for it: see
  // CanReadAt.
  bool ReadAt(std::uint64_t offset, void* dst, std::size_t n) const;
  bool CanReadAt() const;
  bool Skip(std::uint64_t n);
  // Appends n bytes to out (bounded by what remains).
  bool ReadBytes(std::string& out, std::size_t n);

  std::uint8_t U8() { return Get<std::uint8_t>(); }
  std::uint16_t U16() { return Get<std::uint16_t>(); }
  std::int16_t I16() { return Get<std::int16_t>(); }
  std::uint32_t U32() { return Get<std::uint32_t>(); }
  std::int32_t I32() { return Get<std::int32_t>(); }
  float F32() { return Get<float>(); }
  double F64() { return Get<double>(); }

  // Marks the input as failed at the current offset (e.g. a value that
  // makes the rest unreadable).
  void Fail();

 private:
  template <typename T>
  T Get() {
    T v{};
    ReadFixed<sizeof v>(&v);
    return v;
  }
  bool ReadSlow(void* dst, std::size_t n);
  bool Refill(std::size_t need);

  const std::uint8_t* data_ = nullptr;
  std::size_t avail_ = 0;       // bytes valid in data_
  std::size_t pos_ = 0;         // next byte in data_
  std::uint64_t consumed_ = 0;  // bytes of the input before data_[0]
  std::uint64_t size_ = 0;
  std::uint64_t failOffset_ = 0;
  bool failed_ = false;
  std::FILE* file_ = nullptr;
  std::uint64_t fileStart_ = 0;  // the file's position of the input's first byte
  std::vector<std::uint8_t> buffer_;
};

class ByteWriter {
 public:
  // Collects the bytes in memory (Bytes()).
  ByteWriter();
  // Writes through a buffer to `file` (not owned). Call Flush() at the end.
  explicit ByteWriter(std::FILE* file);
  // Counts the bytes and keeps none: a save's repairs without its bytes.
  struct Discard {};
  explicit ByteWriter(Discard);
  ~ByteWriter();

  ByteWriter(const ByteWriter&) = delete;
  ByteWriter& operator=(const ByteWriter&) = delete;

  bool Ok() const { return !failed_; }
  // The errno of the write that failed (0 when none failed in the system).
  int Error() const { return error_; }
  std::uint64_t Size() const { return written_ + buffer_.size(); }
  // The bytes written so far (memory mode only).
  const std::vector<std::uint8_t>& Bytes() const { return buffer_; }

  void Write(const void* src, std::size_t n) {
    if (failed_) return;
    if (streams_ && n >= kFlushAt) return WriteLarge(src, n);
    const auto* p = static_cast<const std::uint8_t*>(src);
    buffer_.insert(buffer_.end(), p, p + n);
    if (streams_ && buffer_.size() >= kFlushAt) FlushBuffer();
  }
  void Bytes(const std::string& s) { Write(s.data(), s.size()); }
  void Zeros(std::size_t n);
  void Fill(std::uint8_t value, std::size_t n);

  void U8(std::uint8_t v) { Put(v); }
  void U16(std::uint16_t v) { Put(v); }
  void I16(std::int16_t v) { Put(v); }
  void U32(std::uint32_t v) { Put(v); }
  void I32(std::int32_t v) { Put(v); }
  void F32(float v) { Put(v); }
  void F64(double v) { Put(v); }

  // Writes out what is buffered (file mode); false after any failure.
  bool Flush();
  void Fail() { failed_ = true; }

 private:
  static constexpr std::size_t kFlushAt = 1 << 20;
  template <typename T>
  void Put(T v) {
    Write(&v, sizeof v);
  }
  void FlushBuffer();
  // Passes a block past the buffer: a large block is never held twice.
  void WriteLarge(const void* src, std::size_t n);

  std::vector<std::uint8_t> buffer_;
  std::uint64_t written_ = 0;
  std::FILE* file_ = nullptr;
  bool streams_ = false;  // to a file or nowhere: the buffer is emptied as it fills
  bool failed_ = false;
  int error_ = 0;
};

// Bytes that follow the last section of a file, kept as read so that a save
// gives them back. Held once: copies of a drawing share them.
class TrailingBytes {
 public:
  // Takes the rest of the input; false (nothing kept) when memory ran out.
  bool ReadRest(ByteReader& r);
  void WriteTo(ByteWriter& w) const;
  std::uint64_t Size() const { return bytes_ ? bytes_->size() : 0; }
  void Clear() { bytes_.reset(); }
  friend bool operator==(const TrailingBytes& a, const TrailingBytes& b) {
    return a.Size() == b.Size() && (a.Size() == 0 || *a.bytes_ == *b.bytes_);
  }

 private:
  std::shared_ptr<const std::string> bytes_;
};

}  // namespace quintaro
