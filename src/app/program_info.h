// Shows the answer to --help or --version before any window exists.
#pragma once

namespace quintaro::app {

// `text` (UTF-8) on standard output; on Windows, where a program started
// from the desktop has none, in a message box instead.
void ShowProgramInfo(const char* text);

}  // namespace quintaro::app
