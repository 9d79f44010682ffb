// Searches in the plan drawing and by node code.
#include <gtest/gtest.h>

#include <memory>

#include "model/maintenance.h"

namespace tarvik::model {
namespace {

class PlanSearchTest : public ::testing::Test {
  protected:
    std::unique_ptr<ModelStore> store = std::make_unique<ModelStore>();
    ModelStore& m = *store;

    void add_plan_node(float X, float Y) {
        Node& n = m.node[m.N_Node];
        n = Node{};
        n.no = m.N_Node + 1;
        n.X = X;
        n.Y = Y;
        ++m.N_Node;
    }
    void add_plan_beam(float XS, float YS, float XL, float YL) {
        Beam& b = m.beam[m.N_Beam];
        b = Beam{};
        b.no = m.N_Beam + 1;
        b.XS = XS;
        b.YS = YS;
        b.XL = XL;
        b.YL = YL;
        ++m.N_Beam;
    }
};

TEST_F(PlanSearchTest, RadiusIsExclusive) {
    add_plan_node(100.0f, 100.0f);
    EXPECT_EQ(search_2dim_node(m, 110.0f, 100.0f), -1);  // exactly 10.0 away
    EXPECT_EQ(search_2dim_node(m, 106.0f, 108.0f), -1);  // 6-8-10 triangle
    EXPECT_EQ(search_2dim_node(m, 109.99f, 100.0f), 0);
}

TEST_F(PlanSearchTest, FirstNodeInTableOrderWins) {
    add_plan_node(0.0f, 0.0f);
    add_plan_node(5.0f, 0.0f);
    add_plan_node(4.0f, 0.0f);
    EXPECT_EQ(search_2dim_node(m, 4.0f, 0.0f), 0);
    EXPECT_EQ(search_2dim_node(m, 14.5f, 0.0f), 1);
    EXPECT_EQ(search_2dim_node(m, -100.0f, 0.0f), -1);
}

TEST_F(PlanSearchTest, CuttingLineFindsTheCrossedMemberAndPoint) {
    add_plan_beam(0.0f, 0.0f, 100.0f, 0.0f);
    add_plan_beam(0.0f, 50.0f, 100.0f, 50.0f);
    float X = -1.0f, Y = -1.0f;
    EXPECT_EQ(search_cross_beam(m, 30.0f, 40.0f, 30.0f, 60.0f, X, Y), 1);
    EXPECT_FLOAT_EQ(X, 30.0f);
    EXPECT_FLOAT_EQ(Y, 50.0f);
    EXPECT_EQ(search_cross_beam(m, 30.0f, -10.0f, 30.0f, 60.0f, X, Y), 0);  // first in order
    EXPECT_EQ(search_cross_beam(m, 30.0f, 10.0f, 30.0f, 40.0f, X, Y), -1);
}

TEST_F(PlanSearchTest, EndsOnTheMemberCount) {
    add_plan_beam(0.0f, 0.0f, 100.0f, 0.0f);
    float X, Y;
    // The line ends on the member (t = 1) ...
    EXPECT_EQ(search_cross_beam(m, 50.0f, 20.0f, 50.0f, 0.0f, X, Y), 0);
    // ... starts on it (t = 0) ...
    EXPECT_EQ(search_cross_beam(m, 50.0f, 0.0f, 50.0f, -20.0f, X, Y), 0);
    // ... or passes through its end point (s = 1).
    EXPECT_EQ(search_cross_beam(m, 100.0f, 10.0f, 100.0f, -10.0f, X, Y), 0);
    EXPECT_FLOAT_EQ(X, 100.0f);
    EXPECT_EQ(search_cross_beam(m, 100.5f, 10.0f, 100.5f, -10.0f, X, Y), -1);
}

TEST_F(PlanSearchTest, ParallelLinesAreSkipped) {
    add_plan_beam(0.0f, 0.0f, 100.0f, 0.0f);
    float X, Y;
    // Collinear and overlapping, but parallel: det = 0.
    EXPECT_EQ(search_cross_beam(m, -10.0f, 0.0f, 50.0f, 0.0f, X, Y), -1);
    // Nearly parallel: |det| = 5e-7 * 100 < 0.0001.
    EXPECT_EQ(search_cross_beam(m, 0.0f, 0.0f, 1.0f, 0.0000005f, X, Y), -1);
}

TEST(CodeLevel, ReadsTwoDigitsPerAxisAsFarAsTheyAreDigits) {
    EXPECT_EQ(code_level("X03Y12Z99", 0), 3);
    EXPECT_EQ(code_level("X03Y12Z99", 1), 12);
    EXPECT_EQ(code_level("X03Y12Z99", 2), 99);
    EXPECT_EQ(code_level("X3aY12Z9", 0), 3);
    EXPECT_EQ(code_level("X03Y12Z9", 2), 9);
    EXPECT_EQ(code_level("", 2), 0);
}

TEST_F(PlanSearchTest, CountInBoxIncludesBothBounds) {
    const char* codes[] = {"X00Y00Z00", "X01Y00Z00", "X02Y01Z00", "X02Y01Z03", "X05Y05Z05"};
    for (const char* c : codes) {
        add_plan_node(0, 0);
        set_code(m.node[m.N_Node - 1].id, c);
    }
    EXPECT_EQ(count_nodes_in_box(m, 0, 99, 0, 99, 0, 99), 5);
    EXPECT_EQ(count_nodes_in_box(m, 1, 2, 0, 1, 0, 0), 2);
    EXPECT_EQ(count_nodes_in_box(m, 2, 2, 1, 1, 0, 3), 2);
    EXPECT_EQ(count_nodes_in_box(m, 0, 4, 0, 4, 1, 4), 1);
    EXPECT_EQ(count_nodes_in_box(m, 3, 4, 0, 99, 0, 99), 0);
    EXPECT_EQ(count_nodes_in_box(m, 0, -1, 0, 99, 0, 99), 0);
}

}  // namespace
}  // namespace tarvik::model
