// Model core timing: a 10000-member frame built through find_or_add_node, the
// whole upkeep and the solver input written; and the same build with the
// plain node scan that the index replaces.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "files/honegumi.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "ui/message_service.h"

namespace {

using tarvik::model::ModelStore;

constexpr int kMembers = 10000;

// A space grid of 20 x 20 x 10 levels, 90 cm apart in plan and 300 high:
// girders along X and Y and posts, floor by floor, until kMembers exist.
template <typename AddMember>
void build_grid(AddMember add) {
    int made = 0;
    for (int k = 0; k < 10 && made < kMembers; ++k) {
        const float z = 300.0f * static_cast<float>(k);
        for (int j = 0; j < 20 && made < kMembers; ++j) {
            for (int i = 0; i < 20 && made < kMembers; ++i) {
                const float x = 90.0f * static_cast<float>(i), y = 90.0f * static_cast<float>(j);
                if (i + 1 < 20 && made < kMembers)
                    add(x, y, z, x + 90.0f, y, z, 12.0f, 18.0f), ++made;
                if (j + 1 < 20 && made < kMembers)
                    add(x, y, z, x, y + 90.0f, z, 12.0f, 18.0f), ++made;
                if (k + 1 < 10 && made < kMembers)
                    add(x, y, z, x, y, z + 300.0f, 12.0f, 12.0f), ++made;
            }
        }
    }
}

// The same member record as add_member, with the end nodes found by scanning.
int add_member_by_scan(ModelStore& m, tarvik::ui::SilentMessages& msg, float xs, float ys, float zs,
                       float xl, float yl, float zl, float haba, float atumi) {
    auto node = [&](float x, float y, float z) {
        const int found = tarvik::model::find_node_by_scan(m, x, y, z);
        if (found > 0) return found;
        tarvik::model::Node& n = m.node[m.N_Node];
        n.no = m.N_Node + 1;
        n.id[0] = '\0';
        n.x = x, n.y = y, n.z = z;
        n.flag = 0;
        return ++m.N_Node;
    };
    const int noi = node(xs, ys, zs);
    const int noj = node(xl, yl, zl);
    const tarvik::model::Beam b =
        tarvik::model::complete_member(noi, noj, {xs, ys, zs}, {xl, yl, zl}, haba, atumi, 0);
    return tarvik::model::add_beam(m, b, msg);
}

// Empties m and builds the grid with the node index, as the generator does.
void build_grid_with_index(ModelStore& m, tarvik::ui::SilentMessages& msg) {
    m.N_Node = m.N_Beam = 0;
    m.node_table_changed();
    build_grid([&](float xs, float ys, float zs, float xl, float yl, float zl, float b, float h) {
        tarvik::testing::add_member(m, msg, xs, ys, zs, xl, yl, zl, b, h);
    });
}

void BM_BuildUpkeepAndWrite(benchmark::State& state) {
    tarvik::ui::SilentMessages msg;
    const std::string path = "/tmp/model_bench_" + std::to_string(::getpid()) + ".in";
    auto store = std::make_unique<ModelStore>();
    for (auto _ : state) {
        ModelStore& m = *store;
        build_grid_with_index(m, msg);
        if (tarvik::model::check_all_beam(m) != 1 || tarvik::model::check_size(m, msg) != 0)
            state.SkipWithError("upkeep refused");
        tarvik::model::assign_materials(m);
        tarvik::model::save_level_name(m, msg);
        if (tarvik::files::save_honegumi(m, path, msg) != 0) state.SkipWithError("write failed");
        benchmark::DoNotOptimize(m.N_Node);
    }
    state.counters["nodes"] = store->N_Node;
    state.counters["members"] = store->N_Beam;
    std::remove(path.c_str());
}
BENCHMARK(BM_BuildUpkeepAndWrite)->Unit(benchmark::kMillisecond)->Repetitions(10);

void BM_BuildWithIndex(benchmark::State& state) {
    tarvik::ui::SilentMessages msg;
    auto store = std::make_unique<ModelStore>();
    for (auto _ : state) {
        ModelStore& m = *store;
        build_grid_with_index(m, msg);
        benchmark::DoNotOptimize(m.N_Node);
    }
}
BENCHMARK(BM_BuildWithIndex)->Unit(benchmark::kMillisecond)->Repetitions(10);

void BM_BuildWithPlainScan(benchmark::State& state) {
    tarvik::ui::SilentMessages msg;
    auto store = std::make_unique<ModelStore>();
    for (auto _ : state) {
        ModelStore& m = *store;
        m.N_Node = m.N_Beam = 0;
        build_grid([&](float xs, float ys, float zs, float xl, float yl, float zl, float b,
                       float h) { add_member_by_scan(m, msg, xs, ys, zs, xl, yl, zl, b, h); });
        benchmark::DoNotOptimize(m.N_Node);
    }
}
BENCHMARK(BM_BuildWithPlainScan)->Unit(benchmark::kMillisecond)->Repetitions(10);

}  // namespace

BENCHMARK_MAIN();
