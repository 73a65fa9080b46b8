// Texts that stand for a value: file name, dates and times, memo lines and
// scales. A macro applies only when the whole text is the macro.
#pragma once

#include <string>
#include <string_view>

#include "render/canvas/draw_context.h"

namespace quintaro::render {

// Puts the Shift-JIS replacement of `text` into `out` and returns true when
// the text is a macro. A text beginning with "%%" that is no macro comes back
// unchanged, also with true (it is drawn without control sequences).
bool SubstituteMacro(const DrawContext& dc, std::string_view text, std::string& out);

// Era name (Shift-JIS) and the year within the era; an empty name before
// the first era.
struct EraYear {
  std::string_view name;
  int year = 0;
};
EraYear JapaneseEra(const DateTime& t);

}  // namespace quintaro::render
