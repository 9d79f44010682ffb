// The two pictures of the eye window: the preview of the model box as the eye
// sees it, and the fixed sketch that explains the three eye parameters.
#pragma once

#include "render/canvas.h"
#include "render/view_params.h"
#include "render/view_window.h"

namespace tarvik::views {

// The view windows are built on the render core and use its names as their own.
using namespace tarvik::render;

inline constexpr int kPreviewSize = 121;  // pixels, square
inline constexpr int kPictureWidth = 126;
inline constexpr int kPictureHeight = 121;

// Draws the model box and the three axes seen from an eye at Rho, Theta, Phi
// (the window's own values, not the shared ones) onto a white 121 x 121
// preview: the twelve box edges in black, the X, Y and Z axes from the origin
// in red, blue and green towards the box corner that lies furthest right.
// When a point needed lies in the eye's plane nothing but the white ground is
// drawn. Returns the preview's World and Crt.
ViewWindow make_cuve(Canvas& c, const ModelBox& box, double Rho, double Theta, double Phi);

// The explanatory sketch, 126 x 121: axes, the viewed point "Obj." and the
// eye "Eye" with the distance "Rho" and the angles "phi" and "theta".
void draw_view_picture(Canvas& c);

}  // namespace tarvik::views
