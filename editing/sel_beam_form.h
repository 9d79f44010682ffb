// The member data window TSelBeamForm "部材データ": every member, section
// entry and material entry in three grids, and the buttons that open the
// section, material and member dialogs of beam_dialogs.h.
#pragma once

#include <string>

#include "editing/beam_dialogs.h"
#include "editing/field_dialog.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::editing {

enum class BeamGrid { Zen, Size, Mat };

class SelBeamView {
  public:
    virtual ~SelBeamView() = default;
    virtual void set_grid(BeamGrid grid, const GridRows& rows) = 0;  // row 0: headings
    virtual void set_count(BeamGrid grid,
                           const std::string& text) = 0;     // ZenBeamEdit, SizeEdit, MatEdit
    virtual void select_row(BeamGrid grid, int record) = 0;  // raises no selection event
    virtual void close_window() = 0;
};

class SelBeamDialogs {
  public:
    virtual ~SelBeamDialogs() = default;
    virtual void open_hen_size() = 0;   // THenSizeForm
    virtual void open_hen_mat() = 0;    // THenMatForm
    virtual void open_show_beam() = 0;  // TShowBeamForm
};

GridRows beam_rows(const model::ModelStore& m);
GridRows size_rows(const model::ModelStore& m);
GridRows mat_rows(const model::ModelStore& m);

class SelBeamPresenter {
  public:
    SelBeamPresenter(model::ModelStore& m, BeamEditExchange& x, SelBeamView& view,
                     SelBeamDialogs& dialogs, model::MessageService& msg)
        : m_(m), x_(x), view_(view), dialogs_(dialogs), msg_(msg) {}

    void FormCreate();
    void ZenStringGridSelectCell(int record);
    void SizeStringGridSelectCell(int record);
    void MatStringGridSelectCell(int record);
    void HabahenSpeedButtonClick();
    void MathenSpeedButtonClick();
    void ShousaiSpeedButtonClick();
    void OKButtonClick();

  private:
    void refresh(BeamGrid grid);

    model::ModelStore& m_;
    BeamEditExchange& x_;
    SelBeamView& view_;
    SelBeamDialogs& dialogs_;
    model::MessageService& msg_;
};

}  // namespace tarvik::editing
