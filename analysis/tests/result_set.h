// Result files written by hand in a test carry the one modification time that
// the solver gives every file of a complete run.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "analysis/result_tables.h"

namespace tarvik::analysis::testing {

// Gives the level, listing and displacement files of folder one time.
inline void stamp_as_one_run(const std::string& folder, long sec = 1700000000, long nsec = 0) {
    const struct timespec t[2] = {{sec, nsec}, {sec, nsec}};
    for (const char* name : {kLevelFileName, kListFileName, kDispFileName})
        ::utimensat(AT_FDCWD, (folder + "/" + name).c_str(), t, 0);
}

}  // namespace tarvik::analysis::testing
