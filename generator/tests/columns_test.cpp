// The outer columns under the space floor, type I and type II.
#include "gen_test_util.h"

namespace tarvik::generator::testing {
namespace {

struct Columns : ::testing::Test, GenFixture {
    int gaichu_first = 0;

    void make_house(int sumi_type) {
        columns(sumi_type, 1);
        Generator g = gen();
        ASSERT_TRUE(make_space_floor(g));
        gaichu_first = m->N_Beam;
        ASSERT_EQ(g.make_gaichu(), 0);
        EXPECT_EQ(g.GaichuStart, gaichu_first);
        EXPECT_EQ(g.GaichuEnd, m->N_Beam);
    }
};

TEST_F(Columns, TypeIGives864MembersOn281Nodes) {
    make_house(kSumiType1);
    EXPECT_EQ(m->N_Beam, 864);
    EXPECT_EQ(m->N_Node, 281);
    EXPECT_EQ(count_kind(6), 96);
    expect_consistent_tables(*m);
}

TEST_F(Columns, TypeIIGives72Members) {
    make_house(kSumiType2);
    EXPECT_EQ(m->N_Beam - gaichu_first, 72);  // 24 + 16 + 32
    // 24 column nodes below the floor and 8 tie midpoints.
    EXPECT_EQ(m->N_Node, 241 + 24 + 8);
    expect_consistent_tables(*m);
}

TEST_F(Columns, FloorStandsOnTheColumnsAndBracesCrossAtTheQuarterHeights) {
    make_house(kSumiType1);
    EXPECT_EQ(heights(0, gaichu_first), (std::set<float>{290, 335}));
    EXPECT_EQ(heights(gaichu_first, m->N_Beam), (std::set<float>{50, 110, 170, 230, 290}));
    // Corner column in two halves meeting at 170.
    EXPECT_TRUE(member_is(m->beam[gaichu_first], 0, 0, 50, 0, 0, 170));
    EXPECT_TRUE(member_is(m->beam[gaichu_first + 1], 0, 0, 170, 0, 0, 290));
    // Its top is the floor's bottom corner node.
    EXPECT_EQ(m->beam[gaichu_first + 1].noj, m->beam[0].noi);
    // Then the other corners, then the neighbours 2 and 3.
    EXPECT_TRUE(member_is(m->beam[gaichu_first + 2], 720, 0, 50, 720, 0, 170));
    EXPECT_TRUE(member_is(m->beam[gaichu_first + 8], 90, 0, 50, 90, 0, 170));
    EXPECT_TRUE(member_is(m->beam[gaichu_first + 10], 630, 0, 50, 630, 0, 170));
    EXPECT_TRUE(member_is(m->beam[gaichu_first + 16], 0, 90, 50, 0, 90, 170));
}

// Ties and braces of the first corner c0, in the order they are made: the
// ties begin 24 members after the first column; type I's braces 8 after the
// first tie, type II's 16 (it has twice the ties, halved at their midpoints).
TEST_F(Columns, TiesAndBracesInTheirOrder) {
    enum Part { kTie, kBrace };
    const struct {
        int sumi_type;
        Part part;
        int at;  // index after the first tie or brace
        float xs, ys, zs, xl, yl, zl;
    } members[] = {
        {kSumiType1, kTie, 0, 0, 0, 170, 90, 0, 170},
        {kSumiType1, kTie, 1, 0, 0, 170, 0, 90, 170},
        {kSumiType1, kTie, 2, 720, 0, 170, 630, 0, 170},
        // Upper X-side brace of c0: centre to neighbour top, corner top,
        // neighbour bottom, corner bottom.
        {kSumiType1, kBrace, 0, 45, 0, 230, 90, 0, 290},
        {kSumiType1, kBrace, 1, 45, 0, 230, 0, 0, 290},
        {kSumiType1, kBrace, 2, 45, 0, 230, 90, 0, 170},
        {kSumiType1, kBrace, 3, 45, 0, 230, 0, 0, 170},
        // Upper Y-side brace: corner top first.
        {kSumiType1, kBrace, 4, 0, 45, 230, 0, 0, 290},
        {kSumiType1, kBrace, 5, 0, 45, 230, 0, 90, 290},
        // Lower X-side brace.
        {kSumiType1, kBrace, 8, 45, 0, 110, 90, 0, 170},
        {kSumiType1, kBrace, 11, 45, 0, 110, 0, 0, 50},
        // Next corner.
        {kSumiType1, kBrace, 16, 675, 0, 230, 630, 0, 290},
        // Type II: the ties halved at their midpoints, the braces crossing there.
        {kSumiType2, kTie, 0, 0, 0, 170, 45, 0, 170},
        {kSumiType2, kTie, 1, 45, 0, 170, 90, 0, 170},
        {kSumiType2, kTie, 2, 0, 0, 170, 0, 45, 170},
        {kSumiType2, kBrace, 0, 45, 0, 170, 90, 0, 290},
        {kSumiType2, kBrace, 3, 45, 0, 170, 0, 0, 50},
        {kSumiType2, kBrace, 4, 0, 45, 170, 0, 0, 290},
    };
    for (int sumi_type : {kSumiType1, kSumiType2}) {
        SCOPED_TRACE(sumi_type);
        m = std::make_unique<model::ModelStore>();  // a fresh store and basic data
        d = default_basic_data();
        make_house(sumi_type);
        const int ties = gaichu_first + 24;
        const int braces = ties + (sumi_type == kSumiType1 ? 8 : 16);
        for (const auto& e : members) {
            if (e.sumi_type != sumi_type) continue;
            const int i = (e.part == kTie ? ties : braces) + e.at;
            EXPECT_TRUE(member_is(m->beam[i], e.xs, e.ys, e.zs, e.xl, e.yl, e.zl))
                << "member " << i;
        }
        if (sumi_type == kSumiType2) {
            // The brace shares the tie's midpoint node.
            EXPECT_EQ(m->beam[braces].noi, m->beam[ties].noj);
        }
    }
}

TEST_F(Columns, TwoUnitsMakeTheSharedColumnTwice) {
    d.nx = 2;
    d.ny = 2;
    make_house(kSumiType1);
    // (90, 0) is neighbour 2 of both c0 and c1: two members on the same nodes.
    const int first = find_member(*m, 90, 0, 50, 90, 0, 170);
    ASSERT_GE(first, 0);
    int same = 0;
    for (int i = gaichu_first; i < m->N_Beam; ++i)
        same += m->beam[i].noi == m->beam[first].noi && m->beam[i].noj == m->beam[first].noj;
    EXPECT_EQ(same, 2);
    EXPECT_EQ(m->N_Beam - gaichu_first, 96);
}

}  // namespace
}  // namespace tarvik::generator::testing
