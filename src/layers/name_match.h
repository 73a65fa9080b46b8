// Finding layer groups and layers by name, as users see the names: decoded,
// without leading and trailing spaces (half-width or ideographic), in
// Unicode NFKC form (half-width katakana and full-width Latin letters fold
// to their usual forms), compared exactly or with the wildcards '*' (any run
// of characters) and '?' (one character).
#pragma once

#include <string>
#include <string_view>

namespace quintaro {

// NFKC form of UTF-8 text; invalid UTF-8 bytes become U+FFFD. One small
// function per platform (layers/unicode/).
std::string NfkcUtf8(std::string_view utf8);

// The name as it is compared: NFKC, then spaces and tabs trimmed at both ends.
std::string ComparableName(std::string_view utf8);

// True when `text` matches the wildcard pattern, character by character
// (code points of UTF-8).
bool WildcardMatch(std::string_view pattern, std::string_view text);

class NamePattern {
 public:
  // `asStored`: compare names as they are stored, without trimming or NFKC.
  NamePattern(std::string_view utf8Pattern, bool asStored);
  // True when the name (UTF-8, as decoded from the drawing) matches; an
  // empty name matches nothing.
  bool Matches(std::string_view utf8Name) const;

 private:
  std::string pattern_;
  bool asStored_;
};

}  // namespace quintaro
