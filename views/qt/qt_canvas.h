// The Canvas on a QPainter. It holds the painter of whoever paints (a widget's
// paint event, an image) and never owns it. Coordinates are device-independent
// pixels, so a high-DPI screen draws the same lines with more device pixels
// instead of scaling a finished picture.
#pragma once

#include <QPainter>
#include <QPoint>

#include "render/canvas.h"

namespace tarvik::views {

// The view windows are built on the render core and use its names as their own.
using namespace tarvik::render;

class QtCanvas : public Canvas {
  public:
    // width and height: the drawing area in device-independent pixels.
    QtCanvas(QPainter* painter, int width, int height);

    int width() const override { return w_; }
    int height() const override { return h_; }
    void set_pen(int style, int width, int colour) override;
    void set_brush(int colour) override;
    void set_invert(bool on) override;
    void move_to(int x, int y) override;
    void line_to(int x, int y) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void fill_rect(int left, int top, int right, int bottom) override;
    void clear(int colour) override;
    void text(int x, int y, std::string_view utf8) override;

    static QColor colour_of(int index);
    static Qt::PenStyle pen_style_of(int style);

  private:
    QPainter* p_;
    int w_, h_;
    QPoint at_;
};

}  // namespace tarvik::views
