// The frame graphic file (".ydu"): the model as the comma-separated sections
// "NODE", "FIX", "BEAM", "SHAPE", "MAT" and "NLOAD", the input of an outside
// frame-analysis program. Write-only; the program never reads it back.
#pragma once

#include <string>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::files {

// The file's text (CR LF lines). Nodes and members are numbered by their
// position in the tables, not by their no fields.
std::string format_honegra(const model::ModelStore& m);

// Writes file_name, replacing an existing file only with a complete one. 0, or
// -1 after the message of the failure.
int save_honegra(const model::ModelStore& m, const std::string& file_name,
                 model::MessageService& msg);

}  // namespace tarvik::files
