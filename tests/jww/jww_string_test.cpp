// JwwString forms and filters, the Unicode form of Jw_cad 8.
#include <gtest/gtest.h>

#include <algorithm>

#include "formats/jww/jww_data.h"
#include "formats/jww/jww_string.h"
#include "jww/jww_builder.h"

namespace quintaro {
namespace {

using test::BaseAttrs;
using test::HeaderSpec;
using test::JwwBuilder;

EncodedText Sjis(const std::string& s) {
  return EncodedText{s, TextEncoding::kCp932};
}
EncodedText Wide(const std::u16string& s) {
  EncodedText t;
  t.encoding = TextEncoding::kUtf16le;
  for (char16_t c : s) {
    t.bytes += static_cast<char>(c & 0xFF);
    t.bytes += static_cast<char>(c >> 8);
  }
  return t;
}

EncodedText ReadOne(const std::vector<std::uint8_t>& bytes, bool clean) {
  ByteReader r(bytes);
  EncodedText t;
  bool ok = clean ? jww::ReadCleanString(r, t) : jww::ReadRawString(r, t);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(r.AtEnd());
  return t;
}

std::vector<std::uint8_t> WriteOne(const EncodedText& t) {
  ByteWriter w;
  jww::WriteString(w, t);
  return w.Bytes();
}

TEST(JwwString, LengthForms) {
  JwwBuilder b(600);
  b.Str("abc");
  EXPECT_EQ(ReadOne(b.Bytes(), false), Sjis("abc"));
  std::string s300(300, 'x');
  JwwBuilder b2(600);
  b2.Str(s300);
  EXPECT_EQ(b2.Bytes()[0], 0xFF);
  EXPECT_EQ(ReadOne(b2.Bytes(), false), Sjis(s300));
  EXPECT_EQ(WriteOne(Sjis(s300)), b2.Bytes());  // 0xFF, uint16 300, the bytes
  EXPECT_EQ(WriteOne(Sjis(std::string(254, 'a')))[0], 254);
  EXPECT_EQ(WriteOne(Sjis(std::string(255, 'a')))[0], 0xFF);
}

TEST(JwwString, UnicodeFormReadsAndWritesBack) {
  std::u16string text = u"\u56F3\u9762 A";  // "図面 A"
  JwwBuilder b(700);
  b.WStr(text);
  auto bytes = b.Bytes();
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(bytes[2], 0xFF);
  EXPECT_EQ(bytes[3], 4);  // code units
  EncodedText t = ReadOne(bytes, true);
  EXPECT_EQ(t.encoding, TextEncoding::kUtf16le);
  EXPECT_EQ(t, Wide(text));
  EXPECT_EQ(ToUtf8(t), "図面 A");
  EXPECT_EQ(WriteOne(t), bytes);
  // 300 units: 0xFF, 0xFFFE, 0xFF, uint16 300
  std::u16string longText(300, u'\u3042');
  JwwBuilder b2(700);
  b2.WStr(longText);
  EXPECT_EQ(ReadOne(b2.Bytes(), true), Wide(longText));
  EXPECT_EQ(WriteOne(Wide(longText)), b2.Bytes());
  // the empty Unicode string FF FE FF 00 (the memo of Jw_cad 8 files)
  std::vector<std::uint8_t> empty = {0xFF, 0xFE, 0xFF, 0x00};
  EncodedText e = ReadOne(empty, false);
  EXPECT_TRUE(e.Empty());
  EXPECT_EQ(e.encoding, TextEncoding::kUtf16le);
  EXPECT_EQ(WriteOne(e), empty);
}

TEST(JwwString, VeryLongStringsUseTheUint32Form) {
  // 0xFFFE and more bytes cannot use the uint16 form (0xFFFE marks Unicode,
  // 0xFFFF the uint32 form): written as 0xFF, 0xFFFF, uint32 n.
  for (std::size_t n : {std::size_t{0xFFFD}, std::size_t{0xFFFE}, std::size_t{70000}}) {
    EncodedText t = Sjis(std::string(n, 'q'));
    auto bytes = WriteOne(t);
    if (n >= 0xFFFE) {
      ASSERT_EQ(bytes[1], 0xFF);
      ASSERT_EQ(bytes[2], 0xFF);
      EXPECT_EQ(bytes.size(), 7 + n);
    } else {
      EXPECT_EQ(bytes.size(), 3 + n);
    }
    EXPECT_EQ(ReadOne(bytes, false), t);
  }
  EncodedText w = Wide(std::u16string(70000, u'x'));
  EXPECT_EQ(ReadOne(WriteOne(w), false), w);
}

TEST(JwwString, ControlFilterOnReading) {
  EncodedText t = Sjis("a\tb\x01");
  jww::CleanControls(t);
  EXPECT_EQ(t.bytes, "ab");
  // a lead byte at the end is dropped; a double-byte character whose second
  // byte is below 0x20 is kept whole
  t = Sjis("x\x82");
  jww::CleanControls(t);
  EXPECT_EQ(t.bytes, "x");
  t = Sjis(std::string("\x82\x10y", 3));
  jww::CleanControls(t);
  EXPECT_EQ(t.bytes, std::string("\x82\x10y", 3));
  // UTF-16: code units below 0x20 are dropped
  t = Wide(u"a\tb\u3000\u0001");
  jww::CleanControls(t);
  EXPECT_EQ(t, Wide(u"ab\u3000"));
}

TEST(JwwString, SaveFilter) {
  EXPECT_EQ(jww::SaveFiltered(Sjis("")).bytes, "");
  EXPECT_EQ(jww::SaveFiltered(Sjis("\x01\x02")).bytes, " ");
  EXPECT_EQ(jww::SaveFiltered(Sjis("ab^mcd")).bytes, "abcd");
  EXPECT_EQ(jww::SaveFiltered(Sjis("a^b")).bytes, "a^b");
  // a "^m" brought together by the dropping goes too, so that a second
  // save writes the same
  EXPECT_EQ(jww::SaveFiltered(Sjis("x^^mm")).bytes, "x");
  EXPECT_EQ(jww::SaveFiltered(Sjis("^\x01m")).bytes, " ");
  // a trail byte 0x5E ('^') is not a caret
  EXPECT_EQ(jww::SaveFiltered(Sjis("\x81^m")).bytes, "\x81^m");
  // a lead byte at the very end is kept alone
  EXPECT_EQ(jww::SaveFiltered(Sjis("a\x01\x82")).bytes, "a\x82");
  // UTF-16 per code unit
  EXPECT_EQ(jww::SaveFiltered(Wide(u"a^m\u3042\u0005")), Wide(u"a\u3042"));
  EXPECT_EQ(jww::SaveFiltered(Wide(u"\u0005")), Wide(u" "));
  for (const char* s : {"x^^mm", "^^^mmm!", "a\x01^m^", "\x82^m"}) {
    EncodedText once = jww::SaveFiltered(Sjis(s));
    EXPECT_EQ(jww::SaveFiltered(once), once) << s;
  }
}

TEST(JwwString, CutToCharacters) {
  EncodedText t = Sjis(std::string(300, 'a'));
  jww::CutToChars(t, 255);
  EXPECT_EQ(t.bytes.size(), 255u);
  // a double-byte character across the limit is not split
  std::string s(254, 'a');
  s += "\x82\xA0zz";
  t = Sjis(s);
  jww::CutToChars(t, 255);
  EXPECT_EQ(t.bytes, std::string(254, 'a'));
  // UTF-16: 255 code units, not split inside a surrogate pair
  std::u16string w(300, u'\u3042');
  t = Wide(w);
  jww::CutToChars(t, 255);
  EXPECT_EQ(t, Wide(w.substr(0, 255)));
  std::u16string pair(254, u'a');
  pair += u"\U0001F600";  // surrogate pair at units 254 and 255
  t = Wide(pair);
  jww::CutToChars(t, 255);
  EXPECT_EQ(t, Wide(std::u16string(254, u'a')));
}

// Texts of a drawing: cut to 255 characters, filters per form, and
// written back in the form read.
TEST(JwwString, TextsOfADrawingInBothForms) {
  JwwBuilder b(700);
  HeaderSpec h;
  h.memo = "memo";
  h.unicodeMemo = true;
  h.layerNames[5] = std::string("wa\tll");
  b.Header(h).Count(4);
  BaseAttrs s;
  s.penColor = 2;
  b.Text(s, 0, 0, "MS Gothic", std::string(300, 'x'));
  b.WText(s, 0, 0, u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF", std::u16string(300, u'\u3042'));
  b.WText(s, 0, 0, u"f", u"a^mb\u0007c");
  b.WText(s, 0, 0, u"f", u"\u0007");
  b.Count(0).ImageCount(0);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes())) << d.loadReport.reason;
  EXPECT_EQ(d.Header.Memo.encoding, TextEncoding::kUtf16le);
  EXPECT_EQ(d.macros.memo1, "memo");
  EXPECT_EQ(d.Layers[5].Name.bytes, "wall");
  EXPECT_EQ(d.Moji[0].Text.bytes.size(), 255u);
  EXPECT_EQ(d.Moji[0].Text.encoding, TextEncoding::kCp932);
  EXPECT_EQ(d.Moji[1].Text, Wide(std::u16string(255, u'\u3042')));
  EXPECT_EQ(d.Moji[1].FontName.encoding, TextEncoding::kUtf16le);
  EXPECT_EQ(d.Moji[2].Text, Wide(u"a^mbc"));  // the reader drops controls only
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(700, out));
  TJwwData e;
  ASSERT_TRUE(e.LoadFromBytes(out)) << e.loadReport.reason;
  EXPECT_EQ(e.Header.Memo, d.Header.Memo);
  EXPECT_EQ(e.Moji[1].Text, d.Moji[1].Text);
  EXPECT_EQ(e.Moji[1].FontName, d.Moji[1].FontName);
  EXPECT_EQ(e.Moji[2].Text, Wide(u"abc"));  // "^m" dropped by the writer
  EXPECT_EQ(e.Moji[3].Text, Wide(u""));     // empty stays empty
  // The Unicode strings are written in the Unicode form.
  ByteWriter w;
  jww::WriteString(w, Wide(u"abc"));
  const auto& needle = w.Bytes();
  EXPECT_NE(std::search(out.begin(), out.end(), needle.begin(), needle.end()), out.end());
}

TEST(JwwString, ExtendedNamesThatAreBlankStayBlank) {
  JwwBuilder b(600);
  b.Header().Count(0).Count(0);
  TJwwData d;
  ASSERT_TRUE(d.LoadFromBytes(b.Bytes()));
  d.ColorsEx[3].Name = Sjis("  \x81\x40 ");  // half- and full-width spaces
  d.ColorsEx[4].Name = Wide(u" \u3000");
  d.ColorsEx[5].Name = Sjis("red");
  d.LineTypesEx[2].Name = Sjis("");
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(d.SaveToBytes(600, out));
  TJwwData e;
  ASSERT_TRUE(e.LoadFromBytes(out));
  EXPECT_TRUE(e == d);
}

TEST(JwwString, LongMemoRoundTrips) {
  for (std::size_t n : {std::size_t{300}, std::size_t{65534}, std::size_t{100000}}) {
    JwwBuilder b(600);
    HeaderSpec h;
    h.memo = std::string(n, 'm');
    b.Header(h).Count(0).Count(0);
    TJwwData d;
    ASSERT_TRUE(d.LoadFromBytes(b.Bytes())) << n;
    EXPECT_EQ(d.Header.Memo.bytes.size(), n);
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(d.SaveToBytes(600, out));
    EXPECT_EQ(out, b.Bytes()) << n;
  }
}

}  // namespace
}  // namespace quintaro
