#include "formats/common/bytes.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <new>

#ifndef _WIN32
#include <sys/types.h>
#include <unistd.h>
#endif

namespace quintaro {

static_assert(std::endian::native == std::endian::little,
              "the file formats are little-endian and read by memcpy");

namespace {
constexpr std::size_t kReadChunk = 1 << 18;
}

ByteReader::ByteReader(std::span<const std::uint8_t> bytes)
    : data_(bytes.data()), avail_(bytes.size()), size_(bytes.size()) {}

ByteReader::ByteReader(std::FILE* file, std::uint64_t size)
    : size_(size), file_(file), buffer_(kReadChunk) {
  data_ = buffer_.data();
#ifndef _WIN32
  const off_t at = ftello(file);
  fileStart_ = at < 0 ? 0 : static_cast<std::uint64_t>(at);
#endif
}

bool ByteReader::CanReadAt() const {
#ifdef _WIN32
  return !file_;  // Windows has no positional read beside the stream's own position
#else
  return true;
#endif
}

bool ByteReader::ReadAt(std::uint64_t offset, void* dst, std::size_t n) const {
  if (offset > size_ || n > size_ - offset) return false;
  if (!file_) {
    std::memcpy(dst, data_ + offset, n);
    return true;
  }
#ifdef _WIN32
  return false;
#else
  const int fd = fileno(file_);
  auto* to = static_cast<std::uint8_t*>(dst);
  while (n > 0) {
    const ssize_t got = pread(fd, to, n, static_cast<off_t>(fileStart_ + offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    to += got;
    offset += static_cast<std::uint64_t>(got);
    n -= static_cast<std::size_t>(got);
  }
  return true;
#endif
}

void ByteReader::Fail() {
  if (failed_) return;
  failed_ = true;
  failOffset_ = Offset();
  avail_ = pos_;  // the fast path in Read() hands out nothing after a failure
}

bool ByteReader::Refill(std::size_t need) {
  // Keeps the unread tail, then tops the buffer up from the file.
  if (!file_) return false;
  std::size_t tail = avail_ - pos_;
  if (buffer_.size() < need) buffer_.resize(need);
  std::memmove(buffer_.data(), buffer_.data() + pos_, tail);
  consumed_ += pos_;
  pos_ = 0;
  avail_ = tail;
  data_ = buffer_.data();
  std::uint64_t left = size_ - consumed_ - tail;
  std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size() - tail, left));
  while (want > 0) {
    std::size_t got = std::fread(buffer_.data() + avail_, 1, want, file_);
    if (got == 0) break;
    avail_ += got;
    want -= got;
  }
  return avail_ >= need;
}

bool ByteReader::ReadSlow(void* dst, std::size_t n) {
  if (!failed_ && n <= Remaining()) {
    if (n <= kReadChunk) {
      if (Refill(n)) {
        std::memcpy(dst, data_ + pos_, n);
        pos_ += n;
        return true;
      }
    } else if (file_) {
      // Large block: copy what is buffered, then read the rest directly.
      std::size_t head = avail_ - pos_;
      std::memcpy(dst, data_ + pos_, head);
      consumed_ += avail_;
      pos_ = avail_ = 0;
      std::size_t rest = n - head;
      std::size_t got = std::fread(static_cast<std::uint8_t*>(dst) + head, 1, rest, file_);
      consumed_ += got;
      if (got == rest) return true;
    }
  }
  std::memset(dst, 0, n);
  Fail();
  return false;
}

std::span<const std::uint8_t> ByteReader::TakeRunInPlace(std::size_t want, std::size_t unit) {
  if (failed_ || unit == 0) return {};
  if (avail_ - pos_ < want && file_) {
    Refill(static_cast<std::size_t>(std::min<std::uint64_t>(want, Remaining())));
  }
  const std::size_t n = std::min(want, avail_ - pos_) / unit * unit;
  const std::uint8_t* p = data_ + pos_;
  pos_ += n;
  return {p, n};
}

namespace {
bool SeekForward(std::FILE* f, std::uint64_t n) {
#ifdef _WIN32
  return _fseeki64(f, static_cast<__int64>(n), SEEK_CUR) == 0;
#else
  return fseeko(f, static_cast<off_t>(n), SEEK_CUR) == 0;
#endif
}
}  // namespace

bool ByteReader::Skip(std::uint64_t n) {
  if (failed_) return false;
  if (n > Remaining()) {
    Fail();
    return false;
  }
  if (file_ && n > avail_ - pos_) {
    // Past the buffer the file is moved on instead of read through (and
    // read through where it cannot be moved).
    n -= avail_ - pos_;
    consumed_ += avail_;
    pos_ = avail_ = 0;
    data_ = buffer_.data();
    if (SeekForward(file_, n)) {
      consumed_ += n;
      return true;
    }
  }
  while (n > 0) {
    std::size_t here = avail_ - pos_;
    if (here == 0 && !Refill(1)) {
      Fail();
      return false;
    }
    here = avail_ - pos_;
    std::size_t step = static_cast<std::size_t>(std::min<std::uint64_t>(here, n));
    pos_ += step;
    n -= step;
  }
  return true;
}

bool ByteReader::ReadBytes(std::string& out, std::size_t n) {
  if (failed_ || n > Remaining()) {
    Fail();
    return false;
  }
  std::size_t start = out.size();
  out.resize(start + n);
  return Read(out.data() + start, n);
}

ByteWriter::ByteWriter() = default;

ByteWriter::ByteWriter(std::FILE* file) : file_(file), streams_(true) {
  buffer_.reserve(kFlushAt + 4096);
}

ByteWriter::ByteWriter(Discard) : streams_(true) {}

ByteWriter::~ByteWriter() = default;

void ByteWriter::Zeros(std::size_t n) {
  Fill(0, n);
}

void ByteWriter::Fill(std::uint8_t value, std::size_t n) {
  while (n > 0 && !failed_) {
    std::size_t k = streams_ ? std::min(n, kFlushAt) : n;
    buffer_.insert(buffer_.end(), k, value);
    n -= k;
    if (streams_ && buffer_.size() >= kFlushAt) FlushBuffer();
  }
}

void ByteWriter::WriteLarge(const void* src, std::size_t n) {
  FlushBuffer();
  if (failed_) return;
  std::size_t put = file_ ? std::fwrite(src, 1, n, file_) : n;
  if (put != n) {
    failed_ = true;
    error_ = errno;
  }
  written_ += put;
}

void ByteWriter::FlushBuffer() {
  if (failed_ || buffer_.empty()) return;
  if (!file_) {  // nowhere (memory is never flushed)
    if (streams_) {
      written_ += buffer_.size();
      buffer_.clear();
    }
    return;
  }
  std::size_t put = std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
  if (put != buffer_.size()) {
    failed_ = true;
    error_ = errno;
  }
  written_ += put;
  buffer_.clear();
}

bool ByteWriter::Flush() {
  FlushBuffer();
  if (file_ && !failed_ && std::fflush(file_) != 0) {
    failed_ = true;
    error_ = errno;
  }
  return !failed_;
}

bool TrailingBytes::ReadRest(ByteReader& r) {
  bytes_.reset();
  if (r.Remaining() == 0) return true;
  try {
    auto bytes = std::make_shared<std::string>();
    if (!r.ReadBytes(*bytes, static_cast<std::size_t>(r.Remaining()))) return false;
    bytes_ = std::move(bytes);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void TrailingBytes::WriteTo(ByteWriter& w) const {
  if (bytes_) w.Write(bytes_->data(), bytes_->size());
}

}  // namespace quintaro
