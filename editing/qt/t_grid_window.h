// What the two list windows share on Qt: three grids with their record
// counts, an OK button, and the view calls that fill them. The grid enum's
// values index the grids.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <string>

#include "editing/field_dialog.h"
#include "model/model_store.h"
#include "ui/fields.h"
#include "ui/qt/grids.h"
#include "ui/qt/qt_text.h"

namespace tarvik::editing {

template <class View, class Grid>
class TGridWindow : public QDialog, public View {
  public:
    void set_grid(Grid g, const ui::GridRows& rows) override { ui::fill_grid(grid(g), rows); }
    void set_count(Grid g, const std::string& text) override {
        counts_[index(g)]->setText(ui::qs(text));
    }
    void select_row(Grid g, int record) override { ui::select_grid_row(grid(g), record); }
    void close_window() override { QDialog::done(QDialog::Accepted); }

    QPushButton* OKButton = nullptr;

  protected:
    TGridWindow(const char* caption, QWidget* parent) : QDialog(parent) {
        setWindowTitle(ui::qs(caption));
        setModal(true);
        setSizeGripEnabled(true);
        for (QTableWidget*& g : grids_) g = ui::make_grid(this);
        for (QLineEdit*& c : counts_) c = ui::count_edit(this);
        OKButton = new QPushButton("OK", this);
    }

    // Calls (presenter.*pick[k])(row) when the current row of grid k changes.
    template <class Presenter>
    void on_grid_rows(Presenter& presenter, const std::array<void (Presenter::*)(int), 3>& pick) {
        for (size_t k = 0; k < grids_.size(); ++k)
            QObject::connect(
                grids_[k], &QTableWidget::currentCellChanged, this,
                [&presenter, p = pick[k]](int row, int, int, int) { (presenter.*p)(row); });
    }

    // The window's body above the OK button at the bottom right.
    void set_body(QLayout* body) {
        auto* outer = new QVBoxLayout(this);
        outer->addLayout(body, 1);
        auto* bottom = new QHBoxLayout;
        bottom->addStretch();
        bottom->addWidget(OKButton);
        outer->addLayout(bottom);
    }

    QTableWidget* grid(Grid g) const { return grids_[index(g)]; }
    static size_t index(Grid g) { return static_cast<size_t>(g); }

    std::array<QTableWidget*, 3> grids_{};
    std::array<QLineEdit*, 3> counts_{};
};

// Runs a list window modally; its results are in the exchange record.
template <class Window, class Exchange>
void run_list_window(QWidget* parent, model::ModelStore& m, Exchange& x) {
    Window w(m, x, parent);
    w.exec();
}

// Runs a data dialog modally and returns its x.result.
template <class Form, class Exchange>
int run_data_form(QWidget* parent, model::ModelStore& m, Exchange& x) {
    x.result = kResultNone;
    Form form(m, x, parent);
    form.run_modal();
    return x.result;
}

}  // namespace tarvik::editing
