// The frame solver's phases. Each works on the run-wide tables of Solver; the
// ones that write take the file set. Pure computations (renumbering, member
// stiffness, skyline) write no trace themselves: their callers do, so that they
// can be tested and timed on their own.
#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <ostream>

#include "file_set.h"
#include "list_reader.h"
#include "solver_state.h"

namespace veltosol {

using Mat12 = std::array<double, 144>;  // row-major, K[12 * row + col], 0-based
using Vec12 = std::array<double, 12>;

// Renumbering.
int SETUP(Solver& s);                // neighbour table; returns the starting bound (NOD)
void OPTNUM(Solver& s, int bound);   // fills NEWNO
void check_connected(const Solver& s);  // throws for a node without members or a split graph

// Member geometry and stiffness.
// ELMAT's option: the stiffness turned into the global axes (assembly), or
// left in the member's own axes (force recovery).
enum class ElmatOption : int { kGlobalAxes = 1, kLocalAxes = 3 };
// MXMLT's flag: C = A' B, or C = A B.
enum class MxmltFlag : int { kTransposeA = -1, kPlain = 1 };
// EDISP's option: the end displacements turned into the member's axes
// (u = T u_global), or the transposed product.
enum class EdispOption : int { kToMemberAxes = 1, kTransposed = 2 };
void DRCCOS(Solver& s);
void ELMAT(const Solver& s, int e, ElmatOption option, Mat12& K);
void DECTM(const Solver& s, int e, Mat12& T);
void MXMLT(const Mat12& A, const Mat12& B, Mat12& C, MxmltFlag flag);
void TRANS(const Solver& s, int e, Mat12& K);
void EDISP(const Solver& s, int e, const double* D, Vec12& u, EdispOption option);

// Equations and the skyline solution.
void number_equations(Solver& s);
// Column heights and MAXA of the numbered equations; the store terms they
// take. MHIGHT stops the run when they exceed the store.
std::int64_t profile_terms(Solver& s);
void MHIGHT(Solver& s);
void ASSEM(Solver& s, FileSet* files);
void SKSOLV(Solver& s);

// Reading and writing.
void INPUT(Solver& s, FileSet& f, ListReader& in);
void INPUT2(Solver& s, FileSet& f, ListReader& in);
void FWRITE(Solver& s, FileSet& f);
void DISPT(Solver& s, FileSet& f);
// End forces of member e in its local axes (end 1 then end 2), from D; no member loads.
void member_forces(const Solver& s, int e, std::array<double, 12>& fe);
void STRESS(Solver& s, FileSet& f);

// Wall-clock seconds spent in each phase of a run, for benchmarks.
struct PhaseTimes {
    static constexpr int kCount = 9;
    static constexpr const char* kNames[kCount] = {"INPUT",  "ANGLE",  "INPUT2",
                                                   "MHIGHT", "ASSEM",  "SKSOLV",
                                                   "DISPT",  "STRESS", "FOPEN2"};
    double seconds[kCount] = {};
    // Of INPUT and STRESS: the renumbering and the member forces, the part of
    // these phases that is neither reading nor writing.
    double inner_compute = 0.0;
};

// Adds the wall-clock seconds of its lifetime to *sink; nothing when sink is null.
class ScopedSeconds {
  public:
    explicit ScopedSeconds(double* sink)
        : sink_(sink), start_(sink ? std::chrono::steady_clock::now()
                                   : std::chrono::steady_clock::time_point{}) {}
    ~ScopedSeconds() {
        if (sink_)
            *sink_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    ScopedSeconds(const ScopedSeconds&) = delete;
    ScopedSeconds& operator=(const ScopedSeconds&) = delete;

  private:
    double* sink_;
    std::chrono::steady_clock::time_point start_;
};

// One whole run in `dir`: reads VELTOSOL.IN, writes the six result files, the
// listing to `console` and any diagnostic to `err`. Returns the exit status.
int run(const std::filesystem::path& dir, std::ostream& console, std::ostream& err,
        PhaseTimes* times = nullptr);

}  // namespace veltosol
