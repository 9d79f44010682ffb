#include "render/draw.h"

#include "render/projection.h"

namespace tarvik::render {
namespace {

void square_outline(Canvas& c, int x, int y, int h) {
    c.move_to(x - h, y - h);
    c.line_to(x + h, y - h);
    c.line_to(x + h, y + h);
    c.line_to(x - h, y + h);
    c.line_to(x - h, y - h);
}

void disc(Canvas& c, int x, int y, int fill) {
    c.set_brush(fill);
    c.ellipse(x - kMarkDiscRadius, y - kMarkDiscRadius, x + kMarkDiscRadius, y + kMarkDiscRadius);
}

}  // namespace

void set_pen(Canvas& c, int style, int width, int colour) {
    c.set_invert(false);
    c.set_pen(style, width, colour);
}

void draw_to(const ViewWindow& w, Canvas& c, double X, double Y, int code) {
    if (code != kPenMove && code != kPenDraw) return;
    const Pixel p = world_to_crt(w, X, Y);
    if (code == kPenMove)
        c.move_to(p.x, p.y);
    else
        c.line_to(p.x, p.y);
}

void mark_node(const ViewWindow& w, Canvas& c, double X, double Y, int kind) {
    const Pixel p = world_to_crt(w, X, Y);
    set_pen(c, kSolid, 1, kBlack);
    switch (kind) {
        case kMarkDoubleSquare:
            // Outlines only: a plain node must not hide the lines through it.
            square_outline(c, p.x, p.y, 3);
            square_outline(c, p.x, p.y, 4);
            break;
        case kMarkBlackDisc:
            disc(c, p.x, p.y, kBlack);
            break;
        case kMarkRedDisc:
            disc(c, p.x, p.y, kRed);
            break;
        case kMarkBlueDisc:
            disc(c, p.x, p.y, kBlue);
            break;
        case kMarkEndSquare:
            c.set_brush(kRed);
            c.rectangle(p.x - 4, p.y - 4, p.x + 4, p.y + 4);
            c.rectangle(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
            break;
        default:
            break;
    }
    c.move_to(p.x, p.y);
}

}  // namespace tarvik::render
