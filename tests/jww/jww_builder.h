// Builds JWW (and JWS) files byte by byte for the tests, from the layout of
// The file layout written out here independently of the writer under test.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "support/byte_builder.h"

// The value of a field of a packed record (#pragma pack(1)): GoogleTest's
// macros bind their arguments to references, which must not point at
// unaligned fields; V(x) hands them a copy.
#define V(x) (static_cast<std::remove_cvref_t<decltype(x)>>(x))

namespace quintaro::test {

struct BaseAttrs {
  std::uint32_t curveAttr = 0;
  std::uint8_t penStyle = 1;
  std::uint16_t penColor = 1;
  std::uint16_t penWidth = 0;
  std::uint16_t layer = 0;
  std::uint16_t layerGroup = 0;
  std::uint16_t flags = 0;
};

// Values of the header that the tests look at; everything else is zero.
struct HeaderSpec {
  std::string memo;
  bool unicodeMemo = false;  // memo in the UTF-16 form (ASCII memo only)
  std::int32_t groupState[16] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
  double groupScale[16] = {100, 100, 100, 100, 100, 100, 100, 100,
                           100, 100, 100, 100, 100, 100, 100, 100};
  std::int32_t layerState[256];
  std::vector<std::string> layerNames = std::vector<std::string>(256);
  std::vector<std::string> groupNames = std::vector<std::string>(16);
  double printScale = 1.0;
  std::int32_t drawTime = 0;
  std::int32_t switch11 = 11;
  std::int32_t screenWidth = 1;
  std::int32_t printerWidth = 1;
  double pointRadius = 0.3;
  HeaderSpec() {
    for (auto& s : layerState) s = 2;
  }
};

class JwwBuilder {
 public:
  explicit JwwBuilder(std::int32_t version) : v_(version) {}

  std::int32_t Version() const { return v_; }
  ByteBuilder& B() { return b_; }
  std::vector<std::uint8_t> Bytes() const { return b_.Bytes(); }
  std::size_t Size() const { return b_.Size(); }

  // ---- strings ----
  // Shift-JIS form (lengths up to 0xFFFD; longer ones use the uint32 form).
  JwwBuilder& Str(const std::string& s) {
    std::size_t n = s.size();
    if (n < 0xFF) {
      b_.U8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
      b_.U8(0xFF).U16(static_cast<std::uint16_t>(n));
    } else {
      b_.U8(0xFF).U16(0xFFFF).U32(static_cast<std::uint32_t>(n));
    }
    b_.Str(s);
    return *this;
  }
  // Unicode form of code units.
  JwwBuilder& WStr(const std::u16string& s) {
    std::size_t n = s.size();
    b_.U8(0xFF).U16(0xFFFE);
    if (n < 0xFF) {
      b_.U8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
      b_.U8(0xFF).U16(static_cast<std::uint16_t>(n));
    } else {
      b_.U8(0xFF).U16(0xFFFF).U32(static_cast<std::uint32_t>(n));
    }
    for (char16_t c : s) b_.U16(static_cast<std::uint16_t>(c));
    return *this;
  }

  // ---- header ----
  JwwBuilder& Header(const HeaderSpec& h = HeaderSpec()) {
    b_.Str("JwwData.").I32(v_);
    if (h.unicodeMemo)
      WStr(std::u16string(h.memo.begin(), h.memo.end()));
    else
      Str(h.memo);
    b_.I32(0).I32(0);  // paper size, write layer group
    for (int g = 0; g < 16; ++g) {
      b_.I32(h.groupState[g]).I32(0).F64(h.groupScale[g]).I32(0);
      for (int l = 0; l < 16; ++l) b_.I32(h.layerState[g * 16 + l]).I32(0);
    }
    b_.Zeros(56);
    b_.Zeros(28);
    b_.F64(0).F64(0).F64(h.printScale).I32(0).I32(0).F64(1).F64(1).F64(1).F64(0).F64(0);  // 72
    for (const auto& n : h.layerNames) Str(n);
    for (const auto& n : h.groupNames) Str(n);
    b_.Zeros(v_ > 230 ? 44 : 28);
    b_.I32(0).F64(1).F64(0).F64(0).F64(1).F64(0).F64(0);  // 52
    if (v_ > 230) {
      for (int i = 0; i < 10; ++i) b_.F64(1).F64(0).F64(0).I32(-1);
    } else {
      for (int i = 0; i < 4; ++i) b_.F64(1).F64(0).F64(0);
    }
    b_.Zeros(88);  // multi-line spacings
    for (int n = 0; n < 10; ++n) b_.I32(0).I32(h.screenWidth);
    for (int n = 0; n < 10; ++n)
      b_.I32(n == 0 ? 0xFFFFFF : 0).I32(h.printerWidth).F64(h.pointRadius);
    b_.Zeros(128).Zeros(164);
    std::size_t sw = v_ > 229 ? 144 : v_ > 224 ? 136 : v_ > 222 ? 104 : 44;
    for (int i = 0; i < 10; ++i) b_.I32(0);
    b_.I32(h.switch11);
    if (sw > 44) b_.I32(h.drawTime);
    b_.Zeros(sw - (sw > 44 ? 48 : 44));
    if (v_ > 419) {
      b_.Zeros(257 * 8);
      for (int i = 0; i < 257; ++i) {
        Str("Color_" + std::to_string(i));
        b_.I32(0).I32(1).F64(0.3);
      }
      for (int i = 0; i < 33; ++i) b_.I32(-1).I32(8).I32(1).I32(8);
      for (int i = 0; i < 33; ++i) {
        Str("LType_" + std::to_string(i));
        b_.I32(2).F64(1).F64(1).Zeros(64);
      }
    }
    b_.Zeros(280).Zeros(100);
    return *this;
  }

  // ---- lists ----
  JwwBuilder& Count(std::uint32_t n) {
    if (n < 0xFFFF)
      b_.U16(static_cast<std::uint16_t>(n));
    else
      b_.U16(0xFFFF).U32(n);
    return *this;
  }
  // The class tag of the next object (a new class the first time), and
  // advances the map counter for the object (as the reader does).
  JwwBuilder& Tag(const std::string& cls) {
    auto it = classes_.find(cls);
    if (it == classes_.end()) {
      b_.U16(0xFFFF)
          .U16(static_cast<std::uint16_t>(v_))
          .U16(static_cast<std::uint16_t>(cls.size()))
          .Str(cls);
      classes_[cls] = counter_++;
    } else if (it->second <= 32766) {
      b_.U16(static_cast<std::uint16_t>(0x8000 + it->second));
    } else {
      b_.U16(0x7FFF).U32(0x80000000u | it->second);
    }
    ++counter_;
    return *this;
  }
  std::uint32_t Counter() const { return counter_; }
  std::uint32_t ClassIndex(const std::string& cls) const { return classes_.at(cls); }

  JwwBuilder& Base(const BaseAttrs& s) {
    b_.U32(s.curveAttr).U8(s.penStyle).U16(s.penColor);
    if (v_ > 350) b_.U16(s.penWidth);
    b_.U16(s.layer).U16(s.layerGroup).U16(s.flags);
    return *this;
  }
  JwwBuilder& LineBody(const BaseAttrs& s, double x1, double y1, double x2, double y2) {
    return Base(s), b_.F64(x1).F64(y1).F64(x2).F64(y2), *this;
  }
  JwwBuilder& Line(const BaseAttrs& s, double x1, double y1, double x2, double y2) {
    Tag("CDataSen");
    return LineBody(s, x1, y1, x2, y2);
  }
  JwwBuilder& Arc(const BaseAttrs& s, double cx, double cy, double r, double start, double sweep,
                  bool full) {
    Tag("CDataEnko");
    Base(s);
    b_.F64(cx).F64(cy).F64(r).F64(start).F64(sweep).F64(0).F64(1).I32(full ? 1 : 0);
    return *this;
  }
  JwwBuilder& PointBody(const BaseAttrs& s, double x, double y, std::int32_t temp,
                        std::int32_t code = 0, double angle = 0, double scale = 0) {
    Base(s);
    b_.F64(x).F64(y).I32(temp);
    if (s.penStyle == 100) b_.I32(code).F64(angle).F64(scale);
    return *this;
  }
  JwwBuilder& Point(const BaseAttrs& s, double x, double y, std::int32_t temp = 0,
                    std::int32_t code = 0, double angle = 0, double scale = 0) {
    Tag("CDataTen");
    return PointBody(s, x, y, temp, code, angle, scale);
  }
  JwwBuilder& TextFixed(const BaseAttrs& s, double x, double y) {
    Base(s);
    b_.F64(x).F64(y).F64(x + 10).F64(y).I32(1).F64(3).F64(3).F64(0).F64(0);
    return *this;
  }
  JwwBuilder& Text(const BaseAttrs& s, double x, double y, const std::string& font,
                   const std::string& text) {
    Tag("CDataMoji");
    TextFixed(s, x, y);
    return Str(font).Str(text);
  }
  JwwBuilder& WText(const BaseAttrs& s, double x, double y, const std::u16string& font,
                    const std::u16string& text) {
    Tag("CDataMoji");
    TextFixed(s, x, y);
    return WStr(font).WStr(text);
  }
  // A dimension: own base, line, text; SXF part when version > 419.
  JwwBuilder& Dimension(const BaseAttrs& s, std::uint16_t sxf, const BaseAttrs& pointBase) {
    Tag("CDataSunpou");
    Base(s);
    LineBody(s, 0, 0, 100, 0);
    TextFixed(s, 50, 5);
    Str("font").Str("100");
    if (v_ > 419) {
      b_.U16(sxf);
      LineBody(s, 0, 0, 0, -5);
      LineBody(s, 100, 0, 100, -5);
      for (int i = 0; i < 4; ++i) PointBody(pointBase, i, i, 0, 7, 0.5, 2.0);
    }
    return *this;
  }
  JwwBuilder& Solid(const BaseAttrs& s, std::int32_t color) {
    Tag("CDataSolid");
    Base(s);
    for (int i = 0; i < 8; ++i) b_.F64(i);
    if (s.penColor == 10) b_.I32(color);
    return *this;
  }
  JwwBuilder& Insert(const BaseAttrs& s, double x, double y, double sx, double sy, double angle,
                     std::int32_t number) {
    Tag("CDataBlock");
    Base(s);
    b_.F64(x).F64(y).F64(sx).F64(sy).F64(angle).I32(number);
    return *this;
  }
  // A block definition's head (tag, base, number, referenced, stamp, name);
  // its entity count and entities follow.
  JwwBuilder& DefHead(std::int32_t number, const std::string& name, std::uint32_t stamp = 12345,
                      const BaseAttrs& s = BaseAttrs()) {
    Tag("CDataList");
    Base(s);
    b_.I32(number).I32(1).U32(stamp);
    if (stamp >= 0x80000000u) b_.U32(0xDEADBEEF).U32(0x01234567);
    return Str(name);
  }
  // The carried-image section of version 700: count, then entries.
  JwwBuilder& ImageCount(std::uint32_t n) {
    b_.U32(n);
    return *this;
  }
  JwwBuilder& Image(const std::string& name, const std::string& data) {
    Str(name);
    b_.I32(static_cast<std::int32_t>(data.size()));
    if (!name.empty() && !data.empty()) b_.Str(data);
    return *this;
  }

 private:
  std::int32_t v_;
  ByteBuilder b_;
  std::map<std::string, std::uint32_t> classes_;
  std::uint32_t counter_ = 1;
};

}  // namespace quintaro::test
