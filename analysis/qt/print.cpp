#include "analysis/qt/print.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <vector>

#include "views/qt/qt_canvas.h"

namespace tarvik::analysis {
namespace {

bool set_up(QPrinter& printer, QWidget* parent, const QString& pdf_path) {
    if (!pdf_path.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_path);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool print_grid(QWidget* parent, const QString& title, const Grid& grid, const QString& pdf_path) {
    QPrinter printer(QPrinter::HighResolution);
    if (!set_up(printer, parent, pdf_path)) return false;
    QPainter p;
    if (!p.begin(&printer)) return false;
    QFont font(QStringLiteral("Monospace"), 9);
    font.setStyleHint(QFont::TypeWriter);
    p.setFont(font);
    const QFontMetrics fm(p.font(), &printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int line = fm.lineSpacing();

    // Column widths from the widest text of each column.
    std::vector<int> width;
    for (const auto& row : grid) {
        if (width.size() < row.size()) width.resize(row.size(), 0);
        for (size_t c = 0; c < row.size(); ++c)
            width[c] = std::max(width[c], fm.horizontalAdvance(QString::fromStdString(row[c])));
    }
    const int gap = fm.horizontalAdvance(QStringLiteral("  "));
    int y = line;
    auto header = [&] {
        p.drawText(0, y, title);
        y += 2 * line;
    };
    header();
    for (size_t r = 0; r < grid.size(); ++r) {
        if (y > page.height() - line) {
            printer.newPage();
            y = line;
            header();
        }
        int x = 0;
        for (size_t c = 0; c < grid[r].size(); ++c) {
            const QString cell = QString::fromStdString(grid[r][c]);
            // Numbers right-aligned, texts left-aligned.
            const int tw = fm.horizontalAdvance(cell);
            const bool number = !cell.isEmpty() && (cell.back().isDigit());
            p.drawText(number ? x + width[c] - tw : x, y, cell);
            x += width[c] + gap;
        }
        y += line;
    }
    return p.end();
}

bool print_drawing(QWidget* parent, const QString& title,
                   const std::function<void(render::Canvas&)>& paint, const QString& pdf_path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!set_up(printer, parent, pdf_path)) return false;
    QPainter p;
    if (!p.begin(&printer)) return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    // Draw in screen-sized pixels scaled onto the page, so pen widths keep
    // their proportions.
    const int w = 1000;
    const int h = std::max(1, w * page.height() / std::max(1, page.width()));
    p.scale(static_cast<double>(page.width()) / w, static_cast<double>(page.height()) / h);
    views::QtCanvas canvas(&p, w, h);
    paint(canvas);
    p.setPen(Qt::black);
    p.drawText(10, 20, title);
    return p.end();
}

}  // namespace tarvik::analysis
