// The window "視点" on Qt. All behaviour is in ViewFormPresenter.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <array>

#include "views/qt/canvas_widget.h"
#include "views/view_form.h"

namespace tarvik::views {

class TViewForm : public QDialog, public ViewFormView {
    Q_OBJECT
  public:
    // xScreen: width of the main window at start-up, for the placement.
    TViewForm(ViewParams& params, int xScreen, QWidget* parent = nullptr);

    void set_position(EyeBar bar, int position) override;
    int position(EyeBar bar) const override;
    void set_value_label(EyeBar bar, const std::string& text) override;
    void redraw_preview() override;
    void place(int left, int top) override;
    void close_window() override;

    // For tests and the owner: RhoScrollBar, ThetaScrollBar, PhiScrollBar and
    // their middle labels Label11, Label12, Label13.
    std::array<QScrollBar*, 3> bars{};
    std::array<QLabel*, 3> value_labels{};
    CanvasWidget* Image1 = nullptr;
    CanvasWidget* Image2 = nullptr;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    ViewFormPresenter presenter_;
    int xScreen_;
};

}  // namespace tarvik::views
