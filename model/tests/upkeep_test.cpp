// The model upkeep: completeness check, size table, materials, level naming.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::model {
namespace {

using testing::add_member;
using testing::ScriptedMessages;

class UpkeepTest : public ::testing::Test {
  protected:
    std::unique_ptr<ModelStore> store = std::make_unique<ModelStore>();
    ModelStore& m = *store;
    ScriptedMessages msg;
};

TEST_F(UpkeepTest, CompletenessNeedsMembersAllCompleteAndAttached) {
    EXPECT_EQ(check_all_beam(m), -1);
    add_member(m, msg, 0, 0, 0, 0, 0, 300);
    add_member(m, msg, 0, 0, 300, 90, 0, 300);
    EXPECT_EQ(check_all_beam(m), 1);
    m.beam[1].flag = 1;
    EXPECT_EQ(check_all_beam(m), -1);
    m.beam[1].flag = 2;
    m.beam[1].noj = 4;  // no such node
    EXPECT_EQ(check_all_beam(m), -1);
    m.beam[1].noj = 0;
    EXPECT_EQ(check_all_beam(m), -1);
}

TEST_F(UpkeepTest, EqualSectionAndLengthShareOneSizeEntry) {
    add_member(m, msg, 0, 0, 0, 0, 0, 300, 12, 18);
    add_member(m, msg, 90, 0, 0, 90, 0, 300, 12, 18);    // same length elsewhere
    add_member(m, msg, 0, 0, 300, 300, 0, 300, 12, 18);  // same length, horizontal
    add_member(m, msg, 0, 0, 0, 0, 0, 150, 12, 18);      // shorter
    add_member(m, msg, 0, 0, 0, 0, 0, 300, 18, 12);      // width and depth swapped
    for (int k = 0; k < m.N_Beam; ++k) m.beam[k].flag = 1;
    ASSERT_EQ(check_size(m, msg), 0);
    ASSERT_EQ(m.N_Size, 3);
    const int expected[] = {1, 1, 1, 2, 3};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(m.beam[k].size, expected[k]) << k;
        EXPECT_EQ(m.beam[k].mat, expected[k]) << k;
        EXPECT_EQ(m.beam[k].flag, 2) << k;
    }
    const SizeEntry& s = m.size[0];
    EXPECT_EQ(s.haba, 12.0f);
    EXPECT_EQ(s.atumi, 18.0f);
    EXPECT_EQ(s.length, 300.0f);
    EXPECT_FLOAT_EQ(s.A, 216.0f);
    EXPECT_FLOAT_EQ(s.Iy, 5832.0f);  // 12 * 18^3 / 12
    EXPECT_FLOAT_EQ(s.Iz, 2592.0f);  // 18 * 12^3 / 12
    EXPECT_EQ(s.angle, 0.0f);
    EXPECT_EQ(m.size[1].length, 150.0f);
}

TEST_F(UpkeepTest, RebuildClearsAnEditedAngle) {
    add_member(m, msg, 0, 0, 0, 0, 0, 300);
    check_size(m, msg);
    m.size[0].angle = 45.0f;
    check_size(m, msg);
    EXPECT_EQ(m.size[0].angle, 0.0f);
    EXPECT_EQ(m.N_Size, 1);
}

TEST_F(UpkeepTest, MoreThanAThousandSizesAreRefusedAndNothingChanges) {
    for (int k = 0; k <= kMaxSize; ++k)
        add_member(m, msg, 0, 0, 0, 0, 0, 100.0f + static_cast<float>(k));
    m.N_Size = 1;
    m.size[0].haba = 42.0f;
    m.beam[5].size = -1;
    EXPECT_EQ(check_size(m, msg), -1);
    EXPECT_EQ(m.N_Size, 1);
    EXPECT_EQ(m.size[0].haba, 42.0f);
    EXPECT_EQ(m.beam[5].size, -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "断面の数が上限 1000 を超えるため追加できません");
    m.N_Beam = kMaxSize;  // exactly at the limit fits
    EXPECT_EQ(check_size(m, msg), 0);
    EXPECT_EQ(m.N_Size, kMaxSize);
}

TEST_F(UpkeepTest, SectionWithoutWidthOrThicknessIsRefusedWithTheMemberNamed) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float haba, atumi;
    } bad[] = {{0, 12}, {12, 0}, {-3, 12}, {12, -0.5f}, {nan, 12}, {12, inf}};
    for (const auto& c : bad) {
        store = std::make_unique<ModelStore>();
        ModelStore& s = *store;
        add_member(s, msg, 0, 0, 0, 0, 0, 300);
        add_member(s, msg, 0, 0, 300, 90, 0, 300, c.haba, c.atumi);
        set_code(s.beam[1].idi, "X00Y00Z01");
        set_code(s.beam[1].idj, "X01Y00Z01");
        s.N_Size = 1;
        s.size[0].haba = 42.0f;
        msg.shown.clear();
        EXPECT_EQ(check_size(s, msg), -1) << c.haba << " " << c.atumi;
        EXPECT_EQ(s.N_Size, 1);
        EXPECT_EQ(s.size[0].haba, 42.0f);
        ASSERT_EQ(msg.shown.size(), 1u);
        EXPECT_EQ(msg.shown[0].rfind("部材 2 (X00Y00Z01 - X01Y00Z01) の巾・厚みに誤りがあります", 0),
                  0u)
            << msg.shown[0];
    }
}

struct TorsionCase {
    float haba, atumi;
    double beta;
    double J;  // beta * atumi * haba^3, worked by hand
};

class TorsionTest : public UpkeepTest, public ::testing::WithParamInterface<TorsionCase> {};

TEST_P(TorsionTest, CoefficientByRatioOfSides) {
    const TorsionCase& c = GetParam();
    EXPECT_EQ(torsion_beta(c.atumi / c.haba), c.beta);
    add_member(m, msg, 0, 0, 0, 0, 0, 300, c.haba, c.atumi);
    ASSERT_EQ(check_size(m, msg), 0);
    EXPECT_NEAR(m.size[0].J, c.J, c.J * 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Sections, TorsionTest,
                         ::testing::Values(TorsionCase{12, 18, 0.196, 6096.384},  // r = 1.5 exactly
                                           TorsionCase{10, 10, 0.1406,
                                                       1406.0},  // square: 0.1406, not 0.141
                                           TorsionCase{12, 60, 0.291, 30170.88},  // r = 5.0 exactly
                                           TorsionCase{12, 130, 0.333, 74805.12},  // r above 10
                                           TorsionCase{20, 10, 0.1406, 11248.0},   // r below 1
                                           TorsionCase{10, 10.5f, 0.166, 1743.0},  // just above 1.0
                                           TorsionCase{10, 12, 0.166, 1992.0},     // r = 1.2
                                           TorsionCase{10, 20, 0.229, 4580.0},     // r = 2.0
                                           TorsionCase{10, 25, 0.249, 6225.0},     // r = 2.5
                                           TorsionCase{10, 30, 0.263, 7890.0},     // r = 3.0
                                           TorsionCase{10, 40, 0.281, 11240.0},    // r = 4.0
                                           TorsionCase{10, 100, 0.312, 31200.0},   // r = 10.0
                                           TorsionCase{10, 100.5f, 0.333, 33466.5}  // just above 10
                                           ));

TEST_F(UpkeepTest, MaterialsFollowSizesWithTheDefaults) {
    add_member(m, msg, 0, 0, 0, 0, 0, 300);
    add_member(m, msg, 0, 0, 0, 0, 0, 200);
    check_size(m, msg);
    m.young = 90000.0f;
    m.beam[1].mat = 7;
    assign_materials(m);
    ASSERT_EQ(m.N_Mat, 2);
    EXPECT_EQ(m.beam[1].mat, 2);
    EXPECT_EQ(m.mat[1].young, 90000.0f);
    EXPECT_EQ(m.mat[1].poisson, 0.3f);
    EXPECT_EQ(m.mat[1].mitudo, 0.0005f);
}

TEST_F(UpkeepTest, LevelsAreDistinctSortedAndNameTheNodes) {
    // x values 0, 90, 90: two levels.
    add_member(m, msg, 300, 50, 200, 0, 50, 0);
    add_member(m, msg, 0, 50, 0, 150, -50, 200);
    add_member(m, msg, 150, -50, 200, 150, -50, -0.0f);
    ASSERT_EQ(save_level_name(m, msg), 0);
    ASSERT_EQ(m.N_X, 3);
    EXPECT_EQ(m.Xval[0], 0.0f);
    EXPECT_EQ(m.Xval[1], 150.0f);
    EXPECT_EQ(m.Xval[2], 300.0f);
    ASSERT_EQ(m.N_Y, 2);
    EXPECT_EQ(m.Yval[0], -50.0f);
    ASSERT_EQ(m.N_Z, 2);  // -0.0 and 0.0 are one level
    EXPECT_STREQ(m.node[0].id, "X02Y01Z01");
    EXPECT_STREQ(m.node[1].id, "X00Y01Z00");
    EXPECT_STREQ(m.node[2].id, "X01Y00Z01");
    EXPECT_STREQ(m.node[3].id, "X01Y00Z00");
    EXPECT_STREQ(m.beam[1].idi, "X00Y01Z00");
    EXPECT_STREQ(m.beam[1].idj, "X01Y00Z01");
    EXPECT_STREQ(m.beam[2].idj, "X01Y00Z00");
}

TEST_F(UpkeepTest, RepeatedValuesGiveOneLevel) {
    add_member(m, msg, 0, 0, 0, 90, 0, 0);
    add_member(m, msg, 90, 0, 0, 90, 0, 50);
    ASSERT_EQ(save_level_name(m, msg), 0);
    EXPECT_EQ(m.N_X, 2);
    EXPECT_STREQ(m.node[0].id, "X00Y00Z00");
    EXPECT_STREQ(m.node[1].id, "X01Y00Z00");
    EXPECT_STREQ(m.node[2].id, "X01Y00Z01");
}

TEST(ParseLevelText, EmptyGivesTheDefaultElseTheDigitsAfterTheLetter) {
    EXPECT_EQ(parse_level_text("", 7), 7);
    EXPECT_EQ(parse_level_text("X03", 7), 3);
    EXPECT_EQ(parse_level_text("Z12", 0), 12);
    EXPECT_EQ(parse_level_text("Y4a", 0), 4);  // as far as the digits go
    EXPECT_EQ(parse_level_text("Yab", 9), 0);
    EXPECT_EQ(parse_level_text("X", 9), 0);
    EXPECT_EQ(parse_level_text("X123", 0), 12);
}

TEST_F(UpkeepTest, EmptyModelHasNoLevels) {
    m.N_X = 5;
    ASSERT_EQ(save_level_name(m, msg), 0);
    EXPECT_EQ(m.N_X, 0);
    EXPECT_EQ(m.N_Y, 0);
    EXPECT_EQ(m.N_Z, 0);
}

TEST_F(UpkeepTest, MoreThanAHundredLevelsAreRefusedAndNothingChanges) {
    add_member(m, msg, 0, 0, 0, 0, 0, 10);
    ASSERT_EQ(save_level_name(m, msg), 0);
    for (int k = 1; k <= kMaxLevel; ++k)
        add_member(m, msg, 0, static_cast<float>(k), 0, 0, static_cast<float>(k), 10);
    EXPECT_EQ(save_level_name(m, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "Y方向のレベルの数が上限 100 を超えるため節点に名前を付けられません");
    EXPECT_EQ(m.N_Y, 1);
    EXPECT_STREQ(m.node[0].id, "X00Y00Z00");
    EXPECT_STREQ(m.node[5].id, "");
    // Exactly a hundred fit.
    m.N_Node -= 2;
    m.N_Beam -= 1;
    ASSERT_EQ(save_level_name(m, msg), 0);
    EXPECT_EQ(m.N_Y, kMaxLevel);
    EXPECT_STREQ(m.node[m.N_Node - 1].id, "X00Y99Z01");
}

class NameByBoxTest : public UpkeepTest {
  protected:
    void SetUp() override {
        add_member(m, msg, 0, 7, 0, 990, 7, 0);
        add_member(m, msg, 990, 7, 0, 500, 7, 99);
        for (int i = 0; i < m.N_Node; ++i) m.node[i].flag = 2;
    }
};

TEST_F(NameByBoxTest, EachAxisIsCutIntoAHundredCodes) {
    ASSERT_EQ(name_nodes_by_box(m), 1);
    EXPECT_STREQ(m.node[0].id, "X00Y00Z00");
    EXPECT_STREQ(m.node[1].id, "X99Y00Z00");  // y has one value: step 0
    EXPECT_STREQ(m.node[2].id, "X50Y00Z99");
    EXPECT_STREQ(m.beam[1].idi, "X99Y00Z00");
    EXPECT_STREQ(m.beam[1].idj, "X50Y00Z99");
}

TEST_F(NameByBoxTest, StartValuesBoundTheBox) {
    // Every x above 9999.9: the minimum keeps its start value.
    m.node[0].x = 20000.0f;
    m.node[1].x = 15000.0f;
    m.node[2].x = 10000.0f;
    ASSERT_EQ(name_nodes_by_box(m), 1);
    EXPECT_STREQ(m.node[1].id, "X49Y00Z00");  // 5000.1 / 101.01 = 49.5
    EXPECT_STREQ(m.node[2].id, "X00Y00Z99");  // 0.1 / 101.01 truncates to 0
}

TEST_F(NameByBoxTest, IncompleteNodeStopsTheNaming) {
    m.node[1].flag = 1;
    EXPECT_EQ(name_nodes_by_box(m), -1);
    EXPECT_STREQ(m.node[0].id, "");
}

}  // namespace
}  // namespace tarvik::model
