// Reads arbitrary text as the settings file; what it reads must format to
// a text that reads back the same, and formatting that again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaro;
  std::string text(reinterpret_cast<const char*>(data), size);
  AppSettings first = ParseSettings(text);
  std::string once = FormatSettings(first);
  AppSettings second = ParseSettings(once);
  if (!(second == first)) std::abort();
  if (FormatSettings(second) != once) std::abort();
  // Single lookups of keys that are not the program's own.
  const std::string section = text.substr(0, text.find('\n') % 16);
  (void)ReadProfileString(text, section, "ZFILE", size % 600);
  (void)ProfileInt(text.substr(0, 24));
  return 0;
}
