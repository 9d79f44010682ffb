// What the two list windows share on Qt: three grids with their record
// counts, an OK button, and the view calls that fill them. The grid enum's
// values index the grids.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <array>
#include <string>

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

    QTableWidget* grid(Grid g) const { return grids_[index(g)]; }
    static size_t index(Grid g) { return static_cast<size_t>(g); }

    std::array<QTableWidget*, 3> grids_{};
    std::array<QLineEdit*, 3> counts_{};
};

}  // namespace tarvik::editing
