// Unit fields of the axis data, one line each.
#include "generator/bunkai_shazai.h"

#include "gen_test_util.h"
#include "render/tests/view_setup.h"

namespace tarvik::generator::testing {
namespace {

using tarvik::testing::box_limits;
using tarvik::testing::BoxLimits;

// ntask nx ny a t posts frame chords diagonals braces x0 y0 z0
constexpr const char* kField = "1 2 2 90.0 45.0 12.0 11.0 10.0 9.0 8.0 0.0 0.0 100.0";
constexpr const char* kTouching = "2 2 2 90.0 45.0 12.0 11.0 10.0 9.0 8.0 180.0 0.0 100.0";

struct UnitFields : ::testing::Test {
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;
    Box3 box;

    int count_kind(int kind, float section) const {
        int n = 0;
        for (int i = 0; i < m->N_Beam; ++i) {
            const model::Beam& b = m->beam[i];
            if (b.kind != kind) continue;
            EXPECT_EQ(b.haba, section) << i;
            EXPECT_EQ(b.atumi, section) << i;
            ++n;
        }
        return n;
    }
};

TEST_F(UnitFields, FieldOfTwoByTwoUnitsGives84MembersOn37Nodes) {
    ASSERT_EQ(bunkai_shazai(*m, kField, box, msg), 0);
    EXPECT_EQ(m->N_Beam, 84);
    EXPECT_EQ(m->N_Node, 37);
    EXPECT_TRUE(member_is(m->beam[0], 0, 0, 100, 45, 45, 145));
    EXPECT_EQ(count_kind(4, 9.0f), 16);
    EXPECT_EQ(count_kind(2, 11.0f), 12 + 8);  // edge lines of both layers
    EXPECT_EQ(count_kind(3, 10.0f), 12 + 4);  // inner lines of both layers
    EXPECT_EQ(count_kind(6, 12.0f), 4);
    EXPECT_EQ(count_kind(5, 8.0f), 28);
    expect_consistent_tables(*m);
}

TEST_F(UnitFields, LayersAreCutAtTheChordPositions) {
    ASSERT_EQ(bunkai_shazai(*m, kField, box, msg), 0);
    // Top edge along X: 0, 45, 135, 180.
    EXPECT_TRUE(member_is(m->beam[16], 0, 0, 145, 45, 0, 145));
    EXPECT_TRUE(member_is(m->beam[17], 45, 0, 145, 135, 0, 145));
    EXPECT_TRUE(member_is(m->beam[18], 135, 0, 145, 180, 0, 145));
    EXPECT_EQ(m->beam[16].kind, 2);
    EXPECT_EQ(m->beam[19].kind, 3);  // y = 45 is a chord line
    // Bottom layer in whole units.
    EXPECT_TRUE(member_is(m->beam[40], 0, 0, 100, 90, 0, 100));
    // Posts and the first side truss member.
    EXPECT_TRUE(member_is(m->beam[52], 0, 0, 100, 0, 0, 145));
    EXPECT_TRUE(member_is(m->beam[56], 45, 0, 145, 45, 0, 100));
}

TEST_F(UnitFields, VerticalsMeetTheFrameAtOneEndOnly) {
    ASSERT_EQ(bunkai_shazai(*m, kField, box, msg), 0);
    std::vector<int> uses(m->N_Node + 1, 0);
    for (int i = 0; i < m->N_Beam; ++i) {
        ++uses[m->beam[i].noi];
        ++uses[m->beam[i].noj];
    }
    // (45, 0): top end on the frame, bottom end used by the truss alone.
    const int v = find_member(*m, 45, 0, 145, 45, 0, 100);
    ASSERT_GE(v, 0);
    EXPECT_GT(uses[m->beam[v].noi], 2);
    EXPECT_EQ(uses[m->beam[v].noj], 1);
}

TEST_F(UnitFields, DiagonalsWidenTheModelBox) {
    ASSERT_EQ(bunkai_shazai(*m, kField, box, msg), 0);
    EXPECT_EQ(box_limits(box), (BoxLimits{0, 180, 0, 180, 100, 145}));
}

TEST_F(UnitFields, TouchingFieldsShareTheirEdgeNodes) {
    ASSERT_EQ(bunkai_shazai(*m, kField, box, msg), 0);
    ASSERT_EQ(bunkai_shazai(*m, kTouching, box, msg), 0);
    EXPECT_EQ(m->N_Beam, 168);
    // The plane x = 180 holds 4 top, 3 bottom and 3 truss nodes of each field.
    EXPECT_EQ(m->N_Node, 37 + 37 - 10);
    expect_consistent_tables(*m);
    EXPECT_EQ(box.X_MAX, 360.0f);
}

TEST_F(UnitFields, ShortLineOrNegativeCountMakesNothing) {
    EXPECT_EQ(bunkai_shazai(*m, "1 2 2 90.0 45.0 12.0", box, msg), -1);
    EXPECT_EQ(bunkai_shazai(*m, "", box, msg), -1);
    EXPECT_EQ(bunkai_shazai(*m, "1 2 -1355533881 90 45 12 11 10 9 8 0 0 0", box, msg), -1);
    EXPECT_EQ(bunkai_shazai(*m, "1 -1 2 90 45 12 11 10 9 8 0 0 0", box, msg), -1);
    EXPECT_EQ(m->N_Beam, 0);
    EXPECT_EQ(m->N_Node, 0);
}

}  // namespace
}  // namespace tarvik::generator::testing

namespace tarvik::generator::testing {
namespace {

TEST_F(UnitFields, FieldBeyondTheMemberTableIsRefusedWhole) {
    UnitField f;
    ASSERT_TRUE(parse_unit_field(kField, f));
    EXPECT_EQ(field_member_count(f), 84);
    ASSERT_EQ(bunkai_shazai(*m, kField, box, msg), 0);
    EXPECT_EQ(bunkai_shazai(*m, "3 100000 100000 90 45 12 11 10 9 8 0 0 0", box, msg), -1);
    // The largest counts a line can give are counted without overflow.
    EXPECT_EQ(bunkai_shazai(*m, "3 2147483647 2147483647 90 45 12 11 10 9 8 0 0 0", box, msg),
              -1);
    EXPECT_EQ(msg.shown,
              std::vector<std::string>(2, "部材の数が上限 10000 を超えるため追加できません"));
    EXPECT_EQ(m->N_Beam, 84);
    EXPECT_EQ(m->N_Node, 37);
}

}  // namespace
}  // namespace tarvik::generator::testing
