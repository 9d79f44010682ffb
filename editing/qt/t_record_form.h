// The one Qt form of the small editing dialogs: the dialog its presenter's
// Layout() describes, with OK, Cancel and the third button connected to the
// presenter's handlers given as template arguments. All behaviour is in the
// presenters.
#pragma once

#include <type_traits>

#include "model/model_store.h"
#include "ui/qt/field_form.h"

namespace tarvik::editing {

using ui::TFieldDialog;

template <class Presenter, auto Ok = &Presenter::OKButtonClick,
          auto Cancel = &Presenter::CancelButtonClick, auto Extra = nullptr>
class TRecordForm : public TFieldDialog {
  public:
    template <class Exchange>
    TRecordForm(model::ModelStore& m, Exchange& x, QWidget* parent = nullptr)
        : TFieldDialog(Presenter::Layout(), parent), presenter_(m, x, *this, msg_) {
        start();
    }

    // Dialogs that work on their exchange alone.
    template <class Exchange>
    explicit TRecordForm(Exchange& x, QWidget* parent = nullptr)
        : TFieldDialog(Presenter::Layout(), parent), presenter_(x, *this, msg_) {
        start();
    }

    // Dialogs with a use (delete or change) given at opening.
    template <class Exchange, class Use>
        requires std::is_enum_v<Use>
    TRecordForm(model::ModelStore& m, Exchange& x, Use use, QWidget* parent = nullptr)
        : TFieldDialog(Presenter::Layout(), parent), presenter_(m, x, use, *this, msg_) {
        start();
    }

  private:
    void start() {
        connect(OKButton, &QPushButton::clicked, this, [this] { (presenter_.*Ok)(); });
        if (CancelButton != nullptr)
            connect(CancelButton, &QPushButton::clicked, this, [this] { (presenter_.*Cancel)(); });
        if constexpr (!std::is_null_pointer_v<decltype(Extra)>)
            connect(ExtraButton, &QPushButton::clicked, this, [this] { (presenter_.*Extra)(); });
        on_cancel_ = [this] { (presenter_.*Cancel)(); };
        opened_ = presenter_.FormCreate();
    }

    Presenter presenter_;
};

}  // namespace tarvik::editing
