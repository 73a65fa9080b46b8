#include "formats/jwc/jwc_strings.h"

#include "formats/common/text.h"

namespace quintaro {

std::string StripControls(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (IsSjisLeadByte(c)) {
      if (i + 1 < s.size()) {
        out += s[i];
        out += s[i + 1];
        ++i;
      }
    } else if (c >= 32) {
      out += s[i];
    }
  }
  return out;
}

std::string CleanForFile(std::string_view s) {
  std::string out = StripControls(s);
  // Only a trail byte can be NUL here; the string as read would end there.
  std::size_t nul = out.find('\0');
  if (nul == std::string::npos) return out;
  out.resize(nul);
  return StripControls(out);
}

std::string CleanTextForFile(std::string_view s) {
  static constexpr std::string_view kTempImage = "^@BM%temp%";
  std::string out = CleanForFile(s);
  // Every leading "%temp%" goes, as in JWS files, so that a second save
  // writes the same text.
  while (out.starts_with(kTempImage)) out.erase(4, kTempImage.size() - 4);
  return out;
}

std::string NameInField(std::string_view field, std::size_t bytes) {
  field = field.substr(0, bytes);
  return CutToBytes(StripControls(field.substr(0, field.find('\0'))), bytes);
}

std::string CutToBytes(std::string_view s, std::size_t limit) {
  std::size_t end = 0;
  while (end < s.size()) {
    std::size_t step = IsSjisLeadByte(static_cast<unsigned char>(s[end])) ? 2 : 1;
    if (end + step > limit || end + step > s.size()) break;
    end += step;
  }
  return std::string(s.substr(0, end));
}

}  // namespace quintaro
