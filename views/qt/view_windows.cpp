#include "views/qt/view_windows.h"

#include <QVBoxLayout>

#include "views/qt/t_isome_form.h"
#include "views/qt/t_view_form.h"

namespace tarvik::views {

void ViewWindows::show_isome() {
    // Placed by the drawing window's width, as the main window's at start-up.
    if (!isome_) isome_ = new TIsomeForm(params_, owner_->width(), owner_);
    isome_->show();
    isome_->raise();
}

void ViewWindows::show_view() {
    if (!view_) view_ = new TViewForm(params_, owner_->width(), owner_);
    view_->show();
    view_->raise();
}

void ViewWindows::hide() {
    if (isome_) isome_->hide();
    if (view_) view_->hide();
}

DrawingWindowBody make_drawing_window(QWidget* window, const char* caption, DrawingArea::Paint paint,
                                      ZoomPanInput::Window zoom_window) {
    window->setWindowTitle(QString::fromUtf8(caption));
    window->resize(800, 600);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QMenuBar(window);
    layout->setMenuBar(bar);
    auto* area = new DrawingArea(std::move(paint), window);
    layout->addWidget(area);
    ZoomPanInput* zoom = zoom_window ? attach_zoom_pan(area, std::move(zoom_window)) : nullptr;
    return {bar, area, zoom};
}

}  // namespace tarvik::views
