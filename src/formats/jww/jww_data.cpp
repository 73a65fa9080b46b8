#include "formats/jww/jww_data.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "formats/common/bytes.h"
#include "formats/common/file_io.h"
#include "formats/jww/jww_container.h"
#include "formats/jww/jww_lists.h"
#include "formats/jww/jww_string.h"

namespace quintaro {

namespace {

// A header block read in one piece, as it stands in the file; values are
// taken out only when it was complete.
class HeaderBlock {
 public:
  bool Read(ByteReader& r, std::size_t n) { return r.Read(b_, n); }
  std::int32_t I(std::size_t off) const { return Get<std::int32_t>(off); }
  double D(std::size_t off) const { return Get<double>(off); }

 private:
  template <class T>
  T Get(std::size_t off) const {
    T v;
    std::memcpy(&v, b_ + off, sizeof v);
    return v;
  }
  std::uint8_t b_[300];
};

// "h : mm" of a time in seconds.
std::string DrawTimeText(std::int32_t seconds) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%d : %02d", seconds / 3600, (seconds / 60) % 60);
  return buf;
}

// Splits the memo at its first CR LF.
void SplitMemo(const EncodedText& memo, std::string& first, std::string& rest) {
  const std::string& b = memo.bytes;
  std::size_t cut = std::string::npos, skip = 0;
  if (memo.encoding == TextEncoding::kUtf16le) {
    for (std::size_t i = 0; i + 3 < b.size(); i += 2) {
      if (b[i] == '\r' && b[i + 1] == 0 && b[i + 2] == '\n' && b[i + 3] == 0) {
        cut = i;
        skip = 4;
        break;
      }
    }
  } else {
    cut = b.find("\r\n");
    skip = 2;
  }
  EncodedText a{b.substr(0, cut), memo.encoding};
  first = ToUtf8(a);
  if (cut == std::string::npos) {
    rest.clear();
  } else {
    rest = ToUtf8(EncodedText{b.substr(cut + skip), memo.encoding});
  }
}

std::uint8_t AsciiLower(std::uint8_t c) {
  return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

std::string LowerAscii(std::string s) {
  for (char& c : s) c = static_cast<char>(AsciiLower(static_cast<std::uint8_t>(c)));
  return s;
}

// The image name part of an image text "^@BM%temp%NAME,...", or false.
bool ImageNameOfText(const EncodedText& t, std::string& utf8Lower) {
  if (jww::Units(t) <= 10 || !jww::StartsWithAscii(t, "^@BM%temp%")) return false;
  const std::string& b = t.bytes;
  std::size_t comma = std::string::npos;
  if (t.encoding == TextEncoding::kUtf16le) {
    for (std::size_t i = 10; i < b.size() / 2; ++i)
      if (b[2 * i] == ',' && b[2 * i + 1] == 0) {
        comma = i;
        break;
      }
    if (comma == std::string::npos) return false;
    utf8Lower = LowerAscii(Utf16leToUtf8(b.substr(20, 2 * (comma - 10))));
  } else {
    comma = b.find(',', 10);
    if (comma == std::string::npos) return false;
    utf8Lower = LowerAscii(Cp932ToUtf8(b.substr(10, comma - 10)));
  }
  return true;
}

}  // namespace

TJwwData::TJwwData() {
  ResetData();
}

bool TJwwData::IsJwwFile(const std::string& path) {
  return FileStartsWith(path, kJwwMagic);
}

void TJwwData::ResetData() {
  Header.SetDefaults();
  LayerGroups.clear();
  Layers.clear();
  Pens.clear();
  LineTypes.clear();
  RandLines.clear();
  DoubleLineTypes.clear();
  ColorsEx.clear();
  LineTypesEx.clear();
  MojiStyles.clear();
  jww::ResetLists(*this);
  SaveMode = 0;
}

void TJwwData::ClearData() {
  jww::ClearData(*this);
}

bool operator==(const TJwwData& a, const TJwwData& b) {
  return a.Header == b.Header && a.LayerGroups == b.LayerGroups && a.Layers == b.Layers &&
         a.Pens == b.Pens && a.LineTypes == b.LineTypes && a.RandLines == b.RandLines &&
         a.DoubleLineTypes == b.DoubleLineTypes && a.ColorsEx == b.ColorsEx &&
         a.LineTypesEx == b.LineTypesEx && a.MojiStyles == b.MojiStyles &&
         static_cast<const TJwwEntityList&>(a) == static_cast<const TJwwEntityList&>(b) &&
         a.BlockDefCount == b.BlockDefCount && a.BlockDefs == b.BlockDefs &&
         a.BlockTree == b.BlockTree && a.ReferencedBlockCount == b.ReferencedBlockCount &&
         a.SaveMode == b.SaveMode;
}

// ---------------------------------------------------------------------------
// Reading

bool TJwwData::LoadFromFile(const std::string& path) {
  return jww::LoadFile(*this, path, [&](ByteReader& r) { return Load(r, path); });
}

bool TJwwData::LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name) {
  ByteReader r(bytes);
  return Load(r, name);
}

bool TJwwData::Load(ByteReader& r, const std::string& name) {
  jww::BeginLoad(*this, name);
  LayerGroups.resize(16);
  Layers.resize(256);
  Pens.resize(10);
  LineTypes.resize(8);
  RandLines.resize(5);
  DoubleLineTypes.resize(4);
  MojiStyles.resize(10);
  ColorsEx.resize(257);
  LineTypesEx.resize(33);

  auto& h = Header;
  const char* part = "the magic";
  std::string where;  // set when a section fails
  HeaderBlock b;

  auto headerFailed = [&]() {
    where = std::string("the header (") + part + ")";
    return false;
  };

  // Returns false when the reading stopped.
  auto readHeader = [&]() -> bool {
    char magic[8];
    if (!r.Read(magic, 8)) return headerFailed();
    h.Magic.assign(magic, 8);
    part = "the version";
    h.Version = r.I32();
    if (!r.Ok()) return headerFailed();
    return true;
  };
  if (!readHeader()) {
    jww::EndLoad(report, r, false, where, false);
    SetMacros();
    BuildBlockTree();
    return false;
  }
  const std::int32_t v = h.Version;
  if (v < 220) {
    report.failOffset = 8;
    report.reason = "version " + std::to_string(v) + " is below 220 and not supported";
    return false;
  }

  auto readRest = [&]() -> bool {
    part = "the memo";
    if (!jww::ReadRawString(r, h.Memo)) return headerFailed();
    part = "the paper size";
    if (!b.Read(r, 8)) return headerFailed();
    h.PaperSize = b.I(0);
    h.WriteLayerGroup = b.I(4);
    part = "the layer groups";
    for (int g = 0; g < 16; ++g) {
      if (!b.Read(r, 20)) return headerFailed();
      auto& lg = LayerGroups[g];
      lg.State = b.I(0);
      lg.WriteLayer = b.I(4);
      lg.Scale = b.D(8);
      lg.Protect = b.I(16);
      if (!b.Read(r, 128)) return headerFailed();
      for (int l = 0; l < 16; ++l) {
        Layers[g * 16 + l].State = b.I(8 * l);
        Layers[g * 16 + l].Protect = b.I(8 * l + 4);
      }
    }
    part = "the reserved block";
    if (!r.Read(h.Reserved, sizeof h.Reserved)) return headerFailed();
    part = "the dimension settings";
    if (!b.Read(r, 28)) return headerFailed();
    for (int i = 0; i < 5; ++i) h.DimSettings[i] = b.I(4 * i);
    h.DimReserved = b.I(20);
    h.MaxDrawWidth = b.I(24);
    part = "the print settings";
    if (!b.Read(r, 72)) return headerFailed();
    h.PrintOriginX = b.D(0);
    h.PrintOriginY = b.D(8);
    h.PrintScale = b.D(16);
    h.PrintRotate90 = b.I(24);
    h.ScaleRulerMode = b.I(28);
    h.ScaleRulerMinDisplay = b.D(32);
    h.ScaleRulerPitchX = b.D(40);
    h.ScaleRulerPitchY = b.D(48);
    h.ScaleRulerRefX = b.D(56);
    h.ScaleRulerRefY = b.D(64);
    part = "the layer names";
    for (auto& l : Layers)
      if (!jww::ReadCleanString(r, l.Name)) return headerFailed();
    part = "the layer group names";
    for (auto& g : LayerGroups)
      if (!jww::ReadCleanString(r, g.Name)) return headerFailed();
    part = "the shadow settings";
    if (!b.Read(r, v > 230 ? 44 : 28)) return headerFailed();
    h.ShadowLevel = b.D(0);
    h.ShadowLatitude = b.D(8);
    h.Shadow9To15 = b.I(16);
    h.WallShadowLevel = b.D(20);
    if (v > 230) {
      h.SkyViewLevel = b.D(28);
      h.SkyViewRadius = b.D(36);
    }
    part = "the view settings";
    if (!b.Read(r, 52)) return headerFailed();
    h.Unit3D = b.I(0);
    h.ViewScale = b.D(4);
    h.ViewOriginX = b.D(12);
    h.ViewOriginY = b.D(20);
    h.RangeScale = b.D(28);
    h.RangeOriginX = b.D(36);
    h.RangeOriginY = b.D(44);
    part = "the zoom jumps";
    if (v > 230) {
      if (!b.Read(r, 280)) return headerFailed();
      for (int i = 0; i < 10; ++i) {
        TJwwViewRecord z{b.D(28 * i), b.D(28 * i + 8), b.D(28 * i + 16), b.I(28 * i + 24)};
        if (i < 8)
          h.ZoomJumps[i] = z;
        else
          h.ViewRecords[i - 8] = z;
      }
    } else {
      if (!b.Read(r, 96)) return headerFailed();
      for (int i = 0; i < 4; ++i) {
        h.ZoomJumps[i].Scale = b.D(24 * i);
        h.ZoomJumps[i].X = b.D(24 * i + 8);
        h.ZoomJumps[i].Y = b.D(24 * i + 16);
      }
    }
    part = "the multi-line spacings and screen pens";
    if (!b.Read(r, 168)) return headerFailed();
    for (int i = 0; i < 10; ++i) h.MultiLineSpacings[i] = b.D(8 * i);
    h.BothSidesSpacing = b.D(80);
    for (int n = 0; n < 10; ++n) {
      Pens[n].ScreenColor = b.I(88 + 8 * n);
      Pens[n].ScreenWidth = b.I(92 + 8 * n);
    }
    part = "the printer pens";
    if (!b.Read(r, 160)) return headerFailed();
    for (int n = 0; n < 10; ++n) {
      Pens[n].PrinterColor = b.I(16 * n);
      Pens[n].PrinterWidth = b.I(16 * n + 4);
      Pens[n].PrinterPointRadius = b.D(16 * n + 8);
    }
    part = "the line types";
    if (!b.Read(r, 128)) return headerFailed();
    for (int i = 0; i < 8; ++i)
      LineTypes[i] =
          TEntJwwLineType{b.I(16 * i), b.I(16 * i + 4), b.I(16 * i + 8), b.I(16 * i + 12)};
    part = "the random and double-length line types";
    if (!b.Read(r, 164)) return headerFailed();
    for (int i = 0; i < 5; ++i)
      RandLines[i] = TEntJwwRandLine{b.I(20 * i), b.I(20 * i + 4), b.I(20 * i + 8),
                                     b.I(20 * i + 12), b.I(20 * i + 16)};
    for (int i = 0; i < 4; ++i) {
      std::size_t o = 100 + 16 * i;
      DoubleLineTypes[i] = TEntJwwLineType{b.I(o), b.I(o + 4), b.I(o + 8), b.I(o + 12)};
    }
    part = "the display switches";
    std::size_t sw = v > 229 ? 144 : v > 224 ? 136 : v > 222 ? 104 : 44;
    if (!b.Read(r, sw)) return headerFailed();
    for (int i = 0; i < 10; ++i) h.Switches[i] = b.I(4 * i);
    h.Switch11Units = b.I(40) % 10;
    h.Switch11Tens = b.I(40) / 10;
    if (v > 222) {
      h.DrawTime = b.I(44);
      for (int i = 0; i < 4; ++i) h.View25DInts[i] = b.I(48 + 4 * i);
      for (int i = 0; i < 5; ++i) h.View25DDoubles[i] = b.D(64 + 8 * i);
    }
    if (v > 224) {
      h.DefaultLength = b.D(104);
      h.DefaultBoxWidth = b.D(112);
      h.DefaultBoxHeight = b.D(120);
      h.DefaultCircleRadius = b.D(128);
    }
    if (v > 229) {
      h.SolidColoring = b.I(136);
      h.DefaultSolidColor = b.I(140);
    }
    if (v > 419) {
      part = "the extended colours";
      for (auto& c : ColorsEx) {
        if (!b.Read(r, 8)) return headerFailed();
        c.ScreenColor = b.I(0);
        c.ScreenWidth = b.I(4);
      }
      for (auto& c : ColorsEx) {
        if (!jww::ReadCleanString(r, c.Name) || !b.Read(r, 16)) return headerFailed();
        c.PrinterColor = b.I(0);
        c.PrinterWidth = b.I(4);
        c.PrinterPointRadius = b.D(8);
      }
      part = "the extended line types";
      for (auto& t : LineTypesEx) {
        if (!b.Read(r, 16)) return headerFailed();
        t.Pattern = b.I(0);
        t.UnitDots = b.I(4);
        t.ScreenPitch = b.I(8);
        t.PrinterPitch = b.I(12);
      }
      for (auto& t : LineTypesEx) {
        if (!jww::ReadCleanString(r, t.Name) || !b.Read(r, 84)) return headerFailed();
        t.Kind = b.I(0);
        for (int i = 0; i < 10; ++i) t.Params[i] = b.D(4 + 8 * i);
      }
    }
    part = "the text styles";
    if (!b.Read(r, 280)) return headerFailed();
    for (int i = 0; i < 10; ++i)
      MojiStyles[i] =
          TEntJwwMojiStyle{b.D(28 * i), b.D(28 * i + 8), b.D(28 * i + 16), b.I(28 * i + 24)};
    part = "the text entry settings";
    if (!b.Read(r, 100)) return headerFailed();
    h.TextEntryA[0] = b.D(0);
    h.TextEntryA[1] = b.D(8);
    h.TextEntryA[2] = b.D(16);
    h.TextEntryB[0] = b.I(24);
    h.TextEntryB[1] = b.I(28);
    h.TextEntryC[0] = b.D(32);
    h.TextEntryC[1] = b.D(40);
    h.TextEntryD = b.I(48);
    for (int i = 0; i < 6; ++i) h.TextEntryE[i] = b.D(52 + 8 * i);
    return true;
  };

  bool outOfMemory = false;
  bool ok = readRest();
  if (ok) ok = jww::ReadLists(r, v, *this, where, outOfMemory);
  if (ok && v > 699) {
    ok = ReadImages(r, where);
  }
  jww::EndLoad(report, r, ok, where, outOfMemory);
  SetMacros();
  BuildBlockTree();
  return ok;
}

bool TJwwData::ReadImages(ByteReader& r, std::string& where) {
  BindImageStore* store = images_;
  if (store && !store->ImageKeep && !store->ImageExtract) return true;  // the section is not read
  if (store) store->List.clear();
  std::uint32_t n = r.U32();
  if (!r.Ok()) {
    where = "the carried-image section (its count)";
    return false;
  }
  // An entry takes at least 5 bytes (empty name, size).
  std::uint64_t bound = std::min<std::uint64_t>(n, r.Remaining() / 5);
  if (store) store->List.reserve(static_cast<std::size_t>(bound));
  std::vector<std::uint8_t> buf;
  for (std::uint32_t i = 0; i < n; ++i) {
    auto failAt = [&](const char* what) {
      char b[160];
      std::snprintf(b, sizeof b, "the carried-image section (image %u of %u%s)", i + 1, n, what);
      where = b;
      return false;
    };
    TBindImageType image;
    if (!jww::ReadCleanString(r, image.Name)) return failAt("");
    image.Size = r.I32();
    if (!r.Ok()) return failAt("");
    image.FileName = BindImageStore::LocalFileName(image.Name);
    if (!image.Name.Empty() && image.Size != 0) {
      if (image.Size < 0) {
        report.reason = "negative image size in the carried-image section (image " +
                        std::to_string(i + 1) + " of " + std::to_string(n) + ")";
        r.Fail();
        return failAt("");
      }
      std::string path;
      if (store && store->ImageExtract && store->HasFolder()) {
        if (image.FileName.empty()) {
          report.warnings.push_back("image " + std::to_string(i + 1) +
                                    " has a name that is not a safe file name (\"" +
                                    ToUtf8(image.Name) + "\"); its data were skipped");
        } else {
          path = store->Folder() + image.FileName;
        }
      }
      std::FILE* out = path.empty() ? nullptr : OpenFile(path, "wb");
      if (!path.empty() && !out)
        report.warnings.push_back("image file " + image.FileName +
                                  " could not be created in the work folder");
      bool writeOk = true;
      std::uint64_t left = static_cast<std::uint32_t>(image.Size);
      buf.resize(1 << 16);
      while (left > 0) {
        std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(left, buf.size()));
        if (!r.Read(buf.data(), k)) break;
        if (out && writeOk && std::fwrite(buf.data(), 1, k, out) != k) writeOk = false;
        left -= k;
      }
      if (out) {
        if (std::fclose(out) != 0) writeOk = false;
        if (!r.Ok() || !writeOk) RemoveFile(path);
        if (r.Ok() && !writeOk)
          report.warnings.push_back("image file " + image.FileName +
                                    " could not be written in the work folder");
      }
      if (!r.Ok()) return failAt(", its data");
    }
    if (store) store->List.push_back(std::move(image));
  }
  return true;
}

void TJwwData::SetMacros() {
  macros.drawTime = DrawTimeText(Header.DrawTime);
  SplitMemo(Header.Memo, macros.memo1, macros.memo2);
  macros.printScale = Header.PrintScale;
}

void TJwwData::BuildBlockTree() {
  jww::BuildTree(*this);
}

void TJwwData::NumberBlocksFromScratch() {
  jww::NumberBlocksFromScratch(*this);
}

PublishedLayers TJwwData::PublishLayers() const {
  PublishedLayers out{};
  for (int i = 0; i < 256; ++i) {
    int g = i / 16;
    PublishedLayer& p = out[i];
    std::int32_t gs = LayerGroups.size() == 16 ? LayerGroups[g].State : 2;
    std::int32_t ls = Layers.size() == 256 ? Layers[i].State : 2;
    p.state = (gs == 0 || ls == 0) ? 3 : (gs == 1 || ls == 1) ? 2 : 1;
    if (Layers.size() == 256) p.name = Layers[i].Name;
    double scale = 0;
    if (LayerGroups.size() == 16) {
      p.groupName = LayerGroups[g].Name;
      scale = LayerGroups[g].Scale;
    }
    p.scale = scale == 0 ? 1.0 : 1.0 / scale;
  }
  return out;
}

// ---------------------------------------------------------------------------
// Writing

bool TJwwData::SaveToFile(const std::string& path, std::int32_t version) {
  saveWarnings.clear();
  return jww::SaveFile(path, saveError, saveRepairs_,
                       [&](ByteWriter& w) { return Save(w, version); });
}

bool TJwwData::SaveToBytes(std::int32_t version, std::vector<std::uint8_t>& out) {
  saveWarnings.clear();
  return jww::SaveBytes(out, saveError, saveRepairs_,
                        [&](ByteWriter& w) { return Save(w, version); });
}

namespace {

bool IsRgb(std::int32_t c) {
  return c >= 0 && c <= 0xFFFFFF;
}

}  // namespace

bool TJwwData::Save(ByteWriter& w, std::int32_t v) {
  if (LayerGroups.size() != 16 || Layers.size() != 256 || Pens.size() != 10 ||
      LineTypes.size() != 8 || RandLines.size() != 5 || DoubleLineTypes.size() != 4 ||
      ColorsEx.size() != 257 || LineTypesEx.size() != 33 || MojiStyles.size() != 10) {
    saveError = "no drawing is loaded (the header tables are missing)";
    return false;
  }
  // Carried images: open every one before anything is written, so that the
  // count written is the number of images that follow.
  struct OpenImage {
    const TBindImageType* image;
    std::unique_ptr<InputFile> file;
  };
  std::vector<OpenImage> carried;
  if (v > 699 && images_) {
    BindImageStore& store = *images_;
    for (auto& im : store.List) im.Used = 0;
    if (store.ImageExtract || store.ImageKeep) {
      std::vector<std::string> lowered;
      lowered.reserve(store.List.size());
      for (const auto& im : store.List) lowered.push_back(LowerAscii(ToUtf8(im.Name)));
      std::string part;
      auto mark = [&](const EncodedText& t) {
        if (!ImageNameOfText(t, part)) return;
        for (std::size_t i = 0; i < lowered.size(); ++i) {
          if (lowered[i].compare(0, part.size(), part) == 0) {
            store.List[i].Used = 1;
            break;
          }
        }
      };
      if (!store.List.empty()) {
        for (const auto& m : Moji) mark(m.Text);
        for (const auto& d : BlockDefs)
          for (const auto& m : d.Moji) mark(m.Text);
      }
      for (auto& im : store.List) {
        if (!im.Used) continue;
        std::string path = store.PathOf(im);
        auto file = path.empty() ? nullptr : std::make_unique<InputFile>(path);
        if (!file || !file->IsOpen()) {
          im.Used = 0;
          saveWarnings.push_back("the carried image " + ToUtf8(im.Name) +
                                 " is missing from the work folder and was left out");
          continue;
        }
        if (file->Size() > 0x7FFFFFFFu) {
          saveError = "the carried image " + im.FileName + " is too large (over 2 GiB)";
          return false;
        }
        carried.push_back(OpenImage{&im, std::move(file)});
      }
    }
  }

  // A value out of the format's range is written repaired, and noted.
  auto Repaired = [&](bool repair, std::int32_t value, std::int32_t written, const char* what) {
    if (!repair) return value;
    saveRepairs_.Note(what);
    return written;
  };
  auto Clamped = [&](auto value, decltype(value) lo, decltype(value) hi, const char* what) {
    if (!(value < lo) && !(value > hi)) return value;
    saveRepairs_.Note(what);
    return value < lo ? lo : hi;
  };
  auto WriteFiltered = [&](ByteWriter& w, const EncodedText& t) {
    EncodedText f;
    if (t.bytes.empty() || !jww::SaveFilter(t, f)) return jww::WriteString(w, t);
    saveRepairs_.Note(jww::RepairText(jww::kRepairStringFilter));
    jww::WriteString(w, f);
  };

  auto& h = Header;
  h.Magic = kJwwMagic;
  w.Write(h.Magic.data(), 8);
  w.I32(v);
  jww::WriteString(w, h.Memo);
  w.I32(h.PaperSize);
  w.I32(h.WriteLayerGroup);
  for (int g = 0; g < 16; ++g) {
    const auto& lg = LayerGroups[g];
    w.I32(lg.State);
    w.I32(lg.WriteLayer);
    w.F64(lg.Scale);
    w.I32(lg.Protect);
    for (int l = 0; l < 16; ++l) {
      w.I32(Layers[g * 16 + l].State);
      w.I32(Layers[g * 16 + l].Protect);
    }
  }
  w.Write(h.Reserved, sizeof h.Reserved);
  for (int i = 0; i < 5; ++i) w.I32(h.DimSettings[i]);
  w.I32(h.DimReserved);
  w.I32(Repaired(v <= 420 && h.MaxDrawWidth < -101, h.MaxDrawWidth, -101,
                 "maximum draw width below -101 written as -101"));
  w.F64(h.PrintOriginX);
  w.F64(h.PrintOriginY);
  w.F64(h.PrintScale);
  w.I32(h.PrintRotate90);
  w.I32(h.ScaleRulerMode);
  w.F64(h.ScaleRulerMinDisplay);
  w.F64(h.ScaleRulerPitchX);
  w.F64(h.ScaleRulerPitchY);
  w.F64(h.ScaleRulerRefX);
  w.F64(h.ScaleRulerRefY);
  for (const auto& l : Layers) WriteFiltered(w, l.Name);
  for (const auto& g : LayerGroups) WriteFiltered(w, g.Name);
  w.F64(h.ShadowLevel);
  w.F64(h.ShadowLatitude);
  w.I32(h.Shadow9To15);
  w.F64(h.WallShadowLevel);
  if (v > 230) {  // 44 bytes from version 231 on, as the reader reads them
    w.F64(h.SkyViewLevel);
    w.F64(h.SkyViewRadius);
  }
  w.I32(h.Unit3D);
  w.F64(h.ViewScale);
  w.F64(h.ViewOriginX);
  w.F64(h.ViewOriginY);
  w.F64(h.RangeScale);
  w.F64(h.RangeOriginX);
  w.F64(h.RangeOriginY);
  if (v > 230) {
    auto viewRecord = [&](const TJwwViewRecord& z) {
      w.F64(z.Scale);
      w.F64(z.X);
      w.F64(z.Y);
      w.I32(z.LayerGroup);
    };
    for (const auto& z : h.ZoomJumps) viewRecord(z);
    for (const auto& z : h.ViewRecords) viewRecord(z);
  } else {
    for (int i = 0; i < 4; ++i) {
      w.F64(h.ZoomJumps[i].Scale);
      w.F64(h.ZoomJumps[i].X);
      w.F64(h.ZoomJumps[i].Y);
    }
  }
  w.Write(&h.MultiLineSpacings,
          sizeof h.MultiLineSpacings);  // (packed: no references to the elements)
  w.F64(h.BothSidesSpacing);
  for (const auto& p : Pens) {
    w.I32(Repaired(!IsRgb(p.ScreenColor), p.ScreenColor, 0,
                   "screen pen colour out of range written as 0"));
    w.I32(Clamped(p.ScreenWidth, 1, 16, "screen pen width outside 1..16 written as the nearest"));
  }
  for (int n = 0; n < 10; ++n) {
    const auto& p = Pens[n];
    if (n == 0) {
      w.I32(Repaired(p.PrinterColor != 0xFFFFFF, p.PrinterColor, 0xFFFFFF,
                     "printer colour of pen 0 written as white"));
    } else {
      w.I32(Repaired(!IsRgb(p.PrinterColor), p.PrinterColor, 0,
                     "printer pen colour out of range written as 0"));
    }
    w.I32(
        Clamped(p.PrinterWidth, 1, 500, "printer pen width outside 1..500 written as the nearest"));
    w.F64(Clamped(p.PrinterPointRadius, 0.1, 10.0,
                  "point radius outside 0.1..10 written as the nearest"));
  }
  auto lineType = [&](const auto& t) {
    w.I32(t.Pattern);
    w.I32(t.UnitDots);
    w.I32(t.ScreenPitch);
    w.I32(t.PrinterPitch);
  };
  for (const auto& t : LineTypes) lineType(t);
  for (const auto& t : RandLines) {
    w.I32(t.Pattern);
    w.I32(t.ScreenAmplitude);
    w.I32(t.ScreenPitch);
    w.I32(t.PrinterAmplitude);
    w.I32(t.PrinterPitch);
  }
  for (const auto& t : DoubleLineTypes) lineType(t);
  w.Write(&h.Switches, sizeof h.Switches);
  {
    std::int64_t units = h.Switch11Units, tens = h.Switch11Tens;
    if (v > 599 && (units < 0 || tens <= 0)) {
      // From version 600 on the tens are at least 1; a negative units digit
      // would read back with other tens.
      saveRepairs_.Note("eleventh display switch written with units 0..9 and tens 1 or more");
      units = std::max<std::int64_t>(units, 0);
      tens = std::max<std::int64_t>(tens, 1);
    }
    w.I32(static_cast<std::int32_t>(units + 10 * tens));
  }
  if (v > 222) {
    w.I32(h.DrawTime);
    w.Write(&h.View25DInts, sizeof h.View25DInts);
    w.Write(&h.View25DDoubles, sizeof h.View25DDoubles);
  }
  if (v > 224) {
    w.F64(h.DefaultLength);
    w.F64(h.DefaultBoxWidth);
    w.F64(h.DefaultBoxHeight);
    w.F64(h.DefaultCircleRadius);
  }
  if (v > 229) {
    w.I32(h.SolidColoring);
    w.I32(h.DefaultSolidColor);
  }
  if (v > 419) {
    for (const auto& c : ColorsEx) {
      w.I32(c.ScreenColor);
      w.I32(c.ScreenWidth);
    }
    // Blank names, unused slots and their values are written as they stand.
    for (const auto& c : ColorsEx) {
      WriteFiltered(w, c.Name);
      w.I32(c.PrinterColor);
      w.I32(c.PrinterWidth);
      w.F64(c.PrinterPointRadius);
    }
    for (const auto& t : LineTypesEx) lineType(t);
    for (const auto& t : LineTypesEx) {
      WriteFiltered(w, t.Name);
      w.I32(t.Kind);
      for (double d : t.Params) w.F64(d);
    }
  }
  for (const auto& s : MojiStyles) {
    w.F64(s.Width);
    w.F64(s.Height);
    w.F64(s.Spacing);
    w.I32(s.ColorNumber);
  }
  w.Write(&h.TextEntryA, sizeof h.TextEntryA);
  w.Write(&h.TextEntryB, sizeof h.TextEntryB);
  w.Write(&h.TextEntryC, sizeof h.TextEntryC);
  w.I32(h.TextEntryD);
  w.Write(&h.TextEntryE, sizeof h.TextEntryE);

  if (!jww::WriteLists(w, v, *this, jww::TextRewrite::kNone, saveError, saveRepairs_)) return false;

  if (v > 699) {
    w.U32(static_cast<std::uint32_t>(carried.size()));
    std::vector<std::uint8_t> buf(1 << 16);
    for (auto& c : carried) {
      jww::WriteString(w, c.image->Name);
      std::uint64_t left = c.file->Size();
      w.U32(static_cast<std::uint32_t>(left));
      while (left > 0 && w.Ok()) {
        std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(left, buf.size()));
        if (std::fread(buf.data(), 1, k, c.file->Handle()) != k) {
          saveError = "could not read the carried image " + c.image->FileName;
          return false;
        }
        w.Write(buf.data(), k);
        left -= k;
      }
    }
  }
  return w.Ok();
}

}  // namespace quintaro
