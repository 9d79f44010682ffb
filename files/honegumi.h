// The solver input writer: the model as "VELTOSOL.IN" or a user's ".bon"
// copy, in the solver's input layout.
#pragma once

#include <string>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::files {

// The solver input text of the model as the store holds it (CR LF lines).
std::string format_honegumi(const model::ModelStore& m);

// Writes the solver input to file_name, replacing an existing file only with a
// complete one. 0; -1 after a message when the file cannot be created or
// written.
int save_honegumi(const model::ModelStore& m, const std::string& file_name,
                  model::MessageService& msg);

}  // namespace tarvik::files
