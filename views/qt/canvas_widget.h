// A fixed-size picture painted through a Canvas: the owner supplies what to
// draw, the widget paints it whenever the window system asks.
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

class CanvasWidget : public QWidget {
  public:
    using Paint = std::function<void(Canvas&)>;

    CanvasWidget(int width, int height, Paint paint, QWidget* parent = nullptr)
        : QWidget(parent), paint_(std::move(paint)) {
        setFixedSize(width, height);
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

}  // namespace tarvik::views
