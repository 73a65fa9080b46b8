// Records of the DOS-era drawing (JWC) and symbol (JWK) formats.
//
// Every figure carries its layer as one byte, the layer code: high nibble =
// layer group 0..15, low nibble = layer 0..15. Coordinates are held as
// doubles: the file's single-precision value times the drawing's paper
// factor (1 for symbols). The product of two floats is exact in a double,
// so dividing by the factor on save gives back the stored bits.
//
// Equality compares floating-point fields by their bits, so a model that
// holds NaN still equals its own reread copy.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace quintaro {

// Stands for a record that the reader is about to write in full (see
// JwcRecordAllocator).
struct JwcUnsetRecord {};

// The standard allocator, except that a record made from JwcUnsetRecord is
// left unset instead of zeroed: the reader grows a list by many records at
// once and fills them from two threads, and zeroing them first would cost
// as much as writing them. Every other way of adding records (resize,
// push_back, assign) behaves as with std::allocator.
template <class T>
struct JwcRecordAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = JwcRecordAllocator<U>;
  };
  JwcRecordAllocator() = default;
  template <class U>
  JwcRecordAllocator(const JwcRecordAllocator<U>&) noexcept {}

  template <class U>
  void construct(U*, JwcUnsetRecord) noexcept {
    // Records are plain aggregates: their storage holds one without a
    // constructor run, as allocated storage does for such types.
    static_assert(std::is_aggregate_v<U> && std::is_trivially_copyable_v<U>);
  }
  template <class U, class... A>
  void construct(U* p, A&&... a) {
    std::construct_at(p, std::forward<A>(a)...);
  }
};

// The figure records of a section, one after another.
template <class T>
using JwcRecordList = std::vector<T, JwcRecordAllocator<T>>;

// Line type and colour numbers that the writer keeps; others are written as 0.
inline bool IsValidJwcLineType(std::uint8_t t) {
  return (t >= 1 && t <= 9) || (t >= 11 && t <= 18);
}
inline bool IsValidJwcColor(std::uint8_t c) {
  return c >= 1 && c <= 6;
}

// Line (EntityKind 1), 22 bytes in the file.
struct TEntJwcSen {
  double startX = 0, startY = 0, endX = 0, endY = 0;
  std::uint8_t lineType = 0;  // 1..9, 11..18; 9 = auxiliary line
  std::uint8_t color = 0;     // 1..6
  std::uint8_t layer = 0;     // layer code
  std::array<std::uint8_t, 3> kept{};
  friend bool operator==(const TEntJwcSen&, const TEntJwcSen&);
};

// Arc, circle or ellipse (EntityKind 2), 32 bytes in the file. The sweep
// goes from the start to the end angle; 0 or 360 degrees is a full ellipse.
struct TEntJwcEnko {
  double centerX = 0, centerY = 0, radius = 0;
  double flatness = 0;    // minor / major axis; 1 = circle
  double startAngle = 0;  // degrees
  double endAngle = 0;    // degrees
  double tiltAngle = 0;   // degrees
  std::uint8_t lineType = 0;
  std::uint8_t color = 0;
  std::uint8_t layer = 0;
  std::array<std::uint8_t, 3> kept{};
  friend bool operator==(const TEntJwcEnko&, const TEntJwcEnko&);
};

// Text (EntityKind 4), 24 bytes in the file plus its string in the text block.
struct TEntJwcMoji2 {
  static constexpr std::uint8_t kVertical = 0x20;  // flag: vertical writing

  double startX = 0, startY = 0, endX = 0, endY = 0;
  // Where the string lies: JWC the linear far address (segment * 16 +
  // offset), JWK the byte offset into the text block. Rewritten on save.
  std::int32_t address = 0;
  std::uint8_t style = 0;  // text style number 0..10
  std::uint8_t layer = 0;  // layer code
  std::uint8_t flags = 0;
  std::uint8_t kept = 0;
  std::string text;  // Shift-JIS bytes, control characters removed

  bool IsVertical() const { return (flags & kVertical) != 0; }
  friend bool operator==(const TEntJwcMoji2&, const TEntJwcMoji2&);
};

// Point (EntityKind 3), 12 bytes in the file.
struct TEntJwcTen {
  double x = 0, y = 0;
  std::uint8_t layer = 0;  // layer code
  std::uint8_t color = 0;  // 1..6
  std::array<std::uint8_t, 2> kept{};
  friend bool operator==(const TEntJwcTen&, const TEntJwcTen&);
};

// One entry of the fixed point-slot table of a drawing.
struct TEntJwcPointSlot {
  double x = 0, y = 0;
  std::uint8_t layer = 0;  // layer code
  friend bool operator==(const TEntJwcPointSlot&, const TEntJwcPointSlot&);
};

// A text style; the sizes are in 0.1 mm of paper.
struct TEntJwcMojiStyle {
  std::uint16_t color = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint16_t spacing = 0;
  friend bool operator==(const TEntJwcMojiStyle&, const TEntJwcMojiStyle&) = default;
};

struct TEntJwcLayerGroup {
  static constexpr std::size_t kNameBytes = 16;
  float scale = 0;                                  // drawing scale denominator, e.g. 100 for 1:100
  std::uint8_t state1 = 0, state2 = 0, state3 = 0;  // layer-state bytes, kept
  std::string name;                                 // Shift-JIS, at most 16 bytes
  friend bool operator==(const TEntJwcLayerGroup&, const TEntJwcLayerGroup&);
};

struct TEntJwcLayer {
  static constexpr std::size_t kNameBytes = 8;
  std::uint8_t state1 = 0, state2 = 0;  // layer-state bytes, kept
  std::string name;                     // Shift-JIS, at most 8 bytes
  friend bool operator==(const TEntJwcLayer&, const TEntJwcLayer&) = default;
};

// What a load found: whether every byte was read, and where and why it stopped.
struct JwcLoadReport {
  bool complete = false;
  std::uint64_t failOffset = 0;  // file offset of the read that failed
  std::string reason;            // e.g. "unexpected end of file in the arc section (arc 12 of 40)"
  std::vector<std::string> notes;  // values the reader had to repair
};

}  // namespace quintaro
