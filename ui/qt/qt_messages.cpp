#include "ui/qt/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/qt/qt_text.h"

namespace tarvik::ui {

void QtMessages::show_message(std::string_view text) {
    QMessageBox::information(parent_, QApplication::applicationName(), qs(text));
}

bool QtMessages::ask_yes_no(std::string_view question) {
    return QMessageBox::question(parent_, QApplication::applicationName(), qs(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void set_busy_cursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace tarvik::ui
