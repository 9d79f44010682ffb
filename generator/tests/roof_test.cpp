// The hip roof on the top storey.
#include "gen_test_util.h"

namespace tarvik::generator::testing {
namespace {

struct Roof : ::testing::Test, GenFixture {
    int roof_first = 0;

    void make_roofed(int storeys) {
        columns(kSumiType1, storeys);
        d.YaneMode = kYaneRoof;
        Generator g = gen();
        ASSERT_TRUE(make_space_floor(g));
        ASSERT_EQ(g.make_gaichu(), 0);
        if (storeys == 2) {
            ASSERT_EQ(g.make_2kai(), 0);
        }
        roof_first = m->N_Beam;
        ASSERT_EQ(g.make_yane2(), 0);
    }
};

TEST_F(Roof, DefaultsGive148RoofMembersAnd1012InAll) {
    make_roofed(1);
    EXPECT_EQ(m->N_Beam - roof_first, 148);
    EXPECT_EQ(m->N_Beam, 1012);
    expect_kind_counts({{7, 4}, {8, 16}, {9, 8}, {10, 8}, {11, 8}, {12, 8}});
    expect_consistent_tables(*m);
}

TEST_F(Roof, RoofPointsOfTheDefaultHouse) {
    make_roofed(1);
    // Roof-storey columns: the first storey's columns between 335 and 575.
    EXPECT_EQ(heights(roof_first, roof_first + 96), (std::set<float>{335, 395, 455, 515, 575}));
    const int rc = roof_first + 96;
    EXPECT_TRUE(member_is(m->beam[rc], 360, 0, 335, 360, 0, 575));
    EXPECT_TRUE(member_is(m->beam[rc + 1], 720, 360, 335, 720, 360, 575));
    EXPECT_TRUE(member_is(m->beam[rc + 2], 360, 720, 335, 360, 720, 575));
    EXPECT_TRUE(member_is(m->beam[rc + 3], 0, 360, 335, 0, 360, 575));
    EXPECT_EQ(m->beam[rc].kind, 7);
    EXPECT_EQ(m->beam[rc].haba, 12.0f);
    // Girders of the side y = 0 through the column tops.
    EXPECT_TRUE(member_is(m->beam[rc + 4], 0, 0, 575, 90, 0, 575));
    EXPECT_TRUE(member_is(m->beam[rc + 5], 90, 0, 575, 360, 0, 575));
    EXPECT_EQ(m->beam[rc + 4].atumi, 18.0f);
    // First hip rafter: corner, hip node, apex.
    const int hip = rc + 20;
    EXPECT_TRUE(member_is(m->beam[hip], 0, 0, 575, 180, 180, 665));
    EXPECT_TRUE(member_is(m->beam[hip + 1], 180, 180, 665, 360, 360, 755));
    EXPECT_TRUE(member_is(m->beam[hip + 8], 360, 0, 575, 360, 180, 665));   // common rafter
    EXPECT_TRUE(member_is(m->beam[hip + 16], 360, 0, 575, 180, 180, 665));  // angle brace
    EXPECT_TRUE(member_is(m->beam[hip + 17], 360, 0, 575, 540, 180, 665));
    EXPECT_TRUE(member_is(m->beam[hip + 24], 360, 180, 665, 180, 180, 665));  // purlin
    // The roof storey's column tops carry the girders.
    const int top = find_member(*m, 90, 0, 455, 90, 0, 575);
    ASSERT_GE(top, 0);
    EXPECT_EQ(m->beam[top].noj, m->beam[rc + 4].noj);
    // The roof column height is stored as the storey above the top one.
    EXPECT_EQ(d.hashira_takasa[1], 240.0f);
}

TEST_F(Roof, OddUnitCountsHalveTheQuarterPointsByUnits) {
    d.nx = 7;
    d.ny = 5;
    make_roofed(1);
    // W = 630, D = 450: Mx = 315, My = 225, qx = 135, qy = 90.
    const int hip = roof_first + 96 + 20;
    EXPECT_TRUE(member_is(m->beam[hip], 0, 0, 575, 135, 90, 665));
    EXPECT_TRUE(member_is(m->beam[hip + 1], 135, 90, 665, 315, 225, 755));
    EXPECT_TRUE(member_is(m->beam[hip + 2], 630, 0, 575, 495, 90, 665));
    EXPECT_TRUE(member_is(m->beam[roof_first + 96], 315, 0, 335, 315, 0, 575));
    EXPECT_TRUE(member_is(m->beam[roof_first + 97], 630, 225, 335, 630, 225, 575));
    expect_consistent_tables(*m);
}

TEST_F(Roof, RoofOnTwoStoreysStandsOnTheSecondFloor) {
    make_roofed(2);
    // Z2 = 50 + 240 + 45 + 240 + 45 = 620; girders at 860; apex 1040.
    EXPECT_EQ(heights(roof_first, roof_first + 96), (std::set<float>{620, 680, 740, 800, 860}));
    EXPECT_GE(find_member(*m, 180, 180, 950, 360, 360, 1040), 0);
    EXPECT_EQ(d.hashira_takasa[2], 240.0f);
    expect_consistent_tables(*m);
}

TEST_F(Roof, TwoUnitsLeaveOutTheGirderPiecesOfNoLength) {
    d.nx = 2;
    d.ny = 2;
    d.yane_takasa = 45.0f;
    make_roofed(1);
    // Each side keeps its two pieces of one unit; the two pieces beside the
    // roof column would begin and end on one node.
    EXPECT_EQ(count_kind(8), 8);
    EXPECT_EQ(m->N_Beam - roof_first, 96 + 4 + 8 + 32);
    expect_consistent_tables(*m);
}

TEST_F(Roof, ForeignColumnHeightStopsTheRoof) {
    columns(kSumiType1, 1);
    d.YaneMode = kYaneRoof;
    Generator g = gen();
    g.make_hashira();
    g.make_gaichu();
    m->beam[g.GaichuStart + 3].zl = 300.0f;  // no first-storey level
    EXPECT_EQ(g.make_yane2(), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"レベル検索に失敗した"});
}

}  // namespace
}  // namespace tarvik::generator::testing
