#include "formats/jww/jww_list_writer.h"

#include <cstring>

namespace quintaro::jww {

void ClassTagWriter::WriteTag(ByteWriter& w, int classId) {
  std::uint32_t& index = index_[classId];
  if (index == 0) {
    const char* name = ClassName(classId);
    auto n = static_cast<std::uint16_t>(std::strlen(name));
    w.U16(0xFFFF);
    w.U16(schema_);
    w.U16(n);
    w.Write(name, n);
    index = counter_++;
    return;
  }
  if (index <= 32766) {
    w.U16(static_cast<std::uint16_t>(0x8000u + index));
  } else {
    w.U16(0x7FFF);
    w.U32(0x80000000u | index);
  }
}

std::uint8_t MapStyleBelow420(std::uint8_t s) {
  switch (s) {
    case 31:
      return 1;
    case 32:
      return 4;
    case 33:
      return 3;
    case 34:
    case 40:
    case 41:
      return 6;
    case 35:
    case 36:
    case 42:
    case 43:
      return 8;
    case 37:
      return 2;
    case 38:
      return 5;
    case 39:
      return 7;
    case 44:
    case 45:
      return 17;
    default:
      break;
  }
  if (s >= 46 && s <= 62) return 0;  // the replacement line type
  return s;
}

std::uint16_t MapColorBelow420(std::uint16_t c) {
  switch (c) {
    case 101:
    case 108:
    case 115:
    case 116:
      return 2;
    case 102:
    case 110:
      return 8;
    case 103:
    case 112:
      return 3;
    case 104:
    case 113:
      return 6;
    case 105:
    case 111:
      return 4;
    case 106:
    case 109:
    case 114:
      return 5;
    case 107:
      return 1;
    default:
      break;
  }
  if (c >= 117 && c <= 356) return 0;  // the replacement colour number
  return c;
}

namespace {
const char* const kRepairTexts[kRepairKinds] = {
    "layer above 15 written as 0",
    "layer group above 15 written as 0",
    "pen width above 30000 written as 0",
    "extended line type written as a standard one (version below 420)",
    "extended colour written as a standard one (version below 420)",
    "unknown line type of a line or arc written as 0",
    "unknown style of a point written as 1",
    "unknown line type of a text written as 1",
    "unknown colour written as 0",
    "control characters or \"^m\" removed from a string",
    "image text \"^@BM%temp%\" written as \"^@BM\"",
};
}  // namespace

const char* RepairText(RepairKind kind) {
  return kRepairTexts[kind];
}

void RepairCounts::NoteBase(const TEntJwwBase& before, const TEntJwwBase& after, BaseCheck check,
                            bool below420) {
  if (before.Layer != after.Layer) ++n[kRepairLayer];
  if (before.LayerGroup != after.LayerGroup) ++n[kRepairLayerGroup];
  if (before.PenWidth != after.PenWidth) ++n[kRepairPenWidth];
  std::uint8_t style = before.PenStyle;
  std::uint16_t color = before.PenColor;
  if (below420 && check != BaseCheck::kNone) {
    if (check == BaseCheck::kLine) style = MapStyleBelow420(style);
    color = MapColorBelow420(color);
    if (style != before.PenStyle) ++n[kRepairStyleBelow420];
    if (color != before.PenColor) ++n[kRepairColorBelow420];
  }
  if (after.PenStyle != style) {
    ++n[check == BaseCheck::kPoint  ? kRepairPointStyle
        : check == BaseCheck::kText ? kRepairTextStyle
                                    : kRepairLineStyle];
  }
  if (after.PenColor != color) ++n[kRepairColor];
}

void RepairCounts::MoveTo(RepairLog& log) {
  for (int k = 0; k < kRepairKinds; ++k) {
    log.Note(RepairText(static_cast<RepairKind>(k)), n[k]);
    n[k] = 0;
  }
}

}  // namespace quintaro::jww
