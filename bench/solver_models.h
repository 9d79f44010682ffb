// Frame models for timing the solver: each is built as plain tables and then
// written as the text of a VELTOSOL.IN, line by line in the writer's own forms
// (CR LF line ends).
#pragma once

#include <array>
#include <string>
#include <vector>

namespace solver_models {

struct Node {
    double x = 0, y = 0, z = 0;  // cm
    std::string name;
};

struct Member {
    int iin = 0;  // 1-based node positions
    int jout = 0;
};

struct Load {
    int node = 0;
    std::array<double, 3> force{};  // along global X, Y, Z
};

// One analysis case with a single section and material row.
struct FrameModel {
    std::array<std::vector<double>, 3> levels;  // echoed only
    std::vector<Node> nodes;
    std::vector<Member> members;
    std::vector<int> supports;  // nodes with all six freedoms fixed
    std::vector<Load> loads;
};

// Double-layer space floor: the bottom layer on the unit lines, the top layer
// on the unit centres, four diagonals from each top node to the corners of its
// unit; along the four sides an edge frame in the top layer and a truss in the
// side face (a vertical at every half unit, the corner ones being the corner
// posts, and a zigzag between the bottom at whole units and the top at half
// units). Fixed at the four bottom corners, -1000 along Z at every top node.
struct FloorOptions {
    int nx = 19;          // units along X
    int ny = 16;          // units along Y
    double unit = 90.0;   // cm
    double depth = 45.0;  // cm, bottom to top layer
};
FrameModel space_floor(const FloorOptions& o = {});

// Lattice tower: rings of `ring` nodes at `levels` + 1 heights, with verticals,
// ring members at every level above the base and one diagonal per side panel.
// Fixed at the base ring, +1000 along X at every top ring node.
struct TowerOptions {
    int ring = 42;         // nodes per ring
    int levels = 23;       // storeys
    double side = 90.0;    // cm, length of a ring member (chord of the circle)
    double storey = 90.0;  // cm
};
FrameModel lattice_tower(const TowerOptions& o = {});

// The largest number of distinct neighbour nodes of any node.
int max_neighbours(const FrameModel& m);

// The VELTOSOL.IN text of the model with the given section and material.
struct Properties {
    double ixx = 1728.0, iyy = 1728.0, area = 144.0, stk = 2920.0;  // 12 x 12 cm
    double young = 80000.0, poisson = 0.3, density = 5.0e-4;
};
std::string to_input(const FrameModel& m, const Properties& p = {});

}  // namespace solver_models
