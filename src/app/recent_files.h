// The last drawings opened, newest first, kept in the settings file as the
// section "Recent" with the keys FILE1 ... FILE8.
#pragma once

#include <string>
#include <vector>

namespace quintaro::app {

inline constexpr int kMaxRecentFiles = 8;

std::vector<std::string> ParseRecentFiles(const std::string& settingsText);
// The section's lines, each ended by CR LF; nothing for no files.
std::string FormatRecentFiles(const std::vector<std::string>& files);
// Puts `path` first, drops its older entry and keeps at most eight.
void AddRecentFile(std::vector<std::string>& files, const std::string& path);
void RemoveRecentFile(std::vector<std::string>& files, const std::string& path);

}  // namespace quintaro::app
