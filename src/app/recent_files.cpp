#include "app/recent_files.h"

#include <algorithm>
#include <optional>

#include "app/settings_file.h"

namespace quintaro::app {

namespace {

constexpr char kSection[] = "Recent";
constexpr std::size_t kPathBuffer = 4096;

std::string Key(int i) {
  return "FILE" + std::to_string(i);
}

}  // namespace

std::vector<std::string> ParseRecentFiles(const std::string& settingsText) {
  std::vector<std::string> files;
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    std::optional<std::string> path =
        ReadProfileString(settingsText, kSection, Key(i), kPathBuffer);
    if (path && std::find(files.begin(), files.end(), *path) == files.end()) {
      files.push_back(*path);
    }
  }
  return files;
}

std::string FormatRecentFiles(const std::vector<std::string>& files) {
  if (files.empty()) return {};
  std::string text = std::string("[") + kSection + "]\r\n";
  int i = 0;
  for (const std::string& path : files) {
    if (++i > kMaxRecentFiles) break;
    text += Key(i) + "=\"" + path + "\"\r\n";
  }
  return text;
}

void AddRecentFile(std::vector<std::string>& files, const std::string& path) {
  RemoveRecentFile(files, path);
  files.insert(files.begin(), path);
  if (files.size() > kMaxRecentFiles) files.resize(kMaxRecentFiles);
}

void RemoveRecentFile(std::vector<std::string>& files, const std::string& path) {
  files.erase(std::remove(files.begin(), files.end(), path), files.end());
}

}  // namespace quintaro::app
