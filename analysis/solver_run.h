// Running the frame solver as a separate process in the working folder and
// looking at what it left: its exit status, its diagnostic on standard error,
// and the instability reports in its listing and numeric record.
#pragma once

#include <string>

#include "tarvik_version.h"
#include "ui/texts.h"

namespace tarvik::analysis {

// Where an installation keeps the programs.
inline constexpr const char* kInstalledBinDir = TARVIK_INSTALL_BINDIR;

// The solver program: in the working folder when it is there, else beside the
// running program, else in install_dir (the programs' folder of the
// installation). Empty when none holds an executable one.
std::string find_solver(const std::string& cDirectory, const std::string& program_dir,
                        const std::string& install_dir = kInstalledBinDir);

struct SolverRun {
    bool started = false;    // false: the process could not be created
    bool exited = false;     // ended by itself (not by a signal)
    int status = -1;         // exit status when exited
    int signal = 0;          // terminating signal otherwise
    double seconds = 0.0;    // elapsed, monotonic clock
    std::string diagnostic;  // what the solver wrote to standard error
    bool ok() const { return started && exited && status == 0; }
};

// Starts solver with the working folder cDirectory and no arguments, its
// listing on standard output discarded and its standard error read through a
// pipe into diagnostic, and waits
// for its end without a time limit (the calling thread blocks; no polling).
SolverRun run_solver(const std::string& solver, const std::string& cDirectory);

// What the solver said about the stability of the last run.
struct Stability {
    bool instability = false;     // "INSTABILITY ERROR" in the listing
    int instability_at = 0;       // the equation number it named
    int near_zero_diagonals = 0;  // count of the numeric record's singular list
    bool meaningful() const { return !instability && near_zero_diagonals == 0; }
};

// Reads VELTOSOL.OUT and VELTOSOL.STA of cDirectory. A file that cannot be
// read adds nothing.
Stability check_stability(const std::string& cDirectory);

// The count of near-zero diagonals in the text of a numeric record; -1 when the
// record ends before it.
int sta_near_zero_count(const std::string& sta);

}  // namespace tarvik::analysis
