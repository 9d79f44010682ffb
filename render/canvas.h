// The drawing surface every view draws on. Coordinates are pixels of the
// drawing area, x to the right and y downward. Colours and pen styles are the
// indices every drawing of the program uses.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvik::render {

// Colour index: 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 yellow,
// 7 white, 8 navy, 9 lime, 10 teal, 11 maroon, 12 purple, 13 olive, 14 grey,
// 15 silver; any other index is black.
enum Colour : int {
    kBlack = 0,
    kBlue = 1,
    kGreen = 2,
    kCyan = 3,
    kRed = 4,
    kMagenta = 5,
    kYellow = 6,
    kWhite = 7,
    kNavy = 8,
    kLime = 9,
    kTeal = 10,
    kMaroon = 11,
    kPurple = 12,
    kOlive = 13,
    kGrey = 14,
    kSilver = 15,
};

// Pen style index (note: 1 is dotted, 2 dashed).
enum PenStyle : int {
    kSolid = 0,
    kDotted = 1,
    kDashed = 2,
    kDashDot = 3,
    kDashDotDot = 4,
    kInvisible = 5,
};

// 0xRRGGBB of a colour index.
std::uint32_t palette_rgb(int colour);

class Canvas {
public:
    virtual ~Canvas() = default;

    // Size of the drawing area in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Pen for lines and outlines: style index, width in pixels, colour index.
    virtual void set_pen(int style, int width, int colour) = 0;
    // Brush for filled shapes, by colour index.
    virtual void set_brush(int colour) = 0;
    // Inverting mode (each pixel drawn is inverted; drawing twice restores it),
    // used for rubber bands. Off means the pen copies its colour.
    virtual void set_invert(bool on) = 0;

    virtual void move_to(int x, int y) = 0;
    virtual void line_to(int x, int y) = 0;  // draws and moves the pen
    // Outline with the pen, filled with the brush; the box is left, top, right, bottom.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    // Filled with the brush, no outline.
    virtual void fill_rect(int left, int top, int right, int bottom) = 0;
    // The whole area in one colour.
    virtual void clear(int colour) = 0;
    // One line of text (UTF-8) in the pen's colour, the left end of its
    // baseline at (x, y), in the surface's own font. The model's labels are
    // stroke text; this carries the Japanese notes of a drawing such as its
    // legend. A surface without a font leaves it out.
    virtual void text(int x, int y, std::string_view utf8) {
        (void)x;
        (void)y;
        (void)utf8;
    }
};

}  // namespace tarvik::render
