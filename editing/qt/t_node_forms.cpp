#include "editing/qt/t_node_forms.h"

namespace tarvik::editing {

TSelFixForm::TSelFixForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent)
    : TFieldDialog(SelFixPresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

TSelLoadForm::TSelLoadForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent)
    : TFieldDialog(SelLoadPresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

TFixEditForm::TFixEditForm(model::ModelStore& m, NodeEditExchange& x, FixEditUse use,
                           QWidget* parent)
    : TFieldDialog(FixEditPresenter::Layout(), parent), presenter_(m, x, use, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

TLoadEditForm::TLoadEditForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent)
    : TFieldDialog(LoadEditPresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    connect(ExtraButton, &QPushButton::clicked, this, [this] { presenter_.DouButtonClick(); });
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

TDelNodeForm::TDelNodeForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent)
    : TFieldDialog(DelNodePresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

TNodeForm::TNodeForm(model::ModelStore& m, NodeDataExchange& x, QWidget* parent)
    : TFieldDialog(NodeFormPresenter::Layout(), parent), presenter_(m, x, *this, msg_) {
    ui::wire_ok_cancel(this, presenter_);
    on_cancel_ = [this] { presenter_.CancelButtonClick(); };
    opened_ = presenter_.FormCreate();
}

}  // namespace tarvik::editing
