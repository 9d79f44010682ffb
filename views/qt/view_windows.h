// The two view windows a drawing window opens beside itself, "アイソメ" and
// "視点": made on first use, owned by the drawing window and gone with it.
// They change the shared view parameters; the drawing window notices at its
// next tick.
#pragma once

#include <QMenuBar>
#include <QWidget>

#include "render/view_params.h"
#include "views/qt/canvas_widget.h"
#include "views/qt/zoom_pan.h"

namespace tarvik::views {

class TIsomeForm;
class TViewForm;

class ViewWindows {
  public:
    ViewWindows(render::ViewParams& params, QWidget* owner) : params_(params), owner_(owner) {}

    void show_isome();  // "アイソメ", raised when already open
    void show_view();   // "視点", raised when already open
    void hide();        // both, when the drawing window closes

    TIsomeForm* isome() const { return isome_; }
    TViewForm* view() const { return view_; }

  private:
    render::ViewParams& params_;
    QWidget* owner_;
    TIsomeForm* isome_ = nullptr;
    TViewForm* view_ = nullptr;
};

// The body of a drawing window: caption, a start size, a menu bar over a
// drawing area that takes the rest. With zoom_window, the area zooms and pans
// that window (the owner puts zoom's "全体表示" in its display menu).
struct DrawingWindowBody {
    QMenuBar* bar;
    DrawingArea* area;
    ZoomPanInput* zoom = nullptr;
};
DrawingWindowBody make_drawing_window(QWidget* window, const char* caption, DrawingArea::Paint paint,
                                      ZoomPanInput::Window zoom_window = {});

}  // namespace tarvik::views
