// The warning after a run whose numeric record lists near-zero diagonals, with
// a stand-in solver that leaves a record of its own making: the count read
// back and the warning shown, down to a single freedom.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "analysis/analysis_run.h"
#include "analysis/result_tables.h"
#include "analysis/solver_run.h"
#include "files/tests/test_dir.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::analysis {
namespace {

using tarvik::testing::ScriptedMessages;
using tarvik::testing::TempDir;

// A numeric record of two nodes and one member, loaded at node 2, ending in
// the given list of near-zero diagonals.
std::string record_with_singular(const std::string& singular_lines) {
    return tarvik::testing::crlf_lines(
               {"    2    1", "    1    2", "     0.000     0.000     0.000",
                "   100.000     0.000     0.000",
                "     1.000     0.000     0.000     0.000     1.000     0.000     0.000     "
                "0.000     1.000",
                "    0", "    0    0", "    1", "    1", "    1", "    1", "    1", "    1", "    1",
                "    1", "    1", "    1", "    1", "    1", "    0    0    1", "    0    0    0",
                "    2 -0.2000000E+03", "    0"}) +
           singular_lines;
}

TEST(NearZeroWarning, EveryCountFromOneOnIsReportedWithItsNumber) {
    for (int count : {0, 1, 2}) {
        TempDir dir;
        std::string singular = "    " + std::to_string(count) + "\r\n";
        if (count > 0) {
            for (int k = 0; k < count; ++k) singular += "    " + std::to_string(7 + k);
            singular += "\r\n";
        }
        // The stand-in solver leaves the record and ends well.
        tarvik::testing::write_bytes(dir.file("record.sta"), record_with_singular(singular));
        const std::string fake = dir.file("veltosol");
        tarvik::testing::write_bytes(fake,
                                     std::string("#!/bin/sh\ncp record.sta ") + kStaFileName +
                                         "\nexit 0\n");
        ASSERT_EQ(::chmod(fake.c_str(), 0755), 0);

        ScriptedMessages msg;
        auto m = std::make_unique<model::ModelStore>();
        ASSERT_GT(tarvik::testing::add_member(*m, msg, 0, 0, 0, 0, 0, 300), 0);
        ASSERT_EQ(model::check_size(*m, msg), 0);
        model::assign_materials(*m);
        ASSERT_EQ(model::save_level_name(*m, msg), 0);
        model::Fix f{};
        model::set_code(f.id, m->node[0].id);
        f.no = m->node[0].no;
        f.xfix = f.yfix = f.zfix = 1;
        model::add_fix(*m, f, msg);

        AnalysisOutcome out;
        ASSERT_EQ(run_analysis({*m, dir.path().string(), dir.path().string()}, msg, out), 0)
            << (msg.shown.empty() ? std::string() : msg.shown.back());
        EXPECT_EQ(check_stability(dir.path().string()).near_zero_diagonals, count);
        EXPECT_EQ(out.stability.near_zero_diagonals, count);
        EXPECT_EQ(out.stability.meaningful(), count == 0);
        // The elapsed time, then the warning when there is anything to warn of.
        ASSERT_EQ(msg.shown.size(), count == 0 ? 1u : 2u) << count;
        if (count > 0) {
            const std::string expected =
                "剛性がほぼ0の自由度が " + std::to_string(count) + " 個あります";
            EXPECT_EQ(msg.shown[1].rfind(expected, 0), 0u) << msg.shown[1];
        }
    }
}

}  // namespace
}  // namespace tarvik::analysis
