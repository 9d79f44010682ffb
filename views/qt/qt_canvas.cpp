#include "views/qt/qt_canvas.h"

#include <QPen>

namespace tarvik::views {

QtCanvas::QtCanvas(QPainter* painter, int width, int height) : p_(painter), w_(width), h_(height) {
    // Lines of whole pixels, as the views compute them; no smoothing.
    p_->setRenderHint(QPainter::Antialiasing, false);
    p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    set_pen(kSolid, 1, kBlack);
    set_brush(kWhite);
}

QColor QtCanvas::colour_of(int index) {
    return QColor::fromRgb(palette_rgb(index));
}

Qt::PenStyle QtCanvas::pen_style_of(int style) {
    switch (style) {
        case kDotted:
            return Qt::DotLine;
        case kDashed:
            return Qt::DashLine;
        case kDashDot:
            return Qt::DashDotLine;
        case kDashDotDot:
            return Qt::DashDotDotLine;
        case kInvisible:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

void QtCanvas::set_pen(int style, int width, int colour) {
    QPen pen(colour_of(colour));
    pen.setStyle(pen_style_of(style));
    // Width 1 is a cosmetic pen: one pixel at any scale of the painter.
    pen.setWidth(width <= 1 ? 0 : width);
    pen.setCapStyle(Qt::FlatCap);
    p_->setPen(pen);
}

void QtCanvas::set_brush(int colour) {
    p_->setBrush(colour_of(colour));
}

void QtCanvas::set_invert(bool on) {
    // Inverting the destination whatever the pen's colour: drawing the same
    // line twice restores the picture, which is what a rubber band needs.
    p_->setCompositionMode(on ? QPainter::RasterOp_NotDestination
                              : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::move_to(int x, int y) {
    at_ = QPoint(x, y);
}

void QtCanvas::line_to(int x, int y) {
    const QPoint to(x, y);
    p_->drawLine(at_, to);
    at_ = to;
}

// Boxes are given as left, top, right, bottom with the right and bottom edge
// outside the shape.
void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    p_->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::rectangle(int left, int top, int right, int bottom) {
    p_->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::fill_rect(int left, int top, int right, int bottom) {
    p_->fillRect(QRect(left, top, right - left, bottom - top), p_->brush());
}

void QtCanvas::clear(int colour) {
    p_->fillRect(QRect(0, 0, w_, h_), colour_of(colour));
}

void QtCanvas::text(int x, int y, std::string_view utf8) {
    p_->drawText(QPoint(x, y), QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
}

}  // namespace tarvik::views
