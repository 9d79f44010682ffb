#include "editing/qt/t_ken_node_form.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>

#include "views/isome_form.h"
#include "views/qt/zoom_pan.h"
#include "ui/qt/qt_text.h"

namespace tarvik::editing {

using ui::qs;

TYesNoForm::TYesNoForm(const QString& question, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(kYesNoCaption));
    setModal(true);
    move(kYesNoLeft, kYesNoTop);
    setFixedSize(280, 110);
    Label1 = new QLabel(question, this);
    Label1->setGeometry(16, 14, 248, 40);
    Label1->setWordWrap(true);
    auto* yes = new QPushButton("Yes", this);
    yes->setGeometry(48, 66, 80, 28);
    auto* no = new QPushButton("No", this);
    no->setGeometry(152, 66, 80, 28);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

bool YesNoService::ask_yes_no(std::string_view question) {
    TYesNoForm form(qs(question), parent_);
    return form.exec() == QDialog::Accepted;
}

TKenNodeForm::TKenNodeForm(model::ModelStore& m, KenNodeCore& core, render::ViewParams& params,
                           KenNodeHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      QtLevelRange(this, "節点総数", "検索数"),
      ZenNodeEdit(total),
      KenNumEdit(count),
      ask_(this),
      presenter_(m, core, params, host, *this, ask_) {
    setWindowTitle(qs(kKenNodeCaption));
    move(kKenNodeLeft, kKenNodeTop);
    setFixedSize(300, 330);

    auto* ken = new QToolButton(this);
    ken->setText(qs("検"));
    ken->setGeometry(8, 126, 40, 28);
    auto* zen = new QToolButton(this);
    zen->setText(qs("選"));
    zen->setGeometry(56, 126, 40, 28);
    (new QLabel(qs("全てを選択"), this))->setGeometry(100, 126, 80, 28);
    auto* close = new QPushButton("Close", this);
    close->setGeometry(212, 126, 80, 28);

    auto* group = new QGroupBox(qs("図面"), this);
    group->setGeometry(8, 162, 284, 80);
    ZumenSelRadioGroup = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(views::kViewPresets.size()); ++i) {
        auto* b = new QRadioButton(qs(views::kViewPresets[i].caption), group);
        b->setGeometry(12 + (i % 2) * 130, 20 + (i / 2) * 28, 120, 24);
        ZumenSelRadioGroup->addButton(b, i);
    }
    auto bar = [this](int y, const char* caption, QLabel*& value) {
        (new QLabel(qs(caption), this))->setGeometry(8, y, 30, 20);
        auto* sb = new QScrollBar(Qt::Horizontal, this);
        sb->setRange(views::kAngleMin, views::kAngleMax);
        sb->setSingleStep(1);
        sb->setPageStep(1);
        sb->setGeometry(40, y, 200, 18);
        value = new QLabel(this);
        value->setGeometry(248, y, 44, 20);
        return sb;
    };
    TauScrollBar = bar(252, "Tau", TauValLabel);
    FaiScrollBar = bar(282, "Fai", FaiLabel);

    connect(ken, &QToolButton::clicked, this, [this] { presenter_.KenSpeedButtonClick(); });
    connect(zen, &QToolButton::clicked, this, [this] { presenter_.ZenSentakuSpeedButtonClick(); });
    connect(close, &QPushButton::clicked, this, [this] { presenter_.CloseButtonClick(); });
    connect(TauScrollBar, &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.TauScrollBarChange(v); });
    connect(FaiScrollBar, &QScrollBar::valueChanged, this,
            [this](int v) { presenter_.FaiScrollBarChange(v); });
    connect(ZumenSelRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { presenter_.ZumenSelRadioGroupClick(id); });
    // Typing only: the texts the window sets itself keep the count.
    for (QLineEdit* e : edits)
        connect(e, &QLineEdit::textEdited, this, [this] { presenter_.RangeEditChange(); });
}

void TKenNodeForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Beside the main window's drawing, below its menu bar.
    if (!e->spontaneous()) views::place_beside(this, kKenNodeLeft, kKenNodeTop);
    presenter_.FormShow();
}

void TKenNodeForm::set_angles(int tau, int fai) {
    const QSignalBlocker a(TauScrollBar), b(FaiScrollBar);
    TauScrollBar->setValue(tau);
    FaiScrollBar->setValue(fai);
}

void TKenNodeForm::set_tau_label(const std::string& text) { TauValLabel->setText(qs(text)); }
void TKenNodeForm::set_fai_label(const std::string& text) { FaiLabel->setText(qs(text)); }

void TKenNodeForm::select_drawing(int index) {
    if (auto* b = ZumenSelRadioGroup->button(index)) b->setChecked(true);
}

}  // namespace tarvik::editing
