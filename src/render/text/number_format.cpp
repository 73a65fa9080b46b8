#include "render/text/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quintaro::render {

namespace {

// "1.5E-05" -> "1.5E-5", "1E+20" -> "1E20".
std::string TidyExponent(const std::string& s) {
  auto e = s.find('E');
  if (e == std::string::npos) return s;
  std::string mantissa = s.substr(0, e);
  int exponent = std::atoi(s.c_str() + e + 1);
  return mantissa + "E" + std::to_string(exponent);
}

}  // namespace

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  return TidyExponent(buf);
}

std::string FormatFixed(double value, int decimals, bool separators) {
  if (!std::isfinite(value)) return FormatGeneral(value);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  std::string s = buf;
  if (!separators) return s;
  std::size_t start = s[0] == '-' ? 1 : 0;
  std::size_t end = s.find('.');
  if (end == std::string::npos) end = s.size();
  for (std::size_t i = end; i > start + 3; i -= 3) s.insert(i - 3, ",");
  return s;
}

double RoundHalfUp(double value, int decimals) {
  double f = std::pow(10.0, decimals);
  return std::floor(value * f + 0.5) / f;
}

}  // namespace quintaro::render
