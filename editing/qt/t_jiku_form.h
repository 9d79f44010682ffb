// The axis data window "軸データ入力" on Qt: menus, the drawing area, the
// 100 ms CheckTimer and the view windows. All behaviour is in JikuPresenter.
#pragma once

#include <QAction>
#include <QDialog>
#include <QTimer>
#include <string>

#include "editing/jiku_form.h"
#include "files/qt/t_dxf_color_form.h"
#include "render/solid.h"
#include "ui/qt/qt_messages.h"
#include "views/qt/canvas_widget.h"
#include "views/qt/view_windows.h"

namespace tarvik::editing {

class TJikuForm : public QDialog, public JikuView {
    Q_OBJECT
public:
    // directory: the working folder, where the solid and image files are.
    TJikuForm(model::ModelStore& m, render::ViewParams& params, const std::string& directory,
              QWidget* parent = nullptr);
    ~TJikuForm() override;

    void set_menu_enabled(JikuMenu item, bool enabled) override;
    void set_busy(bool busy) override;
    void show_isome_form() override;
    void show_view_form() override;
    void repaint() override;
    void show_help() override;
    void close_window() override;
    std::string save_file_name(std::string_view filter, std::string_view default_ext) override;
    int run_dxf_colour_window() override;

    // Shows the window maximised and runs it until "戻る" or its close box.
    int run();

    JikuPresenter& presenter() { return presenter_; }
    QAction* DxfHozonMenu = nullptr;
    QAction* FaceHozonMenu = nullptr;
    views::DrawingArea* drawing() const { return drawing_; }
    const views::ViewWindows& view_windows() const { return view_windows_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    ui::QtMessages msg_;
    render::SolidModel solids_;
    files::QtExportDialogs export_dialogs_;
    JikuPresenter presenter_;
    views::ViewWindows view_windows_;
    views::DrawingArea* drawing_ = nullptr;
    QTimer CheckTimer;
};

}  // namespace tarvik::editing
