// The diagnostic trace "SPY.TXT" that most routines write a line to.
#pragma once

#include <string>

#include "ui/texts.h"

namespace tarvik::model {

// The diagnostic trace "SPY.TXT": one line per call, CR LF, Shift-JIS (CP932).
// It is the one process-wide object of the program besides the model owner.
// While no trace is open every call is a no-op.

// Creates the trace file anew (replacing an old one). False when it cannot be
// created; the program then runs on without a trace.
bool spy_open(const std::string& path);
void spy_close();
bool spy_is_open();

// printf-style line in UTF-8; the line end is added.
void spy(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tarvik::model
