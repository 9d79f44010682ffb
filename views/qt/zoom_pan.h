// The mouse of every drawing window: the wheel zooms about the pointer, the
// middle button (or the left one with Ctrl held) drags the drawing along, and
// "全体表示" goes back to the fitted drawing. A press that starts a drag never
// reaches the window, so a drag never picks; a Ctrl-click that did not move
// is handed on as the plain click it was. Also where tool windows open
// beside a drawing.
#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::views {

// Zoom of one wheel notch (120 eighths of a degree).
inline constexpr double kWheelZoom = 1.25;

class ZoomPanInput : public QObject {
  public:
    // window: the ViewWindow the area draws with (asked at each event, as a
    // window may hand over another one between drawings).
    using Window = std::function<render::ViewWindow&()>;

    // Installs itself on area and lives as long as it.
    ZoomPanInput(QWidget* area, Window window);

    // Back to the fitted drawing, and repaint.
    void fit();
    // What a change of zoom or pan does to the area: by default it is
    // repainted; a window that keeps its picture in an image redraws that.
    void on_change(std::function<void()> changed) { changed_ = std::move(changed); }
    bool panning() const { return pan_ != Pan::kNone; }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    enum class Pan { kNone, kMiddle, kCtrlLeft };
    void pan_to(QPoint at);
    void changed();

    QWidget* area_;
    Window window_;
    std::function<void()> changed_;
    Pan pan_ = Pan::kNone;
    bool moved_ = false;  // beyond the drag distance since the press
    bool replaying_ = false;
    QPoint press_, last_;
};

// Attaches the zoom and pan to area, named as the window's drawing.
ZoomPanInput* attach_zoom_pan(QWidget* area, ZoomPanInput::Window window);

// "全体表示" (Home, Ctrl+0) at the end of a menu, or as a shortcut of a
// window without one, calling input->fit().
QAction* add_fit_action(QWidget* menu_or_window, ZoomPanInput* input);

// The widget a window draws in: its child named kDrawingName, else its
// central widget, else the window itself.
QWidget* drawing_of(QWidget* window);

// Moves the top-level tool window to (dx, dy) from the top-left corner of its
// parent's drawing, kept on the parent's screen. Without a parent the offsets
// are taken from the screen's corner as they stand.
void place_beside(QWidget* tool, int dx, int dy);

// The width a tool window's placement rules take as the screen's: that of
// its parent's drawing, or fallback without a parent.
int placement_width(const QWidget* tool, int fallback);

}  // namespace tarvik::views
