#include "editing/qt/t_beam_forms.h"

namespace tarvik::editing {

THenSizeForm::THenSizeForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent)
    : TFieldDialog(HenSizePresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

THenMatForm::THenMatForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent)
    : TFieldDialog(HenMatPresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

TShowBeamForm::TShowBeamForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent)
    : TFieldDialog(ShowBeamPresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    connect(OKButton, &QPushButton::clicked, this, [this] { presenter_.CloseButtonClick(); });
    on_cancel_ = [this] { presenter_.CloseButtonClick(); };
    opened_ = presenter_.FormCreate();
}

TBeamForm::TBeamForm(model::ModelStore& m, BeamDataExchange& x, QWidget* parent)
    : TFieldDialog(BeamFormPresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    connect(ExtraButton, &QPushButton::clicked, this, [this] { presenter_.ZenDataButtonClick(); });
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

}  // namespace tarvik::editing
