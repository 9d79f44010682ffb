// Copying members to another storey by mapping each end height through a
// table of levels.
#pragma once

#include "generator/member_maker.h"

namespace tarvik::generator {

struct LevelMap {
    const double* from;  // source levels
    const double* to;    // their images, same count
    int count;
    const char* fail_start;  // trace tag of a start height that maps to nothing, e.g. "(1)"
    const char* fail_end;    // the same for an end height
    bool trace_heights;      // also trace each found and new height
};

// First k with from[k] - 0.1 < z < from[k] + 0.1, or -1.
int find_level(const LevelMap& map, float z);

// Copies members first .. end - 1 (indices as they are at entry). 0; -1 when
// a height maps to no level (message shown; copies made so far stay) or a
// table is full.
int copy_members(MemberMaker& mk, int first, int end, const LevelMap& map);

}  // namespace tarvik::generator
