#include "formats/jwk/jwk_header.h"

#include <cstring>
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

std::string BuildJwkTitleLine(const TEntJwkHeader& header, std::string_view read) {
  return BuildTitleLineKeeping(header.titleA, header.titleB, header.titleC, read);
}

std::string BuildJwkValueLine(const TEntJwkHeader& header, std::string_view read) {
  TEntJwkHeader was = header;
  ParseJwkValueLine(std::string(read), was);
  std::vector<LineValue> values;
  std::vector<bool> keep;
  for (const Field& f : kLine2) {
    std::visit(
        [&](auto member) {
          values.emplace_back(header.*member);
          keep.push_back(std::memcmp(&(was.*member), &(header.*member), sizeof(header.*member)) ==
                         0);
        },
        f);
  }
  return BuildValueLineKeeping(values, keep, read);
}

}  // namespace quintaro
