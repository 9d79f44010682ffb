// Hidden-line timing: the plain routine that tests every edge against every
// later triangle and the grid-filtered routine the program uses, on the
// default generated house (about 1000 members) and on a space floor of about
// 6000 members. Each run builds "TEMP.DAT" from the view files of the model,
// reading them as the program does. The fast routine runs with as many
// workers as the machine gives this process, and with one; times are wall
// clock times.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "render/tests/hidden_line_scenes.h"
#include "render/hidden_image_job.h"
#include "render/hidden_line.h"

namespace {

using tarvik::model::ModelStore;
namespace render = tarvik::render;

class QuietMessages : public tarvik::model::MessageService {
  public:
    void show_message(std::string_view text) override { std::cerr << text << "\n"; }
    bool ask_yes_no(std::string_view) override { return false; }
};

// The view files of a model, in a scratch folder, seen as the program first
// shows it (Rho 4000, Theta 20, Phi 70) from the middle of the model.
struct Scene {
    std::string dir;
    std::unique_ptr<render::SolidModel> solids;
    render::ViewParams params;
    render::ViewWindow win;
    int members = 0;

    explicit Scene(const ModelStore& m) {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "hidden_bench_XXXXXX").string();
        dir = mkdtemp(tmpl.data()) ? tmpl : std::string(".");
        solids = std::make_unique<render::SolidModel>(dir);
        members = m.N_Beam;
        QuietMessages msg;
        float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
        for (int i = 0; i < m.N_Node; ++i) {
            const float p[3] = {m.node[i].x, m.node[i].y, m.node[i].z};
            for (int k = 0; k < 3; ++k)
                lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
        }
        params.X0 = (lo[0] + hi[0]) / 2;
        params.Y0 = (lo[1] + hi[1]) / 2;
        params.Z0 = (lo[2] + hi[2]) / 2;
        params.Rho = std::max(4000.0, 2.0 * (hi[0] - lo[0]));
        win.W = 1024;
        win.H = 768;
        render::build_hidden_image(*solids, m, params, win, msg, render::HiddenLineMethod::kFast);
    }
    ~Scene() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Scene& house_scene() {
    static QuietMessages msg;
    static Scene s(*tarvik::testing::default_house(msg));
    return s;
}

Scene& big_scene() {
    static QuietMessages msg;
    static Scene s(*tarvik::testing::space_floor(31, msg));
    return s;
}

void run(benchmark::State& state, Scene& s, render::HiddenLineMethod method,
         unsigned workers = 0) {
    QuietMessages msg;
    render::ImageBounds b;
    for (auto _ : state) {
        if (render::make_pers(s.win, nullptr, *s.solids, s.params, msg, method, &b, workers) != 0) {
            state.SkipWithError("make_pers failed");
            return;
        }
    }
    state.counters["members"] = s.members;
    state.counters["triangles"] = s.solids->N_TRIO;
    state.counters["edges"] = s.solids->N_VECT;
    state.counters["workers"] = method == render::HiddenLineMethod::kPlain ? 1
                                : workers == 0 ? render::hidden_line_workers()
                                               : workers;
}

void BM_HouseFast(benchmark::State& st) {
    run(st, house_scene(), render::HiddenLineMethod::kFast);
}
void BM_HouseFastOneWorker(benchmark::State& st) {
    run(st, house_scene(), render::HiddenLineMethod::kFast, 1);
}
void BM_HousePlain(benchmark::State& st) {
    run(st, house_scene(), render::HiddenLineMethod::kPlain);
}
void BM_Frame6000Fast(benchmark::State& st) {
    run(st, big_scene(), render::HiddenLineMethod::kFast);
}
void BM_Frame6000FastOneWorker(benchmark::State& st) {
    run(st, big_scene(), render::HiddenLineMethod::kFast, 1);
}
void BM_Frame6000Plain(benchmark::State& st) {
    run(st, big_scene(), render::HiddenLineMethod::kPlain);
}

BENCHMARK(BM_HouseFast)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_HouseFastOneWorker)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_HousePlain)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_Frame6000Fast)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_Frame6000FastOneWorker)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK(BM_Frame6000Plain)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(1);

}  // namespace

BENCHMARK_MAIN();
