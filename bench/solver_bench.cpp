// Times one whole solver run (read, number, assemble, solve, write the six
// result files) on each benchmark model, in a scratch directory of its own.
// The counters give the share of each phase in the summed phase times, and the
// size of the system (NEQ, DIM) read back from VELTOSOL.OUT.
#include <benchmark/benchmark.h>
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
    state.counters["NEQ"] = static_cast<double>(read_after(dir, "D.O.F.="));
    state.counters["DIM"] = static_cast<double>(read_after(dir, "DIM ="));
    state.counters["members"] = static_cast<double>(m.members.size());
    std::error_code ec;
    fs::remove_all(dir, ec);
}

void BM_SolverRun_SpaceFloor(benchmark::State& state) {
    time_runs(state, "floor", solver_models::space_floor());
}

void BM_SolverRun_FullStoreTower(benchmark::State& state) {
    time_runs(state, "tower", solver_models::lattice_tower());
}

BENCHMARK(BM_SolverRun_SpaceFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SolverRun_FullStoreTower)->Unit(benchmark::kMillisecond)->UseRealTime();

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
