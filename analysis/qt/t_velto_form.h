// The results window "計算結果表示" on Qt. All behaviour is in VeltoPresenter;
// this class builds the menus, paints through the canvas and opens the
// windows the presenter asks for.
#pragma once

#include <QDialog>
#include <QMenuBar>
#include <QTimer>
#include <map>
#include <memory>
#include <string>

#include "analysis/velto_form.h"
#include "ui/qt/qt_messages.h"

class QAction;

namespace tarvik::views {
class TViewForm;
}

namespace tarvik::analysis {

class DrawingArea;

class TVeltoForm : public QDialog, public VeltoView {
    Q_OBJECT
  public:
    // xScreen: width of the main window, for placing the view windows. The
    // solid view is built on the views' solid model unless solid is given.
    TVeltoForm(model::ModelStore& m, render::ViewParams& params, const std::string& cDirectory,
               render::StrokeText& text, int xScreen, QWidget* parent = nullptr,
               SolidResults* solid = nullptr);
    ~TVeltoForm() override;

    void repaint() override;
    void set_busy(bool busy) override;
    void set_menu_enabled(VeltoMenu item, bool enabled) override;
    void set_menu_checked(VeltoMenu item, bool checked) override;
    void run_list_window(int kind) override;
    void run_stress_window() override;
    void run_kensaku_window() override;
    void run_find_window() override;
    void run_isome_window() override;
    void show_view_window(bool visible) override;
    void set_timer(bool running) override;
    std::string save_file_name(std::string_view filter, std::string_view default_ext) override;
    int run_dxf_colour_window() override;
    void close_window() override;

    VeltoPresenter& presenter() { return presenter_; }
    QAction* action(VeltoMenu item) const { return actions_.at(item); }
    QWidget* Image1 = nullptr;

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    ui::QtMessages messages_;
    std::unique_ptr<SolidResults> own_solid_;  // the views' solid model unless one is given
    render::ViewParams& params_;
    int xScreen_;
    std::string dir_;
    VeltoPresenter presenter_;
    QMenuBar* menu_ = nullptr;
    QTimer* Timer1 = nullptr;
    std::map<VeltoMenu, QAction*> actions_;
    std::unique_ptr<views::TViewForm> view_form_;
};

// Creates the results window on the files of cDirectory, shows it modally
// and destroys it.
void run_velto_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                    const std::string& cDirectory, render::StrokeText& text, int xScreen);

}  // namespace tarvik::analysis
