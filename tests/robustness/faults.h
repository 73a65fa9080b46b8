// Ways to make a save fail that bind root as well as other users, and what
// a failed save must leave behind. Header-only: the Qt tests use it too.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace quintaro::test {

// Makes a file or folder unwritable for the guard's life: the immutable
// flag, which root cannot write through either, or, for other users where
// the file system refuses the flag, the permission bits.
class ReadOnly {
 public:
  explicit ReadOnly(std::string path) : path_(std::move(path)) {
    immutable_ = SetImmutable(true);
    if (!immutable_ && geteuid() != 0 && stat(path_.c_str(), &old_) == 0) {
      moded_ = chmod(path_.c_str(), old_.st_mode & ~0222) == 0;
    }
  }
  ~ReadOnly() {
    if (immutable_) SetImmutable(false);
    if (moded_) chmod(path_.c_str(), old_.st_mode);
  }
  ReadOnly(const ReadOnly&) = delete;
  ReadOnly& operator=(const ReadOnly&) = delete;
  bool Ok() const { return immutable_ || moded_; }
  // The errno a write through the guard meets.
  int Error() const { return immutable_ ? EPERM : EACCES; }
  static constexpr const char* kWhyNot =
      "running as root on a file system without the immutable flag: nothing makes a file "
      "read-only for root here (the cases that bind root are tested apart)";

 private:
  bool SetImmutable(bool on) {
    int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return ok;
  }

  std::string path_;
  struct stat old_ {};
  bool immutable_ = false;
  bool moded_ = false;
};

// Files of this process may grow to `bytes` at most while the guard lives;
// a write past it fails (EFBIG) instead of raising SIGXFSZ: the disk is full.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = SIG_DFL;
};

// A file's bytes and modification time.
struct Snapshot {
  std::vector<std::uint8_t> bytes;
  std::filesystem::file_time_type time;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

inline Snapshot Snap(const std::string& path) {
  return {ReadAll(path), std::filesystem::last_write_time(path)};
}

// Gives a file a time stamp a day old, so that any write would show.
inline void Age(const std::string& path) {
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(24));
}

// The names in `folder`, sorted (temporary files of a save included).
inline std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace quintaro::test
