// The offscreen platform finds fonts through fontconfig, as the desktop does.
#include "render/qt/render_image.h"

namespace quintaro::render {

void UseSystemFontsOffscreen() {}

}  // namespace quintaro::render
