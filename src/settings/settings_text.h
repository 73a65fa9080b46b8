// The text of the desktop program's settings file: the values it keeps,
// the profile lookup that reads one value, and the parsing and formatting
// of the whole file. Free of Qt, so that the fuzzers read it too.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quintaro {

struct WindowBounds {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

// Main window, first layer window, second layer window.
inline constexpr std::array<WindowBounds, 3> kDesignedBounds{
    {{192, 107, 555, 423}, {304, 262, 503, 376}, {234, 173, 503, 376}}};

struct AppSettings {
  std::array<WindowBounds, 3> windows = kDesignedBounds;  // F01_ .. F03_
  std::string lastFile;                                   // ZFILE (UTF-8)
  int backBlack = 0;                                      // BKCOL: 0 white, 1 black
  int grayEmpty = 0;                                      // LGRAY: 0 off, 1 on
  std::vector<std::string> recentFiles;                   // [Recent], newest first
  friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// One value of an INI text as the profile lookup gives it: sections and
// keys compared without regard to case, blanks around keys and values
// dropped, one pair of enclosing double quotes removed, and the value cut
// to bufferSize - 1 bytes. A missing key and an empty value are alike: none.
std::optional<std::string> ReadProfileString(const std::string& text, const std::string& section,
                                             const std::string& key, std::size_t bufferSize);

// A decimal integer (optional sign); 0 for anything else, overflow included.
int ProfileInt(const std::string& text);

AppSettings ParseSettings(const std::string& text);
// The 17 lines of the file, each ended by CR LF.
std::string FormatSettings(const AppSettings& settings);

}  // namespace quintaro
