// Loads that push against the axes (the usual case: gravity is -Z): the echo
// of the applied forces, the load lists of the listing and the numeric record,
// and the sign of what moves.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace veltosol {
namespace {

using testing::lines;
using testing::Model;
using testing::run_in;
using testing::TempDir;

// A cantilever of two members along X, clamped at node 1; node 3 pulled back
// and pressed down, node 2 given two vertical loads that cancel.
Model cantilever() {
    Model m;
    m.add_node(0, 0, 0);
    m.add_node(100, 0, 0);
    m.add_node(200, 0, 0);
    m.members.push_back({1, 2, 1});
    m.members.push_back({2, 3, 1});
    m.sections.push_back({100, 100, 10, 50});
    m.materials.push_back({1000, 0.25, 0.5});
    m.fixes.push_back({1, "111111"});
    m.loads.push_back({3, {-50, 0, -200, 0, 0, 0}});
    m.loads.push_back({2, {0, 0, 30, 0, 0, 0}});
    m.loads.push_back({2, {0, 0, -30, 0, -7.5, 0}});
    return m;
}

bool has_line(const std::vector<std::string>& v, const std::string& l) {
    for (const std::string& s : v)
        if (s == l) return true;
    return false;
}

TEST(NegativeLoads, AreEchoedListedAndMoveTheNodesBackAndDown) {
    const Model m = cantilever();
    const auto s = testing::solve(m.text());
    const std::string n2 = std::to_string(s->NEWNO[2]), n3 = std::to_string(s->NEWNO[3]);
    auto i5 = [](const std::string& n) { return std::string(5 - n.size(), ' ') + n; };

    TempDir dir;
    dir.write("VELTOSOL.IN", m.text());
    ASSERT_EQ(run_in(dir), 0);

    // The raw lists, one entry per nonzero value read: X 1, Z 3, Y-rotation 1.
    const auto out = lines(dir.read("VELTOSOL.OUT"));
    EXPECT_TRUE(has_line(out, " 1 0 3 0 1 0"));
    EXPECT_TRUE(has_line(out, " 3 -200"));
    EXPECT_TRUE(has_line(out, " 2 -30"));

    // The applied forces from the summed vector: the cancelled vertical load
    // of node 2 is gone, the negative ones stay with their sign.
    const std::vector<std::string> applied = {
        "     ---APPLIED FORCE---",
        "     DRICTION =1",
        "     NOD =" + i5(n3) + "  LOAD = -0.5000000E+02",
        "     DRICTION =3",
        "     NOD =" + i5(n3) + "  LOAD = -0.2000000E+03",
        "     DRICTION =5",
        "     NOD =" + i5(n2) + "  LOAD = -0.7500000E+01",
    };
    size_t at = 0;
    while (at < out.size() && out[at] != applied[0]) ++at;
    ASSERT_LE(at + applied.size(), out.size()) << "no applied-force echo";
    for (size_t k = 0; k < applied.size(); ++k) EXPECT_EQ(out[at + k], applied[k]) << k;
    EXPECT_EQ(out[at + applied.size()], "");

    // The numeric record: counts per direction, then the entries.
    const auto sta = lines(dir.read("VELTOSOL.STA"));
    const std::vector<std::string> record = {"    1    0    1", "    0    1    0",
                                             i5(n3) + " -0.5000000E+02",
                                             i5(n3) + " -0.2000000E+03",
                                             i5(n2) + " -0.7500000E+01"};
    bool found = false;
    for (size_t k = 0; k + record.size() <= sta.size() && !found; ++k)
        found = std::equal(record.begin(), record.end(), sta.begin() + static_cast<long>(k));
    EXPECT_TRUE(found) << dir.read("VELTOSOL.STA");

    // Pulled back and pressed down: the free end moves to -X and -Z.
    EXPECT_LT(testing::disp(*s, 3, 0), 0.0);
    EXPECT_LT(testing::disp(*s, 3, 2), 0.0);
}

}  // namespace
}  // namespace veltosol
