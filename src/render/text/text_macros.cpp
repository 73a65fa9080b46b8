#include "render/text/text_macros.h"

#include <cmath>

#include "formats/common/text.h"
#include "render/text/number_format.h"

namespace quintaro::render {

namespace {

struct Era {
  int year, month, day;
  const char* name;
};
// Starts of the eras as the platform calendar counts them.
constexpr Era kEras[] = {
    {2019, 5, 1, "\x97\xDF\x98\x61"},    // Reiwa
    {1989, 1, 8, "\x95\xBD\x90\xAC"},    // Heisei
    {1926, 12, 25, "\x8F\xBA\x98\x61"},  // Showa
    {1912, 7, 30, "\x91\xE5\x90\xB3"},   // Taisho
    {1868, 1, 1, "\x96\xBE\x8E\xA1"},    // Meiji
};

// Short weekday names, Sunday first.
constexpr const char* kWeekdayJa[] = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                                      "\x96\xD8", "\x8B\xE0", "\x93\x79"};
constexpr const char* kWeekdayEn[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
constexpr const char* kMonthEn[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                    "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr const char kYear[] = "\x94\x4E";
constexpr const char kMonth[] = "\x8C\x8E";
constexpr const char kDay[] = "\x93\xFA";
constexpr const char kHalfDot[] = "\xA5";

// How a prefix fills a one-digit number.
enum class Pad { kNone, kSpace, kZero };

Pad PadOf(char prefix) {
  switch (prefix) {
    case '&':
    case '_':
      return Pad::kSpace;
    case '%':
    case '=':
      return Pad::kZero;
    default:
      return Pad::kNone;
  }
}

std::string Num(int v, Pad pad) {
  std::string s = std::to_string(v);
  if (s.size() == 1 && pad == Pad::kSpace) return " " + s;
  if (s.size() == 1 && pad == Pad::kZero) return "0" + s;
  return s;
}

std::string Two(int v) {
  return Num(v, Pad::kZero);
}

bool IsNowPrefix(char c) {
  return c == '$' || c == '&' || c == '%';
}
bool IsStampPrefix(char c) {
  return c == '_' || c == '=';
}

// The folder-free part of a path (either separator).
std::string_view BaseName(std::string_view path) {
  auto slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view StripExtension(std::string_view name) {
  auto dot = name.rfind('.');
  return dot == std::string_view::npos ? name : name.substr(0, dot);
}

// True for text with at least one multi-byte UTF-8 sequence and no
// invalid one.
bool IsUtf8(std::string_view s) {
  bool wide = false;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    wide |= n > 1;
    i += n;
  }
  return wide;
}

// Paths and memo lines may come as UTF-8 (file system, decoded memos) or as
// the drawing's own Shift-JIS; texts are drawn as Shift-JIS.
std::string ToSjis(std::string_view s) {
  return IsUtf8(s) ? Utf8ToCp932(std::string(s)) : std::string(s);
}

// The first n bytes, leaving out a double-byte character that does not fit.
std::string Leading(const std::string& s, std::size_t n) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t len = IsSjisLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    if (i + len > n) break;
    i += len;
  }
  return s.substr(0, std::min(i, s.size()));
}

std::string FileMacro(const DrawContext& dc, std::string_view text) {
  const std::string& path = dc.macros.fileName;
  if (text == "%f") return ToSjis(BaseName(path));
  if (text == "$f" || text == "&f") return ToSjis(StripExtension(BaseName(path)));
  if (text == "$F" || text == "&F" || text == "%F") return ToSjis(path);
  char digit = text[2];
  int n = digit <= '9' ? digit - '0' : digit - 'a' + 10;
  std::string part = Leading(ToSjis(StripExtension(BaseName(path))), static_cast<std::size_t>(n));
  return part.empty() && n == 1 ? kHalfDot : part;
}

bool IsFileMacro(std::string_view t) {
  if (t == "$F" || t == "&F" || t == "%F" || t == "%f" || t == "$f" || t == "&f") return true;
  return t.size() == 3 && t.substr(0, 2) == "%f" &&
         ((t[2] >= '1' && t[2] <= '9') || (t[2] >= 'a' && t[2] <= 'f'));
}

std::string Scale(double value, bool withRatio) {
  // A missing scale (0 or negative) counts as 1:1.
  if (!(value > 0)) value = 1;
  if (value >= 1) return (withRatio ? "1/" : "") + FormatGeneral(value);
  return FormatGeneral(std::floor(1 / value * 10 + 0.5) / 10) + (withRatio ? "/1" : "");
}

bool ScaleMacro(const DrawContext& dc, std::string_view t, std::string& out) {
  double g = dc.groupScale;
  double print = dc.macros.printScale > 0 ? dc.macros.printScale : 1.0;
  if (t == "%SS" || t == "%ss") {
    out = Scale(g, t == "%SS");
  } else if (t == "%SP" || t == "%sp") {
    out = Scale(g > 0 ? g / print : 1.0, t == "%SP");
  } else {
    return false;
  }
  return true;
}

bool MemoMacro(const DrawContext& dc, std::string_view t, std::string& out) {
  if (t == "%m1") {
    out = ToSjis(dc.macros.memo1);
  } else if (t == "%m2") {
    out = ToSjis(dc.macros.memo2);
  } else if (t == "%mm") {
    out = ToSjis(dc.macros.memo1) + kHalfDot + kHalfDot + ToSjis(dc.macros.memo2);
  } else {
    return false;
  }
  return true;
}

std::string SpacedDate(const DateTime& t) {
  return std::to_string(t.year) + "/" + Num(t.month, Pad::kSpace) + "/" + Num(t.day, Pad::kSpace);
}

std::string Clock(const DateTime& t) {
  return Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second);
}

std::string JapaneseDate(const DateTime& t) {
  EraYear era = JapaneseEra(t);
  return std::string(era.name) + std::to_string(era.year) + kYear + Num(t.month, Pad::kSpace) +
         kMonth + Num(t.day, Pad::kSpace) + kDay;
}

// Date and time fields of one instant; `key` is the text after the prefix.
bool DateField(const DateTime& t, char prefix, std::string_view key, std::string& out) {
  Pad pad = PadOf(prefix);
  int weekday = WeekdayOf(t);
  if (key == "y") {
    out = Num(t.year % 100, pad);
  } else if (key == "Y") {
    out = Num(JapaneseEra(t).year, pad);
  } else if (key == "m") {
    out = Num(t.month, pad);
  } else if (key == "d") {
    out = Num(t.day, pad);
  } else if (key == "w" || key == "W") {
    out = kWeekdayJa[weekday];
  } else if (key == "ma") {
    out = kMonthEn[(t.month + 11) % 12];
  } else if (key == "wa") {
    out = kWeekdayEn[weekday];
  } else if (key == "n") {
    out = t.hour < 12 ? "AM" : "PM";
  } else if (key == "N") {
    out = t.hour < 12 ? "\x91\x4F" : "\x8C\xE3";
  } else if (key == "h") {
    out = Num(t.hour % 12, pad);
  } else if (key == "H") {
    out = Num(t.hour, pad);
  } else if (key == "M") {
    out = Num(t.minute, pad);
  } else if (key == "S") {
    out = Num(t.second, pad);
  } else {
    return false;
  }
  return true;
}

bool NowOnly(const DateTime& now, std::string_view key, std::string& out) {
  if (key == "j") {
    out = SpacedDate(now);
  } else if (key == "J") {
    out = JapaneseDate(now);
  } else {
    return false;
  }
  return true;
}

bool StampOnly(const DateTime& stamp, char prefix, std::string_view key, std::string& out) {
  bool zero = prefix == '=';
  std::string date =
      zero ? std::to_string(stamp.year) + "/" + Two(stamp.month) + "/" + Two(stamp.day)
           : SpacedDate(stamp);
  if (key == "F") {
    out = date + " " + Clock(stamp);
  } else if (key == "f") {
    out = date;
  } else {
    return false;
  }
  return true;
}

bool TimeMacro(const DrawContext& dc, std::string_view t, std::string& out) {
  if (t.size() < 2) return false;
  char prefix = t[0];
  std::string_view key = t.substr(1);
  if (key == "T" && (IsNowPrefix(prefix) || IsStampPrefix(prefix))) {
    out = dc.macros.drawTime;
    return true;
  }
  if (IsNowPrefix(prefix)) {
    DateTime now = dc.Now();
    return NowOnly(now, key, out) || DateField(now, prefix, key, out);
  }
  if (IsStampPrefix(prefix)) {
    return StampOnly(dc.documentTime, prefix, key, out) ||
           DateField(dc.documentTime, prefix, key, out);
  }
  return false;
}

}  // namespace

EraYear JapaneseEra(const DateTime& t) {
  for (const Era& e : kEras) {
    bool started = t.year != e.year ? t.year > e.year
                                    : (t.month != e.month ? t.month > e.month : t.day >= e.day);
    if (started) return {e.name, t.year - e.year + 1};
  }
  return {"", t.year};
}

bool SubstituteMacro(const DrawContext& dc, std::string_view text, std::string& out) {
  out.clear();
  if (IsFileMacro(text)) {
    out = FileMacro(dc, text);
    return true;
  }
  if (ScaleMacro(dc, text, out) || MemoMacro(dc, text, out) || TimeMacro(dc, text, out)) {
    return true;
  }
  if (text.substr(0, 2) == "%%") {
    out.assign(text);
    return true;
  }
  return false;
}

}  // namespace quintaro::render
