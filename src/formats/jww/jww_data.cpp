#include "formats/jww/jww_data.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "formats/common/bytes.h"
#include "formats/common/file_io.h"
#include "formats/jww/jww_container.h"
#include "formats/jww/jww_header.h"
#include "formats/jww/jww_string.h"

namespace quintaro {

namespace {

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
  Trailer.Clear();
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
         a.SaveMode == b.SaveMode && a.Trailer == b.Trailer;
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
    jww::EndLoad(loadReport, r, false, where, false);
    SetMacros();
    BuildBlockTree();
    return false;
  }
  const std::int32_t v = h.Version;
  if (v < 220) {
    loadReport.failOffset = 8;
    loadReport.reason = "version " + std::to_string(v) + " is below 220 and not supported";
    return false;
  }

  bool outOfMemory = false;
  std::string headerPart;
  bool ok = jww::ReadJwwHeader(r, v, *this, headerPart);
  if (!ok) where = "the header (" + headerPart + ")";
  if (ok) ok = jww::ReadLists(r, v, *this, where, outOfMemory);
  if (ok && v > 699) {
    ok = ReadImages(r, where);
  }
  // Unless the image section was passed over unread, the rest of the file
  // is bytes after the last section.
  const bool imagesUnread = v > 699 && images_ && !images_->keepImages && !images_->extractImages;
  if (ok && !imagesUnread && !Trailer.ReadRest(r)) {
    where = "the bytes after the last section";
    ok = false;
    outOfMemory = true;
  }
  jww::EndLoad(loadReport, r, ok, where, outOfMemory);
  SetMacros();
  BuildBlockTree();
  return ok;
}

bool TJwwData::ReadImages(ByteReader& r, std::string& where) {
  BindImageStore* store = images_;
  if (store && !store->keepImages && !store->extractImages) return true;  // the section is not read
  if (store) store->list.clear();
  std::uint32_t n = r.U32();
  if (!r.Ok()) {
    where = "the carried-image section (its count)";
    return false;
  }
  // An entry takes at least 5 bytes (empty name, size).
  std::uint64_t bound = std::min<std::uint64_t>(n, r.Remaining() / 5);
  if (store) store->list.reserve(static_cast<std::size_t>(bound));
  std::vector<std::uint8_t> buf;
  for (std::uint32_t i = 0; i < n; ++i) {
    auto failAt = [&](const char* what) {
      char b[160];
      std::snprintf(b, sizeof b, "the carried-image section (image %u of %u%s)", i + 1, n, what);
      where = b;
      return false;
    };
    TBindImageType image;
    if (!jww::ReadCleanString(r, image.Name, &loadReport.stringsCleaned)) return failAt("");
    image.Size = r.I32();
    if (!r.Ok()) return failAt("");
    image.FileName = BindImageStore::LocalFileName(image.Name);
    if (!image.Name.Empty() && image.Size != 0) {
      if (image.Size < 0) {
        loadReport.reason = "negative image size in the carried-image section (image " +
                            std::to_string(i + 1) + " of " + std::to_string(n) + ")";
        r.Fail();
        return failAt("");
      }
      const bool extract = store && store->extractImages && store->HasFolder();
      if (extract && image.FileName.empty()) {
        loadReport.warnings.push_back("image " + std::to_string(i + 1) +
                                      " has a name that is not a safe file name (\"" +
                                      ToUtf8(image.Name) + "\"); its data were skipped");
      }
      std::FILE* out = extract ? store->CreateImageFile(image) : nullptr;
      if (extract && !image.FileName.empty() && !out)
        loadReport.warnings.push_back("image file " + image.FileName +
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
        if (!r.Ok() || !writeOk) store->RemoveImageFile(image);
        if (r.Ok() && !writeOk)
          loadReport.warnings.push_back("image file " + image.FileName +
                                        " could not be written in the work folder");
      }
      if (!r.Ok()) return failAt(", its data");
    }
    if (store) store->list.push_back(std::move(image));
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
    p.state = (gs == 0 || ls == 0)   ? kLayerHidden
              : (gs == 1 || ls == 1) ? kLayerDisplayOnly
                                     : kLayerNormal;
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

bool TJwwData::HasHeaderTables() const {
  return LayerGroups.size() == 16 && Layers.size() == 256 && Pens.size() == 10 &&
         LineTypes.size() == 8 && RandLines.size() == 5 && DoubleLineTypes.size() == 4 &&
         ColorsEx.size() == 257 && LineTypesEx.size() == 33 && MojiStyles.size() == 10;
}

std::vector<bool> TJwwData::ShownImages(std::int32_t v) const {
  std::vector<bool> shown;
  if (v <= 699 || !images_ || !(images_->extractImages || images_->keepImages)) return shown;
  const auto& list = images_->list;
  shown.assign(list.size(), false);
  if (list.empty()) return shown;
  std::vector<std::string> lowered;
  lowered.reserve(list.size());
  for (const auto& im : list) lowered.push_back(LowerAscii(ToUtf8(im.Name)));
  std::string part;
  auto mark = [&](const EncodedText& t) {
    if (!ImageNameOfText(t, part)) return;
    for (std::size_t i = 0; i < lowered.size(); ++i) {
      if (lowered[i].compare(0, part.size(), part) == 0) {
        shown[i] = true;
        break;
      }
    }
  };
  for (const auto& m : Moji) mark(m.Text);
  for (const auto& d : BlockDefs)
    for (const auto& m : d.Moji) mark(m.Text);
  return shown;
}

namespace {
// Only images that a text shows are written, as the program always has;
// one that none shows is a loss the save tells.
constexpr const char* kUnshownImage = "carried image that no text shows left out";
}  // namespace

RepairLog TJwwData::PlannedRepairs() const {
  RepairLog log;
  if (!HasHeaderTables()) return log;  // a save is refused
  const std::int32_t v = Header.Version;
  jww::NoteLoadChanges(loadReport, log);
  const std::vector<bool> shown = ShownImages(v);
  log.Note(kUnshownImage, std::count(shown.begin(), shown.end(), false));
  jww::NoteJwwHeaderRepairs(v, *this, log);
  jww::NoteListRepairs(v, *this, jww::TextRewrite::kNone, log);
  return log;
}

bool TJwwData::Save(ByteWriter& w, std::int32_t v) {
  if (!HasHeaderTables()) {
    saveError = "no drawing is loaded (the header tables are missing)";
    return false;
  }
  jww::NoteLoadChanges(loadReport, saveRepairs_);
  // Carried images: open every one before anything is written, so that the
  // count written is the number of images that follow.
  struct OpenImage {
    const TBindImageType* image;
    std::unique_ptr<InputFile> file;
  };
  std::vector<OpenImage> carried;
  if (v > 699 && images_) {
    BindImageStore& store = *images_;
    const std::vector<bool> shown = ShownImages(v);
    for (std::size_t i = 0; i < store.list.size(); ++i)
      store.list[i].Used = i < shown.size() && shown[i];
    saveRepairs_.Note(kUnshownImage, std::count(shown.begin(), shown.end(), false));
    for (auto& im : store.list) {
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

  auto& h = Header;
  h.Magic = kJwwMagic;
  w.Write(h.Magic.data(), 8);
  w.I32(v);
  jww::WriteJwwHeader(w, v, *this, saveRepairs_);

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
  Trailer.WriteTo(w);
  return w.Ok();
}

}  // namespace quintaro
