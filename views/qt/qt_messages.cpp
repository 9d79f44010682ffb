#include "views/qt/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvik::views {

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

void QtMessages::show_message(std::string_view text) {
    QMessageBox::information(parent_, QApplication::applicationName(), q(text));
}

bool QtMessages::ask_yes_no(std::string_view question) {
    return QMessageBox::question(parent_, QApplication::applicationName(), q(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace tarvik::views
