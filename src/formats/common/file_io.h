// File access shared by the readers and writers: opening for a streamed
// read, atomic replacement of a target file, and the per-process work folder.
// File names are narrow strings: UTF-8 on Windows (the system's UTF-16 names
// are converted at this boundary), the bytes as given elsewhere.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "formats/common/bytes.h"

namespace quintaro {

// A file opened read-only with its size known up front.
class InputFile {
 public:
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  std::uint64_t Size() const { return size_; }
  std::FILE* Handle() const { return file_; }

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
};

// The file system's path for a narrow file name. Every std::filesystem call
// takes its names through this: on Windows a plain std::string would be read
// in the C locale, not as UTF-8.
std::filesystem::path FsPath(const std::string& name);

// std::fopen for a narrow file name.
std::FILE* OpenFile(const std::string& path, const char* mode);
// Deletes a file; false when it could not be deleted.
bool RemoveFile(const std::string& path);
// True when both names reach the same existing file, whatever their spelling
// (links, case on Windows, short names): by device and inode on Linux, by
// volume serial number and file index on Windows.
bool SameFile(const std::string& a, const std::string& b);

// When the file was last written (seconds since 1970), or nullopt.
std::optional<std::time_t> FileModifiedTime(const std::string& path);

// True when the file starts with exactly these bytes. Any error gives false.
bool FileStartsWith(const std::string& path, const std::string& magic);

// Writes a file through a temporary file beside the target: the target is
// replaced only when every byte was written and synced. On failure the
// temporary file is removed and an existing target is left as it was.
class AtomicFile {
 public:
  explicit AtomicFile(std::string target);
  ~AtomicFile();  // abandons the write unless Commit() succeeded
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  std::FILE* Handle() const { return file_; }
  // Flushes, syncs and renames over the target.
  bool Commit();
  void Abandon();
  // The errno of the step that failed (creating the file or committing it);
  // on Windows the system's error translated to the nearest errno.
  int Error() const { return error_; }

 private:
  // The steps of Commit() that differ by platform; false with error_ set.
  bool SyncToDisk();
  bool RenameOverTarget();

  std::string target_;
  std::string temp_;
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

// Runs `body` with a writer over a new temporary file beside `path` and
// replaces `path` with it when body returns true and every write succeeded.
// When a write fails, `why` (if given) receives the system's reason, e.g.
// "No space left on device"; it is left alone when body refused.
bool WriteFileAtomically(const std::string& path, const std::function<bool(ByteWriter&)>& body,
                         std::string* why = nullptr);

// A folder of this process alone, removed with its content when destroyed.
// Created under $XDG_RUNTIME_DIR when set, else under the system's temporary
// folder (%TEMP% on Windows).
class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  bool IsValid() const { return !path_.empty(); }
  // The folder with a trailing '/', or empty when it could not be created.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// True when `name` (Shift-JIS bytes) can be used as a plain file name inside a folder: not
// empty, no path separator, no drive prefix, not "." or "..", no NUL.
bool IsSafeFileName(const std::string& name);

}  // namespace quintaro
