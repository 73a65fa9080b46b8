// `render` in a build without Qt (the Windows build): drawing needs Qt's
// painter, so the command refuses plainly instead of writing nothing.
#include "cli/commands.h"
#include "cli/session.h"

namespace quintaro::cli {

int RunRender(const RenderOptions&, Io io) {
  Error(io,
        "render: this build cannot draw (it was built without Qt); "
        "info, convert, move and demo work as usual");
  return 1;
}

}  // namespace quintaro::cli
