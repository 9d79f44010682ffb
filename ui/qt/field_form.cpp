#include "ui/qt/field_form.h"

#include <QFont>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/qt/qt_text.h"

namespace tarvik::ui {

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

}  // namespace tarvik::ui
