#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "test_support.h"

namespace veltosol {
namespace {

using testing::fixture;
using testing::lines;
using testing::Model;
using testing::run_in;
using testing::TempDir;

std::string rep(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::string text(const std::vector<std::string>& v) {
    std::string t;
    for (const auto& l : v) t += l + "\r\n";
    return t;
}

// Two bars in a line along X, clamped at node 1 and pulled by 50 at node 3:
// EA/L = 100, so U2 = 0.5, U3 = 1.0 and both members carry 50.
class BarRun : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("VELTOSOL.IN", fixture("bar.in"));
        rc = run_in(dir, &console, &err);
    }
    TempDir dir;
    int rc = -1;
    std::string console, err;
};

const std::string Z4 = "  0.0000E+00";

TEST_F(BarRun, EndsCleanly) {
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(err, "");
}

TEST_F(BarRun, LevelEcho) {
    EXPECT_EQ(dir.read("VELTOSOL.ZLV"),
              text({"     3", "  0.00000E+00", "  0.10000E+03", "  0.20000E+03", "     1",
                    "  0.00000E+00", "     1", "  0.00000E+00"}));
}

TEST_F(BarRun, NodeListAndMemberForces) {
    const std::string forces = " " + rep("  0.5000E+02", 2) + rep(Z4, 6);
    const std::string moments = " " + rep(Z4, 3);
    EXPECT_EQ(dir.read("VELTOSOL.LST"),
              text({"      3",
                    "         1      1        0.0         0.0       0.000  X00Y00Z00",
                    "         2      2      100.0         0.0       0.000  X01Y00Z00",
                    "         3      3      200.0         0.0       0.000  X02Y00Z00",
                    "      2",
                    "      1      1      1  X00Y00Z00      2      2  X01Y00Z00   0.50000E+02",
                    forces, moments,
                    "      2      2      2  X01Y00Z00      3      3  X02Y00Z00   0.50000E+02",
                    forces, moments}));
}

TEST_F(BarRun, Displacements) {
    const std::string z = "  0.00000E+00";
    EXPECT_EQ(dir.read("VELTOSOL.DSP"),
              text({"     3", "      1     1 X00Y00Z00    " + rep(z, 6),
                    "      2     2 X01Y00Z00    " + std::string("  0.50000E+00") + rep(z, 5),
                    "      3     3 X02Y00Z00    " + std::string("  0.10000E+01") + rep(z, 5)}));
}

TEST_F(BarRun, NumericRecord) {
    const std::string z7 = "  0.0000000E+00";
    const std::string axes = "     0.000     0.000    -1.000     0.000     1.000     0.000"
                             "     1.000     0.000     0.000";
    std::vector<std::string> expected = {
        "    3    2", "    1    2    2    3", "     0.000     0.000     0.000",
        "   100.000     0.000     0.000", "   200.000     0.000     0.000", axes, axes,
        "    0", "    0    0    0    0"};
    for (int k = 0; k < 6; ++k) {
        expected.push_back("    1");
        expected.push_back("    1");
    }
    for (const char* l : {"    1    0    0", "    0    0    0", "    3  0.5000000E+02", "    0",
                          "    0"})
        expected.push_back(l);
    expected.push_back(rep(z7, 6));
    expected.push_back("  0.5000000E+00" + rep(z7, 5));
    expected.push_back("  0.1000000E+01" + rep(z7, 5));
    for (int e = 0; e < 2; ++e) {
        expected.push_back(" " + rep("  0.5000E+02", 2) + rep(Z4, 4));
        expected.push_back(" " + rep(Z4, 5));
    }
    EXPECT_EQ(dir.read("VELTOSOL.STA"), text(expected));
}

TEST_F(BarRun, ProgressTrace) {
    std::vector<std::string> expected = {
        " PASS FOPEN NOD NEL 0 0", " NOD 3 NEL 2",          " PASS SETUP",
        " ENTER OPTNUM",           " PASS OPTNUM",          " PASS DRCCOS",
        " PASS FWRITE",            " PASS INPUT NOD NEL 3 2", " PASS ANGLE NOD NEL 3 2",
        " ENTER INPUT2",           " PASS INPUT2 NOD NEL 3 2", " PASS MHIGHT NOD NEL 3 2"};
    for (int e = 0; e < 2; ++e)
        for (const char* l : {" ENTER ELMAT", " ENTER TRANS", " PASS DECTM", " ENTER MXMLT N ND 12 20",
                              " PASS MXMLT", " ENTER MXMLT N ND 12 20", " PASS MXMLT", " PASS ELMAT"})
            expected.push_back(l);
    for (const char* l : {" PASS ASSEM NOD NEL 3 2", " PASS SKSOLV NOD NEL 3 2",
                          " PASS DISPT NOD NEL 3 2", " PASS STRESS NOD NEL 3 2",
                          " PASS FOPEN2 NOD NEL 3 2"})
        expected.push_back(l);
    EXPECT_EQ(dir.read("VELTOSOL.MAX"), text(expected));
}

std::vector<std::string> listing_before_loads() {
    const std::string z7 = "  0.0000000E+00";
    std::vector<std::string> v = {
        "     NOD=    3  NEL=    2",
        "     No   Iin    Jout  Shape   Material Angle  I_Name  J_name",
        "      1      1      2      1      1        0.00  X00Y00Z00  X01Y00Z00",
        "      2      2      3      1      1        0.00  X01Y00Z00  X02Y00Z00",
        "     N_Shape     1",
        "     No        Ixx         Iyy           Area           Stk",
        "         1   0.10000E+03   0.10000E+03   0.10000E+02   0.50000E+02",
        "     N_Material    1",
        "     No        Younge        Poison      Density",
        "         1   0.10000E+04   0.25000E+00   0.50000E+00",
        "     NOD    3",
        "     No     X           Y           Z           Name",
        "         1         0.0         0.0       0.000  X00Y00Z00",
        "         2       100.0         0.0       0.000  X01Y00Z00",
        "         3       200.0         0.0       0.000  X02Y00Z00",
        "     N_FIX =     1",
        "     No    Node         Mode",
        "         1      1     111111",
        "@ 1 1 1 1 1 1"};
    for (int k = 0; k < 6; ++k) v.push_back("@ 1");
    for (const char* l :
         {"", "     NELM        E              V            L",
          "         1  0.1000000E+04  0.2500000E+00  0.1000000E+03",
          "         2  0.1000000E+04  0.2500000E+00  0.1000000E+03", "",
          "     NELM      IXX            IYY             A              K",
          "         1  0.1000000E+03  0.1000000E+03  0.1000000E+02  0.5000000E+02",
          "         2  0.1000000E+03  0.1000000E+03  0.1000000E+02  0.5000000E+02", "",
          "     NELM            I  J", "         1     INDV =    0    0",
          "         2     INDV =    0    0", "",
          "     NELM        XB-X      XB-Y      XB-Z      YB-X      YB-Y      YB-Z",
          "         1        0.00000   0.00000  -1.00000   0.00000   1.00000   0.00000",
          "         2        0.00000   0.00000  -1.00000   0.00000   1.00000   0.00000",
          "     NELM        ZB-X      ZB-Y      ZB-Z", "         1        1.00000   0.00000   0.00000",
          "         2        1.00000   0.00000   0.00000", "", "     UVW     TOTAL            NODE"})
        v.push_back(l);
    for (int k = 1; k <= 6; ++k)
        v.push_back("         " + std::to_string(k) + "         1            1");
    v.push_back("");
    v.push_back("            X               Y               Z");
    v.push_back("     " + rep(z7, 3));
    v.push_back("       0.1000000E+03" + rep(z7, 2));
    v.push_back("       0.2000000E+03" + rep(z7, 2));
    v.push_back("");
    v.push_back("     NPIN =    0");
    v.push_back("0D.O.F.=   12");
    v.push_back("     INPUT2 N_LOAD=     1");
    v.push_back("     NO  Node  X_mov  Y_mov  Z_mov  X_rot  Y_rot  Z_rot");
    v.push_back("      1  X02Y00Z00         3   0.50000E+02" + rep("   0.00000E+00", 5));
    return v;
}

std::vector<std::string> listing_after_loads() {
    const std::string z7 = "  0.0000000E+00";
    std::vector<std::string> v = {"@ 1 0 0 0 0 0", "@ M= 1",      "@ 3 50", "@ K= 13", "@ KK= 7",
                                  "@ PASS 20",     "@ PASS 40",   "",       "     ---APPLIED FORCE---",
                                  "     DRICTION =1", "     NOD =    3  LOAD =  0.5000000E+02", "",
                                  "     DIM =        78",
                                  "0NODE           U              V              W"};
    v.push_back("     1     " + rep(z7, 3));
    v.push_back("     2       0.5000000E+00" + rep(z7, 2));
    v.push_back("     3       0.1000000E+01" + rep(z7, 2));
    v.push_back("0NODE          THX            THY            THZ");
    for (int n = 1; n <= 3; ++n) v.push_back("     " + std::to_string(n) + "     " + rep(z7, 3));
    v.push_back("");
    v.push_back("     ---STRESS---");
    v.push_back("");
    for (int e = 1; e <= 2; ++e) {
        v.push_back("");
        v.push_back("  ELEMENT =       " + std::to_string(e));
        v.push_back("        P1          P2          VX1         VX2         VY1         VY2");
        v.push_back(" " + rep("  0.5000E+02", 2) + rep(Z4, 4));
        v.push_back("        MX1         MX2         MY1         MY2         MZ");
        v.push_back(" " + rep(Z4, 5));
    }
    return v;
}

// Lines marked "@" go to VELTOSOL.OUT only (as free-form lines with their blank).
std::string listing_for(bool out_file) {
    std::vector<std::string> all = listing_before_loads();
    if (!out_file) all.push_back("  PASS 1020");
    for (auto& l : listing_after_loads()) all.push_back(l);
    std::vector<std::string> keep;
    for (auto& l : all) {
        if (!l.empty() && l[0] == '@') {
            if (out_file) keep.push_back(" " + l.substr(2));
        } else {
            keep.push_back(l);
        }
    }
    return text(keep);
}

TEST_F(BarRun, ListingFileAndConsole) {
    EXPECT_EQ(dir.read("VELTOSOL.OUT"), listing_for(true));
    EXPECT_EQ(console, listing_for(false));
}

TEST(FileSet, MissingInputLeavesAnEmptyInputAndFailsWithEndOfFile) {
    TempDir dir;
    std::string err;
    int rc = run_in(dir, nullptr, &err);
    EXPECT_EQ(rc, kExitReadFailure);
    EXPECT_TRUE(dir.exists("VELTOSOL.IN"));
    EXPECT_EQ(dir.read("VELTOSOL.IN"), "");
    EXPECT_NE(err.find("VELTOSOL.IN"), std::string::npos);
    EXPECT_NE(err.find("end of file"), std::string::npos);
    EXPECT_EQ(dir.read("VELTOSOL.MAX"), " PASS FOPEN NOD NEL 0 0\r\n");
}

TEST(FileSet, ReadFailureKeepsFilesNotYetWritten) {
    TempDir dir;
    dir.write("VELTOSOL.DSP", "old displacements\r\n");
    dir.write("VELTOSOL.LST", "old list\r\n");
    // Ends inside the member records: the level echo is written, the node list
    // and the displacements are not reached.
    std::string in = fixture("bar.in");
    dir.write("VELTOSOL.IN", in.substr(0, in.find("     2     2     3")));
    std::string err;
    EXPECT_EQ(run_in(dir, nullptr, &err), kExitReadFailure);
    EXPECT_NE(err.find("member record 2 of 2"), std::string::npos) << err;
    EXPECT_EQ(dir.read("VELTOSOL.DSP"), "old displacements\r\n");
    EXPECT_EQ(dir.read("VELTOSOL.LST"), "old list\r\n");
    // The level echo that the run had begun is not put in place either.
    EXPECT_FALSE(dir.exists("VELTOSOL.ZLV"));
}

TEST(FileSet, ConversionErrorIsNamed) {
    TempDir dir;
    std::string in = fixture("bar.in");
    in.replace(in.find("100.0"), 5, "1OO.0");
    dir.write("VELTOSOL.IN", in);
    std::string err;
    EXPECT_EQ(run_in(dir, nullptr, &err), kExitReadFailure);
    EXPECT_NE(err.find("conversion error"), std::string::npos) << err;
    EXPECT_NE(err.find("node record 2 of 3"), std::string::npos) << err;
}

TEST(FileSet, SecondSmallerRunLeavesNothingOfTheFirst) {
    Model big;
    for (int k = 0; k < 12; ++k) big.add_node(100.0 * k, 0, 0);
    for (int k = 1; k < 12; ++k) big.members.push_back({k, k + 1, 1});
    big.sections.push_back({100, 100, 10, 50});
    big.materials.push_back({1000, 0.25, 0.5});
    big.fixes.push_back({1, "111111"});
    big.loads.push_back({12, {50, 0, 0, 0, 0, 0}});
    big.xl = {0, 100, 200};

    TempDir twice, once;
    twice.write("VELTOSOL.IN", big.text());
    ASSERT_EQ(run_in(twice), 0);
    twice.write("VELTOSOL.IN", fixture("bar.in"));
    ASSERT_EQ(run_in(twice), 0);
    once.write("VELTOSOL.IN", fixture("bar.in"));
    ASSERT_EQ(run_in(once), 0);
    for (const char* f : {"VELTOSOL.OUT", "VELTOSOL.STA", "VELTOSOL.MAX", "VELTOSOL.LST",
                          "VELTOSOL.DSP", "VELTOSOL.ZLV"})
        EXPECT_EQ(twice.read(f), once.read(f)) << f;
}

TEST(FileSet, InstabilityStillWritesEveryFile) {
    Model m = testing::floating_member();
    TempDir dir;
    dir.write("VELTOSOL.IN", m.text());
    std::string console;
    EXPECT_EQ(run_in(dir, &console), 0);
    const std::string line = "     ****** INSTABILITY ERROR ******  AT=       7\r\n";
    EXPECT_NE(console.find(line), std::string::npos);
    EXPECT_NE(dir.read("VELTOSOL.OUT").find(line), std::string::npos);
    EXPECT_EQ(lines(dir.read("VELTOSOL.LST")).size(), 1u + 2 + 1 + 3);
    EXPECT_EQ(lines(dir.read("VELTOSOL.DSP")).size(), 3u);
    auto trace = lines(dir.read("VELTOSOL.MAX"));
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back(), " PASS FOPEN2 NOD NEL 2 1");
}

TEST(Layouts, LongNamesWideNumbersAndManyLoads) {
    Model m;
    m.add_node(0, 0, 0);
    m.add_node(123456789.0, 0, 0);
    m.nodes[0].name = "ABCDEFGHIJKLMNO";  // kept to 12, shown to 9 in the list
    m.members.push_back({1, 2, 1});
    m.sections.push_back({100, 100, 10, 50});
    m.materials.push_back({1000, 0.25, 0.5});
    m.fixes.push_back({1, "111111"});
    for (int i = 0; i < 101; ++i) m.loads.push_back({2, {0.5, 0, 0, 0, 0, 0}});
    TempDir dir;
    dir.write("VELTOSOL.IN", m.text());
    ASSERT_EQ(run_in(dir), 0);
    auto lst = lines(dir.read("VELTOSOL.LST"));
    ASSERT_GE(lst.size(), 3u);
    EXPECT_EQ(lst[1], "         1      1        0.0         0.0       0.000  ABCDEFGHI");
    EXPECT_EQ(lst[2], "         2      2 **********         0.0       0.000  N2       ");
    auto dsp = lines(dir.read("VELTOSOL.DSP"));
    ASSERT_GE(dsp.size(), 2u);
    EXPECT_EQ(dsp[1].substr(0, 27), "      1     1 ABCDEFGHIJKL ");
    const std::string out = dir.read("VELTOSOL.OUT");
    EXPECT_NE(out.find("\r\n     99  L     "), std::string::npos);
    EXPECT_NE(out.find("\r\n     **  L     "), std::string::npos);
    // The 101 loads add up in one entry of the applied forces.
    EXPECT_NE(out.find("     NOD =    2  LOAD =  0.5050000E+02"), std::string::npos);
}

TEST(Layouts, LongRestraintListWrapsAfterTenInTheRecord) {
    Model m;
    for (int k = 0; k < 12; ++k) m.add_node(100.0 * k, 0, 0);
    for (int k = 1; k < 12; ++k) m.members.push_back({k, k + 1, 1});
    m.sections.push_back({100, 100, 10, 50});
    m.materials.push_back({1000, 0.25, 0.5});
    for (int k = 1; k <= 11; ++k) m.fixes.push_back({k, "001000"});
    m.fixes.push_back({12, "110111"});
    TempDir dir;
    dir.write("VELTOSOL.IN", m.text());
    ASSERT_EQ(run_in(dir), 0);
    const std::string sta = dir.read("VELTOSOL.STA");
    EXPECT_NE(sta.find("\r\n   11\r\n    1    2    3    4    5    6    7    8    9   10\r\n   11\r\n"),
              std::string::npos);
}

struct BadInput {
    const char* what;
    std::string text;
    int status;
    const char* message;
};

std::string with_counts(const std::string& in, const std::string& from, const std::string& to) {
    std::string t = in;
    t.replace(t.find(from), from.size(), to);
    return t;
}

TEST(Diagnostics, CapacitiesAndMalformedModelsEndTheRunWithAStatus) {
    const std::string bar = fixture("bar.in");
    const std::vector<BadInput> cases = {
        {"too many nodes", with_counts(bar, "     3     2\r\n", "  3001     2\r\n"), kExitCapacity,
         "node table (limit 3000)"},
        {"too many members", with_counts(bar, "     3     2\r\n", "     3  3001\r\n"), kExitCapacity,
         "member table (limit 3000)"},
        {"too many levels", with_counts(bar, "     3\r\n", "   101\r\n"), kExitCapacity,
         "X level table (limit 100)"},
        {"member end out of range", with_counts(bar, "     2     3     1", "     2     4     1"),
         kExitBadModel, "member 2 refers to node 4"},
        {"member on one node", with_counts(bar, "     2     3     1", "     2     2     1"),
         kExitBadModel, "both ends"},
        {"material beyond the tables", with_counts(bar, "     3     1     1", "     3     1     2"),
         kExitBadModel, "material number 2"},
        {"node counts differ", with_counts(bar, "     3\r\n     1 ", "     2\r\n     1 "),
         kExitBadModel, "node table gives 2"},
        {"support node out of range", with_counts(bar, "     1,111111", "     9,111111"),
         kExitBadModel, "support 1 refers to node 9"},
        {"load node out of range", with_counts(bar, "    3,      50.0", "    0,      50.0"),
         kExitBadModel, "load 1 refers to node 0"},
        {"negative count", with_counts(bar, "     1\r\n     1 1.0", "    -1\r\n     1 1.0"),
         kExitBadModel, "negative count"},
        {"unconnected node", with_counts(with_counts(bar, "     3     2\r\n", "     3     1\r\n"),
                                         "     2     2     3     1     1        0.0 X01Y00Z00 "
                                         "X02Y00Z00\r\n",
                                         ""),
         kExitBadModel, "node 3 is not connected"},
        {"zero length", with_counts(bar, "     3     200.0", "     3     100.0"), kExitBadModel,
         "zero or undefined length"},
    };
    for (const BadInput& c : cases) {
        TempDir dir;
        dir.write("VELTOSOL.IN", c.text);
        std::string err;
        EXPECT_EQ(run_in(dir, nullptr, &err), c.status) << c.what << ": " << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.what << ": " << err;
    }
}

}  // namespace
}  // namespace veltosol

namespace veltosol {
namespace {

TEST(Diagnostics, ProfileBeyondTheStiffnessStore) {
    // A chain of 1500 nodes with 1400 random cross links: within the node and
    // member tables, but no numbering keeps its profile near the diagonal.
    Model m;
    const int n = 1500;
    for (int k = 0; k < n; ++k) m.add_node((k * 37) % 1000, (k * 53) % 1000, k);
    std::vector<int> degree(n + 1, 0);
    for (int k = 1; k < n; ++k) {
        m.members.push_back({k, k + 1, 1});
        ++degree[k];
        ++degree[k + 1];
    }
    std::mt19937 rng(5);
    while (m.members.size() < 2900) {
        int a = 1 + static_cast<int>(rng() % n), b = 1 + static_cast<int>(rng() % n);
        if (std::abs(a - b) < 2 || degree[a] >= 6 || degree[b] >= 6) continue;
        m.members.push_back({a, b, 1});
        ++degree[a];
        ++degree[b];
    }
    m.sections.push_back({100, 100, 10, 50});
    m.materials.push_back({1000, 0.25, 0.5});
    m.fixes.push_back({1, "111111"});
    TempDir dir;
    dir.write("VELTOSOL.IN", m.text());
    std::string err;
    EXPECT_EQ(run_in(dir, nullptr, &err), kExitCapacity);
    EXPECT_NE(err.find("stiffness store table (limit 1600000)"), std::string::npos) << err;
}

}  // namespace
}  // namespace veltosol
