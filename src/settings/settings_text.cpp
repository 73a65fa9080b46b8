// The settings file's text: the profile lookup, parsing and formatting.
// Free of Qt so that the fuzz build, which has no Qt, can read it too.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "settings/settings_text.h"

namespace quintaro {

namespace {

constexpr std::size_t kNumberBuffer = 22;
constexpr std::size_t kPathBuffer = 512;
constexpr const char* kBoundKeys[] = {"X", "Y", "W", "H"};

std::string Trim(const std::string& s) {
  auto blank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; };
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::toupper(x) == std::toupper(y);
  });
}

// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
std::string CutTo(std::string s, std::size_t limit) {
  if (s.size() <= limit) return s;
  std::size_t n = limit;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  s.resize(n);
  return s;
}

std::string BoundKey(int window, int part) {
  return "F0" + std::to_string(window + 1) + "_" + kBoundKeys[part];
}

int& BoundPart(WindowBounds& b, int part) {
  switch (part) {
    case 0:
      return b.left;
    case 1:
      return b.top;
    case 2:
      return b.width;
    default:
      return b.height;
  }
}

// 0 or 1 from a stored flag: any non-zero number is 1.
int ReadFlag(const std::string& text, const char* key) {
  auto v = ReadProfileString(text, "Sets", key, kNumberBuffer);
  return v && ProfileInt(*v) != 0 ? 1 : 0;
}

}  // namespace

std::optional<std::string> ReadProfileString(const std::string& text, const std::string& section,
                                             const std::string& key, std::size_t bufferSize) {
  std::istringstream in(text);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';') continue;
    if (t[0] == '[') {
      std::size_t close = t.find(']');
      inSection = close != std::string::npos && SameName(Trim(t.substr(1, close - 1)), section);
      continue;
    }
    std::size_t eq = t.find('=');
    if (!inSection || eq == std::string::npos || !SameName(Trim(t.substr(0, eq)), key)) continue;
    std::string value = Trim(t.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    value = CutTo(value, bufferSize > 0 ? bufferSize - 1 : 0);
    if (value.empty()) return std::nullopt;
    return value;
  }
  return std::nullopt;
}

int ProfileInt(const std::string& text) {
  const char* b = text.data();
  const char* e = b + text.size();
  if (b != e && *b == '+') ++b;
  int value = 0;
  auto [end, ec] = std::from_chars(b, e, value);
  return ec == std::errc() && end == e ? value : 0;
}

AppSettings ParseSettings(const std::string& text) {
  AppSettings s;
  for (int window = 0; window < 3; ++window) {
    for (int part = 0; part < 4; ++part) {
      if (auto v = ReadProfileString(text, "Form", BoundKey(window, part), kNumberBuffer)) {
        BoundPart(s.windows[window], part) = ProfileInt(*v);
      }
    }
  }
  s.lastFile = ReadProfileString(text, "Sets", "ZFILE", kPathBuffer).value_or("");
  s.backBlack = ReadFlag(text, "BKCOL");
  s.grayEmpty = ReadFlag(text, "LGRAY");
  return s;
}

std::string FormatSettings(const AppSettings& s) {
  std::string out = "[Form]\r\n";
  for (int window = 0; window < 3; ++window) {
    WindowBounds b = s.windows[window];
    for (int part = 0; part < 4; ++part) {
      out += BoundKey(window, part) + "=" + std::to_string(BoundPart(b, part)) + "\r\n";
    }
  }
  out += "[Sets]\r\n";
  out += "ZFILE=\"" + s.lastFile + "\"\r\n";
  out += "BKCOL=" + std::to_string(s.backBlack != 0 ? 1 : 0) + "\r\n";
  out += "LGRAY=" + std::to_string(s.grayEmpty != 0 ? 1 : 0) + "\r\n";
  return out;
}

}  // namespace quintaro
