// The member data window "部材データ" on Qt. All behaviour is in
// SelBeamPresenter; its dialogs are opened from here.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/qt/qt_messages.h"

#include "editing/sel_beam_form.h"

namespace tarvik::editing {

class TSelBeamForm : public QDialog, public SelBeamView, public SelBeamDialogs {
    Q_OBJECT
  public:
    TSelBeamForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent = nullptr);

    void set_grid(BeamGrid grid, const GridRows& rows) override;
    void set_count(BeamGrid grid, const std::string& text) override;
    void select_row(BeamGrid grid, int record) override;
    void close_window() override;

    void open_hen_size() override;
    void open_hen_mat() override;
    void open_show_beam() override;

    QTableWidget* ZenStringGrid = nullptr;
    QTableWidget* SizeStringGrid = nullptr;
    QTableWidget* MatStringGrid = nullptr;
    QLineEdit* ZenBeamEdit = nullptr;
    QLineEdit* SizeEdit = nullptr;
    QLineEdit* MatEdit = nullptr;
    QToolButton* HabahenSpeedButton = nullptr;
    QToolButton* MathenSpeedButton = nullptr;
    QToolButton* ShousaiSpeedButton = nullptr;
    QPushButton* OKButton = nullptr;

  protected:
    void reject() override;  // the close box: as OK

  private:
    QTableWidget* grid(BeamGrid g) const;
    QLineEdit* count(BeamGrid g) const;

    model::ModelStore& m_;
    BeamEditExchange& x_;
    ui::QtMessages msg_;
    SelBeamPresenter presenter_;
};

}  // namespace tarvik::editing
