// The analysis commands end to end through the real solver: the generated
// house in the tables and drawings, the saved results, and what the user is
// told when a run fails or its results mean nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

#include "analysis/analysis_run.h"
#include "analysis/result_draw.h"
#include "analysis/tests/fakes.h"
#include "files/honegumi.h"
#include "files/tests/test_dir.h"
#include "generator/basic_data.h"
#include "generator/generator.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/recording_canvas.h"

namespace tarvik::analysis {
namespace {

using tarvik::testing::ScriptedMessages;
using tarvik::testing::TempDir;
using testing::FakeHost;

TEST(ElapsedTime, TwoDecimalsInSevenColumns) {
    char buf[64];
    std::snprintf(buf, sizeof buf, kMsgFinished, 0.5);
    EXPECT_STREQ(buf, "解析計算を終了しまし    0.50 sec");
}

// The upkeep the main window runs once a model is made.
void upkeep(model::ModelStore& m, model::MessageService& msg) {
    ASSERT_EQ(model::check_size(m, msg), 0);
    model::assign_materials(m);
    ASSERT_EQ(model::save_level_name(m, msg), 0);
}

// Supports at the lowest level with the given translation codes, loads on the
// top level. With outline set only the nodes on the outline of the lowest
// level are supported.
void supports_and_loads(model::ModelStore& m, model::MessageService& msg, int xfix = 1,
                        int yfix = 1, int zfix = 1, float px = 0.0f, float pz = -200.0f,
                        bool outline = false) {
    float zmin = 1e30f, zmax = -1e30f;
    float xmin = 1e30f, xmax = -1e30f, ymin = 1e30f, ymax = -1e30f;
    for (int i = 0; i < m.N_Node; ++i) {
        zmin = std::min(zmin, m.node[i].z);
        zmax = std::max(zmax, m.node[i].z);
    }
    for (int i = 0; i < m.N_Node; ++i) {
        if (m.node[i].z != zmin) continue;
        xmin = std::min(xmin, m.node[i].x);
        xmax = std::max(xmax, m.node[i].x);
        ymin = std::min(ymin, m.node[i].y);
        ymax = std::max(ymax, m.node[i].y);
    }
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        const bool on_outline = n.x == xmin || n.x == xmax || n.y == ymin || n.y == ymax;
        if (n.z == zmin && (!outline || on_outline)) {
            model::Fix f{};
            model::set_code(f.id, n.id);
            f.no = n.no;
            f.xfix = xfix;
            f.yfix = yfix;
            f.zfix = zfix;
            model::add_fix(m, f, msg);
        } else if (n.z == zmax) {
            model::Load l{};
            model::set_code(l.id, n.id);
            l.no = n.no;
            l.px = px;
            l.pz = pz;
            model::add_load(m, l, msg);
        }
    }
}

std::string solver_dir() {
#ifdef VELTOSOL_PATH
    return std::filesystem::path(VELTOSOL_PATH).parent_path().string();
#else
    return {};
#endif
}

struct Run : ::testing::Test {
    TempDir dir;
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;
    FakeHost host;
    AnalysisOutcome out;

    void SetUp() override {
        if (solver_dir().empty()) GTEST_SKIP() << "veltosol is not part of this build";
    }
    AnalysisContext ctx() { return {*m, dir.path().string(), solver_dir()}; }
    std::string cdir() const { return dir.path().string(); }

    // A cantilever post 300 high.
    void post(int xfix, int yfix, int zfix) {
        ASSERT_GT(tarvik::testing::add_member(*m, msg, 0, 0, 0, 0, 0, 300), 0);
        upkeep(*m, msg);
        supports_and_loads(*m, msg, xfix, yfix, zfix, 10.0f);
    }
    bool shown(const std::string& prefix) const {
        for (const std::string& s : msg.shown)
            if (s.rfind(prefix, 0) == 0) return true;
        return false;
    }
};

// The default space floor, and the house with type I columns and a roof.
struct GeneratedHouse : Run, ::testing::WithParamInterface<bool> {};

TEST_P(GeneratedHouse, InEveryTableAndDrawing) {
    const bool house = GetParam();
    generator::BasicData d = generator::default_basic_data();
    if (house) {
        d.SumiType = generator::kSumiType1;
        d.YaneMode = generator::kYaneRoof;
        // As the basic-data window confirms it: columns under the floor.
        ASSERT_EQ(generator::check_choices(d, d.SumiType, d.N_Sou - 1,
                                           generator::yane_item_of(d.YaneMode), msg),
                  1);
    }
    std::ostringstream notes;
    generator::Generator gen(*m, d, msg, notes);
    ASSERT_EQ(gen.generate(), 0);
    if (house) {
        ASSERT_EQ(m->N_Beam, 1012);
    }
    upkeep(*m, msg);
    // The whole lowest level of the bare floor is more supports than the
    // solver takes: its outline. The house stands on its column feet.
    supports_and_loads(*m, msg, 1, 1, 1, 0.0f, -200.0f, !house);
    ASSERT_GT(m->N_Fix, 0);
    ASSERT_GT(m->N_Load, 0);

    ASSERT_EQ(run_analysis(ctx(), msg, out), 0) << (msg.shown.empty() ? "" : msg.shown.back());
    EXPECT_TRUE(out.ran);
    EXPECT_TRUE(out.stability.meaningful());
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_TRUE(
        std::regex_match(msg.shown[0], std::regex("解析計算を終了しまし +[0-9]+\\.[0-9]{2} sec")))
        << msg.shown[0];

    auto t = std::make_unique<ResultTables>();
    ASSERT_TRUE(load_results(cdir(), *m, *t, msg));
    ASSERT_EQ(t->N_Setuten, m->N_Node);
    ASSERT_EQ(t->N_Disp, m->N_Node);
    ASSERT_EQ(t->N_Stress, m->N_Beam);

    // Nodes by number, each at its model position with its code.
    for (int i = 0; i < t->N_Setuten; ++i) {
        const ResultNode& r = t->setuten[i];
        ASSERT_EQ(r.OldNo, i + 1);
        const model::Node& n = m->node[i];
        EXPECT_TRUE(same_code(r.pname, n.id)) << r.pname << " " << n.id;
        EXPECT_NEAR(r.x, n.x, 0.05f);
        EXPECT_NEAR(r.y, n.y, 0.05f);
        EXPECT_NEAR(r.z, n.z, 0.0005f);
    }
    // Every member once, by share, largest first; the largest is 100 %.
    std::set<int> members;
    for (int k = 0; k < t->N_Stress; ++k) {
        members.insert(t->stress[k].no);
        if (k > 0) {
            EXPECT_GE(t->stress[k - 1].percent, t->stress[k].percent);
        }
    }
    EXPECT_EQ(static_cast<int>(members.size()), m->N_Beam);
    EXPECT_EQ(*members.begin(), 1);
    EXPECT_EQ(*members.rbegin(), m->N_Beam);
    EXPECT_FLOAT_EQ(t->stress[0].percent, 100.0f);
    // The loads press down: the posts carry compression.
    EXPECT_LT(t->stress[0].force, 0.0f);
    for (int k = 1; k < t->N_Disp; ++k) EXPECT_GE(t->disp[k - 1].disp_abs, t->disp[k].disp_abs);
    // Supported nodes do not move.
    for (int f = 0; f < m->N_Fix; ++f)
        for (int k = 0; k < t->N_Disp; ++k)
            if (t->disp[k].old_no == m->fix[f].no) {
                EXPECT_EQ(t->disp[k].disp_abs, 0.0f);
            }
    // The reported levels replace the store's lists.
    EXPECT_GT(m->N_Z, 1);

    // The displaced shape at 1, 5 and 10 times.
    for (float scale : {1.0f, 5.0f, 10.0f}) {
        ASSERT_EQ(get_new_beam(*t, scale, msg), 0);
        for (int i = 0; i < t->N_Disp; ++i) {
            const DispRecord& dr = t->disp[i];
            const ResultNode& r = t->setuten[dr.old_no - 1];
            EXPECT_FLOAT_EQ(t->new_node[i].z, r.z + dr.disp_z * scale);
        }
        render::RecordingCanvas c(1000, 700);
        render::ViewWindow w;
        draw_displaced(w, c, angles_of(30.0f, 30.0f), *t);
        const auto lines = c.of(render::RecordingCanvas::Kind::Line);
        ASSERT_EQ(static_cast<int>(lines.size()), 2 * m->N_Beam);
        int red = 0;
        for (const auto& l : lines) red += l.pen.colour == render::kRed;
        EXPECT_EQ(red, m->N_Beam);
    }
    EXPECT_EQ(msg.shown.size(), 1u);

    // Saved results: the listing and then the displacements, byte for byte.
    const std::string target = dir.file("house.out");
    ASSERT_EQ(save_results(cdir(), target, msg), 0);
    ASSERT_FALSE(msg.shown.empty());
    EXPECT_EQ(msg.shown.back(), kMsgSaved);
    const std::string lst = tarvik::testing::read_bytes(dir.file(kListFileName));
    const std::string dsp = tarvik::testing::read_bytes(dir.file(kDispFileName));
    ASSERT_FALSE(lst.empty());
    EXPECT_EQ(tarvik::testing::read_bytes(target), lst + dsp);
}

INSTANTIATE_TEST_SUITE_P(FloorAndHouse, GeneratedHouse, ::testing::Values(false, true));

TEST_F(Run, SavingReplacesAWholeFileOrNothing) {
    post(1, 1, 1);
    ASSERT_EQ(run_analysis(ctx(), msg, out), 0);
    const std::string target = dir.file("post.out");
    tarvik::testing::write_bytes(target, "an older file that is longer than nothing");
    host.save_name = target;
    ASSERT_EQ(KekkaHozonMenuClick(ctx(), msg, host), 0);
    ASSERT_FALSE(host.events.empty());
    EXPECT_EQ(host.events.back(), "save 解析結果保存(*.out)|*.out out");
    const std::string first = tarvik::testing::read_bytes(target);
    EXPECT_EQ(first, tarvik::testing::read_bytes(dir.file(kListFileName)) +
                         tarvik::testing::read_bytes(dir.file(kDispFileName)));
    // Twice to the same name: the same content, not appended.
    ASSERT_EQ(save_results(cdir(), target, msg), 0);
    EXPECT_EQ(tarvik::testing::read_bytes(target), first);

    // Without the displacements the target stays as it was.
    std::filesystem::remove(dir.file(kDispFileName));
    msg.shown.clear();
    EXPECT_EQ(save_results(cdir(), target, msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgDspFileOpen});
    EXPECT_EQ(tarvik::testing::read_bytes(target), first);
    std::filesystem::remove(dir.file(kListFileName));
    msg.shown.clear();
    EXPECT_EQ(save_results(cdir(), dir.file("new.out"), msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgLstFileOpen});
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.out")));

    host.save_name.clear();
    EXPECT_EQ(KekkaHozonMenuClick(ctx(), msg, host), 1);
}

TEST_F(Run, ModelBeyondTheSolverCapacityShowsItsDiagnosticAndNoResults) {
    // The generated house with every node of its lowest level supported: more
    // supports than the solver takes.
    generator::BasicData d = generator::default_basic_data();
    std::ostringstream notes;
    generator::Generator gen(*m, d, msg, notes);
    ASSERT_EQ(gen.generate(), 0);
    upkeep(*m, msg);
    supports_and_loads(*m, msg);
    ASSERT_GT(m->N_Fix, 100);

    EXPECT_EQ(KaisekiMenuClick(ctx(), msg, host), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    // In Japanese what went wrong and which limit, the solver's own line below.
    EXPECT_TRUE(shown("解析できる上限を超えています: 支点数 " + std::to_string(m->N_Fix) +
                      " (上限 100)"))
        << msg.shown[0];
    EXPECT_NE(msg.shown[0].find("\n\nveltosol: VELTOSOL.IN exceeds the capacity of the support"),
              std::string::npos)
        << msg.shown[0];
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "results"), 0);
    // The hourglass came and went around the run.
    EXPECT_EQ(host.events, (std::vector<std::string>{"busy", "arrow"}));
}

TEST_F(Run, DisconnectedModelShowsTheSolverDiagnostic) {
    ASSERT_GT(tarvik::testing::add_member(*m, msg, 0, 0, 0, 0, 0, 300), 0);
    ASSERT_GT(tarvik::testing::add_member(*m, msg, 500, 0, 0, 500, 0, 300), 0);
    upkeep(*m, msg);
    supports_and_loads(*m, msg);
    m->N_Fix = 1;  // only the first post is supported
    EXPECT_EQ(run_analysis(ctx(), msg, out), -1);
    EXPECT_FALSE(out.ran);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_TRUE(shown("解析データの模型が正しくありません: ")) << msg.shown[0];
    EXPECT_NE(msg.shown[0].find("veltosol:"), std::string::npos) << msg.shown[0];
}

TEST_F(Run, MechanismIsReportedBeforeTheResultsWindow) {
    // The foot holds only the vertical: the post can slide sideways.
    post(0, 0, 1);
    size_t messages_at_results = 0;
    struct Host : FakeHost {
        ScriptedMessages* msg;
        size_t* at;
        void show_results() override {
            *at = msg->shown.size();
            FakeHost::show_results();
        }
    } h;
    h.msg = &msg;
    h.at = &messages_at_results;
    ASSERT_EQ(KaisekiMenuClick(ctx(), msg, h), 0);
    ASSERT_EQ(msg.shown.size(), 2u);
    EXPECT_TRUE(shown("解析計算を終了しまし"));
    EXPECT_EQ(msg.shown[1].rfind("構造が不安定です (INSTABILITY ERROR 方程式 ", 0), 0u)
        << msg.shown[1];
    EXPECT_EQ(messages_at_results, 2u);
    EXPECT_EQ(h.events, (std::vector<std::string>{"busy", "arrow", "busy", "results", "arrow"}));
}

TEST_F(Run, MemberWithoutSectionLeavesNearZeroDiagonals) {
    // A beam without section constants hangs off the post's top. The upkeep
    // refuses a member of no width or depth, so the constants are cleared
    // after it, as a hand-edited solver input would have them.
    ASSERT_GT(tarvik::testing::add_member(*m, msg, 0, 0, 0, 0, 0, 300), 0);
    ASSERT_GT(tarvik::testing::add_member(*m, msg, 0, 0, 300, 400, 0, 300), 0);
    upkeep(*m, msg);
    model::SizeEntry& e = m->size[m->beam[1].size - 1];
    e.A = e.Iy = e.Iz = e.J = 0.0f;
    supports_and_loads(*m, msg);
    ASSERT_EQ(run_analysis(ctx(), msg, out), 0);
    EXPECT_GT(out.stability.near_zero_diagonals, 0);
    EXPECT_TRUE(shown("剛性がほぼ0の自由度が"))
        << (msg.shown.empty() ? std::string() : msg.shown.back());
}

TEST_F(Run, StableFrameGivesNoWarning) {
    post(1, 1, 1);
    ASSERT_EQ(run_analysis(ctx(), msg, out), 0);
    EXPECT_TRUE(out.stability.meaningful());
    EXPECT_EQ(msg.shown.size(), 1u);
}

TEST_F(Run, SolverInTheWorkingFolderComesFirst) {
    post(1, 1, 1);
    const std::string fake = dir.file("veltosol");
    tarvik::testing::write_bytes(
        fake, "#!/bin/sh\necho \"veltosol: VELTOSOL.IN: read in $(pwd)\" >&2\nexit 2\n");
    ::chmod(fake.c_str(), 0755);
    EXPECT_EQ(run_analysis(ctx(), msg, out), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    // Run in the working folder, its own words shown.
    EXPECT_NE(msg.shown[0].find("read in " + std::filesystem::canonical(dir.path()).string()),
              std::string::npos)
        << msg.shown[0];
    EXPECT_TRUE(shown("解析データの模型が正しくありません"));
}

TEST_F(Run, NoSolverAnywhereCannotStart) {
    post(1, 1, 1);
    AnalysisContext c{*m, cdir(), dir.file("nowhere"), dir.file("nor/here")};
    EXPECT_EQ(run_analysis(c, msg, out), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgNoProcess});
}

TEST(FindSolver, WorkingFolderThenBesideTheProgramThenTheInstallation) {
    TempDir d;
    const std::string work = d.file("work"), beside = d.file("bin"), installed = d.file("usr");
    for (const std::string& f : {work, beside, installed}) std::filesystem::create_directory(f);
    auto put = [](const std::string& folder, mode_t mode) {
        const std::string p = folder + "/veltosol";
        tarvik::testing::write_bytes(p, "#!/bin/sh\n");
        ::chmod(p.c_str(), mode);
    };
    EXPECT_EQ(find_solver(work, beside, installed), "");
    put(installed, 0755);
    EXPECT_EQ(find_solver(work, beside, installed), installed + "/veltosol");
    EXPECT_EQ(find_solver(work, "", installed), installed + "/veltosol");
    put(beside, 0644);  // not executable: passed over
    EXPECT_EQ(find_solver(work, beside, installed), installed + "/veltosol");
    put(beside, 0755);
    EXPECT_EQ(find_solver(work, beside, installed), beside + "/veltosol");
    put(work, 0755);
    EXPECT_EQ(find_solver(work, beside, installed), work + "/veltosol");
}

TEST_F(Run, InputThatCannotBeWrittenStopsTheRun) {
    post(1, 1, 1);
    AnalysisContext c{*m, dir.file("no/such/folder"), solver_dir()};
    EXPECT_EQ(run_analysis(c, msg, out), -1);
    ASSERT_EQ(msg.shown.size(), 2u);
    EXPECT_EQ(msg.shown[0], files::kBonOpenError);
    EXPECT_EQ(msg.shown[1], kMsgInputFailed);
    EXPECT_FALSE(out.run.started);
}

TEST_F(Run, LastResultsOnlyOpensTheWindow) {
    SaigoKaisekiMenuClick(host);
    EXPECT_EQ(host.events, (std::vector<std::string>{"busy", "results", "arrow"}));
}

}  // namespace
}  // namespace tarvik::analysis
