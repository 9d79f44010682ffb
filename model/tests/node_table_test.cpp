// Node and member tables: lookup-or-add, capacities, member deletion and the
// saved plan coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::model {
namespace {

using testing::add_member;
using testing::ScriptedMessages;

class NodeTableTest : public ::testing::Test {
  protected:
    std::unique_ptr<ModelStore> store = std::make_unique<ModelStore>();
    ModelStore& m = *store;
    ScriptedMessages msg;
};

TEST_F(NodeTableTest, EqualCoordinatesShareOneNodeAndNewNodesStartBlank) {
    m.node[0].X = 5.0f;  // stale plan value of the slot stays
    EXPECT_EQ(find_or_add_node(m, 0.0f, 0.0f, 0.0f, msg), 1);
    EXPECT_EQ(find_or_add_node(m, 90.0f, 0.0f, 0.0f, msg), 2);
    EXPECT_EQ(find_or_add_node(m, 0.0f, 0.0f, 0.0f, msg), 1);
    ASSERT_EQ(m.N_Node, 2);
    EXPECT_EQ(m.node[1].no, 2);
    EXPECT_STREQ(m.node[1].id, "");
    EXPECT_EQ(m.node[1].flag, 0);
    EXPECT_EQ(m.node[0].X, 5.0f);
}

TEST_F(NodeTableTest, OneUnitInTheLastPlaceMakesASecondNode) {
    const float x = 90.0f;
    const float next = std::nextafter(x, 100.0f);
    EXPECT_EQ(find_or_add_node(m, x, 0.0f, 0.0f, msg), 1);
    EXPECT_EQ(find_or_add_node(m, next, 0.0f, 0.0f, msg), 2);
    EXPECT_EQ(find_or_add_node(m, 0.0f, 0.0f, std::nextafter(0.0f, 1.0f), msg), 3);
}

TEST_F(NodeTableTest, NegativeZeroFindsTheZeroNode) {
    EXPECT_EQ(find_or_add_node(m, -0.0f, 0.0f, 10.0f, msg), 1);
    EXPECT_EQ(find_or_add_node(m, 0.0f, -0.0f, 10.0f, msg), 1);
    EXPECT_EQ(m.N_Node, 1);
}

TEST_F(NodeTableTest, NaNNeverMatches) {
    const float nan = std::nanf("");
    EXPECT_EQ(find_or_add_node(m, nan, 0.0f, 0.0f, msg), 1);
    EXPECT_EQ(find_or_add_node(m, nan, 0.0f, 0.0f, msg), 2);
}

TEST_F(NodeTableTest, FirstNodeInTableOrderWinsAfterDirectEdits) {
    // Two nodes at one point can exist when a caller wrote the table directly;
    // the lookup must still give the first, like a scan.
    find_or_add_node(m, 1.0f, 2.0f, 3.0f, msg);
    find_or_add_node(m, 4.0f, 5.0f, 6.0f, msg);
    m.node[1].x = 1.0f;
    m.node[1].y = 2.0f;
    m.node[1].z = 3.0f;
    m.node_table_changed();
    EXPECT_EQ(find_or_add_node(m, 1.0f, 2.0f, 3.0f, msg), 1);
    // Moving the first away leaves the second as the first match.
    m.node[0].x = 7.0f;
    m.node_table_changed();
    EXPECT_EQ(find_or_add_node(m, 1.0f, 2.0f, 3.0f, msg), 2);
    EXPECT_EQ(find_or_add_node(m, 4.0f, 5.0f, 6.0f, msg), 3);
}

TEST_F(NodeTableTest, AppendsByOtherCodeAndShrinkingAreSeen) {
    find_or_add_node(m, 1.0f, 1.0f, 1.0f, msg);
    m.node[1] = m.node[0];  // appended directly by some reader
    m.node[1].x = 2.0f;
    m.node[1].no = 2;
    m.N_Node = 2;
    EXPECT_EQ(find_or_add_node(m, 2.0f, 1.0f, 1.0f, msg), 2);
    m.N_Node = 0;  // emptied
    EXPECT_EQ(find_or_add_node(m, 2.0f, 1.0f, 1.0f, msg), 1);
}

TEST_F(NodeTableTest, IndexAgreesWithPlainScanOnRandomGrids) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, 6);
    const float values[] = {0.0f, -0.0f, 45.0f, 90.0f, 90.00001f, 180.0f, -90.0f};
    for (int i = 0; i < 3000; ++i) {
        const float x = values[pick(rng)], y = values[pick(rng)], z = values[pick(rng)];
        const int before = m.N_Node;
        const int scanned = find_node_by_scan(m, x, y, z);
        const int found = find_or_add_node(m, x, y, z, msg);
        if (scanned > 0) {
            ASSERT_EQ(found, scanned);
            ASSERT_EQ(m.N_Node, before);
        } else {
            ASSERT_EQ(found, before + 1);
        }
        if (i % 500 == 499 && m.N_Node > 3) {  // an editor moves a node
            m.node[2].x = values[pick(rng)];
            m.node_table_changed();
        }
    }
}

TEST_F(NodeTableTest, FullNodeTableRefusesWithMessage) {
    for (int i = 0; i < kMaxNode; ++i)
        ASSERT_EQ(find_or_add_node(m, static_cast<float>(i), 0.0f, 0.0f, msg), i + 1);
    EXPECT_EQ(find_or_add_node(m, 1.0f, 0.0f, 0.0f, msg), 2);  // existing still found
    EXPECT_EQ(find_or_add_node(m, -1.0f, 0.0f, 0.0f, msg), -1);
    EXPECT_EQ(m.N_Node, kMaxNode);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "節点の数が上限 10000 を超えるため追加できません");
}

TEST_F(NodeTableTest, FullTablesOfMembersSupportsAndLoadsRefuse) {
    m.N_Beam = kMaxBeam;
    EXPECT_EQ(add_beam(m, Beam{}, msg), -1);
    EXPECT_EQ(m.N_Beam, kMaxBeam);
    m.N_Fix = kMaxFix;
    EXPECT_EQ(add_fix(m, Fix{}, msg), -1);
    m.N_Load = kMaxLoad;
    EXPECT_EQ(add_load(m, Load{}, msg), -1);
    EXPECT_EQ(m.N_Load, kMaxLoad);
    ASSERT_EQ(msg.shown.size(), 3u);
    EXPECT_EQ(msg.shown[0], "部材の数が上限 10000 を超えるため追加できません");
    EXPECT_EQ(msg.shown[1], "拘束節点の数が上限 1000 を超えるため追加できません");
    EXPECT_EQ(msg.shown[2], "荷重節点の数が上限 1000 を超えるため追加できません");
}

TEST_F(NodeTableTest, AddBeamNumbersTheMember) {
    Beam b{};
    b.no = 77;
    EXPECT_EQ(add_beam(m, b, msg), 1);
    EXPECT_EQ(add_beam(m, b, msg), 2);
    EXPECT_EQ(m.beam[1].no, 2);
}

// Three members in a row in plan: A-B, B-C, C-D, each end's plan point equal
// to its model x (y = 0).
class DelBeamTest : public NodeTableTest {
  protected:
    void SetUp() override {
        for (int k = 0; k < 3; ++k) {
            const float xs = 100.0f * k, xl = 100.0f * (k + 1);
            add_member(m, msg, xs, 0, 0, xl, 0, 0, 10.0f + k, 20.0f + k, k + 1);
            Beam& b = m.beam[k];
            b.XS = xs;
            b.XL = xl;
            b.size = b.mat = k + 5;
            set_code(b.idi, ("N" + std::to_string(k)).c_str());
            set_code(b.idj, ("N" + std::to_string(k + 1)).c_str());
        }
    }
};

TEST_F(DelBeamTest, LastMemberTakesItsOwnNodeAway) {
    ASSERT_EQ(del_beam(m, 2), 0);
    EXPECT_EQ(m.N_Beam, 2);
    EXPECT_EQ(m.N_Node, 3);
    EXPECT_EQ(m.beam[1].noj, 3);
    EXPECT_EQ(m.node[2].x, 200.0f);
}

TEST_F(DelBeamTest, MiddleMemberRenumbersMembersAndNodes) {
    ASSERT_EQ(del_beam(m, 1), 0);
    ASSERT_EQ(m.N_Beam, 2);
    // Nodes are numbered in the order the members reach them.
    EXPECT_EQ(m.N_Node, 4);
    const Beam& b = m.beam[1];
    EXPECT_EQ(b.no, 2);
    EXPECT_EQ(b.noi, 3);
    EXPECT_EQ(b.noj, 4);
    EXPECT_EQ(m.node[2].x, 200.0f);
    EXPECT_STREQ(m.node[2].id, "N2");
    EXPECT_EQ(m.node[2].X, 200.0f);
    // Section, kind, size and material stay with their member.
    EXPECT_EQ(b.kind, 3);
    EXPECT_EQ(b.haba, 12.0f);
    EXPECT_EQ(b.atumi, 22.0f);
    EXPECT_EQ(b.size, 7);
    EXPECT_EQ(b.mat, 7);
    EXPECT_EQ(b.flag, 2);
    EXPECT_EQ(m.node[0].flag, 2);
}

TEST_F(DelBeamTest, SharedEndsFollowThePlanSearchAndTheMemberFlag) {
    m.beam[0].flag = 1;     // unfinished member
    m.beam[1].XS = 104.0f;  // within the radius of B
    ASSERT_EQ(del_beam(m, 2), 0);
    EXPECT_EQ(m.beam[1].noi, 2);
    EXPECT_STREQ(m.beam[1].idi, "N1");
    EXPECT_EQ(m.node[0].flag, 0);  // made by the unfinished member
    EXPECT_EQ(m.node[1].flag, 2);  // touched by the complete one last
}

TEST_F(DelBeamTest, OutOfRangeChangesNothing) {
    EXPECT_EQ(del_beam(m, 3), -1);
    EXPECT_EQ(del_beam(m, -1), -1);
    EXPECT_EQ(m.N_Beam, 3);
    EXPECT_EQ(m.N_Node, 4);
}

TEST_F(DelBeamTest, LookupAfterDeletionUsesTheRebuiltTable) {
    ASSERT_EQ(del_beam(m, 0), 0);
    EXPECT_EQ(find_or_add_node(m, 100.0f, 0.0f, 0.0f, msg), 1);
    EXPECT_EQ(find_or_add_node(m, 0.0f, 0.0f, 0.0f, msg), 4);
}

TEST_F(DelBeamTest, MovedNodeIsCopiedIntoItsMembers) {
    Node& n = m.node[1];
    n.x = 111.0f;
    n.z = 5.0f;
    set_code(n.id, "X01Y00Z01");
    update_node_in_beams(m, 1);
    EXPECT_EQ(m.beam[0].xl, 111.0f);
    EXPECT_EQ(m.beam[0].zl, 5.0f);
    EXPECT_STREQ(m.beam[0].idj, "X01Y00Z01");
    EXPECT_EQ(m.beam[1].xs, 111.0f);
    EXPECT_STREQ(m.beam[1].idi, "X01Y00Z01");
    EXPECT_EQ(m.beam[2].xs, 200.0f);
}

TEST_F(DelBeamTest, SetAllSectionsCompletesEveryMember) {
    m.beam[1].flag = 0;
    set_all_sections(m, 9.0f, 15.0f);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(m.beam[k].haba, 9.0f);
        EXPECT_EQ(m.beam[k].atumi, 15.0f);
        EXPECT_EQ(m.beam[k].flag, 2);
    }
}

TEST_F(DelBeamTest, LoadBeforeAnySaveChangesNothing) {
    m.node[0].X = 1.0f;
    load_old_node(m);
    EXPECT_EQ(m.node[0].X, 1.0f);
    EXPECT_EQ(m.OnSaveOld, 0);
}

TEST_F(DelBeamTest, SavedPlanPointsComeBackIntoNodesAndMembers) {
    for (int i = 0; i < m.N_Node; ++i) {
        m.node[i].X = 10.0f * i;
        m.node[i].Y = -1.0f;
    }
    save_old_node(m);
    EXPECT_EQ(m.OnSaveOld, 1);
    for (int i = 0; i < m.N_Node; ++i) m.node[i].X = m.node[i].Y = 500.0f;
    load_old_node(m);
    EXPECT_EQ(m.node[3].X, 30.0f);
    EXPECT_EQ(m.node[3].Y, -1.0f);
    EXPECT_EQ(m.beam[2].XS, 20.0f);
    EXPECT_EQ(m.beam[2].XL, 30.0f);
    EXPECT_EQ(m.beam[2].YL, -1.0f);
}

TEST_F(NodeTableTest, SaveWithoutNodesKeepsNoCopy) {
    save_old_node(m);
    EXPECT_EQ(m.OnSaveOld, 0);
}

}  // namespace
}  // namespace tarvik::model
