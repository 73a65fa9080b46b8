// The parts of file access that every platform shares; the system calls are
// in file_io_posix.cpp and file_io_win.cpp.
#include "formats/common/file_io.h"

#include <cerrno>
#include <cstring>

namespace quintaro {

bool FileStartsWith(const std::string& path, const std::string& magic) {
  InputFile in(path);
  if (!in.IsOpen() || in.Size() < magic.size()) return false;
  std::string head(magic.size(), '\0');
  if (std::fread(head.data(), 1, head.size(), in.Handle()) != head.size()) return false;
  return head == magic;
}

AtomicFile::~AtomicFile() {
  Abandon();
}

bool AtomicFile::Commit() {
  if (!file_) return false;
  bool ok = std::fflush(file_) == 0;
  if (!ok) error_ = errno;
  ok = ok && SyncToDisk();
  if (std::fclose(file_) != 0 && ok) {
    error_ = errno;
    ok = false;
  }
  file_ = nullptr;
  ok = ok && RenameOverTarget();
  if (!ok) RemoveFile(temp_);
  temp_.clear();
  return ok;
}

void AtomicFile::Abandon() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) RemoveFile(temp_);
  temp_.clear();
}

bool WriteFileAtomically(const std::string& path, const std::function<bool(ByteWriter&)>& body,
                         std::string* why) {
  auto fail = [why](int error) {
    if (why && error != 0) *why = std::strerror(error);
    return false;
  };
  AtomicFile out(path);
  if (!out.IsOpen()) return fail(out.Error());
  ByteWriter w(out.Handle());
  bool written = body(w);
  // A body that refused without a failed write has its own reason.
  if (!written && w.Ok()) return false;
  if (!written || !w.Flush()) return fail(w.Error());  // ~AtomicFile removes the temporary file
  return out.Commit() || fail(out.Error());
}

WorkFolder::~WorkFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(FsPath(path_), ec);
}

bool IsSafeFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    // A Shift-JIS trail byte may be 0x5C; it is part of a character, not a separator.
    if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (c == '/' || c == '\\' || c == '\0' || c == ':') return false;
  }
  return true;
}

}  // namespace quintaro
