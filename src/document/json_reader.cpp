#include "document/json_reader.h"

#include <cstdlib>

namespace quintaro {

namespace {

constexpr int kMaxDepth = 64;

void AppendUtf8(std::string& out, unsigned cp) {
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

class Parser {
 public:
  Parser(std::string_view s, std::string& error) : s_(s), error_(error) {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  std::optional<JsonValue> Document() {
    for (std::size_t at = pos_; at < s_.size();) {
      std::size_t n = Utf8Length(at);
      if (n == 0) return pos_ = at, Fail("UTF-8 text"), std::nullopt;
      at += n;
    }
    JsonValue v;
    if (!Value(v, 0)) return std::nullopt;
    Peek();
    if (pos_ < s_.size()) return Fail("the end of the file"), std::nullopt;
    return v;
  }

 private:
  // Length of the valid UTF-8 sequence at s_[i] (no overlong forms or
  // surrogates), or 0.
  std::size_t Utf8Length(std::size_t i) const {
    auto c = static_cast<unsigned char>(s_[i]);
    if (c < 0x80) return 1;
    std::size_t n = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > s_.size()) return 0;
    unsigned cp = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
      auto d = static_cast<unsigned char>(s_[i + k]);
      if ((d >> 6) != 0x2) return 0;
      cp = (cp << 6) | (d & 0x3F);
    }
    static constexpr unsigned kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
  }

  bool Value(JsonValue& v, int depth) {
    if (depth > kMaxDepth) return Fail("less deeply nested values");
    char c = Peek();
    v.offset = pos_;
    if (c == '{') return Object(v, depth);
    if (c == '[') return Array(v, depth);
    if (c == '"') return v.type = JsonValue::Type::kString, String(v.string);
    if (c == '-' || (c >= '0' && c <= '9')) return Number(v);
    if (Word("true")) return v.type = JsonValue::Type::kBool, v.boolean = true;
    if (Word("false")) return v.type = JsonValue::Type::kBool, true;
    if (Word("null")) return true;
    return Fail("a value");
  }

  bool Object(JsonValue& v, int depth) {
    v.type = JsonValue::Type::kObject;
    ++pos_;
    if (Expect('}')) return true;
    for (;;) {
      std::string key;
      if (Peek() != '"') return Fail("a key in double quotes");
      if (!String(key)) return false;
      if (!Expect(':')) return Fail("':'");
      v.members.push_back({std::move(key), JsonValue{}});
      if (!Value(v.members.back().second, depth + 1)) return false;
      if (Expect(',')) continue;
      if (Expect('}')) return true;
      return Fail("',' or '}'");
    }
  }

  bool Array(JsonValue& v, int depth) {
    v.type = JsonValue::Type::kArray;
    ++pos_;
    if (Expect(']')) return true;
    for (;;) {
      v.items.emplace_back();
      if (!Value(v.items.back(), depth + 1)) return false;
      if (Expect(',')) continue;
      if (Expect(']')) return true;
      return Fail("',' or ']'");
    }
  }

  bool Number(JsonValue& v) {
    std::size_t start = pos_;
    while (pos_ < s_.size() &&
           std::string_view("+-.eE0123456789").find(s_[pos_]) != std::string_view::npos)
      ++pos_;
    std::string text(s_.substr(start, pos_ - start));
    char* end = nullptr;
    v.number = std::strtod(text.c_str(), &end);
    v.type = JsonValue::Type::kNumber;
    if (end != text.c_str() + text.size()) return pos_ = start, Fail("a number");
    return true;
  }

  // Four hexadecimal digits of a \u escape.
  bool Hex4(unsigned& cp) {
    if (pos_ + 4 > s_.size()) return false;
    cp = 0;
    for (int i = 0; i < 4; ++i) {
      char c = s_[pos_++];
      int d = (c >= '0' && c <= '9')   ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : -1;
      if (d < 0) return false;
      cp = cp * 16 + static_cast<unsigned>(d);
    }
    return true;
  }

  bool Escape(std::string& out) {
    char c = pos_ < s_.size() ? s_[pos_++] : '\0';
    switch (c) {
      case '"':
      case '\\':
      case '/':
        out += c;
        return true;
      case 'b':
        out += '\b';
        return true;
      case 'f':
        out += '\f';
        return true;
      case 'n':
        out += '\n';
        return true;
      case 'r':
        out += '\r';
        return true;
      case 't':
        out += '\t';
        return true;
      case 'u':
        break;
      default:
        return false;
    }
    unsigned cp = 0;
    if (!Hex4(cp)) return false;
    if (cp >= 0xD800 && cp < 0xDC00) {
      unsigned low = 0;
      if (s_.substr(pos_, 2) != "\\u") return false;
      pos_ += 2;
      if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
      return false;
    }
    AppendUtf8(out, cp);
    return true;
  }

  bool String(std::string& out) {
    std::size_t start = pos_++;
    while (pos_ < s_.size() && s_[pos_] != '"') {
      char c = s_[pos_];
      if (static_cast<unsigned char>(c) < 0x20) break;
      ++pos_;
      if (c != '\\') {
        out += c;
      } else if (!Escape(out)) {
        return Fail("a valid escape in the string");
      }
    }
    if (pos_ >= s_.size() || s_[pos_] != '"') return pos_ = start, Fail("a closed string");
    ++pos_;
    return true;
  }

  bool Word(std::string_view w) {
    if (s_.substr(pos_, w.size()) != w) return false;
    pos_ += w.size();
    return true;
  }

  char Peek() {
    while (pos_ < s_.size() &&
           (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
      ++pos_;
    return pos_ < s_.size() ? s_[pos_] : '\0';
  }

  bool Expect(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

  bool Fail(const std::string& what) {
    if (error_.empty()) error_ = "expected " + what + " at character " + std::to_string(pos_ + 1);
    return false;
  }

  std::string_view s_;
  std::string& error_;
  std::size_t pos_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [k, v] : members)
    if (k == key) return &v;
  return nullptr;
}

std::optional<JsonValue> ParseJson(std::string_view text, std::string& error) {
  error.clear();
  return Parser(text, error).Document();
}

}  // namespace quintaro
