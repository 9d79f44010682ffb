// The result reader on hand-written result files: sorts, name lookup, the
// displaced geometry, and what it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "analysis/result_tables.h"
#include "analysis/solver_run.h"
#include "analysis/tests/result_set.h"
#include "files/tests/test_dir.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::analysis {
namespace {

using tarvik::testing::crlf_lines;
using tarvik::testing::ScriptedMessages;

// Three nodes in the listing out of number order, two members: a post and a
// beam. Layout of the node lines (5X,I5,2X,I5,1X,F10.1,2X,F10.1,2X,F10.3,2X,A9),
// member lines (2X,I5,2X,I5,2X,I5,2X,A9,2X,I5,2X,I5,2X,A9,2X,E12.5), then
// (1X,8E12.4) of eleven forces on two lines.
const std::string kPortalLst = crlf_lines({
    "      3",
    "         3      3      600.0         0.0     300.000  X01Y00Z01",
    "         1      1        0.0         0.0       0.000  X00Y00Z00",
    "         2      2        0.0         0.0     300.000  X00Y00Z01",
    "      2",
    "      1      1      1  X00Y00Z00      2      2  X00Y00Z01   0.50000E+02",
    "   0.5000E+02  0.5000E+02  0.1000E+01  0.2000E+01  0.3000E+01  0.4000E+01  0.5000E+01  "
    "0.6000E+01",
    "   0.7000E+01  0.8000E+01  0.9000E+01",
    "      2      2      2  X00Y00Z01      3      3  X01Y00Z01  -0.20000E+03",
    "  -0.2000E+03 -0.2000E+03  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  "
    "0.0000E+00",
    "   0.0000E+00 -0.1500E+01  0.0000E+00",
});

// (' ',1X,I5,1X,I5,1X,A12,1X,6E13.5)
const std::string kPortalDsp = crlf_lines({
    "     3",
    "      1     1 X00Y00Z00      0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  "
    "0.00000E+00",
    "      2     3 X01Y00Z01      0.30000E+01  0.00000E+00 -0.40000E+01  0.00000E+00  0.00000E+00  "
    "0.10000E-02",
    "      3     2 X00Y00Z01      0.10000E+01  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  "
    "0.00000E+00",
});

struct Reader : ::testing::Test {
    std::unique_ptr<ResultTables> t = std::make_unique<ResultTables>();
    ScriptedMessages msg;
};

// The input numbers (field no) of the first n records, in their order.
template <class Record>
std::vector<int> numbers(const std::vector<Record>& records, int n, int Record::*no) {
    std::vector<int> v;
    for (int i = 0; i < n; ++i) v.push_back(records[i].*no);
    return v;
}

TEST_F(Reader, NodesSortedByNumberMembersByShareLargestFirst) {
    ASSERT_EQ(read_velto(kPortalLst, *t, msg), 2);
    ASSERT_EQ(numbers(t->setuten, t->N_Setuten, &ResultNode::OldNo), (std::vector<int>{1, 2, 3}));
    EXPECT_STREQ(t->setuten[2].pname, "X01Y00Z01");
    EXPECT_FLOAT_EQ(t->setuten[2].x, 600.0f);

    // The beam carries the larger force and comes first.
    const StressRecord& a = t->stress[0];
    EXPECT_EQ(a.no, 2);
    EXPECT_FLOAT_EQ(a.percent, 100.0f);
    EXPECT_FLOAT_EQ(a.xi, 0.0f);
    EXPECT_FLOAT_EQ(a.zi, 300.0f);
    EXPECT_FLOAT_EQ(a.xj, 600.0f);
    EXPECT_FLOAT_EQ(a.ym2, -1.5f);

    const StressRecord& b = t->stress[1];
    EXPECT_EQ(b.no, 1);
    EXPECT_FLOAT_EQ(b.percent, 25.0f);
    EXPECT_FLOAT_EQ(b.p1, 50.0f);
    EXPECT_FLOAT_EQ(b.xv2, 2.0f);
    EXPECT_FLOAT_EQ(b.yv2, 4.0f);
    EXPECT_FLOAT_EQ(b.xm1, 5.0f);
    EXPECT_FLOAT_EQ(b.ym1, -7.0f);  // stored with its sign reversed
    EXPECT_FLOAT_EQ(b.ym2, 8.0f);
    EXPECT_FLOAT_EQ(b.zm, 9.0f);
    EXPECT_TRUE(msg.shown.empty());
}

std::string member_line(int no, int i, const char* iname, int j, const char* jname, const char* p) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "  %5d  %5d  %5d  %-9s  %5d  %5d  %-9s  %s\r\n", no, i, i, iname,
                  j, j, jname, p);
    return buf;
}

const std::string kZeroForces =
    "   0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  "
    "0.0000E+00\r\n"
    "   0.0000E+00  0.0000E+00  0.0000E+00\r\n";

std::string two_nodes() {
    return crlf_lines({"      2", "         1      1        0.0         0.0       0.000  X00Y00Z00",
                       "         2      2      100.0         0.0       0.000  X01Y00Z00"});
}

TEST_F(Reader, EqualSharesKeepTheFileOrder) {
    std::string lst = two_nodes() + "      3\r\n";
    for (int no : {7, 3, 5})
        lst += member_line(no, 1, "X00Y00Z00", 2, "X01Y00Z00", "-0.10000E+02") + kZeroForces;
    ASSERT_EQ(read_velto(lst, *t, msg), 3);
    EXPECT_EQ(t->stress[0].no, 7);
    EXPECT_EQ(t->stress[1].no, 3);
    EXPECT_EQ(t->stress[2].no, 5);
}

TEST_F(Reader, EveryForceZeroGivesEveryShareZero) {
    std::string lst = two_nodes() + "      2\r\n";
    for (int no : {1, 2})
        lst += member_line(no, 1, "X00Y00Z00", 2, "X01Y00Z00", "0.00000E+00") + kZeroForces;
    ASSERT_EQ(read_velto(lst, *t, msg), 2);
    EXPECT_EQ(t->stress[0].percent, 0.0f);
    EXPECT_EQ(t->stress[1].percent, 0.0f);
}

TEST_F(Reader, NamesAgreeOnNineCharacters) {
    // The listing cuts names to nine; a longer name in the member lines still
    // finds its node.
    std::string lst = two_nodes() + "      1\r\n" +
                      member_line(1, 1, "X00Y00Z00abc", 2, "X01Y00Z00", "0.10000E+01") +
                      kZeroForces;
    ASSERT_EQ(read_velto(lst, *t, msg), 1);
    EXPECT_TRUE(same_code("X00Y00Z00abc", "X00Y00Z00"));
    EXPECT_FALSE(same_code("X00Y00Z0", "X00Y00Z01"));
    float x, y, z;
    EXPECT_EQ(find_result_node(*t, "X01Y00Z00zzz", x, y, z), 2);
    EXPECT_FLOAT_EQ(x, 100.0f);
    EXPECT_EQ(find_result_node(*t, "X09Y00Z00", x, y, z), -1);
}

TEST_F(Reader, MemberEndMissingOrOfAnotherNumberIsRefused) {
    const struct {
        const char* what;
        std::string member;
        const char* message;
    } cases[] = {
        {"end I names no node", member_line(1, 1, "X00Y00Z07", 2, "X01Y00Z00", "0.10000E+01"),
         kMsgNodeI},
        {"end J names node 1 but claims number 2",
         member_line(1, 1, "X00Y00Z00", 2, "X00Y00Z00", "0.1E+01"), kMsgNodeJ},
        {"end I names node 2 but claims number 1",
         member_line(1, 1, "X01Y00Z00", 2, "X01Y00Z00", "0.1E+01"), kMsgNodeI},
    };
    for (const auto& c : cases) {
        msg.shown.clear();
        EXPECT_EQ(read_velto(two_nodes() + "      1\r\n" + c.member + kZeroForces, *t, msg), -1)
            << c.what;
        EXPECT_EQ(msg.shown, std::vector<std::string>{c.message}) << c.what;
    }
}

TEST_F(Reader, CountsBeyondTheTablesAreRefusedWithTheirLimit) {
    EXPECT_EQ(read_velto("3001\r\n", *t, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_NE(msg.shown[0].find("3000"), std::string::npos);
    EXPECT_NE(msg.shown[0].find(kSetutenTable), std::string::npos);
    EXPECT_EQ(t->N_Setuten, 0);

    msg.shown.clear();
    EXPECT_EQ(read_velto(two_nodes() + "  3001\r\n", *t, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_NE(msg.shown[0].find(kStressTable), std::string::npos);

    msg.shown.clear();
    EXPECT_EQ(read_dsp("  3001\r\n", *t, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_NE(msg.shown[0].find(kDispTable), std::string::npos);

    msg.shown.clear();
    auto m = std::make_unique<model::ModelStore>();
    EXPECT_EQ(read_zlv("  101\r\n", *m, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_NE(msg.shown[0].find("100"), std::string::npos);
}

TEST_F(Reader, ShortOrUnreadableFilesFail) {
    EXPECT_EQ(read_velto(kPortalLst.substr(0, kPortalLst.size() / 2), *t, msg), -1);
    // A coordinate too wide for its field is written as asterisks.
    EXPECT_EQ(read_velto("  1\r\n     1      1 ********** 0.0 0.0 X00Y00Z00\r\n", *t, msg), -1);
    EXPECT_EQ(read_dsp("     2\r\n      1     1 X00Y00Z00  0.0 0.0 0.0 0.0 0.0 0.0\r\n", *t, msg),
              -1);
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(Reader, DisplacementBeyondTheFloatRangeIsRefusedNotInfinite) {
    // Each component is a float; the magnitude of the first is not.
    const std::string dsp = crlf_lines({"     2",
                                        "      1     1 X00Y00Z00  0.0 0.0 0.0 0.0 0.0 0.0",
                                        "      2     2 X00Y00Z01  3.0E+38 3.0E+38 0.0 0.0 0.0 0.0"});
    EXPECT_EQ(read_dsp(dsp, *t, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "節点 X00Y00Z01 の変位が大きすぎて扱えません");
    // Large but representable: read, magnitude exact to float precision.
    msg.shown.clear();
    ASSERT_EQ(read_dsp(crlf_lines({"     1", "      1     1 X00Y00Z00  3.0E+20 4.0E+20 0.0 0.0 0.0 0.0"}),
                       *t, msg),
              0);
    EXPECT_FLOAT_EQ(t->disp[0].disp_abs, 5.0e20f);
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(Reader, ThreeDigitExponentWithoutItsLetterIsRead) {
    std::string lst = two_nodes() + "      1\r\n" +
                      member_line(1, 1, "X00Y00Z00", 2, "X01Y00Z00", "0.12345-100") + kZeroForces;
    ASSERT_EQ(read_velto(lst, *t, msg), 1);
    EXPECT_NEAR(t->stress[0].force, 0.0f, 1e-30f);
}

TEST_F(Reader, LevelsReplaceTheStoreListsOnlyWhenComplete) {
    auto m = std::make_unique<model::ModelStore>();
    m->N_X = 1;
    m->Xval[0] = 42.0f;
    EXPECT_EQ(read_zlv("     2\r\n  0.00000E+00\r\n", *m, msg), -1);
    EXPECT_EQ(m->N_X, 1);
    EXPECT_EQ(m->Xval[0], 42.0f);
    ASSERT_EQ(read_zlv(crlf_lines({"     2", "  0.00000E+00", "  0.60000E+03", "     1",
                                   "  0.00000E+00", "     0"}),
                       *m, msg),
              0);
    EXPECT_EQ(m->N_X, 2);
    EXPECT_EQ(m->Xval[1], 600.0f);
    EXPECT_EQ(m->N_Y, 1);
    EXPECT_EQ(m->N_Z, 0);
}

TEST_F(Reader, DisplacementsSortedByMagnitudeLargestFirst) {
    ASSERT_EQ(read_dsp(kPortalDsp, *t, msg), 0);
    ASSERT_EQ(numbers(t->disp, t->N_Disp, &DispRecord::old_no), (std::vector<int>{3, 2, 1}));
    EXPECT_FLOAT_EQ(t->disp[0].disp_abs, 5.0f);
    EXPECT_FLOAT_EQ(t->disp[0].rad_z, 0.001f);
    EXPECT_STREQ(t->disp[2].name, "X00Y00Z00");
}

TEST_F(Reader, DisplacedGeometryAtOneAndTenTimes) {
    ASSERT_EQ(read_velto(kPortalLst, *t, msg), 2);
    ASSERT_EQ(read_dsp(kPortalDsp, *t, msg), 0);
    ASSERT_EQ(get_new_beam(*t, 1.0f, msg), 0);
    // The beam (first in the table) from node 2 to node 3.
    const DisplacedBeam& b = t->new_beam[0];
    EXPECT_FLOAT_EQ(b.xs, 1.0f);
    EXPECT_FLOAT_EQ(b.zs, 300.0f);
    EXPECT_FLOAT_EQ(b.xl, 603.0f);
    EXPECT_FLOAT_EQ(b.zl, 296.0f);
    ASSERT_EQ(get_new_beam(*t, 10.0f, msg), 0);
    EXPECT_FLOAT_EQ(t->new_beam[0].xs, 10.0f);
    EXPECT_FLOAT_EQ(t->new_beam[0].xl, 630.0f);
    EXPECT_FLOAT_EQ(t->new_beam[0].zl, 260.0f);
    EXPECT_FLOAT_EQ(t->new_beam[1].xs, 0.0f);  // the post's foot stays
    EXPECT_EQ(t->N_NewBeam, 2);
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(Reader, DisplacedCodeThatDiffersIsReportedAndTheWorkGoesOn) {
    ASSERT_EQ(read_velto(kPortalLst, *t, msg), 2);
    std::string dsp = kPortalDsp;
    dsp.replace(dsp.find("X01Y00Z01"), 9, "X09Y09Z09");
    ASSERT_EQ(read_dsp(dsp, *t, msg), 0);
    EXPECT_EQ(get_new_beam(*t, 1.0f, msg), 0);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "エラー  No     3 変位節点名  X09Y09Z09 原節点名 X01Y00Z01");
}

TEST_F(Reader, MemberWithoutItsDisplacedNodeFailsAndOneNodeMemberPasses) {
    ASSERT_EQ(read_velto(kPortalLst, *t, msg), 2);
    // Node 3 is missing from the displacements.
    ASSERT_EQ(read_dsp(crlf_lines({"     2", "      1     1 X00Y00Z00  0.0 0.0 0.0 0.0 0.0 0.0",
                                   "      2     2 X00Y00Z01  0.0 0.0 0.0 0.0 0.0 0.0"}),
                       *t, msg),
              0);
    EXPECT_EQ(get_new_beam(*t, 1.0f, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], kMsgMemberSearch);

    msg.shown.clear();
    std::string lst = two_nodes() + "      1\r\n" +
                      member_line(1, 1, "X00Y00Z00", 1, "X00Y00Z00", "0.10000E+01") + kZeroForces;
    ASSERT_EQ(read_velto(lst, *t, msg), 1);
    ASSERT_EQ(read_dsp(crlf_lines({"     1", "      1     1 X00Y00Z00  1.0 0.0 0.0 0.0 0.0 0.0"}),
                       *t, msg),
              0);
    EXPECT_EQ(get_new_beam(*t, 1.0f, msg), 0);
    EXPECT_FLOAT_EQ(t->new_beam[0].xs, 1.0f);
    EXPECT_FLOAT_EQ(t->new_beam[0].xl, 1.0f);
}

TEST_F(Reader, MissingFilesStopTheLoadWithTheirMessage) {
    tarvik::testing::TempDir dir;
    auto m = std::make_unique<model::ModelStore>();
    // Writes one more file of the set (stamped as one run) and loads: what is shown.
    auto add_and_load = [&](const char* name, const std::string& bytes, bool loads) {
        if (name) {
            tarvik::testing::write_bytes(dir.file(name), bytes);
            testing::stamp_as_one_run(dir.path().string());
        }
        msg.shown.clear();
        EXPECT_EQ(load_results(dir.path().string(), *m, *t, msg), loads) << (name ? name : "");
        return msg.shown;
    };
    using Shown = std::vector<std::string>;
    EXPECT_EQ(add_and_load(nullptr, "", false), Shown{kMsgZlvOpen});
    EXPECT_EQ(add_and_load(kLevelFileName, "0\r\n0\r\n0\r\n", false), Shown{kMsgLstOpen});
    EXPECT_EQ(add_and_load(kListFileName, kPortalLst, false), Shown{kMsgDspOpen});
    EXPECT_EQ(t->N_Stress, 2);  // what was read stays
    EXPECT_EQ(add_and_load(kDispFileName, "     5\r\n", false), Shown{kMsgDspRead});
    EXPECT_TRUE(add_and_load(kDispFileName, kPortalDsp, true).empty());
}

// The numeric record of a 2-node, 1-member model with one support: counts,
// ends, coordinates, axes, pins, releases, six restraint lists, load counts,
// one load, the 0 line, then the near-zero diagonals.
std::string sta_with_singular(const char* singular_lines) {
    std::string s = crlf_lines({"    2    1",
                                "    1    2",
                                "     0.000     0.000     0.000",
                                "   100.000     0.000     0.000",
                                "     1.000     0.000     0.000     0.000     1.000     0.000     "
                                "0.000     0.000     1.000",
                                "    0",
                                "    0    0",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    1",
                                "    0    0    1",
                                "    0    0    0",
                                "    2 -0.2000000E+03",
                                "    0"});
    s += singular_lines;
    s +=
        crlf_lines({"  0.0000000E+00  0.0000000E+00  0.0000000E+00  0.0000000E+00  0.0000000E+00  "
                    "0.0000000E+00"});
    return s;
}

TEST(Stability, NearZeroDiagonalsAreCountedFromTheNumericRecord) {
    EXPECT_EQ(sta_near_zero_count(sta_with_singular("    0\r\n")), 0);
    EXPECT_EQ(sta_near_zero_count(sta_with_singular("    3\r\n    2    2    2\r\n")), 3);
    EXPECT_EQ(sta_near_zero_count("    2    1\r\n    1    2\r\n"), -1);
}

}  // namespace
}  // namespace tarvik::analysis
