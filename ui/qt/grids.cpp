#include "ui/qt/grids.h"

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>

#include "ui/qt/qt_text.h"

namespace tarvik::ui {

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

QToolButton* speed_button(const char* text, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(qs(text));
    b->setMinimumWidth(32);
    return b;
}

QLineEdit* count_edit(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setMaximumWidth(80);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QHBoxLayout* captioned(const char* label, QWidget* widget, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(qs(label), parent));
    row->addWidget(widget);
    row->addStretch();
    return row;
}

void add_labelled(QHBoxLayout* row, QToolButton* button, const char* label, QWidget* parent) {
    row->addWidget(button);
    row->addWidget(new QLabel(qs(label), parent));
}

void place_on_screen(QWidget* window, QWidget* parent, int top) {
    const QRect screen =
        (parent != nullptr ? parent->screen() : window->screen())->availableGeometry();
    const int y = top >= 0 ? top : std::max(0, (screen.height() - window->height()) / 2);
    window->move(screen.x() + std::max(0, (screen.width() - window->width()) / 2), screen.y() + y);
}

}  // namespace tarvik::ui
