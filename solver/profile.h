// The size of the skyline store a frame needs, worked out as a run works it
// out (the same renumbering, equation numbering and column heights), so that
// the design program can tell the user before a run that a model is too large
// for the solver. Reads no file and writes none.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solver_state.h"

namespace veltosol {

// A frame as the solver input gives it: nodes numbered 1..nodes, members by
// their two end nodes, supports by their node and the six restraint flags
// (translations X, Y, Z, rotations X, Y, Z; true = fixed).
struct FrameShape {
    int nodes = 0;
    std::vector<std::array<int, 2>> members;
    std::vector<std::pair<int, std::array<bool, 6>>> supports;
};

// Terms of the stiffness store a run of the frame takes (compare kMaxStore).
// -1 when a run would stop before it needs the store: more nodes, members or
// supports than the tables hold, a member end outside the nodes, a member
// with both ends at one node, a node without members or a frame in pieces.
std::int64_t skyline_terms(const FrameShape& frame) noexcept;

}  // namespace veltosol
