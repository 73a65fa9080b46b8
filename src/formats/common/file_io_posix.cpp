// File access through POSIX calls: names are passed on as they are.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>

#include "formats/common/file_io.h"

namespace quintaro {

std::filesystem::path FsPath(const std::string& name) {
  return std::filesystem::path(name);
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

std::optional<std::time_t> FileModifiedTime(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return st.st_mtime;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

InputFile::InputFile(const std::string& path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return;
  struct stat st {};
  if (fstat(fileno(file_), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(file_);
    file_ = nullptr;
    return;
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

namespace {
std::string RandomSuffix() {
  static std::mt19937_64 rng{std::random_device{}() ^ static_cast<std::uint64_t>(getpid())};
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string s;
  for (int i = 0; i < 10; ++i) s += kDigits[rng() % 36];
  return s;
}
}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
  namespace fs = std::filesystem;
  // A target its owner made read-only is not replaced either, although the
  // folder would allow the rename.
  if (::access(target_.c_str(), F_OK) == 0 && ::access(target_.c_str(), W_OK) != 0) {
    error_ = errno;
    return;
  }
  fs::path t(target_);
  for (int attempt = 0; attempt < 16 && !file_; ++attempt) {
    temp_ = (t.parent_path() / ("." + t.filename().string() + ".tmp-" + RandomSuffix())).string();
    int fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      error_ = errno;
      if (errno == EEXIST) continue;
      break;
    }
    file_ = fdopen(fd, "wb");
    if (!file_) {
      error_ = errno;
      ::close(fd);
    }
  }
  if (!file_) temp_.clear();
}

bool AtomicFile::SyncToDisk() {
  if (fsync(fileno(file_)) == 0) return true;
  error_ = errno;
  return false;
}

bool AtomicFile::RenameOverTarget() {
  if (std::rename(temp_.c_str(), target_.c_str()) == 0) return true;
  error_ = errno;
  return false;
}

WorkFolder::WorkFolder() {
  namespace fs = std::filesystem;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::error_code ec;
  fs::path base = (runtime && *runtime && fs::is_directory(runtime, ec))
                      ? fs::path(runtime)
                      : fs::temp_directory_path(ec);
  if (ec || base.empty()) base = "/tmp";
  std::string templ = (base / "quintaro-XXXXXX").string();
  if (mkdtemp(templ.data())) path_ = templ + "/";
}

}  // namespace quintaro
