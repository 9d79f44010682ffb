// The space floor of the driver: posts, frame, chords, diagonals, side trusses.
#include "gen_test_util.h"
#include "model/maintenance.h"

namespace tarvik::generator::testing {
namespace {

struct SpaceFloor : ::testing::Test, GenFixture {
    void make_floor() {
        Generator g = gen();
        ASSERT_TRUE(make_space_floor(g));
    }
};

TEST_F(SpaceFloor, DefaultsGive768MembersOn241NodesByKind) {
    make_floor();
    EXPECT_EQ(m->N_Beam, 768);
    EXPECT_EQ(m->N_Node, 241);
    expect_kind_counts({{1, 4}, {2, 128}, {3, 256}, {4, 256}, {5, 124}});
    expect_consistent_tables(*m);
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(SpaceFloor, PostsStandOnTheLowestLevelAtTheFourCorners) {
    make_floor();
    EXPECT_TRUE(member_is(m->beam[0], 0, 0, 50, 0, 0, 95));
    EXPECT_TRUE(member_is(m->beam[1], 720, 0, 50, 720, 0, 95));
    EXPECT_TRUE(member_is(m->beam[2], 720, 720, 50, 720, 720, 95));
    EXPECT_TRUE(member_is(m->beam[3], 0, 720, 50, 0, 720, 95));
    // New nodes are numbered in the order the ends are looked up.
    EXPECT_EQ(m->beam[0].noi, 1);
    EXPECT_EQ(m->beam[0].noj, 2);
    EXPECT_EQ(m->beam[1].noi, 3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m->beam[i].haba, 12.0f);
        EXPECT_EQ(m->beam[i].atumi, 12.0f);
    }
}

TEST_F(SpaceFloor, SectionsFollowTheBasicData) {
    d.hashira_haba = 13.0f;
    d.waku_haba = 11.0f;
    d.gen_haba = 10.5f;
    d.shazai_haba = 8.5f;
    d.sujikai_haba = 7.5f;
    make_floor();
    const float expected[6] = {0.0f, 13.0f, 11.0f, 10.5f, 8.5f, 7.5f};
    for (int i = 0; i < m->N_Beam; ++i) {
        const model::Beam& b = m->beam[i];
        ASSERT_GE(b.kind, 1);
        ASSERT_LE(b.kind, 5);
        EXPECT_EQ(b.haba, expected[b.kind]) << i;
        EXPECT_EQ(b.atumi, expected[b.kind]) << i;
    }
}

TEST_F(SpaceFloor, FrameIsCutIntoHalfUnitPiecesTopThenBottom) {
    Generator g = gen();
    g.make_hashira();
    const int first = m->N_Beam;
    ASSERT_EQ(g.make_waku(), 0);
    EXPECT_EQ(m->N_Beam - first, 128);  // 4 (nx + ny) 2
    EXPECT_TRUE(member_is(m->beam[first], 0, 0, 95, 45, 0, 95));
    EXPECT_TRUE(member_is(m->beam[first + 15], 675, 0, 95, 720, 0, 95));
    EXPECT_TRUE(member_is(m->beam[first + 16], 0, 720, 95, 45, 720, 95));
    EXPECT_TRUE(member_is(m->beam[first + 32], 0, 0, 95, 0, 45, 95));
    EXPECT_TRUE(member_is(m->beam[first + 64], 0, 0, 50, 45, 0, 50));
}

TEST_F(SpaceFloor, RoutineCountsForSmallFloors) {
    d.nx = 3;
    d.ny = 2;
    Generator g = gen();
    g.make_hashira();
    g.make_waku();
    int before = m->N_Beam;
    ASSERT_EQ(g.make_genzai(), 0);
    EXPECT_EQ(m->N_Beam - before, 24);  // 9 + 8 + 4 + 3

    d.nx = 2;
    d.ny = 2;
    g.make_hashira();
    g.make_waku();
    g.make_genzai();
    before = m->N_Beam;
    ASSERT_EQ(g.make_shazai(), 0);
    EXPECT_EQ(m->N_Beam - before, 16);
    before = m->N_Beam;
    ASSERT_EQ(g.make_sujikai(), 0);
    EXPECT_EQ(m->N_Beam - before, 28);
}

TEST_F(SpaceFloor, ChordsAndDiagonalsEndOnFrameAndGridNodes) {
    make_floor();
    // First top chord along Y starts on the top frame node half a unit in.
    const int chord = find_member(*m, 45, 0, 95, 45, 45, 95);
    ASSERT_GE(chord, 0);
    EXPECT_EQ(m->beam[chord].kind, 3);
    EXPECT_EQ(m->beam[chord].noi, m->beam[4].noj);  // end of the first frame piece
    // Diagonals go from the unit's top node down to its corners, in order.
    const int diag = find_member(*m, 45, 45, 95, 0, 0, 50);
    ASSERT_GE(diag, 0);
    EXPECT_TRUE(member_is(m->beam[diag + 1], 45, 45, 95, 90, 0, 50));
    EXPECT_TRUE(member_is(m->beam[diag + 2], 45, 45, 95, 90, 90, 50));
    EXPECT_TRUE(member_is(m->beam[diag + 3], 45, 45, 95, 0, 90, 50));
}

TEST_F(SpaceFloor, SideTrussVerticalsMeetTheFrameAtBothEnds) {
    make_floor();
    std::set<int> frame_nodes;
    for (int i = 0; i < m->N_Beam; ++i) {
        if (m->beam[i].kind != 2) continue;
        frame_nodes.insert(m->beam[i].noi);
        frame_nodes.insert(m->beam[i].noj);
    }
    int verticals = 0;
    for (int i = 0; i < m->N_Beam; ++i) {
        const model::Beam& b = m->beam[i];
        if (b.kind != 5 || b.xs != b.xl || b.ys != b.yl) continue;
        ++verticals;
        EXPECT_TRUE(frame_nodes.count(b.noi)) << i;
        EXPECT_TRUE(frame_nodes.count(b.noj)) << i;
        EXPECT_EQ(b.zs, 95.0f);
        EXPECT_EQ(b.zl, 50.0f);
    }
    EXPECT_EQ(verticals, 4 * 15);
}

// Widths that are not whole numbers still put every shared place on one node:
// each place is computed with one formula wherever it occurs.
TEST_F(SpaceFloor, OddUnitSizesStillShareEveryNode) {
    d.tuka_haba = 77.7f;
    d.tuka_takasa = 33.3f;
    d.lowest_level = 12.34f;
    make_floor();
    EXPECT_EQ(m->N_Beam, 768);
    EXPECT_EQ(m->N_Node, 241);
    expect_consistent_tables(*m);
}

TEST_F(SpaceFloor, RepeatedGenerationGivesTheSameTables) {
    make_floor();
    model::ModelStore first = *m;
    make_floor();
    EXPECT_TRUE(same_tables(first, *m));
}

TEST_F(SpaceFloor, ZeroLengthMembersAreNeverMade) {
    // The smallest floor: every piece still has length.
    d.nx = 1;
    d.ny = 1;
    make_floor();
    expect_consistent_tables(*m);
}

}  // namespace
}  // namespace tarvik::generator::testing
