#include "editing/qt/field_dialog_qt.h"

#include <QFont>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarvik::editing {

TFieldDialog::TFieldDialog(const DialogLayout& layout, QWidget* parent)
    : QDialog(parent), msg_(this) {
    setWindowTitle(qs(layout.caption));
    setModal(true);
    if (layout.left >= 0) move(layout.left, layout.top);

    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    const char* group = nullptr;
    for (const FieldLayout& f : layout.fields) {
        const bool new_group =
            f.group != nullptr && (group == nullptr || std::string_view(group) != f.group);
        group = f.group;
        if (new_group && *f.group == '\0') {  // a rule, no heading
            auto* rule = new QFrame(this);
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            form->addRow(rule);
        } else if (new_group) {
            auto* heading = new QLabel(qs(f.group), this);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            form->addRow(heading);
        }
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(!f.editable);
        edit->setMinimumWidth(140);
        form->addRow(qs(f.caption), edit);
        fields.push_back(edit);
    }
    outer->addLayout(form);

    if (layout.has_message) {
        MessageLabel = new QLabel(this);
        outer->addWidget(MessageLabel);
    }
    if (layout.extra_caption != nullptr) {
        auto* row = new QHBoxLayout;
        ExtraButton = new QPushButton(qs(layout.extra_caption), this);
        row->addWidget(ExtraButton);
        if (layout.extra_label != nullptr) row->addWidget(new QLabel(qs(layout.extra_label), this));
        row->addStretch();
        outer->addLayout(row);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OKButton = new QPushButton(qs(layout.ok_caption), this);
    OKButton->setDefault(true);
    buttons->addWidget(OKButton);
    if (layout.cancel_caption != nullptr) {
        CancelButton = new QPushButton(qs(layout.cancel_caption), this);
        buttons->addWidget(CancelButton);
    }
    outer->addLayout(buttons);
    outer->addStretch();
}

void TFieldDialog::set_field(int field, const std::string& text) {
    fields.at(static_cast<size_t>(field))->setText(qs(text));
}

std::string TFieldDialog::field(int field) const {
    return fields.at(static_cast<size_t>(field))->text().toStdString();
}

void TFieldDialog::set_editable(int field, bool editable) {
    fields.at(static_cast<size_t>(field))->setReadOnly(!editable);
}

void TFieldDialog::set_message(const std::string& text) {
    if (MessageLabel != nullptr) MessageLabel->setText(qs(text));
}

void TFieldDialog::close_window() {
    QDialog::done(QDialog::Accepted);
}

void TFieldDialog::run_modal() {
    if (opened_) exec();
}

void TFieldDialog::reject() {
    if (on_cancel_)
        on_cancel_();
    else
        QDialog::reject();
}

QTableWidget* make_grid(QWidget* parent) {
    auto* g = new QTableWidget(parent);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->setVisible(false);
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
    // Columns as wide as their text; the grid scrolls when the window is narrow.
    g->horizontalHeader()->setStretchLastSection(false);
    g->setAlternatingRowColors(true);
    return g;
}

void fill_grid(QTableWidget* grid, const GridRows& rows) {
    const QSignalBlocker block(grid);
    grid->clearContents();
    const int columns = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    grid->setColumnCount(columns);
    grid->setRowCount(rows.empty() ? 0 : static_cast<int>(rows.size()) - 1);
    QStringList headings;
    if (!rows.empty())
        for (const std::string& h : rows[0]) headings << qs(h);
    grid->setHorizontalHeaderLabels(headings);
    for (size_t r = 1; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size() && static_cast<int>(c) < columns; ++c) {
            auto* item = new QTableWidgetItem(qs(rows[r][c]));
            // Numbers are written right-aligned in their formats; keep them so.
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
        }
    }
    grid->resizeColumnsToContents();
}

void select_grid_row(QTableWidget* grid, int record) {
    const QSignalBlocker block(grid);
    const QSignalBlocker block_model(grid->selectionModel());
    // With whole-row selection the current cell selects its row.
    if (record >= 0 && record < grid->rowCount()) grid->setCurrentCell(record, 0);
}

}  // namespace tarvik::editing
