// The export commands of the drawing windows (the generator's unit window,
// the results window, the hand-drawn editor, the axis data window): "DXF保存"
// and the viewer face file, from the save dialog to the closing message.
// Every window runs the same steps; it supplies its dialogs and its files.
#pragma once

#include <string>
#include <string_view>

#include "model/message_service.h"
#include "render/solid.h"
#include "ui/texts.h"

namespace tarvik::files {

// What the export commands ask of the user besides messages.
class ExportDialogs {
  public:
    virtual ~ExportDialogs() = default;
    // The chosen file, empty when cancelled; filter "caption|pattern".
    virtual std::string save_file_name(std::string_view filter, std::string_view default_ext) = 0;
    // The line width and colour window, modal: a colour code 1..6, or -1.
    virtual int run_dxf_colour_window() = 0;
};

enum class ExportResult { kDone, kCancelled, kFailed };

// "DXF保存": file name, colour window, make_dxf_file on the window's
// "TEMP.DAT", then done_message. A failure shows only make_dxf_file's own
// message: a file that was not written is never announced as made.
ExportResult dxf_save_command(ExportDialogs& d, model::MessageService& msg,
                              const std::string& temp_path, const char* done_message = kDxfDone);

// The viewer face file: file name, save_face_file on the window's solids,
// then kFaceDone, or kFaceFailed after the writer's message.
ExportResult face_save_command(ExportDialogs& d, model::MessageService& msg,
                               const render::SolidModel& s);

}  // namespace tarvik::files
