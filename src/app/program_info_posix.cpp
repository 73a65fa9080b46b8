#include <cstdio>

#include "app/program_info.h"

namespace quintaro::app {

void ShowProgramInfo(const char* text) {
  std::fputs(text, stdout);
}

}  // namespace quintaro::app
