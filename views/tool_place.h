// Where a tool window opens: at its offsets from the top-left corner of its
// parent window's drawing (so below the parent's menu bar), moved back onto
// the screen where it would stand out of it.
#pragma once

namespace tarvik::views {

// A rectangle on the screen, pixels, y downward.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

// Top-left corner for a tool window of size (w, h) at (dx, dy) from the
// drawing's top-left, kept inside screen; a window larger than the screen
// keeps its top-left corner on it.
ScreenPoint place_tool_window(const ScreenRect& drawing, int dx, int dy, int w, int h,
                              const ScreenRect& screen);

}  // namespace tarvik::views
