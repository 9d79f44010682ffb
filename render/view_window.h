// What one drawing window keeps for itself: its drawing area, the World
// rectangle (projected model units) shown in its Crt rectangle (pixels), the
// view parameters it last drew with, and what it currently shows.
#pragma once

#include <cstdint>

namespace tarvik::render {

// Projected model units; Y grows upward.
struct WorldRect {
    float left = 0.0f, bottom = 0.0f, right = 1.0f, top = 1.0f;
};

// Pixels; y grows downward.
struct CrtRect {
    int32_t left = 0, top = 0, right = 1, bottom = 1;
};

// The user's zoom and pan over a window's fitted drawing. World and Crt stay
// what the fit made of them (they go into the image files); the zoom is laid
// over the World to pixel mapping only: a pixel p of the fitted drawing shows
// at c + factor * (p - c) + pan, with c the middle of Crt. factor 1 and no pan
// is the fitted drawing itself.
struct ViewZoom {
    double factor = 1.0;
    double pan_x = 0.0, pan_y = 0.0;  // pixels
    bool fitted() const { return factor == 1.0 && pan_x == 0.0 && pan_y == 0.0; }
};

struct ViewWindow {
    int W = 0;  // drawing area, pixels
    int H = 0;
    WorldRect World;
    CrtRect Crt;
    // The view parameters as last drawn, for change detection.
    float TAU = 0.0f, FAI = 0.0f;
    double Rho = 0.0, Theta = 0.0, Phi = 0.0;
    // Which drawing the window shows; the values belong to each window.
    int mode = 0;
    ViewZoom zoom;
};

}  // namespace tarvik::render
