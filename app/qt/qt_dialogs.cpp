#include "app/qt/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/qt/help_window.h"
#include "analysis/qt/t_velto_form.h"
#include "editing/qt/edit_windows.h"
#include "generator/qt/t_kihon_forms.h"

namespace tarvik::app {

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

QString QtDialogs::qt_filter(std::string_view filter) {
    // "軸データ(*.JIK)|*.jik": the caption before the bar, with the pattern after
    // it so that both letter cases of the extension are offered.
    const auto bar = filter.find('|');
    if (bar == std::string_view::npos) return q(filter);
    const QString caption = q(filter.substr(0, bar));
    const QString pattern = q(filter.substr(bar + 1));
    const int open = caption.indexOf('(');
    const QString name = open >= 0 ? caption.left(open) : caption;
    return name + " (" + pattern + " " + pattern.toUpper() + ")";
}

void QtDialogs::show_message(std::string_view text) {
    QMessageBox::information(parent_, QStringLiteral("Tarvik"), q(text));
}

bool QtDialogs::ask_yes_no(std::string_view question) {
    return QMessageBox::question(parent_, QStringLiteral("Tarvik"), q(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::string QtDialogs::open_file_name(std::string_view filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(ctx_.cDirectory),
                                        qt_filter(filter))
        .toStdString();
}

std::string QtDialogs::save_file_name(std::string_view filter, std::string_view default_ext) {
    QFileDialog dialog(parent_, QString(), QString::fromStdString(ctx_.cDirectory), qt_filter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(q(default_ext));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdString();
}

bool QtDialogs::has_window(Window w) const {
    switch (w) {
        case Window::KihonUnit:
        case Window::SelNode:
        case Window::SelBeam:
        case Window::Velto: return true;
        default: return false;  // the other windows are not part of this build yet
    }
}

void QtDialogs::run_window(Window w) {
    switch (w) {
        case Window::KihonUnit: generator::run_kihon_unit_form(parent_, ctx_.store, ctx_.view, ctx_.cDirectory);
            break;
        case Window::SelNode: editing::run_sel_node_form(parent_, ctx_.store, node_edit_); break;
        case Window::SelBeam: editing::run_sel_beam_form(parent_, ctx_.store, beam_edit_); break;
        case Window::Velto:
            analysis::run_velto_form(parent_, ctx_.store, ctx_.view, ctx_.cDirectory, text_,
                                     parent_ ? parent_->width() : 0);
            break;
        default: break;
    }
}

void QtDialogs::show_help() {
    THelpForm help(parent_);
    help.exec();
}

}  // namespace tarvik::app
