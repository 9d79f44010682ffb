// The Qt form of every dialog described by a DialogLayout: a column of
// captioned fields (some editable), a message line and up to three buttons.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <vector>

#include "ui/fields.h"
#include "ui/qt/qt_messages.h"

namespace tarvik::ui {

// A dialog built from its DialogLayout. The named dialogs derive from it, hold
// their presenter and connect the buttons to it.
class TFieldDialog : public QDialog, public FieldDialogView {
    Q_OBJECT
  public:
    TFieldDialog(const DialogLayout& layout, QWidget* parent);

    void set_field(int field, const std::string& text) override;
    std::string field(int field) const override;
    void set_editable(int field, bool editable) override;
    void set_message(const std::string& text) override;
    void close_window() override;

    // Shows the dialog modally, unless its presenter refused to open it
    // (the record it was asked for does not exist; the presenter said so).
    void run_modal();
    bool opened() const { return opened_; }

    std::vector<QLineEdit*> fields;
    QLabel* MessageLabel = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* ExtraButton = nullptr;

  protected:
    // The window's close box and Escape act as the dialog's Cancel (or Close).
    void reject() override;

    QtMessages msg_;
    std::function<void()> on_cancel_;
    bool opened_ = false;
};

// OK and Cancel of a named dialog to its presenter.
template <class Presenter>
void wire_ok_cancel(TFieldDialog* form, Presenter& p) {
    QObject::connect(form->OKButton, &QPushButton::clicked, form, [&p] { p.OKButtonClick(); });
    QObject::connect(form->CancelButton, &QPushButton::clicked, form,
                     [&p] { p.CancelButtonClick(); });
}

}  // namespace tarvik::ui
