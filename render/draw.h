// Drawing primitives every view drawing shares: the pen, pen movement in
// World coordinates and the node markers.
#pragma once

#include "render/canvas.h"
#include "render/view_window.h"

namespace tarvik::render {

// Codes of draw_to.
inline constexpr int kPenDraw = 2;
inline constexpr int kPenMove = 3;

// Node marker kinds. In the plan view the kind of a node is its flag.
enum MarkKind : int {
    kMarkDoubleSquare = 0,  // outlines of half-size 3 and 4, black
    kMarkBlackDisc = 1,     // disc of radius 5
    kMarkRedDisc = 2,
    kMarkBlueDisc = 3,   // the node being edited
    kMarkEndSquare = 4,  // red square of half-size 4 with an inner square of 3: a member's end
};

inline constexpr int kMarkDiscRadius = 5;

// Pen by style index, width in pixels and colour index, copying its colour.
void set_pen(Canvas& c, int style, int width, int colour);

// Code 3 moves the pen to the mapped point, code 2 draws a line to it; any
// other code does nothing.
void draw_to(const ViewWindow& w, Canvas& c, double X, double Y, int code);

// A node marker at the mapped point, solid pen of width 1. Unknown kinds draw
// nothing. The pen is left at the marker's centre.
void mark_node(const ViewWindow& w, Canvas& c, double X, double Y, int kind);

}  // namespace tarvik::render
