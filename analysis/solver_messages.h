// What a failed solver run means, in Japanese. The solver ends a failed run
// with one English line on standard error ("veltosol: ..."); the user gets a
// sentence saying what went wrong and what to look at, with the solver's own
// line kept below it for whoever must dig further.
#pragma once

#include <string>

#include "analysis/solver_run.h"

namespace tarvik::analysis {

// The last non-empty line of the solver's standard error, without its CR.
std::string solver_failure_line(const std::string& diagnostic);

// The Japanese explanation of the failure line: capacity exceeded (naming the
// table and its limit), a malformed model, unreadable input, a file or memory
// failure; a general sentence with the exit status when the line is unknown.
std::string explain_solver_line(const std::string& line, int status);

// The message shown for a run that did not succeed (run.ok() is false and the
// solver was started): the explanation, then the solver's own line.
std::string solver_failure_message(const SolverRun& run);

}  // namespace tarvik::analysis
