// Qt side of the export commands: the window "DXFの線の太さ" over
// DxfColorPresenter, and the save dialog and colour window of any drawing
// window that has no dialogs of its own.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <string>

#include "files/dxf_color_form.h"
#include "files/export_commands.h"

namespace tarvik::files {

// The line width and colour window; forwards its buttons to the presenter.
class TDxfColorForm : public QDialog, public DxfColorView {
    Q_OBJECT
  public:
    explicit TDxfColorForm(QWidget* parent = nullptr);

    // Shows the window modally; the colour code, -1 when cancelled.
    int run();

    void select_item(int index) override;
    int selected_item() const override;
    void close_window() override;

    QButtonGroup* group() const { return group_; }
    DxfColorPresenter& presenter() { return presenter_; }

  private:
    QButtonGroup* group_ = nullptr;
    DxfColorPresenter presenter_;
};

// The save dialog (starting in folder) and the colour window, over parent.
class QtExportDialogs : public ExportDialogs {
  public:
    QtExportDialogs(QWidget* parent, std::string folder)
        : parent_(parent), folder_(std::move(folder)) {}
    std::string save_file_name(std::string_view filter, std::string_view default_ext) override;
    int run_dxf_colour_window() override;

  private:
    QWidget* parent_;
    std::string folder_;
};

}  // namespace tarvik::files
