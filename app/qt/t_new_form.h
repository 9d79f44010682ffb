// The main window on Qt: menus, the drawing area, the 500 ms timer and the
// node search tool window. All behaviour is in NewFormPresenter.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

#include "app/new_form.h"
#include "app/qt/qt_dialogs.h"

namespace tarvik::editing {
class TKenNodeForm;
}
namespace tarvik::views {
class ZoomPanInput;
}

namespace tarvik::app {

class ModelView;

class TNewForm : public QMainWindow, public NewFormView {
    Q_OBJECT
public:
    TNewForm(AppContext& ctx, render::StrokeText& text, QWidget* parent = nullptr);
    ~TNewForm() override;

    void set_menu_enabled(MenuItem item, bool enabled) override;
    void set_menu_checked(MenuItem item, bool checked) override;
    void repaint() override;
    void show_node_search(bool visible) override;
    void set_timer_enabled(bool enabled) override;
    void set_busy(bool busy) override;
    void close_window() override;

    QAction* action(MenuItem item) { return actions_[static_cast<int>(item)]; }
    NewFormPresenter& presenter() { return presenter_; }
    editing::TKenNodeForm* ken_node_form() { return ken_form_; }
    ModelView* model_view() { return view_; }
    views::ZoomPanInput* zoom() { return zoom_; }

protected:
    // Asks the presenter first: a changed model is saved, discarded, or the
    // window stays open.
    void closeEvent(QCloseEvent* e) override;

private:
    void build_menus();

    QtDialogs dialogs_;
    NewFormPresenter presenter_;
    std::array<QAction*, static_cast<int>(MenuItem::Count)> actions_{};
    ModelView* view_ = nullptr;
    views::ZoomPanInput* zoom_ = nullptr;
    QTimer Timer1;
    editing::TKenNodeForm* ken_form_ = nullptr;
    int busy_depth_ = 0;
};

}  // namespace tarvik::app
