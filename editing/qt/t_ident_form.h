// The condition search "条件検索" on Qt. All behaviour is in IdentPresenter.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <array>
#include <string>

#include "editing/ident_form.h"
#include "editing/qt/level_range_fields.h"
#include "files/qt/t_dxf_color_form.h"
#include "ui/qt/qt_messages.h"
#include "views/qt/canvas_widget.h"

namespace tarvik::editing {

class TIdentForm : public QDialog, public IdentView, public QtLevelRange {
    Q_OBJECT
public:
    // folder: where the save dialog starts.
    TIdentForm(model::ModelStore& m, render::ViewParams& params, const std::string& folder,
               QWidget* parent = nullptr);

    std::array<std::string, 3> shift_texts() const override;
    void set_shift_texts(const std::array<std::string, 3>& texts) override;
    void repaint_preview() override;
    std::string save_file_name(std::string_view filter, std::string_view default_ext) override;
    void close_window() override;

    IdentPresenter& presenter() { return presenter_; }

    QLineEdit* EditSouNum;
    QLineEdit* EditKensakuNum;
    std::array<QLineEdit*, 3> IdouEdits{};  // IdouXEdit, IdouYEdit, IdouZEdit
    QPushButton* LevelSpeedButton = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* Button1 = nullptr;
    views::CanvasWidget* Image1 = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    ui::QtMessages msg_;
    files::QtExportDialogs dialogs_;
    IdentPresenter presenter_;
};

}  // namespace tarvik::editing
