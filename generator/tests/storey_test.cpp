// Upper storeys (copies of the first storey) and the eaves frame.
#include "gen_test_util.h"
#include "model/tests/model_builder.h"

namespace tarvik::generator::testing {
namespace {

struct Storeys : ::testing::Test, GenFixture {
    Storeys() {
        d.nx = 2;
        d.ny = 2;
        d.hashira_takasa = {240.0f, 200.0f, 160.0f};
    }

    // The first storey: space floor on type I columns.
    void first_storey(int storeys) {
        columns(kSumiType1, storeys);
        Generator g = gen();
        ASSERT_TRUE(make_space_floor(g));
        ASSERT_EQ(g.make_gaichu(), 0);
        ASSERT_EQ(m->N_Beam, 192);
    }
};

TEST_F(Storeys, SecondStoreyCopiesEveryMemberToTheStoreyLevels) {
    first_storey(2);
    Generator g = gen();
    ASSERT_EQ(g.make_2kai(), 0);
    EXPECT_EQ(m->N_Beam, 384);
    EXPECT_EQ(heights(0, 192), (std::set<float>{50, 110, 170, 230, 290, 335}));
    EXPECT_EQ(heights(192, 384), (std::set<float>{335, 385, 435, 485, 535, 580}));
    const std::map<float, float> image{{50, 335},  {110, 385}, {170, 435},
                                       {230, 485}, {290, 535}, {335, 580}};
    for (int i = 0; i < 192; ++i) {
        const model::Beam& s = m->beam[i];
        const model::Beam& c = m->beam[192 + i];
        EXPECT_TRUE(member_is(c, s.xs, s.ys, image.at(s.zs), s.xl, s.yl, image.at(s.zl))) << i;
        EXPECT_EQ(c.kind, s.kind);
        EXPECT_EQ(c.haba, s.haba);
        EXPECT_EQ(c.atumi, s.atumi);
    }
    // The second storey's columns stand on the first floor's top nodes.
    expect_consistent_tables(*m);
    const int col = find_member(*m, 0, 0, 335, 0, 0, 435);
    ASSERT_GE(col, 0);
    EXPECT_EQ(m->beam[col].noi, m->beam[0].noj);
}

TEST_F(Storeys, ThirdStoreyCopiesTheFirstStoreyTwice) {
    first_storey(3);
    Generator g = gen();
    ASSERT_EQ(g.make_3kai(), 0);
    EXPECT_EQ(m->N_Beam, 192 + 384);
    EXPECT_EQ(heights(384, 576), (std::set<float>{580, 620, 660, 700, 740, 785}));
    expect_consistent_tables(*m);
}

TEST_F(Storeys, EavesFrameHas8nx8ny8MembersOnTheTopFloor) {
    first_storey(1);
    Generator g = gen();
    ASSERT_EQ(g.make_terrace(), 0);
    EXPECT_EQ(m->N_Beam - 192, 40);
    EXPECT_EQ(heights(192, m->N_Beam), (std::set<float>{290, 335}));
    for (int i = 192; i < m->N_Beam; ++i) {
        EXPECT_EQ(m->beam[i].kind, 3);
        EXPECT_EQ(m->beam[i].haba, 10.0f);
    }
    // First outrigger and the first ring piece.
    EXPECT_TRUE(member_is(m->beam[192], 45, 0, 335, 45, -45, 335));
    const int ring = find_member(*m, -45, -45, 335, 45, -45, 335);
    EXPECT_GE(ring, 0);
    // The ring corner diagonal of the x = 0 side.
    EXPECT_GE(find_member(*m, 0, 0, 290, -45, 45, 335), 0);
    expect_consistent_tables(*m);
}

TEST_F(Storeys, EavesFrameOnTheSecondStoreyAndOtherSizes) {
    first_storey(2);
    Generator g = gen();
    ASSERT_EQ(g.make_2kai(), 0);
    const int before = m->N_Beam;
    ASSERT_EQ(g.make_terrace(), 0);
    EXPECT_EQ(m->N_Beam - before, 40);
    EXPECT_EQ(heights(before, m->N_Beam), (std::set<float>{535, 580}));
    expect_consistent_tables(*m);

    GenFixture other;
    other.d.nx = 3;
    other.d.ny = 5;
    other.columns(kSumiType2, 1);
    Generator h = other.gen();
    h.make_hashira();
    h.make_waku();
    ASSERT_EQ(h.make_terrace(), 0);
    EXPECT_EQ(other.m->N_Beam - (4 + 64), 8 * 3 + 8 * 5 + 8);
}

struct LevelSearch : Storeys {
    // A member of no generated storey level after the first storey.
    void add_foreign(float z) {
        tarvik::testing::add_member(*m, msg, 0, 0, 50, 0, 0, z, 12, 12, 6);
    }
};

TEST_F(LevelSearch, HeightWithinTheToleranceMapsToTheLevel) {
    first_storey(2);
    add_foreign(170.05f);
    Generator g = gen();
    ASSERT_EQ(g.make_2kai(), 0);
    EXPECT_TRUE(member_is(m->beam[m->N_Beam - 1], 0, 0, 335, 0, 0, 435));
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(LevelSearch, HeightOffEveryLevelStopsTheCopy) {
    first_storey(2);
    add_foreign(170.15f);
    Generator g = gen();
    EXPECT_EQ(g.make_2kai(), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "レベル検索に失敗した");
    // The copies made before the failing member stay.
    EXPECT_EQ(m->N_Beam, 193 + 192);
}

TEST_F(LevelSearch, StartHeightIsSearchedToo) {
    first_storey(3);
    tarvik::testing::add_member(*m, msg, 0, 0, 1000, 0, 0, 50, 12, 12, 6);
    Generator g = gen();
    EXPECT_EQ(g.make_3kai(), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"レベル検索に失敗した"});
    EXPECT_EQ(m->N_Beam, 193 + 192);  // the third storey is not started
}

}  // namespace
}  // namespace tarvik::generator::testing
