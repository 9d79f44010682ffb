// Generation and upkeep of the largest house that fits the model tables, as
// the unit window and the main window run them one after the other.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "app/main_flow.h"
#include "generator/generator.h"
#include "model/maintenance.h"
#include "ui/message_service.h"

namespace {

void BM_LargestHouse(benchmark::State& state) {
    auto m = std::make_unique<tarvik::model::ModelStore>();
    tarvik::ui::SilentMessages msg;
    std::ostringstream notes;
    for (auto _ : state) {
        m->N_Node = m->N_Beam = 0;
        m->node_table_changed();
        tarvik::generator::generate_largest_house(*m, msg, notes);
        tarvik::app::MainFlowState flow;
        if (tarvik::app::completeness_check(*m) < 0 ||
            tarvik::app::model_ready_step(*m, flow, msg) != 0)
            state.SkipWithError("upkeep refused the house");
        notes.str("");
    }
    state.counters["members"] = m->N_Beam;
    state.counters["nodes"] = m->N_Node;
}
BENCHMARK(BM_LargestHouse)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
