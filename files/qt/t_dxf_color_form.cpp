#include "files/qt/t_dxf_color_form.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/qt_text.h"

namespace tarvik::files {
using ui::qs;
using ui::qt_filter;

TDxfColorForm::TDxfColorForm(QWidget* parent) : QDialog(parent), presenter_(*this) {
    setWindowTitle(qs(kDxfColorCaption));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(qs(kDxfColorGroup), this);
    auto* items = new QVBoxLayout(box);
    group_ = new QButtonGroup(this);
    for (int k = 0; k < static_cast<int>(kDxfColorItems.size()); ++k) {
        auto* b = new QRadioButton(qs(kDxfColorItems[static_cast<size_t>(k)]), box);
        group_->addButton(b, k);
        items->addWidget(b);
    }
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { presenter_.OKButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, [this] { presenter_.CancelButtonClick(); });
    presenter_.FormCreate();
}

int TDxfColorForm::run() {
    exec();
    return presenter_.code();
}

void TDxfColorForm::select_item(int index) {
    if (QAbstractButton* b = group_->button(index)) b->setChecked(true);
}

int TDxfColorForm::selected_item() const { return group_->checkedId(); }

void TDxfColorForm::close_window() { done(presenter_.code() < 0 ? Rejected : Accepted); }

std::string QtExportDialogs::save_file_name(std::string_view filter,
                                            std::string_view default_ext) {
    QFileDialog d(parent_, QString(), QString::fromStdString(folder_), qt_filter(filter));
    d.setAcceptMode(QFileDialog::AcceptSave);
    if (!default_ext.empty()) d.setDefaultSuffix(qs(default_ext));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().front().toStdString();
}

int QtExportDialogs::run_dxf_colour_window() {
    TDxfColorForm form(parent_);
    return form.run();
}

}  // namespace tarvik::files
