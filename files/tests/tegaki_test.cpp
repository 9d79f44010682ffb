// The structure data file: layout, saved plan copy, round trip, and reading of
// short, malformed and oversized files.
#include "files/tegaki.h"

#include <gtest/gtest.h>

#include <memory>

#include "files/tests/model_file_test.h"

namespace tarvik::files {
namespace {

using namespace testing;  // the file tests' scratch folder, bytes and messages

const std::string kData = FILES_TESTDATA;

class TegakiTest : public testing::ModelFileTest {
  protected:

    // A post and a girder with plan points; node 2 left without a code.
    void make_model() {
        testing::add_member(m, msg, 0, 0, 0, 0, 0, 300, 12, 12, 1);
        testing::add_member(m, msg, 0, 0, 300, 90.25f, 0, 300, 12, 18, 3);
        model::set_code(m.node[0].id, "X00Y00Z00");
        model::set_code(m.node[2].id, "X01Y00Z01");
        model::set_code(m.beam[0].idi, "X00Y00Z00");
        model::set_code(m.beam[1].idj, "X01Y00Z01");
        const float plan[3][2] = {{10.5f, 20.0f}, {10.5f, -20.0f}, {50.0f, -20.0f}};
        for (int i = 0; i < 3; ++i) {
            m.node[i].X = plan[i][0];
            m.node[i].Y = plan[i][1];
            m.node[i].flag = 2;
        }
        m.beam[0].XS = 10.5f, m.beam[0].YS = 20.0f, m.beam[0].XL = 10.5f, m.beam[0].YL = -20.0f;
        m.beam[1].XS = 10.5f, m.beam[1].YS = -20.0f, m.beam[1].XL = 50.0f, m.beam[1].YL = -20.0f;
        m.beam[1].size = 4;
        m.beam[1].mat = 5;
    }
};

TEST_F(TegakiTest, LayoutOfNodeAndMemberLines) {
    make_model();
    EXPECT_EQ(format_tegaki(m),
              crlf_lines({
                  "     3",
                  " 1 \"X00Y00Z00\" 0.000000 0.000000 0.000000 10.500000 20.000000 2",
                  " 2 \"\" 0.000000 0.000000 300.000000 10.500000 -20.000000 2",
                  " 3 \"X01Y00Z01\" 90.250000 0.000000 300.000000 50.000000 -20.000000 2",
                  "     2",
                  " 1 \"X00Y00Z00\" \"\" 1 2 0.000000 0.000000 0.000000 0.000000 0.000000 "
                  "300.000000 -1 -1 12.000000 12.000000 10.500000 20.000000 10.500000 -20.000000 2",
                  " 2 \"\" \"X01Y00Z01\" 2 3 0.000000 0.000000 300.000000 90.250000 0.000000 "
                  "300.000000 4 5 12.000000 18.000000 10.500000 -20.000000 50.000000 -20.000000 2",
              }));
}

TEST_F(TegakiTest, SavedPlanCopyReplacesCurrentPlanPoints) {
    make_model();
    model::save_old_node(m);
    m.old_node[1] = {-7.0f, 8.0f};
    for (int i = 0; i < 3; ++i) m.node[i].X = 999.0f;  // the views moved them
    m.beam[1].XS = 999.0f;
    const std::string text = format_tegaki(m);
    EXPECT_NE(text.find(" 2 \"\" 0.000000 0.000000 300.000000 -7.000000 8.000000 2\r\n"),
              std::string::npos);
    // Member ends take the saved points of nodes noi and noj.
    EXPECT_NE(text.find(" 4 5 12.000000 18.000000 -7.000000 8.000000 50.000000 -20.000000 2\r\n"),
              std::string::npos);
}

TEST_F(TegakiTest, RoundTripKeepsEveryStoredField) {
    make_model();
    const std::string path = dir.file("model.man");
    ASSERT_EQ(save_tegaki_data(m, path, msg), 0);
    auto back_store = std::make_unique<model::ModelStore>();
    model::ModelStore& back = *back_store;
    bool complete = false;
    ASSERT_EQ(load_tegaki_data(back, path, msg, &complete), 0);
    EXPECT_TRUE(complete);
    ASSERT_EQ(back.N_Node, 3);
    ASSERT_EQ(back.N_Beam, 2);
    // Every stored field shows in the text, so equal texts mean equal fields
    // to six decimals (the values here are exact in binary).
    EXPECT_EQ(format_tegaki(back), read_bytes(path));
    EXPECT_STREQ(back.node[1].id, "");
    EXPECT_EQ(back.node[2].x, 90.25f);
    EXPECT_EQ(back.beam[1].mat, 5);
    EXPECT_EQ(back.beam[1].kind, 0);  // not kept in the file
    // The plan points read become the saved copy.
    EXPECT_EQ(back.OnSaveOld, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.old_node[i].X, m.node[i].X);
        EXPECT_EQ(back.old_node[i].Y, m.node[i].Y);
    }
}

TEST_F(TegakiTest, AnyWhiteSpaceSeparatesValues) {
    ASSERT_EQ(load_tegaki_data(m, kData + "/frame_lf.man", msg), 0);
    ASSERT_EQ(m.N_Node, 3);
    ASSERT_EQ(m.N_Beam, 2);
    EXPECT_STREQ(m.node[1].id, "");
    EXPECT_EQ(m.node[1].z, 300.0f);
    EXPECT_EQ(m.node[2].flag, 1);
    EXPECT_EQ(m.old_node[2].X, 50.0f);
    EXPECT_STREQ(m.beam[0].idj, "");
    EXPECT_STREQ(m.beam[1].idj, "X01Y00Z01");
    EXPECT_EQ(m.beam[1].atumi, 18.0f);
    EXPECT_EQ(m.beam[1].flag, 1);
}

TEST_F(TegakiTest, ShortFileIsReadAsFarAsItGoes) {
    m.N_Beam = 4;  // left alone: the file ends before its member count
    m.node[1].z = 77.0f;
    m.node[1].flag = 9;
    bool complete = true;
    ASSERT_EQ(load_tegaki_data(m, kData + "/short.man", msg, &complete), 0);
    EXPECT_FALSE(complete);
    EXPECT_EQ(m.N_Node, 3);  // the count replaces the table count at once
    EXPECT_EQ(m.node[0].z, 3.0f);
    EXPECT_STREQ(m.node[1].id, "X00Y00Z01");
    EXPECT_EQ(m.node[1].y, 2.0f);
    EXPECT_EQ(m.node[1].z, 77.0f);  // missing values keep what the fields held
    EXPECT_EQ(m.node[1].flag, 9);
    EXPECT_EQ(m.N_Beam, 4);
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(TegakiTest, MalformedNumberEndsTheReading) {
    bool complete = true;
    ASSERT_EQ(load_tegaki_data(m, kData + "/malformed.man", msg, &complete), 0);
    EXPECT_FALSE(complete);
    EXPECT_EQ(m.N_Node, 2);
    EXPECT_EQ(m.node[1].x, 1.0f);
    EXPECT_EQ(m.node[1].y, 0.0f);  // "x2.0" is not a number
    EXPECT_EQ(m.N_Beam, 0);        // the member count after it is not reached
}

TEST_F(TegakiTest, CodeWithABlankShiftsItsLine) {
    bool complete = true;
    ASSERT_EQ(
        read_tegaki_text(m, " 1\r\n 1 \"X0 Y\" 1.0 2.0 3.0 4.0 5.0 2\r\n 0\r\n", msg, &complete),
        0);
    EXPECT_STREQ(m.node[0].id, "X0");
    EXPECT_FALSE(complete);  // Y" stands where x belongs
}

TEST_F(TegakiTest, CodesAreCleanedOfQuotesAndCutToTheField) {
    const std::string long_code(40, 'A');
    ASSERT_EQ(read_tegaki_text(m,
                               " 3\n 1 \"\" 0 0 0 0 0 2\n 2 \"A\"B\" 0 0 0 0 0 2\n 3 \"" +
                                   long_code + "\" 0 0 0 0 0 2\n 0\n",
                               msg),
              0);
    EXPECT_STREQ(m.node[0].id, "");
    EXPECT_STREQ(m.node[1].id, "AB");
    EXPECT_EQ(std::string(m.node[2].id), std::string(31, 'A'));
}

TEST_F(TegakiTest, NonFiniteNumbersAreMalformed) {
    bool complete = true;
    ASSERT_EQ(read_tegaki_text(m, " 1\n 1 \"\" nan 0 0 0 0 2\n", msg, &complete), 0);
    EXPECT_FALSE(complete);
    EXPECT_EQ(m.node[0].x, 0.0f);
}

TEST_F(TegakiTest, CountsBeyondCapacityAreRefusedAndTheModelStays) {
    make_model();
    EXPECT_EQ(load_tegaki_data(m, kData + "/too_many_nodes.man", msg), -1);
    EXPECT_EQ(load_tegaki_data(m, kData + "/too_many_members.man", msg), -1);
    EXPECT_EQ(read_tegaki_text(m, " -1\n", msg), -1);
    ASSERT_EQ(msg.shown.size(), 3u);
    EXPECT_EQ(msg.shown[0], "手書データの節点の数 10001 が上限 10000 を超えています");
    EXPECT_EQ(msg.shown[1], "手書データの部材の数 10001 が上限 10000 を超えています");
    EXPECT_EQ(msg.shown[2], "手書データの節点の数 -1 が正しくありません");
    EXPECT_EQ(m.N_Node, 3);
    EXPECT_EQ(m.N_Beam, 2);
    EXPECT_STREQ(m.node[0].id, "X00Y00Z00");
    EXPECT_EQ(m.OnSaveOld, 0);
}

TEST_F(TegakiTest, TablesFilledToCapacityAreReadWhole) {
    // As many nodes and members as the tables hold, each member to the next node.
    auto full = std::make_unique<model::ModelStore>();
    for (int i = 0; i < model::kMaxNode; ++i) {
        model::Node& n = full->node[i];
        n.no = i + 1;
        model::set_code(n.id, "X00Y00Z00");
        n.x = static_cast<float>(i);
        n.flag = 2;
    }
    full->N_Node = model::kMaxNode;
    for (int k = 0; k < model::kMaxBeam; ++k) {
        model::Beam& b = full->beam[k];
        b.no = k + 1;
        b.noi = k % model::kMaxNode + 1;
        b.noj = (k + 1) % model::kMaxNode + 1;
        b.xs = static_cast<float>(k);
        b.haba = b.atumi = 12.0f;
        b.flag = 2;
    }
    full->N_Beam = model::kMaxBeam;
    bool complete = false;
    ASSERT_EQ(read_tegaki_text(m, format_tegaki(*full), msg, &complete), 0);
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_TRUE(complete);
    ASSERT_EQ(m.N_Node, model::kMaxNode);
    ASSERT_EQ(m.N_Beam, model::kMaxBeam);
    EXPECT_EQ(m.node[model::kMaxNode - 1].no, model::kMaxNode);
    EXPECT_EQ(m.node[model::kMaxNode - 1].x, static_cast<float>(model::kMaxNode - 1));
    EXPECT_EQ(m.beam[model::kMaxBeam - 1].no, model::kMaxBeam);
    EXPECT_EQ(m.beam[model::kMaxBeam - 1].noj, 1);
}

TEST_F(TegakiTest, UnopenableFilesAreReported) {
    make_model();
    EXPECT_EQ(load_tegaki_data(m, dir.file("missing.man"), msg), -1);
    EXPECT_EQ(load_tegaki_data(m, dir.path().string(), msg), -1);
    EXPECT_EQ(save_tegaki_data(m, dir.file("no/dir/x.man"), msg), -1);
    ASSERT_EQ(msg.shown.size(), 3u);
    for (const std::string& s : msg.shown) EXPECT_EQ(s, "Can't open TEGAKI_FILE");
    EXPECT_EQ(m.N_Node, 3);
}

TEST_F(TegakiTest, LookupAfterReadingSeesTheNewNodes) {
    make_model();
    model::find_or_add_node(m, 0, 0, 0, msg);  // the index now covers the old table
    ASSERT_EQ(read_tegaki_text(m, " 1\n 1 \"\" 5 5 5 0 0 2\n 0\n", msg), 0);
    EXPECT_EQ(model::find_or_add_node(m, 5, 5, 5, msg), 1);
    EXPECT_EQ(model::find_or_add_node(m, 0, 0, 0, msg), 2);
}

}  // namespace
}  // namespace tarvik::files
