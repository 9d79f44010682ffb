// The seam between the main window's presenter and everything modal it opens:
// messages, questions, file dialogs, the other windows and help.
#pragma once

#include <string>
#include <string_view>

#include "model/message_service.h"

namespace tarvik::app {

// The modal windows the main window opens; each works on the model store and
// returns when the user closes it.
enum class Window {
    KihonUnit,  // generator: basic data and unit window
    Tegaki,     // hand-drawn editor
    Jiku,       // axis data editor
    SelNode,    // node, support and load data
    SelBeam,    // member data
    Velto,      // results window
};

// Everything modal the main window asks of the user: messages, questions, file
// dialogs, other windows, help. The Qt layer shows real dialogs; tests script
// the answers.
class Dialogs : public model::MessageService {
public:
    // The chosen file, or an empty text when the user cancelled. The filter is
    // written "caption|pattern" as the menus give it.
    virtual std::string open_file_name(std::string_view filter) = 0;
    virtual std::string save_file_name(std::string_view filter, std::string_view default_ext) = 0;

    // Whether the window exists in this build; one that does not is announced
    // instead of opened.
    virtual bool has_window(Window w) const = 0;
    // Runs the window to its end.
    virtual void run_window(Window w) = 0;

    virtual void show_help() = 0;
};

}  // namespace tarvik::app
