#include "views/tool_place.h"

#include <algorithm>

namespace tarvik::views {

ScreenPoint place_tool_window(const ScreenRect& drawing, int dx, int dy, int w, int h,
                              const ScreenRect& screen) {
    int x = drawing.left + dx;
    int y = drawing.top + dy;
    // The right and bottom edges first, so that a window too large for the
    // screen ends with its title bar on it.
    x = std::min(x, screen.left + screen.width - w);
    y = std::min(y, screen.top + screen.height - h);
    x = std::max(x, screen.left);
    y = std::max(y, screen.top);
    return {x, y};
}

}  // namespace tarvik::views
