// The axis data file as a whole flow: the generated house with columns and a
// roof written as ".jik" and read back by the main window's read gives the
// same members, nodes, solver input and (with the solver) the same results;
// the volume subtotals of the file add up to the tally of "Youseki.dat".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "analysis/analysis_run.h"
#include "app/main_flow.h"
#include "files/honegumi.h"
#include "files/jiku_file.h"
#include "files/tests/test_dir.h"
#include "generator/basic_data.h"
#include "generator/generator.h"
#include "generator/jiku_data.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::app {
namespace {

using testing::read_bytes;
using testing::ScriptedMessages;
using testing::TempDir;

std::string f6(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f", v);
    return buf;
}

// The basic data window's defaults with the outer columns and the roof.
void generate_house(model::ModelStore& m, model::MessageService& msg) {
    generator::BasicData d = generator::default_basic_data();
    std::string error;
    ASSERT_TRUE(generator::assign_basic_value(d, "SumiType=1", error)) << error;
    ASSERT_TRUE(generator::assign_basic_value(d, "YaneMode=1", error)) << error;
    ASSERT_EQ(generator::check_values(d, msg), 1);
    ASSERT_EQ(generator::check_choices(d, d.SumiType, d.N_Sou - 1,
                                       generator::yane_item_of(d.YaneMode), msg),
              1);
    ASSERT_EQ(generator::check_capacity(d, msg), 1);
    std::ostringstream trace;
    ASSERT_EQ(generator::Generator(m, d, msg, trace).generate(), 0);
}

// Supports on the lowest level, one load on the highest node, as the user
// would pick them.
void supports_and_load(model::ModelStore& m, MainFlowState& state, model::MessageService& msg) {
    clear_node_marks(m);
    int top = 0;
    for (int i = 0; i < m.N_Node; ++i) {
        if (m.node[i].z == m.Zval[0]) m.node[i].flag = model::kPickSupport;
        if (m.node[i].z > m.node[top].z) top = i;
    }
    m.node[top].flag = model::kPickLoad;
    NodeDataValues v;
    v.pz = -1000.0f;
    build_fix_load_lists(m, state, v, msg);
    ASSERT_TRUE(finish_node_data(m, state));
}

// The numbers after "volume" and "Total Volume" of each subtotal comment.
std::vector<std::pair<double, double>> subtotals(const std::string& file) {
    std::vector<std::pair<double, double>> s;
    for (size_t at = file.find(" volume "); at != std::string::npos;
         at = file.find(" volume ", at + 1)) {
        double group = 0, total = 0;
        EXPECT_EQ(std::sscanf(file.c_str() + at, " volume %lf Total Volume %lf", &group, &total),
                  2);
        s.emplace_back(group, total);
    }
    return s;
}

TEST(JikuFlow, DefaultHouseRoundTrip) {
    TempDir dir;
    ScriptedMessages msg;
    auto made = std::make_unique<model::ModelStore>();
    auto read = std::make_unique<model::ModelStore>();
    MainFlowState made_state, read_state;
    generate_house(*made, msg);
    ASSERT_EQ(completeness_check(*made), 1);
    ASSERT_EQ(model_ready_step(*made, made_state, msg), 0);

    const std::string jik = dir.file("house.jik");
    ASSERT_EQ(files::save_jiku_file(*made, jik, {}, msg), 0);
    render::ModelBox box;
    generator::JikuRead r;
    r.directory = dir.path().string();
    ASSERT_EQ(read_jiku_model(*read, box, jik, r, msg), made->N_Beam);
    ASSERT_EQ(completeness_check(*read), 1);
    ASSERT_EQ(model_ready_step(*read, read_state, msg), 0);
    EXPECT_EQ(msg.shown, std::vector<std::string>{files::kJikuDone});

    // Members: end points to six decimals, sections exactly.
    ASSERT_EQ(read->N_Beam, made->N_Beam);
    for (int i = 0; i < made->N_Beam; ++i) {
        const model::Beam& a = made->beam[i];
        const model::Beam& b = read->beam[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(std::tie(a.haba, a.atumi), std::tie(b.haba, b.atumi));
        for (auto [p, q] : {std::pair{a.xs, b.xs},
                            {a.ys, b.ys},
                            {a.zs, b.zs},
                            {a.xl, b.xl},
                            {a.yl, b.yl},
                            {a.zl, b.zl}})
            ASSERT_EQ(f6(p), f6(q));
    }
    // The same nodes with the same codes.
    const auto nodes = [](const model::ModelStore& m) {
        std::set<std::tuple<float, float, float, std::string>> s;
        for (int i = 0; i < m.N_Node; ++i)
            s.insert({m.node[i].x, m.node[i].y, m.node[i].z, m.node[i].id});
        return s;
    };
    EXPECT_EQ(read->N_Node, made->N_Node);
    EXPECT_EQ(nodes(*read), nodes(*made));
    // The bounds of the read are those of the house.
    float zmax = -1e30f;
    for (int i = 0; i < made->N_Node; ++i) zmax = std::max(zmax, made->node[i].z);
    EXPECT_EQ(box.Z_MIN, made->Zval[0]);
    EXPECT_EQ(box.Z_MAX, zmax);

    // The subtotals add up to the running total, and that to the tally.
    const std::vector<std::pair<double, double>> s = subtotals(read_bytes(jik));
    ASSERT_GE(s.size(), 2u);
    double sum = 0.0;
    for (const auto& [group, total] : s) sum += group;
    EXPECT_NEAR(sum, s.back().second, 0.0005 * static_cast<double>(s.size()));
    double tally = 0.0;
    int used = 0;
    for (const generator::HeightClass& c : r.tally) {
        tally += c.Youseki;
        used += c.Used;
    }
    EXPECT_EQ(used, made->N_Beam);
    EXPECT_NEAR(tally, s.back().second, 0.0005);
    const std::string youseki = read_bytes(dir.file(generator::kYousekiFile));
    const size_t last_line = youseki.rfind('\n', youseki.size() - 2);
    double last_sum = -1.0;
    ASSERT_EQ(std::sscanf(youseki.c_str() + last_line + 1, "%*d %*f %*d %*f %lf", &last_sum), 1);
    EXPECT_NEAR(last_sum, s.back().second, 0.0015);

    // With the same supports and load both give the same solver input.
    supports_and_load(*made, made_state, msg);
    supports_and_load(*read, read_state, msg);
    EXPECT_EQ(files::format_honegumi(*read), files::format_honegumi(*made));

#ifdef VELTOSOL_DIR
    // And the solver says the same of both.
    std::string results[2];
    model::ModelStore* stores[2] = {made.get(), read.get()};
    for (int k = 0; k < 2; ++k) {
        const std::filesystem::path work = dir.path() / (k == 0 ? "made" : "read");
        std::filesystem::create_directories(work);
        const analysis::AnalysisContext ctx{*stores[k], work.string(), VELTOSOL_DIR};
        analysis::AnalysisOutcome run;
        ASSERT_EQ(analysis::run_analysis(ctx, msg, run), 0);
        EXPECT_TRUE(run.stability.meaningful());
        results[k] = read_bytes((work / "VELTOSOL.LST").string()) +
                     read_bytes((work / "VELTOSOL.DSP").string());
        ASSERT_GT(results[k].size(), 1000u);
    }
    EXPECT_TRUE(results[0] == results[1]);
#endif
}

}  // namespace
}  // namespace tarvik::app
