#include "analysis/qt/t_show_stress_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "analysis/qt/print.h"
#include "ui/qt/qt_text.h"
#include "views/isome_form.h"
#include "views/qt/qt_canvas.h"
#include "views/qt/zoom_pan.h"

namespace tarvik::analysis {

using ui::qs;
DrawingArea::DrawingArea(Paint paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint)) {
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    views::QtCanvas canvas(&painter, width(), height());
    paint_(canvas);
}

TShowStressForm::TShowStressForm(const FoundTable& found, float TAU, float FAI, QWidget* parent)
    : QDialog(parent), presenter_(found, TAU, FAI, *this) {
    setWindowTitle(qs(kShowStressCaption));
    auto* h = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    h->addLayout(side);

    auto* shu = new QGroupBox(qs(kShuCaption), this);
    auto* shu_l = new QVBoxLayout(shu);
    ShuRadioGroup = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(kShuItems.size()); ++i) {
        auto* b = new QRadioButton(qs(kShuItems[i].caption), shu);
        shu_l->addWidget(b);
        ShuRadioGroup->addButton(b, i);
    }
    side->addWidget(shu);

    auto* zumen = new QGroupBox(qs(kZumenCaption), this);
    auto* zumen_l = new QVBoxLayout(zumen);
    ZumenRadioGroup = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(views::kViewPresets.size()); ++i) {
        auto* b = new QRadioButton(qs(views::kViewPresets[i].caption), zumen);
        zumen_l->addWidget(b);
        ZumenRadioGroup->addButton(b, i);
    }
    side->addWidget(zumen);

    auto bar = [this, side](const char* caption, QScrollBar*& sb, QLabel*& value) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(qs(caption), this));
        sb = new QScrollBar(Qt::Horizontal, this);
        sb->setRange(views::kAngleMin, views::kAngleMax);
        sb->setMinimumWidth(120);
        row->addWidget(sb);
        value = new QLabel(this);
        value->setMinimumWidth(28);
        row->addWidget(value);
        side->addLayout(row);
    };
    bar("Tau", TauScrollBar, TauValLabel);
    bar("Fai", FaiScrollBar, FaiValLabel);

    auto* scale_row = new QHBoxLayout;
    scale_row->addWidget(new QLabel(qs(kScaleCaption), this));
    ScaleEdit = new QLineEdit(this);
    ScaleEdit->setReadOnly(true);
    scale_row->addWidget(ScaleEdit);
    side->addLayout(scale_row);
    side->addStretch();
    auto* hcopy = new QPushButton(QStringLiteral("Hcopy"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    side->addWidget(hcopy);
    side->addWidget(close);

    Image1 = new DrawingArea([this](render::Canvas& c) { presenter_.FormPaint(c); }, this);
    h->addWidget(Image1, 1);
    views::add_fit_action(this, views::attach_zoom_pan(Image1, [this]() -> render::ViewWindow& {
                              return presenter_.window();
                          }));
    resize(900, 600);

    presenter_.FormShow();
    connect(ShuRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { presenter_.ShuRadioGroupClick(id); });
    connect(ZumenRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { presenter_.ZumenRadioGroupClick(id); });
    connect(TauScrollBar, &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.TauScrollBarChange(v); });
    connect(FaiScrollBar, &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.FaiScrollBarChange(v); });
    connect(hcopy, &QPushButton::clicked, this, [this] {
        print_drawing(this, windowTitle(), [this](render::Canvas& c) { presenter_.FormPaint(c); });
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TShowStressForm::set_scale_text(const std::string& text) {
    ScaleEdit->setText(QString::fromStdString(text));
}
void TShowStressForm::set_tau(int position, const std::string& label) {
    const QSignalBlocker quiet(TauScrollBar);
    TauScrollBar->setValue(position);
    TauValLabel->setText(QString::fromStdString(label));
}
void TShowStressForm::set_fai(int position, const std::string& label) {
    const QSignalBlocker quiet(FaiScrollBar);
    FaiScrollBar->setValue(position);
    FaiValLabel->setText(QString::fromStdString(label));
}
void TShowStressForm::select_zumen(int index) {
    if (auto* b = ZumenRadioGroup->button(index)) b->setChecked(true);
}
void TShowStressForm::select_shu(int index) {
    if (auto* b = ShuRadioGroup->button(index)) b->setChecked(true);
}
void TShowStressForm::repaint() {
    if (Image1) Image1->update();
}

}  // namespace tarvik::analysis
