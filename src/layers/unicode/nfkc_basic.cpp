// NFKC for builds without ICU: the foldings that layer names of Japanese
// drawings need — full-width Latin letters, digits and signs, the
// ideographic space, and half-width katakana with their sound marks
// composed. Other text is left as it is.
#include <cstddef>
#include <string>
#include <string_view>

#include "layers/name_match.h"

namespace quintaro {

namespace {

// Full-width katakana of U+FF61..U+FF9F (sound marks as combining marks).
constexpr char16_t kHalfKana[] =
    u"\u3002\u300C\u300D\u3001\u30FB\u30F2\u30A1\u30A3\u30A5\u30A7\u30A9\u30E3\u30E5\u30E7\u30C3"
    u"\u30FC\u30A2\u30A4\u30A6\u30A8\u30AA\u30AB\u30AD\u30AF\u30B1\u30B3\u30B5\u30B7\u30B9\u30BB"
    u"\u30BD\u30BF\u30C1\u30C4\u30C6\u30C8\u30CA\u30CB\u30CC\u30CD\u30CE\u30CF\u30D2\u30D5\u30D8"
    u"\u30DB\u30DE\u30DF\u30E0\u30E1\u30E2\u30E4\u30E6\u30E8\u30E9\u30EA\u30EB\u30EC\u30ED\u30EF"
    u"\u30F3\u3099\u309A";

bool IsSemiVoicedBase(char32_t c) {
  return c >= 0x30CF && c <= 0x30DB && (c - 0x30CF) % 3 == 0;
}

bool IsVoicedBase(char32_t c) {
  if (IsSemiVoicedBase(c)) return true;
  if (c >= 0x30AB && c <= 0x30C2) return (c - 0x30AB) % 2 == 0;
  return c == 0x30C4 || c == 0x30C6 || c == 0x30C8;
}

// The composed kana, or 0.
char32_t Compose(char32_t base, char32_t mark) {
  if (mark == 0x3099) {
    if (base == 0x30A6) return 0x30F4;
    if (base == 0x30EF) return 0x30F7;
    if (base == 0x30F2) return 0x30FA;
    return IsVoicedBase(base) ? base + 1 : 0;
  }
  return mark == 0x309A && IsSemiVoicedBase(base) ? base + 2 : 0;
}

char32_t Fold(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFF01 + 0x21;
  if (c == 0x3000) return 0x20;
  if (c >= 0xFF61 && c <= 0xFF9F) return kHalfKana[c - 0xFF61];
  return c;
}

void Append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string NfkcUtf8(std::string_view s) {
  std::u32string cps;
  for (std::size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80           ? 1
                    : (c >> 5) == 0x6  ? 2
                    : (c >> 4) == 0xE  ? 3
                    : (c >> 3) == 0x1E ? 4
                                       : 0;
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = n > 0 && i + n <= s.size();
    for (std::size_t k = 1; ok && k < n; ++k) {
      auto d = static_cast<unsigned char>(s[i + k]);
      ok = (d >> 6) == 0x2;
      cp = (cp << 6) | (d & 0x3F);
    }
    cp = Fold(ok ? cp : 0xFFFD);
    char32_t composed = cps.empty() ? 0 : Compose(cps.back(), cp);
    if (composed) {
      cps.back() = composed;
    } else {
      cps += cp;
    }
    i += ok ? n : 1;
  }
  std::string out;
  for (char32_t cp : cps) Append(out, cp);
  return out;
}

}  // namespace quintaro
