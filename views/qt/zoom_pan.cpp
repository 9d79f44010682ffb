#include "views/qt/zoom_pan.h"

#include <QApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>
#include <cmath>

#include "render/projection.h"
#include "views/tool_place.h"

namespace tarvik::views {

ZoomPanInput::ZoomPanInput(QWidget* area, Window window)
    : QObject(area), area_(area), window_(std::move(window)) {
    area_->installEventFilter(this);
}

void ZoomPanInput::fit() {
    render::fit_view(window_());
    changed();
}

void ZoomPanInput::pan_to(QPoint at) {
    const QPoint d = at - last_;
    last_ = at;
    if (d.isNull()) return;
    render::pan_view(window_(), d.x(), d.y());
    changed();
}

void ZoomPanInput::changed() {
    if (changed_)
        changed_();
    else
        area_->update();
}

bool ZoomPanInput::eventFilter(QObject* watched, QEvent* e) {
    if (watched != area_ || replaying_) return false;
    switch (e->type()) {
        case QEvent::Wheel: {
            auto* w = static_cast<QWheelEvent*>(e);
            const int delta = w->angleDelta().y();
            if (delta == 0) return true;
            const QPoint at = w->position().toPoint();
            render::zoom_view(window_(), at.x(), at.y(), std::pow(kWheelZoom, delta / 120.0));
            changed();
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* m = static_cast<QMouseEvent*>(e);
            if (pan_ != Pan::kNone) return true;  // a second button during a drag
            const bool middle = m->button() == Qt::MiddleButton;
            const bool ctrl_left =
                m->button() == Qt::LeftButton && (m->modifiers() & Qt::ControlModifier);
            if (!middle && !ctrl_left) return false;
            pan_ = middle ? Pan::kMiddle : Pan::kCtrlLeft;
            moved_ = false;
            press_ = last_ = m->position().toPoint();
            return true;
        }
        case QEvent::MouseMove: {
            if (pan_ == Pan::kNone) return false;
            const QPoint at = static_cast<QMouseEvent*>(e)->position().toPoint();
            if (!moved_ && (at - press_).manhattanLength() >= QApplication::startDragDistance()) {
                moved_ = true;
                area_->setCursor(Qt::ClosedHandCursor);
            }
            if (moved_) pan_to(at);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            if (pan_ == Pan::kNone) return false;
            auto* m = static_cast<QMouseEvent*>(e);
            const Qt::MouseButton ends = pan_ == Pan::kMiddle ? Qt::MiddleButton : Qt::LeftButton;
            if (m->button() != ends) return true;
            const bool click = pan_ == Pan::kCtrlLeft && !moved_;
            pan_ = Pan::kNone;
            if (moved_) area_->unsetCursor();
            moved_ = false;
            if (click) {
                // Not a drag after all: the window gets its click.
                replaying_ = true;
                QMouseEvent press(QEvent::MouseButtonPress, QPointF(press_),
                                  area_->mapToGlobal(QPointF(press_)), Qt::LeftButton,
                                  Qt::LeftButton, m->modifiers());
                QApplication::sendEvent(area_, &press);
                QMouseEvent release(QEvent::MouseButtonRelease, m->position(), m->globalPosition(),
                                    Qt::LeftButton, Qt::NoButton, m->modifiers());
                QApplication::sendEvent(area_, &release);
                replaying_ = false;
            }
            return true;
        }
        default:
            return false;
    }
}

ZoomPanInput* attach_zoom_pan(QWidget* area, ZoomPanInput::Window window) {
    area->setObjectName(QString::fromLatin1(kDrawingName));
    return new ZoomPanInput(area, std::move(window));
}

QAction* add_fit_action(QWidget* menu_or_window, ZoomPanInput* input) {
    auto* a = new QAction(QString::fromUtf8(kFitCaption), menu_or_window);
    menu_or_window->addAction(a);
    a->setShortcuts({QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_0)});
    QObject::connect(a, &QAction::triggered, input, [input] { input->fit(); });
    return a;
}

QWidget* drawing_of(QWidget* window) {
    if (!window) return nullptr;
    // Its own drawing, not one of a window it has opened.
    if (auto* d = window->findChild<QWidget*>(QString::fromLatin1(kDrawingName),
                                              Qt::FindDirectChildrenOnly))
        return d;
    if (auto* main = qobject_cast<QMainWindow*>(window))
        if (main->centralWidget()) return main->centralWidget();
    return window;
}

int placement_width(const QWidget* tool, int fallback) {
    QWidget* parent = tool->parentWidget();
    if (!parent) return fallback;
    return drawing_of(parent->window())->width();
}

void place_beside(QWidget* tool, int dx, int dy) {
    QWidget* parent = tool->parentWidget();
    if (!parent) {
        tool->move(dx, dy);
        return;
    }
    QWidget* drawing = drawing_of(parent->window());
    const QPoint origin = drawing->mapToGlobal(QPoint(0, 0));
    const QRect avail = (drawing->screen() ? drawing->screen() : QApplication::primaryScreen())
                            ->availableGeometry();
    // The frame is known once the window has been shown; before, the client
    // size stands for it.
    const QSize frame = tool->isVisible() ? tool->frameGeometry().size() : tool->size();
    const ScreenPoint p = place_tool_window(
        {origin.x(), origin.y(), drawing->width(), drawing->height()}, dx, dy, frame.width(),
        frame.height(), {avail.x(), avail.y(), avail.width(), avail.height()});
    tool->move(p.x, p.y);
}

}  // namespace tarvik::views
