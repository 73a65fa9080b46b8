// File access through the wide Windows API: names are UTF-8 in the program
// and UTF-16 for the system, so any name Windows allows can be read and
// written (a drawing 平面図.jww in a folder 受取).
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <random>

#include "formats/common/file_io.h"
#include "formats/common/wide_text.h"

namespace quintaro {

namespace {

// The errno nearest to a Windows error, so that reasons read as on Linux.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return EIO;
  }
}

int LastErrno() {
  return ErrnoOf(GetLastError());
}

std::string RandomSuffix() {
  static std::mt19937_64 rng{std::random_device{}() ^ GetCurrentProcessId()};
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string s;
  for (int i = 0; i < 10; ++i) s += kDigits[rng() % 36];
  return s;
}

// A handle that reads no data, only what the file is.
HANDLE OpenForIdentity(const std::string& path) {
  return CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

std::filesystem::path FsPath(const std::string& name) {
  return std::filesystem::path(Widen(name));
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
}

bool RemoveFile(const std::string& path) {
  return DeleteFileW(Widen(path).c_str()) != 0;
}

std::optional<std::time_t> FileModifiedTime(const std::string& path) {
  struct _stat64 st {};
  if (_wstat64(Widen(path).c_str(), &st) != 0) return std::nullopt;
  return static_cast<std::time_t>(st.st_mtime);
}

bool SameFile(const std::string& a, const std::string& b) {
  HANDLE ha = OpenForIdentity(a);
  if (ha == INVALID_HANDLE_VALUE) return false;
  HANDLE hb = OpenForIdentity(b);
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  bool same = hb != INVALID_HANDLE_VALUE && GetFileInformationByHandle(ha, &ia) &&
              GetFileInformationByHandle(hb, &ib) &&
              ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
              ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
  CloseHandle(ha);
  if (hb != INVALID_HANDLE_VALUE) CloseHandle(hb);
  return same;
}

InputFile::InputFile(const std::string& path) {
  file_ = _wfopen(Widen(path).c_str(), L"rb");
  if (!file_) return;
  struct _stat64 st {};
  if (_fstat64(_fileno(file_), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(file_);
    file_ = nullptr;
    return;
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
  std::wstring wtarget = Widen(target_);
  DWORD attributes = GetFileAttributesW(wtarget.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // A read-only target is not replaced, although the folder would allow
    // it; a folder in its place is no file to replace.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      error_ = EISDIR;
      return;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
      error_ = EACCES;
      return;
    }
  }
  std::filesystem::path t = FsPath(target_);
  for (int attempt = 0; attempt < 16 && !file_; ++attempt) {
    std::filesystem::path temp =
        t.parent_path() / (L"." + t.filename().wstring() + L".tmp-" + Widen(RandomSuffix()));
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      error_ = LastErrno();
      if (error_ == EEXIST) continue;
      break;
    }
    temp_ = Narrow(temp.wstring());
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    file_ = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (!file_) {
      error_ = errno;
      if (fd < 0) {
        CloseHandle(h);
      } else {
        _close(fd);
      }
      DeleteFileW(temp.c_str());
      temp_.clear();
      break;
    }
  }
}

bool AtomicFile::SyncToDisk() {
  if (FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file_))))) return true;
  error_ = LastErrno();
  return false;
}

// One rename that replaces the target, written through before it returns.
bool AtomicFile::RenameOverTarget() {
  if (MoveFileExW(Widen(temp_).c_str(), Widen(target_).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  error_ = LastErrno();
  return false;
}

WorkFolder::WorkFolder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) return;
  std::filesystem::path base(std::wstring(buffer, n));
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::filesystem::path dir = base / (L"quintaro-" + Widen(RandomSuffix()));
    if (CreateDirectoryW(dir.c_str(), nullptr)) {
      path_ = Narrow(dir.wstring()) + "/";
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

}  // namespace quintaro
