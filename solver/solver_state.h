// Run-wide tables of the frame solver. Every table is allocated once, at its
// capacity, when the solver is made; nothing grows during a run. Table indices
// are 1-based as in the solver's own numbering: element 0 is unused.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltosol {

struct PhaseTimes;

// Gives back the skyline store (it is allocated aligned, see driver.cpp).
struct StoreDeleter {
    void operator()(double* p) const noexcept { std::free(p); }
};

// Capacities of the solver's tables.
inline constexpr int kMaxNodes = 3000;
inline constexpr int kMaxMembers = 3000;
inline constexpr int kMaxEquations = 6 * kMaxNodes;
inline constexpr int kMaxSections = 50;
inline constexpr int kMaxMaterials = 50;
inline constexpr int kMaxSupports = 100;
inline constexpr int kMaxLoads = 3000;
inline constexpr int kMaxLevels = 100;
inline constexpr int kMaxStore = 1600000;
// Every member end gives at most one neighbour entry, so the neighbour table
// never needs more than two entries per member.
inline constexpr int kNeighbourEntries = 2 * kMaxMembers;
inline constexpr int kMaxSingular = 3000;

inline constexpr int kNameLength = 12;
inline constexpr int kModeLength = 6;

using Name = std::array<char, kNameLength>;
using Mode = std::array<char, kModeLength>;

// Process exit statuses of the solver.
inline constexpr int kExitOk = 0;
inline constexpr int kExitReadFailure = 2;
inline constexpr int kExitCapacity = 3;
inline constexpr int kExitBadModel = 4;
inline constexpr int kExitFileError = 5;
inline constexpr int kExitInternal = 6;  // no memory for the tables, or an unforeseen error

// Ends a run: the message goes to standard error, the status to the process.
class RunError : public std::runtime_error {
public:
    RunError(int status, const std::string& what) : std::runtime_error(what), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

[[noreturn]] inline void capacity_exceeded(const std::string& table, long long limit,
                                           const std::string& detail = {}) {
    std::string msg = "VELTOSOL.IN exceeds the capacity of the " + table + " table (limit " +
                      std::to_string(limit) + ")";
    if (!detail.empty()) msg += ": " + detail;
    throw RunError(kExitCapacity, msg);
}

[[noreturn]] inline void bad_model(const std::string& what) {
    throw RunError(kExitBadModel, "VELTOSOL.IN: " + what);
}

struct Member {
    int iin = 0;   // end 1, input numbering while reading, new numbering afterwards
    int jout = 0;  // end 2
    int shape = 0;
    int mte = 0;   // selects both the section row and the material row
    double angle = 0.0;  // degrees
    Name i_name{};
    Name j_name{};
    double length = 0.0;
    std::array<double, 9> dcos{};  // XB, YB, ZB rows in global components
    std::array<int, 2> indv{};     // end releases (always 0)
};

struct Section {
    double ixx = 0, iyy = 0, area = 0, stk = 0;
};

struct Material {
    double young = 0, poisson = 0, density = 0;
};

struct NodeRec {
    double x = 0, y = 0, z = 0;
    Name name{};
};

struct Support {
    int node = 0;
    Mode mode{};
};

struct LoadRec {
    Name name{};
    int node = 0;
    std::array<double, 6> value{};
};

// One (node, value) pair of a per-direction load list.
struct LoadEntry {
    int node = 0;
    double value = 0.0;
};

struct Solver {
    Solver();

    // Grid levels, echoed only.
    std::array<std::vector<float>, 3> levels;

    int NOD = 0;
    int NEL = 0;
    std::vector<Member> member;  // 1..NEL
    int n_shape = 0;
    std::vector<Section> section;  // 1..n_shape
    int n_material = 0;
    std::vector<Material> material;  // 1..n_material
    std::vector<NodeRec> node;       // by new number, 1..NOD
    std::vector<int> leading_no;     // the node record's own number, by input position
    std::vector<int> NEWNO;          // new number of each input node
    std::vector<int> OLDNO;          // input number of each new node
    int n_fix = 0;
    std::vector<Support> support;  // 1..n_fix

    // Restraint lists per direction (new node numbers).
    std::array<std::vector<int>, 6> restraint;

    // Renumbering neighbour table: node n's neighbours, in order of first
    // appearance, are neighbour[neighbour_start[n] .. + neighbour_count[n] - 1].
    std::vector<int> neighbour_start;
    std::vector<int> neighbour_count;
    std::vector<int> neighbour;

    // Equations.
    int NEQ = 0;
    std::vector<int> ID;       // by global degree of freedom 6(n-1)+k, 0 = restrained
    std::vector<int> reverse;  // global index of each equation
    std::vector<int> height;
    std::vector<std::int64_t> MAXA;  // MAXA[0] = 0
    std::unique_ptr<double[], StoreDeleter> store;  // skyline store, positions 1..MAXA[NEQ]
    std::vector<double> R;            // loads, then displacements, by equation
    std::vector<int> singular;        // nodes of near-zero diagonals
    int instability_at = 0;           // equation of a zero pivot, 0 when none

    // Loads.
    int n_load = 0;
    std::array<std::vector<LoadEntry>, 6> load_list;

    // Nodal displacements, global axes, new numbering: 6(n-1)+1 .. 6n.
    std::vector<double> D;

    // Where a benchmark collects the phase times; null in an ordinary run.
    PhaseTimes* times = nullptr;
};

}  // namespace veltosol
