#include "formats/jww/bind_images.h"

#include "formats/common/file_io.h"

namespace quintaro {

BindImageStore::BindImageStore() = default;

BindImageStore::BindImageStore(std::string folder) {
  SetFolder(std::move(folder));
}

BindImageStore::~BindImageStore() = default;

void BindImageStore::SetFolder(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  folder_ = std::move(folder);
  ownFolder_ = false;
}

void BindImageStore::UseWorkFolder() {
  ownFolder_ = true;
  folder_ = work_ ? work_->Path() : "";
}

std::FILE* BindImageStore::CreateImageFile(const TBindImageType& image) {
  if (image.FileName.empty()) return nullptr;
  if (ownFolder_ && !work_) {
    work_ = std::make_unique<WorkFolder>();
    folder_ = work_->Path();
  }
  if (folder_.empty()) return nullptr;
  if (ownFolder_) work_->Track(image.FileName);
  std::FILE* file = OpenFile(folder_ + image.FileName, "wb");
  if (!file) Forget(image.FileName);
  return file;
}

void BindImageStore::RemoveImageFile(const TBindImageType& image) {
  if (folder_.empty() || image.FileName.empty()) return;
  RemoveFile(folder_ + image.FileName);
  Forget(image.FileName);
}

void BindImageStore::Forget(const std::string& fileName) {
  if (ownFolder_ && work_) work_->Forget(fileName);
}

std::string BindImageStore::LocalFileName(const EncodedText& name) {
  if (name.encoding == TextEncoding::kCp932) return IsSafeFileName(name.bytes) ? name.bytes : "";
  // UTF-16LE: check the code units themselves, then use the UTF-8 form.
  const std::string& b = name.bytes;
  std::size_t units = b.size() / 2;
  if (units == 0) return "";
  for (std::size_t i = 0; i < units; ++i) {
    unsigned u =
        static_cast<unsigned char>(b[2 * i]) | (static_cast<unsigned char>(b[2 * i + 1]) << 8);
    if (u == 0 || u == '/' || u == '\\' || u == ':') return "";
  }
  std::string utf8 = Utf16leToUtf8(b.substr(0, units * 2));
  if (utf8.empty() || utf8 == "." || utf8 == ".." ||
      utf8.find_first_of(std::string("/\\:\0", 4)) != std::string::npos)
    return "";
  return utf8;
}

std::string BindImageStore::PathOf(const TBindImageType& image) const {
  if (folder_.empty() || image.FileName.empty()) return "";
  return folder_ + image.FileName;
}

void BindImageStore::DeleteFiles() {
  if (!folder_.empty()) {
    for (const auto& image : list) {
      if (image.FileName.empty()) continue;
      RemoveImageFile(image);
      const std::string& n = image.FileName;
      if (n.size() > 3 && n.compare(n.size() - 3, 3, ".gz") == 0) {
        std::string bare = n.substr(0, n.size() - 3);
        if (bare != "." && bare != "..") RemoveFile(folder_ + bare);
      }
    }
  }
  list.clear();
}

}  // namespace quintaro
