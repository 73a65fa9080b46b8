// The one Qt application object of the benchmark program (widgets when the
// desktop program is built in, else a plain GUI application), offscreen.
#pragma once

namespace quintaro::bench {
void EnsureQtApp();
}
