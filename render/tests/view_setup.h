// What the drawing tests set up and check: the windows they draw into, and
// the box around the model.
#pragma once

#include <array>

#include "render/view_window.h"

namespace tarvik::testing {

// A drawing area of W x H pixels, nothing fitted yet.
inline render::ViewWindow sized(int W, int H) {
    render::ViewWindow w;
    w.W = W;
    w.H = H;
    return w;
}

// A window showing the World rectangle in the Crt rectangle, not zoomed.
inline render::ViewWindow showing(const render::WorldRect& world, const render::CrtRect& crt) {
    render::ViewWindow w;
    w.World = world;
    w.Crt = crt;
    return w;
}

// X, Y and Z, least and greatest, of a box of the model (render::ModelBox,
// generator::Box3): a box compares in one line.
using BoxLimits = std::array<float, 6>;
template <class Box>
BoxLimits box_limits(const Box& b) {
    return {b.X_MIN, b.X_MAX, b.Y_MIN, b.Y_MAX, b.Z_MIN, b.Z_MAX};
}

}  // namespace tarvik::testing
