// Arc sweep rules and image text sizes of the extents.
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "formats/extents/extents.h"

namespace quintaro {

namespace {

constexpr double kPi = 3.141592653589793;

// An angle in degrees brought into [0, 360). Equal to adding or subtracting
// 360 as often as needed (each such step is exact), but without looping on
// huge angles.
double Wrap360(double deg) {
  if (deg >= 0 && deg < 360.0) return deg;
  double r = std::fmod(deg, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0) r -= 360.0;
  return r;
}

// A number as a text field gives it: surrounding blanks allowed, anything
// else that is not a plain decimal number counts as 0.
double FieldNumber(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);  // from_chars takes no '+'
  const std::size_t first = (!s.empty() && s.front() == '-') ? 1 : 0;
  if (first >= s.size()) return 0.0;
  const char c = s[first];
  if (!(c == '.' || (c >= '0' && c <= '9'))) return 0.0;  // no "inf" or "nan", no second sign
  double v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return 0.0;
  return v;
}

bool ImageSizeOf(std::string_view s, double& width, double& height) {
  if (s.substr(0, 4) != "^@BM") return false;
  const std::size_t comma = s.find(',');
  if (comma == std::string_view::npos) return false;
  const std::string_view rest = s.substr(comma + 1);
  const std::size_t second = rest.find(',');
  if (second == std::string_view::npos) {
    width = height = FieldNumber(rest);
  } else {
    width = FieldNumber(rest.substr(0, second));
    height = FieldNumber(rest.substr(second + 1));
  }
  return true;
}

}  // namespace

int ArcAxisMask(double start, double sweep) {
  int mask = 0;
  if (sweep >= 360.0 - start) mask |= 1;
  for (int k = 1; k <= 3; ++k) {
    double gap = k * 90.0 - start;
    if (gap < 0) gap += 360.0;
    if (sweep >= gap) mask |= 1 << k;
  }
  return mask;
}

int JwwArcAxisMask(double startRad, double arcRad) {
  double s = Wrap360(startRad * 180.0 / kPi);
  double w = arcRad * 180.0 / kPi;
  if (w < 0) {
    s += w;  // not wrapped again
    w = -w;
  }
  return ArcAxisMask(s, w);
}

int JwcArcAxisMask(double startDeg, double endDeg) {
  const double s = Wrap360(startDeg);
  const double w = Wrap360(endDeg - s);
  if (std::fabs(w) < 1e-14 || std::fabs(w - 360.0) < 1e-14) return -1;
  return ArcAxisMask(s, w);
}

bool ImageTextSize(const EncodedText& text, double& width, double& height) {
  const std::string& b = text.bytes;
  if (text.encoding == TextEncoding::kCp932) return ImageSizeOf(b, width, height);
  // UTF-16LE: decoded only when it is an image text.
  if (b.size() < 8 || b.compare(0, 8, std::string_view("^\0@\0B\0M\0", 8)) != 0) return false;
  return ImageSizeOf(ToUtf8(text), width, height);
}

}  // namespace quintaro
