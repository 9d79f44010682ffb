// The Qt side shared by the editing windows: message boxes, the column of
// captioned fields every small dialog is made of, and the grids.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>
#include <vector>

#include "editing/field_dialog.h"
#include "model/message_service.h"
#include "views/qt/qt_messages.h"

namespace tarvik::editing {

using views::QtMessages;

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

// A grid with one selected row at a time; row 0 of rows gives the headings.
QTableWidget* make_grid(QWidget* parent);
void fill_grid(QTableWidget* grid, const GridRows& rows);
void select_grid_row(QTableWidget* grid, int record);

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline QString qs(const char* s) {
    return QString::fromUtf8(s);
}

}  // namespace tarvik::editing
