#include "formats/jwk/jwk_header.h"

#include <variant>
#include <vector>

#include "formats/jwc/jwc_line_text.h"

namespace quintaro {
namespace {

using H = TEntJwkHeader;
using Field = std::variant<std::int32_t H::*, float H::*>;

constexpr Field kLine2[] = {
    &H::lineCount, &H::arcCount, &H::pointCount,    &H::textCount,   &H::value2_5,
    &H::value2_6,  &H::value2_7, &H::textBlockSize, &H::SymbolScale,
};
static_assert(std::size(kLine2) == kJwkLine2Values);

constexpr float kMinSymbolScale = 1e-14f;

}  // namespace

void ParseJwkTitleLine(const std::string& line, TEntJwkHeader& header) {
  LineTitles titles = SplitTitleLine(line);
  header.titleA = std::move(titles.a);
  header.titleB = std::move(titles.b);
  header.titleC = std::move(titles.c);
}

void ParseJwkValueLine(const std::string& line, TEntJwkHeader& header) {
  std::vector<std::string_view> values = SplitLineValues(line, kJwkLine2Values);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (auto* n = std::get_if<std::int32_t H::*>(&kLine2[i])) {
      header.** n = ParseLineInt(values[i]);
    } else {
      header.*std::get<float H::*>(kLine2[i]) = ParseLineFloat(values[i]);
    }
  }
  // The scale divides every coordinate; no usable value means 1.
  if (!(header.SymbolScale > kMinSymbolScale)) header.SymbolScale = 1.0f;
}

std::string BuildJwkTitleLine(const TEntJwkHeader& header) {
  return BuildTitleLine(header.titleA, header.titleB, header.titleC);
}

std::string BuildJwkValueLine(const TEntJwkHeader& header) {
  std::vector<LineValue> values;
  for (const Field& f : kLine2) {
    if (auto* n = std::get_if<std::int32_t H::*>(&f)) {
      values.emplace_back(header.**n);
    } else {
      values.emplace_back(header.*std::get<float H::*>(f));
    }
  }
  return BuildValueLine(values);
}

}  // namespace quintaro
