// libFuzzer target: the solver's result files as the analysis reads them.
// The first byte picks the file, the rest is its text:
//   0 "VELTOSOL.ZLV"  the grid levels;
//   1 "VELTOSOL.LST"  the listing, then the tables built from it;
//   2 "VELTOSOL.DSP"  the displacements, then the displaced geometry;
//   3 "VELTOSOL.STA"  the numeric record's near-zero diagonal count;
//   4 "VELTOSOL.OUT"  the stability check, through the working folder;
//   5 listing and displacements together, split at the first form feed.
// Refusals are fine; what counts is that nothing crashes, reads out of
// bounds, hangs or trips a sanitizer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "analysis/analysis_run.h"
#include "analysis/result_lists.h"
#include "analysis/result_tables.h"
#include "analysis/solver_run.h"
#include "model/model_store.h"
#include "testing/temp_dir.h"
#include "ui/message_service.h"

namespace {

// What the results window does with full tables: the summary, the displaced
// geometry and every list row.
void use_tables(tarvik::analysis::ResultTables& t, tarvik::model::MessageService& msg) {
    using namespace tarvik::analysis;
    (void)summarize(t);
    get_new_beam(t, 100.0f, msg);
    for (int i = 0; i < t.N_Stress; ++i) {
        (void)axial_row(i + 1, t.stress[i]);
        (void)stress_row(i + 1, t.stress[i]);
    }
    for (int i = 0; i < t.N_Disp; ++i) (void)disp_row(i + 1, t.disp[i]);
    if (t.N_Setuten > 0) {
        float x = 0, y = 0, z = 0;
        (void)find_result_node(t, t.setuten[0].pname, x, y, z);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvik;
    if (size == 0) return 0;
    static const test_support::TempDir scratch("fuzz_results");
    const int which = data[0] % 6;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    ui::SilentMessages msg(true);
    // The tables are large; one set serves every input, emptied by its counts
    // as the program empties them.
    static const auto m = std::make_unique<model::ModelStore>();
    static const auto t = std::make_unique<analysis::ResultTables>();
    t->N_Setuten = t->N_Stress = t->N_Disp = t->N_NewNode = t->N_NewBeam = 0;

    switch (which) {
        case 0:
            analysis::read_zlv(text, *m, msg);
            break;
        case 1:
            analysis::read_velto(text, *t, msg);
            use_tables(*t, msg);
            break;
        case 2:
            analysis::read_dsp(text, *t, msg);
            use_tables(*t, msg);
            break;
        case 3:
            (void)analysis::sta_near_zero_count(std::string(text));
            break;
        case 4:
            scratch.write(analysis::kOutFileName, data + 1, size - 1);
            scratch.remove(analysis::kStaFileName);
            (void)analysis::check_stability(scratch.path().string());
            break;
        default: {
            const size_t ff = text.find('\f');
            analysis::read_velto(text.substr(0, ff), *t, msg);
            if (ff != std::string_view::npos) analysis::read_dsp(text.substr(ff + 1), *t, msg);
            use_tables(*t, msg);
            break;
        }
    }
    return 0;
}
