// The structure data file (".man"): the whole model with its plan
// coordinates, read into and written from the model store.
#pragma once

#include <string>
#include <string_view>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::files {

// The structure data text of the node and member tables (CR LF lines). With
// OnSaveOld = 1 the plan coordinates come from the saved copy.
std::string format_tegaki(const model::ModelStore& m);

// 0; -1 after a message when the file cannot be created or written. An
// existing file is replaced only by a complete one.
int save_tegaki_data(const model::ModelStore& m, const std::string& file_name,
                     model::MessageService& msg);

// Reads structure data text into the store. Values are separated by any white
// space; reading stops at the end of the text or at the first value that is
// not a number where a number belongs, and everything read up to there is
// stored (fields not reached keep what they held). A node or member count
// outside 0..capacity refuses the whole text with a message and leaves the
// store unchanged: -1. Otherwise 0; *complete (when given) tells whether every
// announced value was read.
int read_tegaki_text(model::ModelStore& m, std::string_view text, model::MessageService& msg,
                     bool* complete = nullptr);

// 0; -1 after a message when the file cannot be opened or is refused.
int load_tegaki_data(model::ModelStore& m, const std::string& file_name, model::MessageService& msg,
                     bool* complete = nullptr);

}  // namespace tarvik::files
