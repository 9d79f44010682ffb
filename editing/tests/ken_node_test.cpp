// Node search: level range texts, counting, and bulk marking of supports and
// loaded nodes.
#include "editing/ken_node.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::editing {
namespace {

using testing::ScriptedMessages;

// A portal of two posts and a girder, 3 x 1 x 2 levels:
// X00Y00Z00 and X02Y00Z00 (feet), X00Y00Z01, X02Y00Z01, X01Y00Z01 (girder).
class KenNodeTest : public ::testing::Test {
  protected:
    std::unique_ptr<model::ModelStore> store = std::make_unique<model::ModelStore>();
    model::ModelStore& m = *store;
    ScriptedMessages msg;

    void SetUp() override {
        testing::add_member(m, msg, 0, 0, 0, 0, 0, 300);
        testing::add_member(m, msg, 300, 0, 0, 300, 0, 300);
        testing::add_member(m, msg, 0, 0, 300, 150, 0, 300);
        testing::add_member(m, msg, 150, 0, 300, 300, 0, 300);
        ASSERT_EQ(model::save_level_name(m, msg), 0);
    }

    // The ranges t, then 全選択 in mode answered yes or no: how many nodes it took.
    int pick(KenNodeCore& ken, const LevelTexts& t, PickMode mode, bool yes) {
        ken.KenSpeedButtonClick(t);
        msg.answers = {yes};
        return ken.ZenSentakuSpeedButtonClick(mode, msg);
    }

    int flag_of(const char* code) {
        for (int i = 0; i < m.N_Node; ++i)
            if (std::string(m.node[i].id) == code) return m.node[i].flag;
        ADD_FAILURE() << "no node " << code;
        return -1;
    }
};

TEST_F(KenNodeTest, OpeningCoversEveryLevel) {
    KenNodeCore ken(m);
    EXPECT_EQ(ken.XlevelMax, 2);
    EXPECT_EQ(ken.YlevelMax, 0);
    EXPECT_EQ(ken.ZlevelMax, 1);
    EXPECT_EQ(ken.KenSpeedButtonClick({}), 5);
}

TEST_F(KenNodeTest, RangesCountNodesInsideBoundsIncluded) {
    KenNodeCore ken(m);
    EXPECT_EQ(ken.KenSpeedButtonClick({"", "", "", "", "Z00", "Z00"}), 2);
    EXPECT_EQ(ken.KenSpeedButtonClick({"X01", "", "", "", "", ""}), 3);
    EXPECT_EQ(ken.KenSpeedButtonClick({"X01", "X02", "", "", "Z01", ""}), 2);
    EXPECT_EQ(ken.last_count(), 2);
    EXPECT_EQ(ken.XlevelMin, 1);
    EXPECT_EQ(ken.ZlevelMax, 1);
}

TEST_F(KenNodeTest, YesMakesSupportsAndRangesReset) {
    KenNodeCore ken(m);
    EXPECT_EQ(pick(ken, {"", "", "", "", "Z00", "Z00"}, PickMode::kKousoku, true), 2);
    ASSERT_EQ(msg.asked.size(), 1u);
    EXPECT_EQ(msg.asked[0], "青丸を固定節点にしますか?");
    EXPECT_EQ(flag_of("X00Y00Z00"), 1);
    EXPECT_EQ(flag_of("X02Y00Z00"), 1);
    EXPECT_EQ(flag_of("X00Y00Z01"), 0);
    EXPECT_EQ(ken.ZlevelMin, 0);
    EXPECT_EQ(ken.ZlevelMax, 1);
}

TEST_F(KenNodeTest, YesInLoadModeMakesLoadedNodes) {
    KenNodeCore ken(m);
    pick(ken, {"X01", "X01", "", "", "", ""}, PickMode::kKajyu, true);
    EXPECT_EQ(msg.asked[0], "青丸を荷重節点にしますか?");
    EXPECT_EQ(flag_of("X01Y00Z01"), 2);
    EXPECT_EQ(flag_of("X00Y00Z01"), 0);
}

TEST_F(KenNodeTest, NoClearsMarksInsideIncludingEarlierOnes) {
    KenNodeCore ken(m);
    for (int i = 0; i < m.N_Node; ++i) m.node[i].flag = 1;
    pick(ken, {"", "", "", "", "Z01", ""}, PickMode::kKousoku, false);
    EXPECT_EQ(flag_of("X00Y00Z01"), 0);
    EXPECT_EQ(flag_of("X01Y00Z01"), 0);
    EXPECT_EQ(flag_of("X00Y00Z00"), 1);  // outside: untouched
}

TEST_F(KenNodeTest, WithoutAPickModeNothingIsMarkedOrAsked) {
    KenNodeCore ken(m);
    ken.KenSpeedButtonClick({"", "", "", "", "Z01", ""});
    EXPECT_EQ(ken.ZenSentakuSpeedButtonClick(PickMode::kNone, msg), 3);
    EXPECT_TRUE(msg.asked.empty());
    for (int i = 0; i < m.N_Node; ++i) EXPECT_EQ(m.node[i].flag, 0);
}

TEST_F(KenNodeTest, ModelWithoutLevelsHasAnEmptyFullRange) {
    m.N_X = m.N_Y = m.N_Z = 0;
    KenNodeCore ken(m);
    EXPECT_EQ(ken.KenSpeedButtonClick({}), 0);
}

}  // namespace
}  // namespace tarvik::editing
