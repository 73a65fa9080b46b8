// Lays out drawing files byte by byte from the file layout, independently of
// the writer under test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace quintaro::test {

inline constexpr char kJwcFileMagic[] = "jw_cad(c)data.......";

// "values", one NUL, spaces to 199 characters, a line feed.
inline std::string JwcValueLine(const std::string& values) {
  std::string line = values;
  line += '\0';
  line.resize(199, ' ');
  return line + '\n';
}

// Header line 2 with every value at its default except those given.
inline std::string JwcLine2(int lines, int arcs, int texts, int points, int slots = 0,
                            int paperCode = 3, int paperWidth = 518) {
  return std::to_string(lines) + "," + std::to_string(arcs) + "," + std::to_string(texts) + "," +
         std::to_string(points) + "," + std::to_string(slots) + ",1,1,1,1,1,0," +
         std::to_string(paperCode) + ",2,1,0,0,5,10,0,0,0,0,0,0,0,5,5,0,0,0," +
         std::to_string(paperWidth) + ",0";
}
inline const std::string kJwcDefaultLine3 =
    "0,0,3,15,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0,100,100,100,100,100,100,0,0,1";
inline std::string JwcLine4(const std::string& start, const std::string& end) {
  std::string s = start + "," + end;
  for (int i = 0; i < 20; ++i) s += ",0";
  return s;
}

struct JwcFile {
  // Title A begins with the magic; its byte 22 ("f") selects 4-byte group scales.
  std::string titleA = std::string(kJwcFileMagic) + "  f";
  std::string titleB, titleC;
  std::string values2 = JwcLine2(0, 0, 0, 0);
  std::string values3 = kJwcDefaultLine3;
  std::string values4 = JwcLine4("6000:0000", "6000:0000");
  std::array<float, 101> slotX{}, slotY{};
  std::array<std::uint8_t, 101> slotLayer{};
  std::array<std::uint16_t, 11> styleColor{}, styleWidth{}, styleHeight{}, styleSpacing{};
  std::array<float, 16> groupScale{};  // written as u16 when title A's byte 22 is not "f"
  std::array<std::uint8_t, 16> group1{}, group2{}, group3{};
  std::array<std::uint8_t, 256> layer1{}, layer2{};
  ByteBuilder lines, arcs, texts, points;  // raw records
  std::string textBlock;
  std::array<std::string, 256> layerNames{};  // raw bytes, NUL-padded to 8
  std::array<std::string, 16> groupNames{};   // raw bytes, NUL-padded to 16

  bool FloatScales() const { return titleA.size() > 22 && titleA[22] == 'f'; }

  static void AddLine(ByteBuilder& b, float x1, float y1, float x2, float y2, std::uint8_t type,
                      std::uint8_t color, std::uint8_t layer) {
    b.F32(x1).F32(y1).F32(x2).F32(y2).U8(type).U8(color).U8(layer).U8(0xA1).U8(0xA2).U8(0xA3);
  }
  static void AddArc(ByteBuilder& b, float cx, float cy, float r, std::uint16_t flat,
                     std::int32_t start, std::int32_t end, std::int32_t tilt, std::uint8_t type,
                     std::uint8_t color, std::uint8_t layer) {
    b.F32(cx).F32(cy).F32(r).U16(flat).I32(start).I32(end).I32(tilt);
    b.U8(type).U8(color).U8(layer).U8(0xB1).U8(0xB2).U8(0xB3);
  }
  static void AddText(ByteBuilder& b, float x1, float y1, float x2, float y2, std::uint16_t offset,
                      std::uint16_t segment, std::uint8_t style, std::uint8_t layer,
                      std::uint8_t flags) {
    b.F32(x1).F32(y1).F32(x2).F32(y2).U16(offset).U16(segment);
    b.U8(style).U8(layer).U8(flags).U8(0xC1);
  }
  static void AddPoint(ByteBuilder& b, float x, float y, std::uint8_t layer, std::uint8_t color) {
    b.F32(x).F32(y).U8(layer).U8(color).U8(0xD1).U8(0xD2);
  }

  std::string TitleLine() const {
    std::string line = Padded(titleA, 40) + Padded(titleB, 32) + Padded(titleC, 32);
    line.resize(199, ' ');
    return line + '\n';
  }

  std::vector<std::uint8_t> Build() const {
    ByteBuilder b;
    b.Str(TitleLine()).Str(JwcValueLine(values2)).Str(JwcValueLine(values3));
    b.Str(JwcValueLine(values4));
    for (float v : slotX) b.F32(v);
    for (float v : slotY) b.F32(v);
    for (auto v : slotLayer) b.U8(v);
    for (const auto* table : {&styleColor, &styleWidth, &styleHeight, &styleSpacing})
      for (auto v : *table) b.U16(v);
    for (float v : groupScale) {
      if (FloatScales()) {
        b.F32(v);
      } else {
        b.U16(static_cast<std::uint16_t>(v));
      }
    }
    for (auto v : group1) b.U8(v);
    for (auto v : layer1) b.U8(v);
    for (auto v : group2) b.U8(v);
    for (auto v : layer2) b.U8(v);
    for (auto v : group3) b.U8(v);
    b.Append(lines.Bytes()).Append(arcs.Bytes()).Append(texts.Bytes()).Str(textBlock);
    b.Append(points.Bytes());
    for (const auto& n : layerNames) b.Str(Padded(n, 8));
    for (const auto& n : groupNames) b.Str(Padded(n, 16));
    return b.Bytes();
  }

  static std::string Padded(std::string s, std::size_t n) {
    s.resize(n, '\0');
    return s;
  }
};

}  // namespace quintaro::test
