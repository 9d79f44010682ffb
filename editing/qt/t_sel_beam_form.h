// The member data window "部材データ" on Qt. All behaviour is in
// SelBeamPresenter; its dialogs are opened from here.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "editing/qt/t_grid_window.h"
#include "editing/sel_beam_form.h"
#include "ui/qt/qt_messages.h"

namespace tarvik::editing {

class TSelBeamForm : public TGridWindow<SelBeamView, BeamGrid>, public SelBeamDialogs {
    Q_OBJECT
  public:
    TSelBeamForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent = nullptr);

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

  protected:
    void reject() override;  // the close box: as OK

  private:
    model::ModelStore& m_;
    BeamEditExchange& x_;
    ui::QtMessages msg_;
    SelBeamPresenter presenter_;
};

}  // namespace tarvik::editing
