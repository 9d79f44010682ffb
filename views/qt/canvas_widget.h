// Widgets painted through a Canvas: the owner supplies what to draw, the
// widget paints it whenever the window system asks.
#pragma once

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <utility>

#include "views/qt/qt_canvas.h"

namespace tarvik::views {

// The view windows are built on the render core and use its names as their own.
using namespace tarvik::render;

// A drawing area that takes the room its layout gives it and paints through a
// Canvas whenever the window system asks.
class DrawingArea : public QWidget {
  public:
    using Paint = std::function<void(Canvas&)>;

    explicit DrawingArea(Paint paint, QWidget* parent = nullptr)
        : QWidget(parent), paint_(std::move(paint)) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(320, 240);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QtCanvas canvas(&painter, width(), height());
        paint_(canvas);
    }

  private:
    Paint paint_;
};

// The same at a fixed size: a picture inside a dialog.
class CanvasWidget : public DrawingArea {
  public:
    CanvasWidget(int width, int height, Paint paint, QWidget* parent = nullptr)
        : DrawingArea(std::move(paint), parent) {
        setAttribute(Qt::WA_OpaquePaintEvent, false);
        setFixedSize(width, height);
    }
};

}  // namespace tarvik::views
