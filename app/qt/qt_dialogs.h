// Message boxes, file dialogs, the help window and the modal windows of the
// main window, on Qt.
#pragma once

#include <QWidget>

#include "app/dialogs.h"
#include "app/new_form.h"
#include "editing/beam_dialogs.h"
#include "editing/node_dialogs.h"
#include "ui/qt/qt_messages.h"

namespace tarvik::app {

class QtDialogs : public Dialogs {
public:
    QtDialogs(QWidget* parent, AppContext& ctx, render::StrokeText& text)
        : parent_(parent), messages_(parent), ctx_(ctx), text_(text) {}

    void show_message(std::string_view text) override;
    bool ask_yes_no(std::string_view question) override;
    ui::SaveAnswer ask_save(std::string_view question) override;
    std::string open_file_name(std::string_view filter) override;
    std::string save_file_name(std::string_view filter, std::string_view default_ext) override;
    bool has_window(Window w) const override;
    void run_window(Window w) override;
    void show_help() override;

private:
    QWidget* parent_;
    ui::QtMessages messages_;
    AppContext& ctx_;
    render::StrokeText& text_;
    // Selections of the editing windows, kept between their openings.
    editing::NodeEditExchange node_edit_;
    editing::BeamEditExchange beam_edit_;
};

}  // namespace tarvik::app
