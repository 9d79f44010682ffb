// The dialogs of the member data window and the member data dialog, on Qt.
// All behaviour is in their presenters.
#pragma once

#include "editing/beam_dialogs.h"
#include "editing/beam_form.h"
#include "ui/qt/field_form.h"

namespace tarvik::editing {

using ui::TFieldDialog;

class THenSizeForm : public TFieldDialog {
  public:
    THenSizeForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent = nullptr);

  private:
    HenSizePresenter presenter_;
};

class THenMatForm : public TFieldDialog {
  public:
    THenMatForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent = nullptr);

  private:
    HenMatPresenter presenter_;
};

class TShowBeamForm : public TFieldDialog {
  public:
    TShowBeamForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent = nullptr);

  private:
    ShowBeamPresenter presenter_;
};

class TBeamForm : public TFieldDialog {
  public:
    TBeamForm(model::ModelStore& m, BeamDataExchange& x, QWidget* parent = nullptr);

  private:
    BeamFormPresenter presenter_;
};

}  // namespace tarvik::editing
