#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "profile.h"
#include "test_support.h"

namespace veltosol {
namespace {

using testing::Model;

Model single_member(double stk = 2920.0) {
    Model m;
    m.add_node(0, 0, 0);
    m.add_node(300, 0, 0);
    m.members.push_back({1, 2, 1});
    m.sections.push_back({1728, 1728, 144, stk});
    m.materials.push_back({80000, 0.3, 0.0005});
    m.fixes.push_back({1, "111111"});
    return m;
}

TEST(Equations, ClampedMemberProfile) {
    auto s = testing::solve(single_member().text());
    EXPECT_EQ(s->NEQ, 6);
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(s->ID[k], 0);
        EXPECT_EQ(s->ID[6 + k], k);  // node 2 keeps its number: the chain starts at node 1
        EXPECT_EQ(s->reverse[k], 6 + k);
        EXPECT_EQ(s->height[k], k - 1);
    }
    const std::int64_t maxa[] = {1, 3, 6, 10, 15, 21};
    for (int j = 1; j <= 6; ++j) EXPECT_EQ(s->MAXA[j], maxa[j - 1]);
}

// The store a frame needs, worked out without a run, is the store its run
// takes: random connected frames with random supports.
TEST(Equations, StoreOfAFrameWithoutARunIsTheRunsStore) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 20; ++trial) {
        Model m;
        FrameShape f;
        const int n = 2 + static_cast<int>(rng() % 40);
        for (int k = 0; k < n; ++k)
            m.add_node(static_cast<double>(rng() % 1000), static_cast<double>(rng() % 1000),
                       static_cast<double>(k * 10));
        f.nodes = n;
        // A chain keeps the frame in one piece; extra members join random pairs.
        auto join = [&](int i, int j) {
            m.members.push_back({i, j, 1});
            f.members.push_back({i, j});
        };
        for (int k = 2; k <= n; ++k) join(1 + static_cast<int>(rng() % (k - 1)), k);
        for (int extra = static_cast<int>(rng() % n); extra > 0; --extra) {
            const int i = 1 + static_cast<int>(rng() % n), j = 1 + static_cast<int>(rng() % n);
            if (i != j) join(i, j);
        }
        m.sections.push_back({1728, 1728, 144, 2920});
        m.materials.push_back({80000, 0.3, 0.0005});
        for (int k = 1; k <= n; ++k) {
            if (rng() % 4 != 0) continue;
            std::string mode;
            std::array<bool, 6> fixed{};
            for (int d = 0; d < 6; ++d) {
                fixed[d] = rng() % 2 == 0;
                mode += fixed[d] ? '1' : '0';
            }
            m.fixes.push_back({k, mode});
            f.supports.push_back({k, fixed});
        }
        SCOPED_TRACE(trial);
        FileSet files;
        auto s = testing::assemble(m.text(), files);
        EXPECT_EQ(skyline_terms(f), s->MAXA[s->NEQ]);
    }
    // A frame in two pieces never reaches the store.
    FrameShape apart;
    apart.nodes = 4;
    apart.members = {{1, 2}, {3, 4}};
    EXPECT_EQ(skyline_terms(apart), -1);
}

TEST(Equations, RestraintsFollowTheModeCharacters) {
    Model m = single_member();
    m.fixes = {{1, "110111"}, {2, "1"}};
    auto s = testing::solve(m.text());
    // Node 1 keeps Z free, node 2 has only X restrained.
    EXPECT_EQ(s->NEQ, 1 + 5);
    EXPECT_NE(s->ID[3], 0);
    EXPECT_EQ(s->ID[7], 0);
    for (int k = 8; k <= 12; ++k) EXPECT_NE(s->ID[k], 0);
}

TEST(Assembly, NearZeroDiagonalIsSetToOneAndListed) {
    // The free end of a member along X without torsion stiffness cannot resist a
    // rotation about X: that rotation comes out equal to its load.
    Model m = single_member(0.0);
    m.loads.push_back({2, {0, -10, 0, 5, 0, 0}});
    auto s = testing::solve(m.text());
    ASSERT_EQ(s->singular.size(), 1u);
    EXPECT_EQ(s->singular[0], 2);
    EXPECT_EQ(s->instability_at, 0);
    EXPECT_DOUBLE_EQ(testing::disp(*s, 2, 3), 5.0);
    EXPECT_LT(testing::disp(*s, 2, 1), 0.0);
}

// A symmetric positive definite matrix with a random profile, stored both dense
// and in the skyline store.
struct SkylineCase {
    int n;
    std::vector<int> top;
    std::vector<double> dense;  // n x n, 0-based
};

SkylineCase random_profile(int n, std::mt19937& rng) {
    SkylineCase c{n, std::vector<int>(n + 1), std::vector<double>(n * n, 0.0)};
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int j = 1; j <= n; ++j) {
        c.top[j] = std::max(1, j - static_cast<int>(rng() % 7));
        for (int i = c.top[j]; i < j; ++i) {
            double v = (rng() % 3 == 0) ? 0.0 : u(rng);  // zeros inside the profile too
            c.dense[(i - 1) * n + (j - 1)] = c.dense[(j - 1) * n + (i - 1)] = v;
        }
    }
    for (int j = 1; j <= n; ++j) c.dense[(j - 1) * n + (j - 1)] = 10.0 + j % 3;
    return c;
}

void load_store(Solver& s, const SkylineCase& c) {
    s.NEQ = c.n;
    s.MAXA[0] = 0;
    for (int j = 1; j <= c.n; ++j) s.MAXA[j] = s.MAXA[j - 1] + (j - c.top[j] + 1);
    for (int j = 1; j <= c.n; ++j)
        for (int i = c.top[j]; i <= j; ++i)
            s.store[s.MAXA[j] - (j - i)] = c.dense[(i - 1) * c.n + (j - 1)];
}

std::vector<double> dense_solve(std::vector<double> a, std::vector<double> b, int n) {
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(a[i * n + k]) > std::fabs(a[p * n + k])) p = i;
        for (int j = 0; j < n; ++j) std::swap(a[k * n + j], a[p * n + j]);
        std::swap(b[k], b[p]);
        for (int i = k + 1; i < n; ++i) {
            double f = a[i * n + k] / a[k * n + k];
            for (int j = k; j < n; ++j) a[i * n + j] -= f * a[k * n + j];
            b[i] -= f * b[k];
        }
    }
    for (int i = n - 1; i >= 0; --i) {
        double sum = b[i];
        for (int j = i + 1; j < n; ++j) sum -= a[i * n + j] * b[j];
        b[i] = sum / a[i * n + i];
    }
    return b;
}

TEST(SkylineSolution, AgreesWithADenseSolve) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 20; ++trial) {
        const int n = 1 + static_cast<int>(rng() % 40);
        SkylineCase c = random_profile(n, rng);
        auto s = std::make_unique<Solver>();
        load_store(*s, c);
        std::vector<double> b(n);
        for (int i = 0; i < n; ++i) b[i] = s->R[i + 1] = std::sin(1.0 + i);
        SKSOLV(*s);
        ASSERT_EQ(s->instability_at, 0);
        std::vector<double> x = dense_solve(c.dense, b, n);
        for (int i = 0; i < n; ++i) EXPECT_NEAR(s->R[i + 1], x[i], 1e-12) << trial << " " << i;
    }
}

TEST(SkylineSolution, ZeroPivotStopsBeforeAnyReduction) {
    // [[1,-1,0],[-1,1,1],[0,1,3]]: eliminating row 1 leaves an exact 0 pivot at
    // equation 2, met when column 3 is reduced.
    SkylineCase c{3, {0, 1, 1, 2}, {1, -1, 0, -1, 1, 1, 0, 1, 3}};
    auto s = std::make_unique<Solver>();
    load_store(*s, c);
    s->R[1] = 4;
    s->R[2] = 5;
    s->R[3] = 6;
    SKSOLV(*s);
    EXPECT_EQ(s->instability_at, 2);
    EXPECT_EQ(s->R[1], 4);  // the loads are left as they were
    EXPECT_EQ(s->R[2], 5);
    EXPECT_EQ(s->R[3], 6);
}

TEST(SkylineSolution, ZeroPivotOutsideEveryLaterProfileIsStillReported) {
    // Equation 2 decouples from 3, so no later column meets its zero pivot; a
    // solution would divide by it.
    SkylineCase c{3, {0, 1, 1, 3}, {1, -1, 0, -1, 1, 0, 0, 0, 3}};
    auto s = std::make_unique<Solver>();
    load_store(*s, c);
    s->R[3] = 6;
    SKSOLV(*s);
    EXPECT_EQ(s->instability_at, 2);
}

TEST(SkylineSolution, FloatingMemberIsUnstable) {
    // Nothing holds the member: with these round numbers the axial pivot of its
    // second end becomes exactly zero and column 8 meets it.
    Model m = testing::floating_member();
    auto s = testing::solve(m.text());
    EXPECT_EQ(s->NEQ, 12);
    EXPECT_EQ(s->instability_at, 7);
    EXPECT_EQ(testing::disp(*s, 2, 0), 1.0);  // the unfinished vector still holds the load
}

}  // namespace
}  // namespace veltosol
