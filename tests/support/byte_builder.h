// Builds byte sequences for tests, independently of the writers under test.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quintaro::test {

class ByteBuilder {
 public:
  ByteBuilder& U8(std::uint8_t v) { return Raw(&v, 1); }
  ByteBuilder& U16(std::uint16_t v) { return Raw(&v, 2); }
  ByteBuilder& I16(std::int16_t v) { return Raw(&v, 2); }
  ByteBuilder& U32(std::uint32_t v) { return Raw(&v, 4); }
  ByteBuilder& I32(std::int32_t v) { return Raw(&v, 4); }
  ByteBuilder& F32(float v) { return Raw(&v, 4); }
  ByteBuilder& F64(double v) { return Raw(&v, 8); }
  ByteBuilder& Str(const std::string& s) { return Raw(s.data(), s.size()); }
  ByteBuilder& Fill(std::uint8_t v, std::size_t n) {
    bytes_.insert(bytes_.end(), n, v);
    return *this;
  }
  ByteBuilder& Zeros(std::size_t n) { return Fill(0, n); }
  ByteBuilder& Raw(const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    bytes_.insert(bytes_.end(), b, b + n);
    return *this;
  }
  ByteBuilder& Append(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
    return *this;
  }
  std::size_t Size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace quintaro::test
