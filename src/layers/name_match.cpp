#include "layers/name_match.h"

#include <cstddef>

#include "formats/common/text.h"

namespace quintaro {

namespace {

// Code points of UTF-8 text; an invalid byte becomes U+FFFD.
std::u32string Decode(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = Utf8SequenceLength(s, i);
    if (n == 0) {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    auto c = static_cast<unsigned char>(s[i]);
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < n; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += cp;
    i += n;
  }
  return out;
}

// Iterative match with one backtrack point: linear in practice, never
// exponential however many stars the pattern holds.
bool Match(const std::u32string& p, const std::u32string& t) {
  std::size_t pi = 0, ti = 0, star = std::u32string::npos, resume = 0;
  while (ti < t.size()) {
    if (pi < p.size() && (p[pi] == U'?' || p[pi] == t[ti])) {
      ++pi;
      ++ti;
    } else if (pi < p.size() && p[pi] == U'*') {
      star = pi++;
      resume = ti;
    } else if (star != std::u32string::npos) {
      pi = star + 1;
      ti = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

}  // namespace

std::string ComparableName(std::string_view utf8) {
  std::string s = NfkcUtf8(utf8);
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool WildcardMatch(std::string_view pattern, std::string_view text) {
  return Match(Decode(pattern), Decode(text));
}

NamePattern::NamePattern(std::string_view utf8Pattern, bool asStored)
    : pattern_(asStored ? std::string(utf8Pattern) : ComparableName(utf8Pattern)),
      asStored_(asStored) {}

bool NamePattern::Matches(std::string_view utf8Name) const {
  if (asStored_) return !utf8Name.empty() && WildcardMatch(pattern_, utf8Name);
  std::string name = ComparableName(utf8Name);
  return !name.empty() && WildcardMatch(pattern_, name);
}

}  // namespace quintaro
