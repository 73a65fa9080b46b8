// The settings file: the placement of the three windows, the last drawing
// and two display options. Read once at start, written whole at exit.
#pragma once

#include <string>

#include "settings/settings_text.h"

namespace quintaro::app {

// A missing or unreadable file gives the defaults.
AppSettings ReadSettings(const std::string& path);

// Replaces the file (creating its folder); false when it cannot be written,
// in which case an existing file is left as it was.
bool WriteSettings(const std::string& path, const AppSettings& settings);

}  // namespace quintaro::app
