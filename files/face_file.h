// The viewer face file (".dat"): the member solids for an outside 3-D viewer,
// as the numbered vertex table followed by "Faces:" and one line per triangle
// of "TRIO.DAT". Write-only; the program never reads it back.
#pragma once

#include <string>

#include "model/message_service.h"
#include "render/solid.h"
#include "ui/texts.h"

namespace tarvik::files {

// The file's text from the vertex table and the first N_TRIO records of the
// triangle file bytes. The second vertex number of each face is written
// negated, as the viewer expects. False when trio holds fewer records.
bool format_face_file(const render::SolidModel& s, std::string_view trio, std::string& out);

// save_face_file: writes file_name from the solid model s (its vertex table,
// N_TRIO and its "TRIO.DAT"), replacing an existing file only with a complete
// one. 0, or -1 after the message of the failure; the file is then not
// touched.
int save_face_file(const render::SolidModel& s, const std::string& file_name,
                   model::MessageService& msg);

}  // namespace tarvik::files
