// Mechanisms whose pivots rounding keeps away from exactly zero are still
// reported as an instability; a stiff member on a soft one is not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "test_support.h"

namespace veltosol {
namespace {

using testing::assemble;
using testing::Model;
using testing::run_in;
using testing::TempDir;

// A portal of three members with uneven figures, so that the elimination of a
// singular stiffness leaves pivots of rounding size rather than exact zeros.
// foot: the support mode of both feet, empty for none.
Model portal(const std::string& foot) {
    Model m;
    m.add_node(0, 0, 0);
    m.add_node(0, 0, 287.3);
    m.add_node(413.7, 31.9, 287.3);
    m.add_node(413.7, 31.9, 0);
    m.members = {{1, 2, 1, 7.5}, {2, 3, 1}, {3, 4, 1, 12.0}};
    m.sections.push_back({1728.3, 972.1, 143.7, 2917.9});
    m.materials.push_back({80123.0, 0.3, 0.0005});
    if (!foot.empty()) m.fixes = {{1, foot}, {4, foot}};
    m.loads.push_back({2, {10.3, 0, -200.7, 0, 0, 0}});
    m.loads.push_back({3, {0, 5.1, -200.7, 0, 0, 0}});
    return m;
}

TEST(Mechanism, ReportedInTheListingAndTheConsole) {
    // No support at all, and feet that hold only the rotations.
    for (const char* foot : {"", "000111"}) {
        TempDir dir;
        dir.write("VELTOSOL.IN", portal(foot).text());
        std::string console, err;
        EXPECT_EQ(run_in(dir, &console, &err), kExitOk) << foot << err;
        const std::string out = dir.read("VELTOSOL.OUT");
        const auto at = out.find("     ****** INSTABILITY ERROR ******  AT=");
        ASSERT_NE(at, std::string::npos) << "foot '" << foot << "'";
        EXPECT_NE(console.find(out.substr(at, out.find("\r\n", at) - at)), std::string::npos);
        EXPECT_EQ(testing::lines(dir.read("VELTOSOL.MAX")).back(), " PASS FOPEN2 NOD NEL 4 3");
    }
}

TEST(Mechanism, ThePivotThresholdSeparatesRoundingFromStiffness) {
    // [[1, 1], [1, 1 + d]]: the second pivot keeps d of its diagonal 1 + d.
    struct Case {
        double d;
        int instability_at;
    } cases[] = {{0.0, 2}, {1e-15, 2}, {1e-13, 2}, {-1e-13, 2}, {1e-8, 0}, {1e-3, 0}};
    for (const Case& c : cases) {
        auto s = std::make_unique<Solver>();
        s->NEQ = 2;
        s->MAXA[0] = 0;
        s->MAXA[1] = 1;
        s->MAXA[2] = 3;
        s->store[1] = 1.0;
        s->store[2] = 1.0;
        s->store[3] = 1.0 + c.d;
        s->R[1] = 1.0;
        s->R[2] = 2.0;
        SKSOLV(*s);
        EXPECT_EQ(s->instability_at, c.instability_at) << c.d;
        if (c.instability_at == 0) {
            EXPECT_NEAR(s->R[2], 1.0 / c.d, 1e-6 / c.d) << c.d;
        }
    }
}

// A post clamped at its foot carries a beam cantilevered from its top whose
// material is `contrast` times stiffer.
Model post_and_stiff_beam(double contrast) {
    Model m;
    m.add_node(0, 0, 0);
    m.add_node(0, 0, 287.3);
    m.add_node(413.7, 31.9, 287.3);
    m.members = {{1, 2, 1, 7.5}, {2, 3, 2}};
    m.sections.push_back({1728.3, 972.1, 143.7, 2917.9});
    m.sections.push_back({1728.3, 972.1, 143.7, 2917.9});
    m.materials.push_back({80123.0, 0.3, 0.0005});
    m.materials.push_back({80123.0 * contrast, 0.3, 0.0005});
    m.fixes = {{1, "111111"}};
    m.loads.push_back({3, {10.3, 5.1, -200.7, 0, 0, 0}});
    return m;
}

TEST(Mechanism, AStiffMemberOnASoftOneIsNotUnstable) {
    // The beam's far end keeps only a small share of its diagonal (the post's
    // stiffness against the beam's), yet the frame is sound: it sways like a
    // post with a rigid arm.
    double w[2];
    const double contrast[2] = {1e3, 1e6};
    for (int c = 0; c < 2; ++c) {
        FileSet f;
        auto s = assemble(post_and_stiff_beam(contrast[c]).text(), f);
        std::vector<double> diagonal(s->NEQ + 1);
        for (int j = 1; j <= s->NEQ; ++j) diagonal[j] = s->store[s->MAXA[j]];
        SKSOLV(*s);
        ASSERT_EQ(s->instability_at, 0) << contrast[c];
        double share = 1.0;
        for (int j = 1; j <= s->NEQ; ++j)
            share = std::min(share, std::fabs(s->store[s->MAXA[j]] / diagonal[j]));
        EXPECT_LT(share, 1e-2 / contrast[c]);  // a real stiff-on-soft case
        DISPT(*s, f);
        w[c] = testing::disp(*s, 3, 2);
    }
    EXPECT_NEAR(w[1] / w[0], 1.0, 1e-3);
}

}  // namespace
}  // namespace veltosol
