// The model's routines report through the windows' message service; the
// model names it as its own so that its callers need not know where it lives.
#pragma once

#include "ui/message_service.h"

namespace tarvik::model {

using ui::MessageService;

}  // namespace tarvik::model
