// Printing the result lists and drawings ("Hcopy"): a grid as a text table,
// a drawing through the canvas. Without a file name the print dialog asks
// for the printer; with one the pages go to that PDF file.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "analysis/result_lists.h"
#include "render/canvas.h"

namespace tarvik::analysis {

// True when the pages were printed.
bool print_grid(QWidget* parent, const QString& title, const Grid& grid,
                const QString& pdf_path = QString());
bool print_drawing(QWidget* parent, const QString& title,
                   const std::function<void(render::Canvas&)>& paint,
                   const QString& pdf_path = QString());

}  // namespace tarvik::analysis
