#include "views/qt/t_isome_form.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QHideEvent>
#include <QShowEvent>
#include <QSignalBlocker>

#include "views/qt/zoom_pan.h"

namespace tarvik::views {
namespace {

QScrollBar* angle_bar(QWidget* parent, int y) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(kAngleMin, kAngleMax);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setGeometry(48, y, 150, 17);
    return bar;
}

}  // namespace

TIsomeForm::TIsomeForm(ViewParams& params, int xScreen, QWidget* parent)
    : QDialog(parent), presenter_(params, *this), xScreen_(xScreen) {
    setWindowTitle(QString::fromUtf8(kIsomeCaption));
    setFixedSize(kIsomeClientWidth, kIsomeClientHeight);

    (new QLabel(QString::fromUtf8(kTauCaption), this))->setGeometry(8, 10, 36, 17);
    TauScrollBar = angle_bar(this, 10);
    TauValLabel = new QLabel(this);
    TauValLabel->setGeometry(206, 10, 46, 17);
    (new QLabel(QString::fromUtf8(kFaiCaption), this))->setGeometry(8, 38, 36, 17);
    FaiScrollBar = angle_bar(this, 38);
    FaiValLabel = new QLabel(this);
    FaiValLabel->setGeometry(206, 38, 46, 17);

    auto* group = new QGroupBox(QString::fromUtf8(kSelRadioCaption), this);
    group->setGeometry(8, 66, 244, 88);
    SelRadioGroup = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(kViewPresets.size()); ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(kViewPresets[i].caption), group);
        b->setGeometry(12 + (i % 2) * 116, 22 + (i / 2) * 30, 110, 24);
        SelRadioGroup->addButton(b, i);
    }

    auto* close = new QPushButton(QString::fromUtf8(kIsomeCloseCaption), this);
    close->setGeometry(172, 162, 80, 28);

    presenter_.FormCreate(xScreen);

    connect(TauScrollBar, &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.TauScrollBarChange(v); });
    connect(FaiScrollBar, &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.FaiScrollBarChange(v); });
    connect(SelRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { presenter_.SelRadioGroupClick(id); });
    connect(close, &QPushButton::clicked, this, [this] { presenter_.Button2Click(); });
    // The drawing windows poll the angles every 100 ms; so do the controls.
    tick_.setInterval(100);
    connect(&tick_, &QTimer::timeout, this, [this] { presenter_.Tick(); });
}

void TIsomeForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) presenter_.FormCreate(placement_width(this, xScreen_));
    tick_.start();
}

void TIsomeForm::hideEvent(QHideEvent* e) {
    tick_.stop();
    QDialog::hideEvent(e);
}

void TIsomeForm::set_tau_position(int position) {
    const QSignalBlocker quiet(TauScrollBar);
    TauScrollBar->setValue(position);
}

void TIsomeForm::set_fai_position(int position) {
    const QSignalBlocker quiet(FaiScrollBar);
    FaiScrollBar->setValue(position);
}

void TIsomeForm::set_tau_value(const std::string& text) {
    TauValLabel->setText(QString::fromStdString(text));
}

void TIsomeForm::set_fai_value(const std::string& text) {
    FaiValLabel->setText(QString::fromStdString(text));
}

void TIsomeForm::select_item(int index) {
    SelRadioGroup->button(index)->setChecked(true);
}

void TIsomeForm::place(int left, int top) {
    place_beside(this, left, top);
}

void TIsomeForm::close_window() {
    close();
}

}  // namespace tarvik::views
