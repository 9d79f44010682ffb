// Times one whole solver run (read, number, assemble, solve, write the six
// result files) on each benchmark model, in a scratch directory of its own.
// The counters give the share of each phase in the summed phase times, the
// time of reading and writing against that of the skyline solution
// (IO/SKSOLV), and the size of the system (NEQ, DIM) read back from
// VELTOSOL.OUT.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

#include "solver.h"
#include "solver_models.h"

namespace fs = std::filesystem;

namespace {

fs::path scratch_root() {
    return fs::temp_directory_path() / ("solver_bench." + std::to_string(::getpid()));
}

// Writes the model's input into a fresh directory and returns it.
fs::path prepare(const char* label, const solver_models::FrameModel& m) {
    fs::path dir = scratch_root() / label;
    fs::create_directories(dir);
    std::ofstream(dir / "VELTOSOL.IN", std::ios::binary | std::ios::trunc)
        << solver_models::to_input(m);
    return dir;
}

// The integer after `key` on the first line of VELTOSOL.OUT that holds it, or -1.
long long read_after(const fs::path& dir, const std::string& key) {
    std::ifstream in(dir / "VELTOSOL.OUT");
    std::string text;
    while (std::getline(in, text)) {
        auto p = text.find(key);
        if (p == std::string::npos) continue;
        std::istringstream rest(text.substr(p + key.size()));
        long long v = -1;
        rest >> v;
        return v;
    }
    return -1;
}

void time_runs(benchmark::State& state, const char* label, const solver_models::FrameModel& m) {
    const fs::path dir = prepare(label, m);
    std::ostream null_out(nullptr);  // the listing and diagnostics are dropped
    veltosol::PhaseTimes total;
    for (auto _ : state) {
        int status = veltosol::run(dir, null_out, null_out, &total);
        if (status != 0) {
            state.SkipWithError(("veltosol exit status " + std::to_string(status)).c_str());
            break;
        }
    }
    double sum = 0.0;
    for (double s : total.seconds) sum += s;
    if (sum > 0.0)
        for (int k = 0; k < veltosol::PhaseTimes::kCount; ++k)
            state.counters[std::string("%") + veltosol::PhaseTimes::kNames[k]] =
                100.0 * total.seconds[k] / sum;
    // Reading the input and writing the results: the phases that do it, less
    // the renumbering and the member forces computed inside them.
    using P = veltosol::PhaseTimes;
    const double io = total.seconds[0] + total.seconds[2] + total.seconds[6] +
                      total.seconds[7] + total.seconds[8] - total.inner_compute;
    static_assert(P::kCount == 9);
    if (total.seconds[5] > 0.0) state.counters["IO/SKSOLV"] = io / total.seconds[5];
    state.counters["NEQ"] = static_cast<double>(read_after(dir, "D.O.F.="));
    state.counters["DIM"] = static_cast<double>(read_after(dir, "DIM ="));
    state.counters["members"] = static_cast<double>(m.members.size());
    std::error_code ec;
    fs::remove_all(dir, ec);
}

// The veltosol program started as Tarvik starts it (listing to /dev/null,
// working folder the model's), timed to its exit: the in-process run plus
// what a process costs (start, loading, first touch of its memory, exit).
void time_process(benchmark::State& state, const char* label, const solver_models::FrameModel& m) {
    const fs::path dir = prepare(label, m);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&fa, dir.c_str());
    char program[] = VELTOSOL_PROGRAM;
    char* argv[] = {program, nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (::posix_spawn(&pid, program, &fa, nullptr, argv, environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("veltosol did not run to a successful end");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&fa);
    std::error_code ec;
    fs::remove_all(dir, ec);
}

void BM_SolverProcess_SpaceFloor(benchmark::State& state) {
    time_process(state, "floor_process", solver_models::space_floor());
}

void BM_SolverProcess_FullStoreTower(benchmark::State& state) {
    time_process(state, "tower_process", solver_models::lattice_tower());
}

void BM_SolverRun_SpaceFloor(benchmark::State& state) {
    time_runs(state, "floor", solver_models::space_floor());
}

void BM_SolverRun_FullStoreTower(benchmark::State& state) {
    time_runs(state, "tower", solver_models::lattice_tower());
}

BENCHMARK(BM_SolverRun_SpaceFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SolverRun_FullStoreTower)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SolverProcess_SpaceFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SolverProcess_FullStoreTower)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(scratch_root(), ec);
    return 0;
}
