// Grids and the small widgets around them that the list windows are made of.
#pragma once

#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

#include "ui/fields.h"

namespace tarvik::ui {

// A grid with one selected row at a time; row 0 of rows gives the headings.
QTableWidget* make_grid(QWidget* parent);
void fill_grid(QTableWidget* grid, const GridRows& rows);
// Shows a record's row as selected, raising no selection event.
void select_grid_row(QTableWidget* grid, int record);

// A small square button with a short text ("×", "M", ">>").
QToolButton* speed_button(const char* text, QWidget* parent);
// A read-only field for a grid's record count.
QLineEdit* count_edit(QWidget* parent);
// A row: the label, then the widget, then space.
QHBoxLayout* captioned(const char* label, QWidget* widget, QWidget* parent);
// Adds a button and its label to a row.
void add_labelled(QHBoxLayout* row, QToolButton* button, const char* label, QWidget* parent);

// Places a window centred across its parent's screen (or its own), top
// pixels below the screen's top edge; top < 0 centres it upright as well.
void place_on_screen(QWidget* window, QWidget* parent, int top);

}  // namespace tarvik::ui
