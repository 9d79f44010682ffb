#include "files/export_commands.h"

#include "files/dxf_file.h"
#include "files/face_file.h"
#include "model/spy.h"

namespace tarvik::files {

ExportResult dxf_save_command(ExportDialogs& d, model::MessageService& msg,
                              const std::string& temp_path, const char* done_message) {
    const std::string path = d.save_file_name(kDxfFilter, kDxfExt);
    if (path.empty()) return ExportResult::kCancelled;
    model::spy("DxfOut Here");
    const int code = d.run_dxf_colour_window();
    if (code < 0) return ExportResult::kCancelled;
    if (make_dxf_file(temp_path, path, code, msg) != 0) return ExportResult::kFailed;
    msg.show_message(done_message);
    return ExportResult::kDone;
}

ExportResult face_save_command(ExportDialogs& d, model::MessageService& msg,
                               const render::SolidModel& s) {
    const std::string path = d.save_file_name(kFaceFilter, kFaceExt);
    if (path.empty()) return ExportResult::kCancelled;
    if (save_face_file(s, path, msg) != 0) {
        msg.show_message(kFaceFailed);
        return ExportResult::kFailed;
    }
    msg.show_message(kFaceDone);
    return ExportResult::kDone;
}

}  // namespace tarvik::files
