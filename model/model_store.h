// The model store: the one model of the run as fixed-capacity tables with a
// count beside each (nodes, members, sizes, materials, supports, loads, grid
// levels, saved plan coordinates). The application owns one; tests make theirs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/node_index.h"

namespace tarvik::model {

// Capacities of the model tables. Every addition checks against these.
inline constexpr int kMaxNode = 10000;
inline constexpr int kMaxBeam = 10000;
inline constexpr int kMaxSize = 1000;
inline constexpr int kMaxMat = 1000;
inline constexpr int kMaxFix = 1000;
inline constexpr int kMaxLoad = 1000;
inline constexpr int kMaxLevel = 100;  // per axis
inline constexpr int kCodeSize = 32;   // node code field, including the terminating zero

// Start-up values of the store.
inline constexpr float kSearchRadius = 10.0f;   // plan units, search_2dim_node
inline constexpr float kHandDrawnHaba = 12.0f;  // cm, member drawn by hand
inline constexpr float kHandDrawnAtumi = 12.0f;
inline constexpr float kDefaultYoung = 100000.0f;
inline constexpr float kDefaultPoisson = 0.3f;
inline constexpr float kDefaultMitudo = 0.0005f;
inline constexpr float kDefaultLoadPz = -200.0f;  // load given to a newly marked loaded node

// Node flag values. While supports and loads are picked the same field holds
// the pick marks kPickSupport / kPickLoad / kSearchMark.
inline constexpr int kNodeNew = 0;
inline constexpr int kNodeTouched = 1;
inline constexpr int kNodeKnown = 2;
inline constexpr int kSearchMark = 99;
inline constexpr int kPickSupport = 1;
inline constexpr int kPickLoad = 2;

// Member flag of a complete member.
inline constexpr int kBeamComplete = 2;

// Lengths in cm; plan coordinates are drawing units of the hand-drawn editor.
struct Node {
    char id[kCodeSize];  // "X%02dY%02dZ%02d" once named, else empty
    int32_t no;          // index + 1
    float x, y, z;       // model coordinates
    float X, Y;          // plan coordinates
    int32_t flag;
};

struct Beam {
    int32_t no;  // index + 1
    char idi[kCodeSize];
    char idj[kCodeSize];
    int32_t noi, noj;  // 1-based node numbers of the start and end node
    float xs, ys, zs;
    float xl, yl, zl;
    int32_t size;  // 1-based size entry, -1 until assigned
    int32_t mat;   // 1-based material entry, -1 until assigned
    float haba;    // section width
    float atumi;   // section thickness (depth)
    int32_t kind;  // 0..12, which part of the frame
    float XS, YS, XL, YL;
    int32_t flag;
};

struct SizeEntry {
    float haba, atumi, length;
    float A, Iy, Iz, J;  // cm^2, cm^4
    float angle;
};

struct MaterialEntry {
    float young, poisson, mitudo;
};

struct Fix {
    char id[kCodeSize];
    int32_t no;
    int32_t xfix, yfix, zfix;  // 1 fixed, 0 free
};

struct Load {
    char id[kCodeSize];
    int32_t no;
    float px, py, pz;  // forces along global X, Y, Z
};

struct PlanPoint {
    float X, Y;
};

// The one model. Tables are allocated at their capacities; a count tells how
// many records are in use, records at and beyond it are stale.
struct ModelStore {
    std::vector<Node> node = std::vector<Node>(kMaxNode);
    int N_Node = 0;
    std::vector<Beam> beam = std::vector<Beam>(kMaxBeam);
    int N_Beam = 0;
    std::vector<SizeEntry> size = std::vector<SizeEntry>(kMaxSize);
    int N_Size = 0;
    std::vector<MaterialEntry> mat = std::vector<MaterialEntry>(kMaxMat);
    int N_Mat = 0;
    std::vector<Fix> fix = std::vector<Fix>(kMaxFix);
    int N_Fix = 0;
    std::vector<Load> load = std::vector<Load>(kMaxLoad);
    int N_Load = 0;

    std::array<float, kMaxLevel> Xval{};
    std::array<float, kMaxLevel> Yval{};
    std::array<float, kMaxLevel> Zval{};
    int N_X = 0, N_Y = 0, N_Z = 0;

    // Saved plan coordinates of the nodes (undo of the view projection).
    std::vector<PlanPoint> old_node = std::vector<PlanPoint>(kMaxNode);
    int OnSaveOld = 0;

    // Values set at start-up and changed for the run only.
    float search_radius = kSearchRadius;
    float default_haba = kHandDrawnHaba;
    float default_atumi = kHandDrawnAtumi;
    float young = kDefaultYoung;
    float poisson = kDefaultPoisson;
    float mitudo = kDefaultMitudo;

    // Lookup cache of find_or_add_node. Appends to the node table are picked up
    // by themselves; whoever changes node coordinates in place, or removes or
    // reorders nodes, calls node_table_changed().
    NodeIndex node_index;

    void node_table_changed() { node_index.reset(); }
};

}  // namespace tarvik::model
