// The work folders of this process and the files in them, removed when a
// signal ends the process before their owners could remove them (a pipe
// closed early, Ctrl+C, a kill; on Windows the console's Ctrl+C and close).
//
// A signal handler may only unlink and rmdir, so the table lives in memory
// that is never freed, and every path is copied in whole before its entry is
// marked live. Used by WorkFolder; the handlers are in file_io_posix.cpp and
// file_io_win.cpp.
#pragma once

#include <string>

namespace quintaro::exit_cleanup {

struct Entry;

// Remembers a file or folder to remove; installs the handlers on first use.
// Null when the path is too long for the table (it is then removed only by
// its owner).
Entry* Remember(const std::string& path, bool folder);
// The owner removed it (or is about to): a signal must not.
void Forget(Entry* entry);

// Removes every remembered file, then every remembered folder. Safe inside
// a signal handler when the two functions are.
void RemoveAll(int (*removeFile)(const char*), int (*removeFolder)(const char*));

// Platform part: installs the handlers that call RemoveAll, once.
void InstallHandlers();

}  // namespace quintaro::exit_cleanup
