#include "views/qt/t_view_form.h"

#include <QPushButton>
#include <QSignalBlocker>

#include "views/qt/zoom_pan.h"
#include "views/view_preview.h"

namespace tarvik::views {
namespace {

constexpr int kMargin = 8;
constexpr int kRowTop = 136;  // first scroll bar group
constexpr int kRowStep = 52;
constexpr int kBarWidth = kViewClientWidth - 2 * kMargin;
constexpr int kLabelWidth = 60;

QPushButton* button(QWidget* parent, const char* caption, int i) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setGeometry(kMargin + i * 74, 302, 66, 28);
    return b;
}

}  // namespace

TViewForm::TViewForm(ViewParams& params, int xScreen, QWidget* parent)
    : QDialog(parent), presenter_(params, *this), xScreen_(xScreen) {
    setWindowTitle(QString::fromUtf8(kViewCaption));
    setFixedSize(kViewClientWidth, kViewClientHeight);

    Image1 = new CanvasWidget(kPictureWidth, kPictureHeight, draw_view_picture, this);
    Image1->move(kMargin, kMargin);
    Image2 = new CanvasWidget(
        kPreviewSize, kPreviewSize, [this](Canvas& c) { presenter_.Image2Paint(c); }, this);
    Image2->move(kViewClientWidth - kMargin - kPreviewSize, kMargin);

    for (int i = 0; i < 3; ++i) {
        const EyeScroll& s = kEyeScrolls[i];
        const int y = kRowTop + i * kRowStep;
        (new QLabel(QString::fromUtf8(s.name), this))->setGeometry(kMargin, y, kBarWidth, 16);
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setRange(s.min, s.max);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setGeometry(kMargin, y + 17, kBarWidth, 17);
        bars[i] = bar;
        auto* lo = new QLabel(QString::fromUtf8(s.min_text), this);
        lo->setGeometry(kMargin, y + 35, kLabelWidth, 16);
        value_labels[i] = new QLabel(QString::fromUtf8(s.design_text), this);
        value_labels[i]->setAlignment(Qt::AlignHCenter);
        value_labels[i]->setGeometry((kViewClientWidth - kLabelWidth) / 2, y + 35, kLabelWidth, 16);
        auto* hi = new QLabel(QString::fromUtf8(s.max_text), this);
        hi->setAlignment(Qt::AlignRight);
        hi->setGeometry(kViewClientWidth - kMargin - kLabelWidth, y + 35, kLabelWidth, 16);
    }

    auto* ok = button(this, kViewOKCaption, 0);
    auto* cancel = button(this, kViewCancelCaption, 1);
    auto* deflt = button(this, kViewDefaultCaption, 2);
    auto* pers = button(this, kViewPersCaption, 3);

    presenter_.FormCreate(xScreen);

    connect(bars[kRhoBar], &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.RhoScrollBarScroll(v); });
    connect(bars[kThetaBar], &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.ThetaScrollBarScroll(v); });
    connect(bars[kPhiBar], &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.PhiScrollBarScroll(v); });
    connect(ok, &QPushButton::clicked, this, [this] { presenter_.OKButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, [this] { presenter_.CancelButtonClick(); });
    connect(deflt, &QPushButton::clicked, this, [this] { presenter_.DefautrButtonClick(); });
    connect(pers, &QPushButton::clicked, this, [this] { presenter_.PersButtonClick(); });
}

void TViewForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Each opening starts from the eye in use, beside the owner's drawing; a
    // window brought back by the window system keeps what it shows.
    if (e->spontaneous())
        presenter_.FormShow();
    else
        presenter_.FormCreate(placement_width(this, xScreen_));
}

void TViewForm::set_position(EyeBar bar, int position) {
    const QSignalBlocker quiet(bars[bar]);
    bars[bar]->setValue(position);
}

int TViewForm::position(EyeBar bar) const {
    return bars[bar]->value();
}

void TViewForm::set_value_label(EyeBar bar, const std::string& text) {
    value_labels[bar]->setText(QString::fromStdString(text));
}

void TViewForm::redraw_preview() {
    Image2->update();
}

void TViewForm::place(int left, int top) {
    place_beside(this, left, top);
}

void TViewForm::close_window() {
    close();
}

}  // namespace tarvik::views
