// The solver's main sequence: open the files, read, number, assemble, solve,
// write the results, close.
#include <sys/mman.h>

#include <chrono>
#include <cstdlib>
#include <exception>
#include <new>

#include "fortran_format.h"
#include "solver.h"

namespace veltosol {

namespace {

// The skyline store: 12.8 MB, of which a run touches what its profile needs.
// Aligned to and advised for 2 MB pages, it is mapped with a few page faults
// instead of thousands, and the solution misses the TLB less; where huge pages
// are not available the advice changes nothing.
double* allocate_store() {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    std::size_t bytes = (std::size_t{kMaxStore} + 1) * sizeof(double);
    bytes = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, bytes);
    if (!p) throw std::bad_alloc();
    ::madvise(p, bytes, MADV_HUGEPAGE);
    return static_cast<double*>(p);
}

std::string pass(const char* phase, const Solver& s) {
    return free_line({phase, s.NOD, s.NEL});
}

// Stops the clock of one phase and starts the next.
class PhaseClock {
public:
    explicit PhaseClock(PhaseTimes* t) : t_(t), last_(std::chrono::steady_clock::now()) {}
    void lap(int phase) {
        if (!t_) return;
        auto now = std::chrono::steady_clock::now();
        t_->seconds[phase] += std::chrono::duration<double>(now - last_).count();
        last_ = now;
    }

private:
    PhaseTimes* t_;
    std::chrono::steady_clock::time_point last_;
};

void run_phases(Solver& s, FileSet& f, ListReader& in, PhaseTimes* times) {
    PhaseClock clock(times);
    f.trace(pass("PASS FOPEN NOD NEL", s));

    INPUT(s, f, in);
    f.trace(pass("PASS INPUT NOD NEL", s));
    clock.lap(0);

    number_equations(s);
    static const Format dof("('0','D.O.F.=',I5)");
    f.both(dof({s.NEQ}));
    f.trace(pass("PASS ANGLE NOD NEL", s));
    clock.lap(1);

    INPUT2(s, f, in);
    f.trace(pass("PASS INPUT2 NOD NEL", s));
    clock.lap(2);

    MHIGHT(s);
    static const Format dim("(/,5X,'DIM =',I10)");
    f.both(dim({static_cast<std::int64_t>(s.MAXA[s.NEQ])}));
    f.trace(pass("PASS MHIGHT NOD NEL", s));
    clock.lap(3);

    ASSEM(s, &f);
    f.trace(pass("PASS ASSEM NOD NEL", s));
    clock.lap(4);

    SKSOLV(s);
    if (s.instability_at != 0) {
        static const Format unstable("(5X,'****** INSTABILITY ERROR ******  AT=',I8)");
        f.both(unstable({s.instability_at}));
    }
    f.trace(pass("PASS SKSOLV NOD NEL", s));
    clock.lap(5);

    DISPT(s, f);
    f.trace(pass("PASS DISPT NOD NEL", s));
    clock.lap(6);

    STRESS(s, f);
    f.trace(pass("PASS STRESS NOD NEL", s));
    clock.lap(7);

    f.trace(pass("PASS FOPEN2 NOD NEL", s));
    f.close_all();
    clock.lap(8);
}

}  // namespace

Solver::Solver()
    : member(kMaxMembers + 1),
      section(kMaxSections + 1),
      material(kMaxMaterials + 1),
      node(kMaxNodes + 1),
      leading_no(kMaxNodes + 1),
      NEWNO(kMaxNodes + 1),
      OLDNO(kMaxNodes + 1),
      support(kMaxSupports + 1),
      neighbour_start(kMaxNodes + 2),
      neighbour_count(kMaxNodes + 1),
      neighbour(kNeighbourEntries + 2),
      ID(kMaxEquations + 1),
      reverse(kMaxEquations + 1),
      height(kMaxEquations + 1),
      MAXA(kMaxEquations + 1),
      store(allocate_store()),
      R(kMaxEquations + 1),
      D(kMaxEquations + 1) {
    for (auto& l : levels) l.reserve(kMaxLevels);
    for (auto& r : restraint) r.reserve(kMaxSupports);
    for (auto& l : load_list) l.reserve(kMaxLoads);
    singular.reserve(kMaxSingular);
}

int run(const std::filesystem::path& dir, std::ostream& console, std::ostream& err,
        PhaseTimes* times) {
    FileSet f;
    f.console = &console;
    try {
        auto s = std::make_unique<Solver>();
        s->times = times;
        ListReader in(f.open_all(dir));
        run_phases(*s, f, in, times);
        console.flush();
        return kExitOk;
    } catch (const ReadError& e) {
        err << "veltosol: " << e.what() << '\n';
        f.close_all_quietly();
        console.flush();
        return kExitReadFailure;
    } catch (const RunError& e) {
        err << "veltosol: " << e.what() << '\n';
        f.close_all_quietly();
        console.flush();
        return e.status();
    } catch (const std::bad_alloc&) {
        f.close_all_quietly();
        err << "veltosol: not enough memory for the solver's tables\n";
        return kExitInternal;
    } catch (const std::exception& e) {
        f.close_all_quietly();
        err << "veltosol: internal error: " << e.what() << '\n';
        return kExitInternal;
    }
}

}  // namespace veltosol
