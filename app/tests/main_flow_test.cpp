// The main window's model flow: upkeep order and the node data lists.
#include "app/main_flow.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::app {
namespace {

using testing::ScriptedMessages;

class MainFlowTest : public ::testing::Test {
  protected:
    std::unique_ptr<model::ModelStore> store = std::make_unique<model::ModelStore>();
    model::ModelStore& m = *store;
    ScriptedMessages msg;
    MainFlowState state;

    void portal() {
        testing::add_member(m, msg, 0, 0, 0, 0, 0, 300);
        testing::add_member(m, msg, 600, 0, 0, 600, 0, 300);
        testing::add_member(m, msg, 0, 0, 300, 600, 0, 300, 12, 18);
    }
};

TEST_F(MainFlowTest, ModelReadyStepBuildsTablesAndOpensTheLevelWindow) {
    portal();
    ASSERT_EQ(completeness_check(m), 1);
    ASSERT_EQ(model_ready_step(m, state, msg), 0);
    EXPECT_EQ(m.N_Size, 2);
    EXPECT_EQ(m.N_Mat, 2);
    EXPECT_EQ(m.beam[2].mat, 2);
    EXPECT_STREQ(m.beam[2].idj, "X01Y00Z01");
    EXPECT_EQ(state.XlevelMax, 1);
    EXPECT_EQ(state.YlevelMax, 0);
    EXPECT_EQ(state.ZlevelMax, 1);
    EXPECT_EQ(state.PaintMode, Paint::kModel);
}

TEST_F(MainFlowTest, EmptyModelStopsAtTheCompletenessCheck) {
    EXPECT_EQ(completeness_check(m), -1);
}

TEST_F(MainFlowTest, RefusedLevelNamingStopsTheStep) {
    for (int k = 0; k <= model::kMaxLevel; ++k)
        testing::add_member(m, msg, static_cast<float>(k), 0, 0, static_cast<float>(k), 0, 10);
    EXPECT_EQ(model_ready_step(m, state, msg), -1);
    EXPECT_EQ(state.PaintMode, Paint::kNothing);
    EXPECT_EQ(msg.shown.size(), 1u);
}

TEST_F(MainFlowTest, ListsAreBuiltFromTheMarksWithTheNodeDataValues) {
    portal();
    model_ready_step(m, state, msg);
    clear_node_marks(m);
    m.node[3].flag = model::kPickSupport;  // X01Y00Z01
    m.node[0].flag = model::kPickSupport;
    m.node[1].flag = model::kPickLoad;
    m.node[2].flag = model::kSearchMark;  // neither
    build_fix_load_lists(m, state, NodeDataValues{}, msg);
    ASSERT_EQ(m.N_Fix, 2);
    EXPECT_EQ(m.fix[0].no, 1);  // table order
    EXPECT_STREQ(m.fix[0].id, "X00Y00Z00");
    EXPECT_EQ(m.fix[1].no, 4);
    EXPECT_EQ(m.fix[1].xfix + m.fix[1].yfix + m.fix[1].zfix, 3);
    ASSERT_EQ(m.N_Load, 1);
    EXPECT_EQ(m.load[0].no, 2);
    EXPECT_STREQ(m.load[0].id, "X00Y00Z01");
    EXPECT_EQ(m.load[0].px, 0.0f);
    EXPECT_EQ(m.load[0].pz, -200.0f);
    EXPECT_TRUE(state.SetutenPick());
    EXPECT_TRUE(finish_node_data(m, state));
    EXPECT_EQ(state.FixLoadBuilt, 1);
}

TEST_F(MainFlowTest, OnceBuiltTheListsAreNotRebuilt) {
    portal();
    model_ready_step(m, state, msg);
    clear_node_marks(m);
    m.node[0].flag = model::kPickSupport;
    m.node[1].flag = model::kPickLoad;
    build_fix_load_lists(m, state, NodeDataValues{}, msg);
    ASSERT_TRUE(finish_node_data(m, state));
    m.load[0].pz = -50.0f;  // edited in the node data window
    m.node[2].flag = model::kPickSupport;
    build_fix_load_lists(m, state, NodeDataValues{}, msg);
    EXPECT_EQ(m.N_Fix, 1);
    EXPECT_EQ(m.load[0].pz, -50.0f);
}

TEST_F(MainFlowTest, WithoutALoadTheListsStayOpenForRebuilding) {
    portal();
    model_ready_step(m, state, msg);
    clear_node_marks(m);
    m.node[0].flag = model::kPickSupport;
    build_fix_load_lists(m, state, NodeDataValues{}, msg);
    EXPECT_FALSE(finish_node_data(m, state));
    EXPECT_EQ(state.FixLoadBuilt, 0);
    m.node[1].flag = model::kPickLoad;
    build_fix_load_lists(m, state, NodeDataValues{}, msg);
    EXPECT_EQ(m.N_Load, 1);
}

TEST_F(MainFlowTest, MoreMarksThanTheSupportTableHoldsAreRefused) {
    for (int k = 0; k <= model::kMaxFix; ++k)
        testing::add_member(m, msg, static_cast<float>(k), 0, 0, static_cast<float>(k), 0, 10);
    for (int i = 0; i < m.N_Node; ++i) m.node[i].flag = model::kPickSupport;
    m.node[1].flag = model::kPickLoad;
    build_fix_load_lists(m, state, NodeDataValues{}, msg);
    EXPECT_EQ(m.N_Fix, model::kMaxFix);
    EXPECT_EQ(m.N_Load, 1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "拘束節点の数が上限 1000 を超えるため追加できません");
}

}  // namespace
}  // namespace tarvik::app
