#include "app/qt/qt_dialogs.h"

#include <QFileDialog>

#include "app/qt/help_window.h"
#include "analysis/qt/t_velto_form.h"
#include "editing/qt/edit_windows.h"
#include "editing/qt/t_tegaki_form.h"
#include "generator/qt/t_kihon_forms.h"
#include "ui/qt/qt_text.h"

namespace tarvik::app {

using ui::qs;
using ui::qt_filter;

void QtDialogs::show_message(std::string_view text) {
    messages_.show_message(text);
}

bool QtDialogs::ask_yes_no(std::string_view question) {
    return messages_.ask_yes_no(question);
}

ui::SaveAnswer QtDialogs::ask_save(std::string_view question) {
    return messages_.ask_save(question);
}

std::string QtDialogs::open_file_name(std::string_view filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(ctx_.cDirectory),
                                        qt_filter(filter))
        .toStdString();
}

std::string QtDialogs::save_file_name(std::string_view filter, std::string_view default_ext) {
    QFileDialog dialog(parent_, QString(), QString::fromStdString(ctx_.cDirectory), qt_filter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qs(default_ext));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdString();
}

bool QtDialogs::has_window(Window w) const {
    switch (w) {
        case Window::KihonUnit:
        case Window::Tegaki:
        case Window::Jiku:
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
        case Window::Tegaki: editing::run_tegaki_form(parent_, ctx_.store, ctx_.view, ctx_.cDirectory); break;
        case Window::Jiku: editing::run_jiku_form(parent_, ctx_.store, ctx_.view, ctx_.cDirectory); break;
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
