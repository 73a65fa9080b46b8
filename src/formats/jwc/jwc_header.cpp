#include "formats/jwc/jwc_header.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "formats/common/types.h"
#include "formats/jwc/jwc_line_text.h"

namespace quintaro {
namespace {

using H = TEntJwcHeader;

constexpr JwcHeaderField kLine2[] = {
    &H::lineCount,  &H::arcCount,  &H::textCount, &H::pointCount, &H::slotCount, &H::value2_6,
    &H::value2_7,   &H::value2_8,  &H::value2_9,  &H::value2_10,  &H::value2_11, &H::PaperCode,
    &H::value2_13,  &H::value2_14, &H::value2_15, &H::value2_16,  &H::value2_17, &H::value2_18,
    &H::value2_19,  &H::value2_20, &H::value2_21, &H::value2_22,  &H::value2_23, &H::value2_24,
    &H::value2_25,  &H::value2_26, &H::value2_27, &H::value2_28,  &H::value2_29, &H::value2_30,
    &H::PaperWidth, &H::value2_32,
};
constexpr JwcHeaderField kLine3[] = {
    &H::value3_1,  &H::value3_2,  &H::value3_3,  &H::value3_4,  &H::value3_5,  &H::value3_6,
    &H::value3_7,  &H::value3_8,  &H::value3_9,  &H::value3_10, &H::value3_11, &H::value3_12,
    &H::value3_13, &H::value3_14, &H::value3_15, &H::value3_16, &H::value3_17, &H::value3_18,
    &H::value3_19, &H::value3_20, &H::value3_21, &H::value3_22, &H::value3_23, &H::value3_24,
    &H::value3_25, &H::value3_26, &H::value3_27, &H::value3_28,
};
constexpr JwcHeaderField kLine4[] = {
    &H::textStart, &H::textEnd,   &H::value4_3,  &H::value4_4,  &H::value4_5,  &H::value4_6,
    &H::value4_7,  &H::value4_8,  &H::value4_9,  &H::value4_10, &H::value4_11, &H::value4_12,
    &H::value4_13, &H::value4_14, &H::value4_15, &H::value4_16, &H::value4_17, &H::value4_18,
    &H::value4_19, &H::value4_20, &H::value4_21, &H::value4_22,
};
static_assert(std::size(kLine2) == 32 && std::size(kLine3) == 28 && std::size(kLine4) == 22);

constexpr int kFarAddressValues = 2;  // leading values of line 4

template <class T>
bool SameBits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

std::span<const JwcHeaderField> JwcLineFields(int line) {
  switch (line) {
    case 2:
      return kLine2;
    case 3:
      return kLine3;
    case 4:
      return kLine4;
    default:
      return {};
  }
}

int JwcPaperMillimetres(std::int32_t paperCode) {
  static constexpr int kWidths[] = {1189, 841,  594,  420,  297,   0,     0,     0,
                                    1682, 2378, 3364, 4756, 10000, 50000, 100000};
  if (paperCode < 0 || paperCode >= static_cast<std::int32_t>(std::size(kWidths))) return 0;
  return kWidths[paperCode];
}

float ComputeJwcPaperFactor(const TEntJwcHeader& header) {
  if (header.PaperWidth == 0) return 1.0f;
  int mm = JwcPaperMillimetres(header.PaperCode);
  double width = mm > 0 ? mm : static_cast<double>(header.PaperWidth);
  return static_cast<float>(width / header.PaperWidth);
}

void ParseJwcTitleLine(const std::string& line, TEntJwcHeader& header) {
  LineTitles titles = SplitTitleLine(line);
  header.titleA = std::move(titles.a);
  header.titleB = std::move(titles.b);
  header.titleC = std::move(titles.c);
  header.FloatScales = line.size() > 22 && line[22] == 'f';
}

void ParseJwcValueLine(int line, const std::string& text, TEntJwcHeader& header) {
  std::span<const JwcHeaderField> fields = JwcLineFields(line);
  std::vector<std::string_view> values = SplitLineValues(text, fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (line == 4 && i < kFarAddressValues) {
      header.*std::get<std::int32_t H::*>(fields[i]) = ParseFarAddress(values[i]);
    } else if (auto* n = std::get_if<std::int32_t H::*>(&fields[i])) {
      header.** n = ParseLineInt(values[i]);
    } else {
      header.*std::get<float H::*>(fields[i]) = ParseLineFloat(values[i]);
    }
  }
  if (line == 2 && header.PaperWidth == 0) header.PaperWidth = 518;
}

std::uint32_t JwcTextSegment(std::int32_t start) {
  return start <= 0 ? 0 : std::min<std::uint32_t>(static_cast<std::uint32_t>(start) / 16, 0xFFFF);
}

bool JwcTextBlockFits(std::int32_t start, std::int32_t end) {
  if (start < 0 || end < start) return false;
  std::int64_t base = std::int64_t{JwcTextSegment(start)} * 16;
  return end - base <= 0xFFFF;
}

std::string JwcTitleAForWrite(const TEntJwcHeader& header) {
  constexpr std::size_t kScaleFlag = 22;
  std::string title = TitleWithMagic(header.titleA, kJwcMagic);
  if (header.FloatScales) {
    if (title.size() <= kScaleFlag) title.resize(kScaleFlag + 1, '\0');
    title[kScaleFlag] = 'f';
  } else if (title.size() > kScaleFlag && title[kScaleFlag] == 'f') {
    title[kScaleFlag] = '\0';
  }
  return title;
}

std::string BuildJwcTitleLine(const TEntJwcHeader& header, std::string_view read) {
  return BuildTitleLineKeeping(header.titleA, header.titleB, header.titleC, read);
}

std::string BuildJwcValueLine(int line, const TEntJwcHeader& header, std::string_view read) {
  std::span<const JwcHeaderField> fields = JwcLineFields(line);
  std::vector<LineValue> values;
  values.reserve(fields.size());
  if (line == 4) {
    if (!JwcTextBlockFits(header.textStart, header.textEnd)) return {};
    std::uint32_t segment = JwcTextSegment(header.textStart);
    values.emplace_back(FormatFarAddress(segment, header.textStart - segment * 16));
    values.emplace_back(FormatFarAddress(segment, header.textEnd - segment * 16));
  }
  for (std::size_t i = values.size(); i < fields.size(); ++i) {
    if (auto* n = std::get_if<std::int32_t H::*>(&fields[i])) {
      values.emplace_back(header.**n);
    } else {
      values.emplace_back(header.*std::get<float H::*>(fields[i]));
    }
  }
  // What the read line gives, with the reader's own rules.
  TEntJwcHeader was = header;
  ParseJwcValueLine(line, std::string(read), was);
  std::vector<bool> keep(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    keep[i] =
        std::visit([&](auto member) { return SameBits(was.*member, header.*member); }, fields[i]);
  }
  return BuildValueLineKeeping(values, keep, read);
}

}  // namespace quintaro
