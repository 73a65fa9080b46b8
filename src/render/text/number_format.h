// Number texts as the drawing shows them.
#pragma once

#include <string>

namespace quintaro::render {

// Shortest general form with 15 significant digits: "0.5", "100", "1E-5".
std::string FormatGeneral(double value);
// Fixed `decimals` places, with "," between thousands when `separators`.
std::string FormatFixed(double value, int decimals, bool separators);
// Rounds half up (towards +infinity at .5) to `decimals` places.
double RoundHalfUp(double value, int decimals);

}  // namespace quintaro::render
