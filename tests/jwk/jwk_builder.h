// Lays out symbol files byte by byte from the file layout, independently of
// the writer under test.
#pragma once

#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace quintaro::test {

inline constexpr char kJwkFileMagic[] = "jw_cad(c)sym........";

struct JwkFile {
  std::string titleA = kJwkFileMagic, titleB, titleC;
  std::string values = "0,0,0,0,0,0,1,0,1";  // line 2
  ByteBuilder lines, arcs, points, texts;    // raw records
  std::string textBlock;

  static std::string Padded(std::string s, std::size_t n) {
    s.resize(n, '\0');
    return s;
  }
  std::vector<std::uint8_t> Build() const {
    std::string line1 = Padded(titleA, 40) + Padded(titleB, 32) + Padded(titleC, 32);
    line1.resize(199, ' ');
    std::string line2 = values + '\0';
    line2.resize(199, ' ');
    ByteBuilder b;
    b.Str(line1 + "\n").Str(line2 + "\n");
    b.Append(lines.Bytes()).Append(arcs.Bytes()).Append(points.Bytes()).Append(texts.Bytes());
    b.Str(textBlock);
    return b.Bytes();
  }
};

}  // namespace quintaro::test
