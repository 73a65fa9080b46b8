#include "formats/jww/jww_string.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quintaro::jww {

namespace {

inline unsigned UnitAt(const std::string& b, std::size_t i) {
  return static_cast<unsigned char>(b[2 * i]) |
         (static_cast<unsigned>(static_cast<unsigned char>(b[2 * i + 1])) << 8);
}

bool ReadLength(ByteReader& r, std::uint64_t& n, TextEncoding& enc) {
  enc = TextEncoding::kCp932;
  std::uint8_t b = r.U8();
  if (!r.Ok()) return false;
  if (b < 0xFF) {
    n = b;
    return true;
  }
  std::uint16_t w = r.U16();
  if (!r.Ok()) return false;
  if (w == 0xFFFE) {
    // Unicode string: start over with a one-byte length counting code units.
    enc = TextEncoding::kUtf16le;
    b = r.U8();
    if (!r.Ok()) return false;
    if (b < 0xFF) {
      n = b;
      return true;
    }
    w = r.U16();
    if (!r.Ok()) return false;
  }
  if (w < 0xFFFF) {
    n = w;
    return true;
  }
  std::uint32_t d = r.U32();
  if (!r.Ok()) return false;
  if (d == 0xFFFFFFFFu) {  // a 64-bit length: no file holds such a string
    r.Fail();
    return false;
  }
  n = d;
  return true;
}

}  // namespace

bool ReadRawString(ByteReader& r, EncodedText& out) {
  std::uint64_t n = 0;
  TextEncoding enc;
  out.bytes.clear();
  if (!ReadLength(r, n, enc)) return false;
  out.encoding = enc;
  std::uint64_t bytes = enc == TextEncoding::kUtf16le ? n * 2 : n;
  if (bytes == 0) return true;
  if (!r.CanHold(bytes, 1)) {
    r.Skip(r.Remaining() + 1);  // fails the reader at this offset
    return false;
  }
  return r.ReadBytes(out.bytes, static_cast<std::size_t>(bytes));
}

bool ReadCleanString(ByteReader& r, EncodedText& out, std::int64_t* cleaned) {
  if (!ReadRawString(r, out)) return false;
  const std::size_t before = out.bytes.size();
  CleanControls(out);  // only ever drops bytes
  if (cleaned && out.bytes.size() != before) ++*cleaned;
  return true;
}

void CleanControls(EncodedText& text) {
  std::string& s = text.bytes;
  if (text.encoding == TextEncoding::kUtf16le) {
    std::size_t units = s.size() / 2, o = 0;
    bool changed = (s.size() & 1) != 0;
    for (std::size_t i = 0; i < units; ++i) {
      if (UnitAt(s, i) < 0x20) {
        changed = true;
        continue;
      }
      if (o != i) {
        s[2 * o] = s[2 * i];
        s[2 * o + 1] = s[2 * i + 1];
      }
      ++o;
    }
    if (changed) s.resize(2 * o);
    return;
  }
  // Fast path: nothing to drop.
  std::size_t n = s.size(), i = 0;
  for (; i < n; ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (IsSjisLeadByte(c)) {
      if (i + 1 >= n) break;
      ++i;
    } else if (c < 0x20) {
      break;
    }
  }
  if (i >= n) return;
  std::size_t o = i;
  while (i < n) {
    auto c = static_cast<unsigned char>(s[i]);
    if (IsSjisLeadByte(c)) {
      if (i + 1 < n) {
        s[o++] = s[i];
        s[o++] = s[i + 1];
      }
      i += 2;
    } else {
      if (c >= 0x20) s[o++] = s[i];
      ++i;
    }
  }
  s.resize(o);
}

void CutToChars(EncodedText& text, std::size_t maxChars) {
  std::string& s = text.bytes;
  if (text.encoding == TextEncoding::kUtf16le) {
    std::size_t units = s.size() / 2;
    if (units <= maxChars) return;
    std::size_t keep = maxChars;
    if (keep > 0) {
      unsigned last = UnitAt(s, keep - 1);
      if (last >= 0xD800 && last <= 0xDBFF) --keep;  // do not split a surrogate pair
    }
    s.resize(2 * keep);
    return;
  }
  if (s.size() <= maxChars) return;
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t len = IsSjisLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    if (i + len > maxChars) break;
    i += len;
  }
  s.resize(i);
}

bool SaveFilter(const EncodedText& text, EncodedText& out) {
  const std::string& s = text.bytes;
  out.bytes.clear();
  out.encoding = text.encoding;
  if (s.empty()) return false;
  if (text.encoding == TextEncoding::kUtf16le) {
    std::size_t units = s.size() / 2;
    bool needs = (s.size() & 1) != 0;
    for (std::size_t i = 0; i < units && !needs; ++i) {
      unsigned u = UnitAt(s, i);
      if (u < 0x20 || (u == '^' && i + 1 < units && UnitAt(s, i + 1) == 'm')) needs = true;
    }
    if (!needs) return false;
    std::string& o = out.bytes;
    o.reserve(s.size());
    for (std::size_t i = 0; i < units; ++i) {
      unsigned u = UnitAt(s, i);
      if (u < 0x20) continue;
      if (u == 'm' && o.size() >= 2 && static_cast<unsigned char>(o[o.size() - 2]) == '^' &&
          o[o.size() - 1] == 0) {
        o.resize(o.size() - 2);
        continue;
      }
      o += s[2 * i];
      o += s[2 * i + 1];
    }
    if (o.empty()) o.assign("\x20\x00", 2);
    return true;
  }
  // Shift-JIS: is there anything to do? Not when no byte is a control
  // character or a '^' (the common case, checked without decoding).
  if (std::none_of(s.begin(), s.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 || c == '^';
      }))
    return false;
  bool needs = false;
  for (std::size_t i = 0; i < s.size() && !needs; ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (IsSjisLeadByte(c)) {
      ++i;
    } else if (c < 0x20 || (c == '^' && i + 1 < s.size() && s[i + 1] == 'm')) {
      needs = true;
    }
  }
  if (!needs) return false;
  std::string& o = out.bytes;
  o.reserve(s.size());
  std::vector<std::uint8_t> lens;  // length of each output character
  lens.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    if (IsSjisLeadByte(c)) {
      if (i + 1 < s.size()) {
        o += s[i];
        o += s[i + 1];
        lens.push_back(2);
        i += 2;
      } else {
        o += s[i];  // a lead byte at the very end is kept alone
        lens.push_back(1);
        ++i;
      }
      continue;
    }
    ++i;
    if (c < 0x20) continue;
    if (c == 'm' && !lens.empty() && lens.back() == 1 && o.back() == '^') {
      o.pop_back();
      lens.pop_back();
      continue;
    }
    o += static_cast<char>(c);
    lens.push_back(1);
  }
  if (o.empty()) o = " ";
  return true;
}

EncodedText SaveFiltered(const EncodedText& text) {
  EncodedText out;
  if (!SaveFilter(text, out)) return text;
  return out;
}

void WriteString(ByteWriter& w, const EncodedText& text) {
  bool wide = text.encoding == TextEncoding::kUtf16le;
  std::uint64_t n = wide ? text.bytes.size() / 2 : text.bytes.size();
  if (wide) {
    w.U8(0xFF);
    w.U16(0xFFFE);
  }
  if (n < 0xFF) {
    w.U8(static_cast<std::uint8_t>(n));
  } else if (n < 0xFFFE) {
    w.U8(0xFF);
    w.U16(static_cast<std::uint16_t>(n));
  } else {
    w.U8(0xFF);
    w.U16(0xFFFF);
    w.U32(static_cast<std::uint32_t>(n));
  }
  w.Write(text.bytes.data(), static_cast<std::size_t>(wide ? n * 2 : n));
}

EncodedText AsciiText(std::string_view ascii, TextEncoding encoding) {
  EncodedText t;
  t.encoding = encoding;
  if (encoding == TextEncoding::kUtf16le) {
    for (char c : ascii) {
      t.bytes += c;
      t.bytes += '\0';
    }
  } else {
    t.bytes.assign(ascii.data(), ascii.size());
  }
  return t;
}

bool StartsWithAscii(const EncodedText& text, std::string_view ascii) {
  const std::string& s = text.bytes;
  if (text.encoding == TextEncoding::kUtf16le) {
    if (s.size() / 2 < ascii.size()) return false;
    for (std::size_t i = 0; i < ascii.size(); ++i)
      if (UnitAt(s, i) != static_cast<unsigned char>(ascii[i])) return false;
    return true;
  }
  return s.size() >= ascii.size() && std::memcmp(s.data(), ascii.data(), ascii.size()) == 0;
}

void DropUnits(EncodedText& text, std::size_t units) {
  std::size_t bytes = text.encoding == TextEncoding::kUtf16le ? units * 2 : units;
  text.bytes.erase(0, bytes);
}

bool IsBlank(const EncodedText& text) {
  const std::string& s = text.bytes;
  if (text.encoding == TextEncoding::kUtf16le) {
    for (std::size_t i = 0; i < s.size() / 2; ++i) {
      unsigned u = UnitAt(s, i);
      if (u > 0x20 && u != 0x3000) return false;
    }
    return true;
  }
  for (std::size_t i = 0; i < s.size(); ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (IsSjisLeadByte(c) && i + 1 < s.size()) {
      if (!(c == 0x81 && static_cast<unsigned char>(s[i + 1]) == 0x40)) return false;
      ++i;
      continue;
    }
    if (c >= 0x20 && c != ' ') return false;
    // Control characters disappear in the save filter.
  }
  return true;
}

}  // namespace quintaro::jww
