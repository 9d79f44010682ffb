// What the user reads when the solver fails or a model is beyond its tables.
// The failure lines come from the solver's own routines, so that a change of
// their wording cannot leave the explanations behind unnoticed.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "analysis/capacity_check.h"
#include "analysis/solver_messages.h"
#include "list_reader.h"
#include "solver_state.h"

namespace tarvik::analysis {
namespace {

// The solver's line for the failure the action raises, as its standard error has it.
std::string line_of(const std::function<void()>& fail) {
    try {
        fail();
    } catch (const std::exception& e) {
        return std::string("veltosol: ") + e.what();
    }
    ADD_FAILURE() << "no failure";
    return {};
}

void read_int_from(const char* text) {
    veltosol::ListReader in(text);
    in.begin("the node and member counts");
    int v = 0;
    in.integer(v);
    in.integer(v);
}

struct FailureCase {
    const char* name;
    std::function<void()> fail;
    int status;
    const char* starts;  // the Japanese sentence begins so
    const char* holds;   // and names this
};

TEST(SolverFailureMessages, EveryKnownLineIsExplainedAndKeptBelow) {
    using namespace veltosol;
    const FailureCase cases[] = {
        {"members", [] { capacity_exceeded("member", kMaxMembers, "the file gives 5200"); },
         kExitCapacity, "解析できる上限を超えています: 部材数 5200 (上限 3000)", "小さく"},
        {"supports", [] { capacity_exceeded("support", kMaxSupports, "the file gives 120"); },
         kExitCapacity, "解析できる上限を超えています: 支点数 120 (上限 100)", "分けて"},
        {"store",
         [] { capacity_exceeded("stiffness store", kMaxStore, "the skyline needs 1700000 terms"); },
         kExitCapacity, "解析できる上限を超えています: 剛性マトリクスの記憶域 (項数) 1700000 (上限 1600000)",
         ""},
        {"levels", [] { capacity_exceeded("Z level", kMaxLevels, "the file gives 101"); },
         kExitCapacity, "解析できる上限を超えています: Z方向の階の数 101 (上限 100)", ""},
        {"apart", [] { bad_model("the member graph is not connected: node 3 cannot be reached"); },
         kExitBadModel, "解析データの模型が正しくありません: 骨組が一つにつながっていません", ""},
        {"loose node", [] { bad_model("node 7 is not connected to any member"); }, kExitBadModel,
         "解析データの模型が正しくありません: どの部材にもつながっていない節点", ""},
        {"zero length", [] { bad_model("member 4 has zero or undefined length"); }, kExitBadModel,
         "解析データの模型が正しくありません: 長さが0の部材", ""},
        {"unknown fault", [] { bad_model("something new"); }, kExitBadModel,
         "解析データの模型が正しくありません。", "確かめて"},
        {"ends early", [] { read_int_from(" 5\n"); }, kExitReadFailure,
         "解析データVELTOSOL.INを読めません (", " 行目): ファイルが途中で終わっています"},
        {"not a number", [] { read_int_from(" 5 abc\n"); }, kExitReadFailure,
         "解析データVELTOSOL.INを読めません (1 行目): 数値のはずの所に数値でない値", ""},
        {"unknown line", [] { throw std::runtime_error("a new kind of trouble"); }, 9,
         "解析計算に失敗しました (終了コード 9)", ""},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        SolverRun run;
        run.started = run.exited = true;
        run.status = c.status;
        const std::string line = line_of(c.fail);
        // Whatever the solver printed before, its last line counts.
        run.diagnostic = "veltosol: an earlier note\r\n" + line + "\n\n";
        const std::string shown = solver_failure_message(run);
        EXPECT_EQ(shown.rfind(c.starts, 0), 0u) << shown;
        EXPECT_NE(shown.find(c.holds), std::string::npos) << shown;
        // The solver's own line closes the message, once.
        ASSERT_GE(shown.size(), line.size());
        EXPECT_EQ(shown.substr(shown.size() - line.size()), line) << shown;
        EXPECT_EQ(shown.find("an earlier note"), std::string::npos) << shown;
    }

    // A solver ended by a signal says so, with whatever it managed to write.
    SolverRun killed;
    killed.started = true;
    killed.signal = 9;
    EXPECT_EQ(solver_failure_message(killed), "解析計算が異常終了しました (シグナル 9)");
}

// A model store of a hub joined by n spokes to n nodes on a ring around it,
// as capacity_check reads a model. Every numbering of it is as wide as the
// ring, so its profile grows with the square of n.
std::unique_ptr<model::ModelStore> spokes_model(int n) {
    auto m = std::make_unique<model::ModelStore>();
    auto node = [&m](float x, float y) {
        model::Node& d = m->node[m->N_Node];
        d.no = ++m->N_Node;
        d.x = x;
        d.y = y;
    };
    node(0.0f, 0.0f);
    for (int k = 0; k < n; ++k) {
        node(1000.0f * std::cos(k * 6.2831853f / n), 1000.0f * std::sin(k * 6.2831853f / n));
        model::Beam& e = m->beam[m->N_Beam];
        e.no = ++m->N_Beam;
        e.noi = 1;
        e.noj = k + 2;
    }
    return m;
}

TEST(CapacityCheck, CountsAndTheStiffnessStoreAgainstTheSolverLimits) {
    // 200 spokes fit.
    auto small = spokes_model(200);
    EXPECT_TRUE(capacity_check(*small).empty());
    EXPECT_EQ(capacity_message({}), "");

    // 400 spokes are few nodes and members, but their profile needs more store.
    auto wide = spokes_model(400);
    const std::vector<CapacityExcess> over = capacity_check(*wide);
    ASSERT_EQ(over.size(), 1u);
    EXPECT_EQ(over[0].what, "剛性マトリクスの記憶域 (項数)");
    EXPECT_EQ(over[0].limit, 1600000);
    EXPECT_GT(over[0].count, 1600000);
    // Supported nodes take their equations out of the store: fewer terms.
    for (int i = 2; i <= 80; ++i) {
        model::Fix& f = wide->fix[wide->N_Fix++];
        f.no = i;
        f.xfix = f.yfix = f.zfix = 1;
    }
    const std::vector<CapacityExcess> held = capacity_check(*wide);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_LT(held[0].count, over[0].count);

    // Counts beyond the tables are named with their limits, the store left out.
    auto big = spokes_model(20);
    big->N_Node = 3500;
    big->N_Beam = 5200;
    big->N_Fix = 120;
    big->N_Z = 101;
    const std::vector<CapacityExcess> counts = capacity_check(*big);
    ASSERT_EQ(counts.size(), 4u);
    EXPECT_EQ(capacity_message(counts),
              "解析できる上限を超えています: 節点数 3500 (上限 3000)\n"
              "部材数 5200 (上限 3000)\n"
              "支点数 120 (上限 100)\n"
              "Z方向の階の数 101 (上限 100)\n"
              "このままでは構造解析を実施できません");
}

}  // namespace
}  // namespace tarvik::analysis
