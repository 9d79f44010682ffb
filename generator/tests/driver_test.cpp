// The generation driver: its order and branches, the node sort, the member
// solids and the largest house.
#include <string>
#include <vector>

#include "gen_test_util.h"
#include "model/maintenance.h"

namespace tarvik::generator::testing {
namespace {

struct Driver : ::testing::Test, GenFixture {};

TEST_F(Driver, FloorAloneWithoutColumns) {
    d.SumiType = kSumiType1;  // ignored: the floor does not stand on columns
    d.N_Sou = 2;
    d.YaneMode = kYaneRoof;
    ASSERT_EQ(gen().generate(), 0);
    EXPECT_EQ(m->N_Beam, 768);
    EXPECT_EQ(m->N_Node, 241);
    EXPECT_EQ(heights(0, m->N_Beam), (std::set<float>{50, 95}));
}

TEST_F(Driver, ColumnsRoofAndEavesBranches) {
    columns(kSumiType1, 1);
    d.YaneMode = kYaneNothing;
    ASSERT_EQ(gen().generate(), 0);
    EXPECT_EQ(m->N_Beam, 864);
    EXPECT_EQ(m->N_Node, 281);

    d.YaneMode = kYaneRoof;
    ASSERT_EQ(gen().generate(), 0);
    EXPECT_EQ(m->N_Beam, 1012);

    GenFixture eaves;
    eaves.columns(kSumiType1, 1);
    eaves.d.YaneMode = kYaneEaves;
    ASSERT_EQ(eaves.gen().generate(), 0);
    EXPECT_EQ(eaves.m->N_Beam, 864 + 8 * 8 + 8 * 8 + 8);
    EXPECT_EQ(eaves.count_kind(3), 256 + 136);
}

TEST_F(Driver, StoreysMultiplyTheFirstStorey) {
    columns(kSumiType1, 2);
    d.YaneMode = kYaneNothing;
    ASSERT_EQ(gen().generate(), 0);
    EXPECT_EQ(m->N_Beam, 2 * 864);
    columns(kSumiType1, 3);
    ASSERT_EQ(gen().generate(), 0);
    EXPECT_EQ(m->N_Beam, 3 * 864);
    expect_consistent_tables(*m);
}

TEST_F(Driver, NoRoofOnThreeStoreys) {
    columns(kSumiType1, 3);
    d.YaneMode = kYaneRoof;
    ASSERT_EQ(gen().generate(), 0);
    EXPECT_EQ(m->N_Beam, 3 * 864);
    EXPECT_EQ(count_kind(7), 0);
    EXPECT_EQ(out.str(), "３層屋根付は含まれません\n");
}

TEST_F(Driver, RepeatedGenerationGivesTheSameTables) {
    columns(kSumiType2, 2);
    d.YaneMode = kYaneRoof;
    ASSERT_EQ(gen().generate(), 0);
    model::ModelStore first = *m;
    ASSERT_EQ(gen().generate(), 0);
    EXPECT_TRUE(same_tables(first, *m));
    expect_consistent_tables(*m);
}

TEST_F(Driver, FullNodeTableStopsTheGenerationWithOneMessage) {
    // A store that already holds nearly as many nodes as it can.
    for (int i = 0; i < model::kMaxNode - 100; ++i)
        ASSERT_GT(model::find_or_add_node(*m, -1.0f - static_cast<float>(i), 0, 0, msg), 0);
    EXPECT_EQ(gen().generate(), -1);
    EXPECT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(m->N_Node, model::kMaxNode);
    for (int i = 0; i < m->N_Beam; ++i) ASSERT_LE(m->beam[i].noj, model::kMaxNode);
}

TEST(LargestHouse, FitsTheCapacitiesAndTheUpkeep) {
    const BasicData d = largest_house_data();
    EXPECT_GE(d.nx, 8);
    auto m = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;
    std::ostringstream out;
    ASSERT_EQ(generate_largest_house(*m, msg, out), 0);
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_LE(m->N_Beam, model::kMaxBeam);
    EXPECT_LE(m->N_Node, model::kMaxNode);
    EXPECT_EQ(model::check_all_beam(*m), 1);
    EXPECT_EQ(model::check_size(*m, msg), 0);
    EXPECT_EQ(model::save_level_name(*m, msg), 0);
    EXPECT_TRUE(msg.shown.empty());

    // One unit more each way would not fit the member table.
    BasicData bigger = d;
    bigger.nx += 1;
    bigger.ny += 1;
    auto m2 = std::make_unique<model::ModelStore>();
    ScriptedMessages msg2;
    std::ostringstream out2;
    Generator g(*m2, bigger, msg2, out2);
    EXPECT_EQ(g.generate(), -1);
    EXPECT_EQ(msg2.shown.size(), 1u);
}

TEST(SortNode, KeepsAGeneratedTableAsItIs) {
    GenFixture f;
    ASSERT_EQ(f.gen().generate(), 0);
    model::ModelStore before = *f.m;
    EXPECT_EQ(sort_node(*f.m, f.msg), 241);
    EXPECT_TRUE(same_tables(before, *f.m));
}

struct SortNodeTable : ::testing::Test {
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;

    void add(int no, float x, float X) {
        model::Node& n = m->node[m->N_Node++];
        n = model::Node{};
        n.no = no, n.x = x, n.X = X, n.flag = 7;
    }
};

TEST_F(SortNodeTable, OrdersByNumberAndDropsUnnumbered) {
    add(3, 30, 1);
    add(-1, 99, 2);
    add(1, 10, 3);
    add(2, 20, 4);
    EXPECT_EQ(sort_node(*m, msg), 3);
    ASSERT_EQ(m->N_Node, 3);
    EXPECT_EQ(m->node[0].no, 1);
    EXPECT_EQ(m->node[0].x, 10.0f);
    EXPECT_EQ(m->node[2].x, 30.0f);
    // Plan coordinates stay with their slots.
    EXPECT_EQ(m->node[0].X, 1.0f);
    EXPECT_EQ(m->node[1].X, 2.0f);
    EXPECT_TRUE(msg.shown.empty());
    // The lookup follows the new order.
    EXPECT_EQ(model::find_or_add_node(*m, 10, 0, 0, msg), 1);
}

TEST_F(SortNodeTable, DuplicateNumbersFailAndLeaveTheTable) {
    add(2, 20, 0);
    add(1, 10, 0);
    add(2, 21, 0);
    EXPECT_EQ(sort_node(*m, msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"ソートができません"});
    EXPECT_EQ(m->N_Node, 3);
    EXPECT_EQ(m->node[0].x, 20.0f);
    EXPECT_EQ(m->node[1].x, 10.0f);
}

struct CountingSolids : BarSolids {
    int calls = 0;
    float last_haba = 0.0f;
    int make_kakuzai2(float, float, float, float, float, float, float haba, float) override {
        ++calls;
        last_haba = haba;
        return 8;
    }
};

TEST(MakeMen, OneSolidPerMember) {
    GenFixture f;
    CountingSolids solids;
    ASSERT_EQ(f.gen().generate(&solids), 0);
    EXPECT_EQ(solids.calls, 768);
    EXPECT_EQ(f.out.str(), "");
}

TEST(MakeMen, StopsAtAMemberWithoutSection) {
    GenFixture f;
    ASSERT_EQ(f.gen().generate(), 0);
    f.m->beam[3].atumi = 0.0f;
    CountingSolids solids;
    std::ostringstream out;
    EXPECT_EQ(make_men(*f.m, &solids, out), -1);
    EXPECT_EQ(solids.calls, 3);
    EXPECT_EQ(out.str(), "width or depth = 0.0 at     3\n");
}

TEST(MakeMen, NoMembers) {
    model::ModelStore m;
    std::ostringstream out;
    EXPECT_EQ(make_men(m, nullptr, out), 0);
    EXPECT_EQ(out.str(), "N_Beam == 0\n");
}

}  // namespace
}  // namespace tarvik::generator::testing

namespace tarvik::generator::testing {
namespace {

struct HouseShape {
    int sumi, storeys, yane, nx, ny;
};

class MemberCount : public ::testing::TestWithParam<HouseShape> {};

// The count that capacity checks rely on is the count the generation makes.
TEST_P(MemberCount, MatchesTheGeneration) {
    const HouseShape& h = GetParam();
    GenFixture f;
    f.d.nx = h.nx;
    f.d.ny = h.ny;
    if (h.sumi != kSumiNone) f.columns(h.sumi, h.storeys);
    f.d.YaneMode = h.yane;
    ASSERT_EQ(f.gen().generate(), 0);
    EXPECT_EQ(f.m->N_Beam, house_member_count(f.d));
}

INSTANTIATE_TEST_SUITE_P(Houses, MemberCount,
                         ::testing::Values(HouseShape{kSumiNone, 1, kYaneNothing, 8, 8},
                                           HouseShape{kSumiType1, 1, kYaneRoof, 8, 8},
                                           HouseShape{kSumiType2, 2, kYaneRoof, 7, 5},
                                           HouseShape{kSumiType1, 3, kYaneEaves, 3, 4},
                                           HouseShape{kSumiType2, 1, kYaneEaves, 1, 6},
                                           HouseShape{kSumiType1, 3, kYaneRoof, 4, 4},
                                           HouseShape{kSumiType1, 2, kYaneNothing, 12, 9}));

TEST(Capacity, HouseBeyondTheMemberTableIsRefusedBeforeAnythingChanges) {
    GenFixture f;
    ASSERT_EQ(f.gen().generate(), 0);
    const int beams = f.m->N_Beam;
    f.d.nx = 100000;
    f.d.ny = 100000;
    EXPECT_EQ(f.gen().generate(), -1);
    EXPECT_EQ(f.msg.shown,
              std::vector<std::string>{"部材の数が上限 10000 を超えるため追加できません"});
    EXPECT_EQ(f.m->N_Beam, beams);

    // The window's check says so while the values can still be changed.
    f.msg.shown.clear();
    f.d.nx = 40;
    f.d.ny = 40;
    EXPECT_EQ(check_choices(f.d, kSumiNone, 0, kYaneItemNothing, f.msg), 0);
    EXPECT_EQ(f.msg.shown.size(), 1u);
}

}  // namespace
}  // namespace tarvik::generator::testing
