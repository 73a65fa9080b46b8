// What the program knows about each of the four file formats, in one table:
// the upper-cased extension, the magic, the name shown to users, whether
// its groups and layers carry names, the Save As filter and the signature
// check. Everything outside the readers and writers asks here.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "formats/common/types.h"

namespace quintaro {

struct FormatFacts {
  DocFormat format;
  const char* kind;                         // the upper-cased extension with its dot: ".JWW"
  const char* suffix;                       // the extension as written by Save As: "jww"
  const char* name;                         // "JWW"
  const char* magic;                        // the bytes every file of the format starts with
  bool hasNames;                            // groups and layers carry names (JWW and JWC)
  const char* saveFilter;                   // the Save As filter: "JWW File(*.jww)"
  bool (*isFile)(const std::string& path);  // the container's signature check
};

// In the order the formats are tested: JWC, JWK, JWW, JWS.
extern const std::array<FormatFacts, 4> kFormatFacts;

// The facts of a format; null for kUnknown.
const FormatFacts* FactsOf(DocFormat format);
// The facts of the format an extension names (with or without the dot, in
// any case); null when it names none.
const FormatFacts* FactsOfExtension(std::string_view extension);
// The format an extension names; kUnknown when it names none.
DocFormat FormatOfExtension(std::string_view extension);
// A format's kind (".JWW") and name ("JWW"); "" for kUnknown.
const char* FormatKind(DocFormat format);
const char* FormatName(DocFormat format);

// Width and height in mm of the paper a JWW or JWC paper code names: A0 to
// A4 (0..4), larger sheets (8..14); A0 for a code that names none.
struct PaperDimensions {
  double width, height;
};
PaperDimensions PaperDimensionsOfCode(int code);

}  // namespace quintaro
