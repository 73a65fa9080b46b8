#include "document/format_facts.h"

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"

namespace quintaro {

const std::array<FormatFacts, 4> kFormatFacts = {{
    {DocFormat::kJwc, ".JWC", "jwc", "JWC", kJwcMagic, true, "JWC File(*.jwc)",
     &TJwcData::IsJwcFile},
    {DocFormat::kJwk, ".JWK", "jwk", "JWK", kJwkMagic, false, "JWK File(*.jwk)",
     &TJwkData::IsJwkFile},
    {DocFormat::kJww, ".JWW", "jww", "JWW", kJwwMagic, true, "JWW File(*.jww)",
     &TJwwData::IsJwwFile},
    {DocFormat::kJws, ".JWS", "jws", "JWS", kJwsMagic, false, "JWS File(*.jws)",
     &TJwsData::IsJwsFile},
}};

const FormatFacts* FactsOf(DocFormat format) {
  for (const auto& f : kFormatFacts) {
    if (f.format == format) return &f;
  }
  return nullptr;
}

const FormatFacts* FactsOfExtension(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  for (const auto& f : kFormatFacts) {
    std::string_view suffix = f.suffix;
    if (extension.size() != suffix.size()) continue;
    bool same = true;
    for (size_t i = 0; i < suffix.size() && same; ++i) {
      char c = extension[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == suffix[i];
    }
    if (same) return &f;
  }
  return nullptr;
}

DocFormat FormatOfExtension(std::string_view extension) {
  const FormatFacts* facts = FactsOfExtension(extension);
  return facts ? facts->format : DocFormat::kUnknown;
}

const char* FormatKind(DocFormat format) {
  const FormatFacts* facts = FactsOf(format);
  return facts ? facts->kind : "";
}

const char* FormatName(DocFormat format) {
  const FormatFacts* facts = FactsOf(format);
  return facts ? facts->name : "";
}

PaperDimensions PaperDimensionsOfCode(int code) {
  switch (code) {
    case 0:
      return {1189, 841};
    case 1:
      return {841, 594};
    case 2:
      return {594, 420};
    case 3:
      return {420, 297};
    case 4:
      return {297, 210};
    case 8:
      return {1682, 1189};
    case 9:
      return {2378, 1682};
    case 10:
      return {3364, 2378};
    case 11:
      return {4756, 3364};
    case 12:
      return {10000, 7073};
    case 13:
      return {50000, 35366};
    case 14:
      return {100000, 70732};
    default:
      return {1189, 841};
  }
}

}  // namespace quintaro
