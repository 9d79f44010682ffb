#include "ui/qt/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/qt/qt_text.h"

namespace tarvik::ui {

void QtMessages::show_message(std::string_view text) {
    QMessageBox::information(parent_, QApplication::applicationName(), qs(text));
}

bool QtMessages::ask_yes_no(std::string_view question) {
    return QMessageBox::question(parent_, QApplication::applicationName(), qs(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

SaveAnswer QtMessages::ask_save(std::string_view question) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), qs(question),
                    QMessageBox::NoButton, parent_);
    QPushButton* save = box.addButton(qs("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(qs("破棄"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(qs("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::kSave;
    if (box.clickedButton() == discard) return SaveAnswer::kDiscard;
    return SaveAnswer::kCancel;
}

void set_busy_cursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace tarvik::ui
