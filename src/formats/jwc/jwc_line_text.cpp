#include "formats/jwc/jwc_line_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace quintaro {
namespace {

// The text of a value: leading blanks skipped, ended at a NUL.
std::string_view NumberText(std::string_view text) {
  std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// All hexadecimal digits, at most 32 bits; -1 when invalid.
std::int64_t ParseHex(std::string_view text) {
  if (text.empty()) return -1;
  std::int64_t v = 0;
  for (char c : text) {
    int d = HexDigit(c);
    if (d < 0) return -1;
    v = v * 16 + d;
    if (v > 0xFFFFFFFFll) return -1;
  }
  return v;
}

std::int64_t ParseDecimal(std::string_view text) {
  if (text.empty()) return -1;
  std::int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
    if (v > 0x80000000ll) return -1;
  }
  return v;
}

// Digits and decimal exponent of the shortest round-trip form of |value|.
void ShortestDigits(float value, std::string& digits, int& exponent) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
  std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  std::size_t e = s.find('e');
  digits.clear();
  for (char c : s.substr(0, e))
    if (c != '.') digits += c;
  exponent = 0;
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
}

std::string FormatShortInt(std::int32_t value) {
  std::string dec = std::to_string(value);
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%X", static_cast<std::uint32_t>(value));
  return std::string(hex).size() < dec.size() ? std::string(hex) : dec;
}

std::string JoinValues(std::span<const LineValue> values, bool shortest) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ',';
    const LineValue& v = values[i];
    if (auto* n = std::get_if<std::int32_t>(&v)) {
      text += shortest ? FormatShortInt(*n) : std::to_string(*n);
    } else if (auto* f = std::get_if<float>(&v)) {
      text += shortest ? FormatLineFloatShort(*f) : FormatLineFloatPlain(*f);
    } else {
      text += std::get<std::string>(v);
    }
  }
  return text;
}

}  // namespace

std::vector<std::string_view> SplitLineValues(std::string_view line, std::size_t n) {
  std::vector<std::string_view> values(n, "0");
  std::size_t pos = 0;
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t comma = line.find(',', pos);
    if (comma == std::string_view::npos) {
      values[i] = line.substr(pos);
      break;
    }
    values[i] = line.substr(pos, comma - pos);
    pos = comma + 1;
    if (pos >= line.size()) break;
  }
  return values;
}

std::int32_t ParseLineInt(std::string_view text) {
  text = NumberText(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::int64_t v;
  if (!text.empty() && text.front() == '$') {
    v = ParseHex(text.substr(1));
    if (v < 0) return 0;
    v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));  // 32-bit wrap
  } else {
    v = ParseDecimal(text);
    if (v < 0 || (!negative && v > 0x7FFFFFFF)) return 0;
  }
  if (negative) v = -v;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

float ParseLineFloat(std::string_view text) {
  text = NumberText(text);
  std::size_t lead = 0;
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  } else if (!text.empty() && text.front() == '-') {
    lead = 1;
  }
  // from_chars would also take "inf" and "nan"; a number starts with a digit or a point.
  if (text.size() <= lead ||
      !(std::isdigit(static_cast<unsigned char>(text[lead])) || text[lead] == '.'))
    return 0;
  double d = 0;
  auto res = std::from_chars(text.data(), text.data() + text.size(), d);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return 0;
  float f = static_cast<float>(d);
  return std::isfinite(f) ? f : 0.0f;
}

std::int32_t ParseFarAddress(std::string_view text) {
  std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  std::int64_t segment = ParseHex(text.substr(0, 4));
  std::int64_t offset = text.size() > 5 ? ParseHex(text.substr(5, 4)) : -1;
  return static_cast<std::int32_t>((segment < 0 ? 0 : segment) * 16 + (offset < 0 ? 0 : offset));
}

std::string FormatLineFloat(float value) {
  if (!std::isfinite(value)) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                           std::chars_format::general, 15);
  return std::string(buf, res.ptr);
}

std::string FormatLineFloatPlain(float value) {
  if (!std::isfinite(value)) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  return std::string(buf, res.ptr);
}

std::string FormatLineFloatShort(float value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0) return std::signbit(value) ? "-0" : "0";
  std::string digits;
  int exp = 0;
  ShortestDigits(value, digits, exp);
  std::string sign = std::signbit(value) ? "-" : "";
  int n = static_cast<int>(digits.size());
  // Fixed form: ".0ddd", "ddd00" or "dd.dd".
  std::string fixed;
  if (exp < 0) {
    fixed = "." + std::string(static_cast<std::size_t>(-exp - 1), '0') + digits;
  } else if (exp + 1 >= n) {
    fixed = digits + std::string(static_cast<std::size_t>(exp + 1 - n), '0');
  } else {
    fixed = digits.substr(0, exp + 1) + "." + digits.substr(exp + 1);
  }
  std::string sci =
      digits.substr(0, 1) + (n > 1 ? "." + digits.substr(1) : "") + "E" + std::to_string(exp);
  return sign + (sci.size() < fixed.size() ? sci : fixed);
}

std::string FormatFarAddress(std::uint32_t segment, std::uint32_t offset) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04X:%04X", segment, offset);
  return buf;
}

std::string BuildValueLine(std::span<const LineValue> values) {
  constexpr std::size_t kMaxText = kJwcLineBytes - 2;  // room for the NUL and the line feed
  std::string text = JoinValues(values, false);
  if (text.size() > kMaxText) text = JoinValues(values, true);
  if (text.size() > kMaxText) return {};
  text += '\0';
  text.append(kJwcLineBytes - 1 - text.size(), ' ');
  text += '\n';
  return text;
}

std::string BuildValueLineKeeping(std::span<const LineValue> values, const std::vector<bool>& keep,
                                  std::string_view read) {
  bool all = read.size() == kJwcLineBytes && keep.size() >= values.size();
  for (std::size_t i = 0; all && i < values.size(); ++i) all = keep[i];
  if (all) return std::string(read);
  // Split as the reader splits (the whole line), each text ending at its
  // first NUL as the reader ends it: a kept text then reads back the same.
  std::vector<std::string_view> texts = SplitLineValues(read, values.size());
  std::vector<LineValue> out(values.begin(), values.end());
  for (std::size_t i = 0; i < out.size() && i < keep.size(); ++i) {
    if (keep[i] && !read.empty()) out[i] = std::string(texts[i].substr(0, texts[i].find('\0')));
  }
  std::string line = BuildValueLine(out);
  return line.empty() ? BuildValueLine(values) : line;
}

LineTitles SplitTitleLine(std::string_view line) {
  auto field = [&](std::size_t at, std::size_t n) {
    return at < line.size() ? std::string(line.substr(at, n)) : std::string();
  };
  return {field(0, kJwcTitleABytes), field(kJwcTitleABytes, kJwcTitleBBytes),
          field(kJwcTitleABytes + kJwcTitleBBytes, kJwcTitleCBytes)};
}

std::string TitleWithMagic(std::string titleA, std::string_view magic) {
  if (titleA.size() < magic.size()) titleA.resize(magic.size(), '\0');
  titleA.replace(0, magic.size(), magic);
  return titleA;
}

std::string TitleField(std::string title, std::size_t n) {
  title.resize(n, '\0');
  return title;
}

std::string BuildTitleLine(const std::string& a, const std::string& b, const std::string& c) {
  std::string line;
  for (auto [s, n] :
       {std::pair{&a, kJwcTitleABytes}, {&b, kJwcTitleBBytes}, {&c, kJwcTitleCBytes}}) {
    std::string field = s->substr(0, n);
    field.resize(n, '\0');
    line += field;
  }
  line.append(kJwcLineBytes - 1 - line.size(), ' ');
  line += '\n';
  return line;
}

std::string BuildTitleLineKeeping(const std::string& a, const std::string& b, const std::string& c,
                                  std::string_view read) {
  constexpr std::size_t kTitles = kJwcTitleABytes + kJwcTitleBBytes + kJwcTitleCBytes;
  std::string line = BuildTitleLine(a, b, c);
  if (read.size() == kJwcLineBytes && read.substr(0, kTitles) == line.substr(0, kTitles)) {
    return std::string(read);
  }
  return line;
}

}  // namespace quintaro
