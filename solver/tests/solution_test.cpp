#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_support.h"

namespace veltosol {
namespace {

using testing::Model;

constexpr double E = 80000.0, A = 144.0, Ixx = 1728.0, Iyy = 900.0, Kt = 2920.0, L = 300.0;

Model cantilever(std::array<double, 6> load) {
    Model m;
    m.add_node(0, 0, 0);
    m.add_node(L, 0, 0);
    m.members.push_back({1, 2, 1});
    m.sections.push_back({Ixx, Iyy, A, Kt});
    m.materials.push_back({E, 0.3, 0.0005});
    m.fixes.push_back({1, "111111"});
    m.loads.push_back({2, load});
    return m;
}

std::array<double, 12> forces(const Solver& s, int e) {
    std::array<double, 12> f;
    member_forces(s, e, f);
    return f;
}

TEST(Analytic, CantileverBendingAlongY) {
    const double F = 1500.0;
    auto s = testing::solve(cantilever({0, -F, 0, 0, 0, 0}).text());
    const double v = -F * L * L * L / (3 * E * Iyy);
    EXPECT_NEAR(testing::disp(*s, 2, 1), v, 1e-9 * std::fabs(v));
    const double rot = -F * L * L / (2 * E * Iyy);  // rotation about +Z
    EXPECT_NEAR(testing::disp(*s, 2, 5), rot, 1e-9 * std::fabs(rot));
    auto f = forces(*s, 1);
    EXPECT_NEAR(f[7], -F, 1e-9 * F);  // VY: force on end 2 along local y = global Y
    EXPECT_NEAR(f[8], 0.0, 1e-9 * F);
    // Moment at the clamp equals F L.
    EXPECT_NEAR(std::fabs(f[3]), F * L, 1e-9 * F * L);
    for (int j : {0, 2, 3, 4}) EXPECT_EQ(testing::disp(*s, 1, j), 0.0);
}

TEST(Analytic, CantileverBendingAlongZUsesIxx) {
    const double F = 700.0;
    auto s = testing::solve(cantilever({0, 0, F, 0, 0, 0}).text());
    // Local x of a member along +X is global -Z, so Z bending is governed by Ixx.
    const double w = F * L * L * L / (3 * E * Ixx);
    EXPECT_NEAR(testing::disp(*s, 2, 2), w, 1e-9 * w);
    EXPECT_NEAR(forces(*s, 1)[6], -F, 1e-9 * F);  // VX along local x = -Z
}

TEST(Analytic, AxialBarAndTorsion) {
    const double F = 2500.0, T = 400.0;
    auto s = testing::solve(cantilever({F, 0, 0, T, 0, 0}).text());
    EXPECT_NEAR(testing::disp(*s, 2, 0), F * L / (E * A), 1e-9 * F * L / (E * A));
    const double G = E / 2.6;
    EXPECT_NEAR(testing::disp(*s, 2, 3), T * L / (G * Kt), 1e-9 * T * L / (G * Kt));
    auto f = forces(*s, 1);
    EXPECT_NEAR(f[8], F, 1e-9 * F);  // tension positive
    EXPECT_NEAR(f[5], -T, 1e-9 * T);
}

TEST(Analytic, LoadsOnOneFreedomAddUpAndRestrainedLoadsVanish) {
    Model m = cantilever({1000, 0, 0, 0, 0, 0});
    m.loads.push_back({2, {1500, 0, 0, 0, 0, 0}});
    m.loads.push_back({1, {0, 9999, 0, 0, 0, 0}});  // on the clamp: dropped
    auto s = testing::solve(m.text());
    EXPECT_NEAR(testing::disp(*s, 2, 0), 2500 * L / (E * A), 1e-12);
    ASSERT_EQ(s->load_list[0].size(), 1u);
    EXPECT_EQ(s->load_list[0][0].value, 2500.0);
    EXPECT_TRUE(s->load_list[1].empty());
}

// ---- Random frames against an independent dense solution ----

struct Dense {
    int n;
    std::vector<double> k;
    double& at(int i, int j) { return k[static_cast<std::size_t>(i) * n + j]; }
};

// Member axes by the rule: x perpendicular to global Y (y in the plane of the
// member and Y), turned by the angle; the member parallel to Y separately.
void axes(double dx, double dy, double dz, double angle, double R[3][3]) {
    const double len = std::sqrt(dx * dx + dy * dy + dz * dz);
    double z[3] = {dx / len, dy / len, dz / len};
    double x0[3], y0[3];
    if (std::fabs(dx) >= 1e-10 || std::fabs(dz) >= 1e-10) {
        // x0 = (Y cross z) normalised; y0 = z cross x0.
        double c[3] = {z[2], 0.0, -z[0]};
        double n = std::sqrt(c[0] * c[0] + c[2] * c[2]);
        for (double& v : c) v /= n;
        std::copy(c, c + 3, x0);
        y0[0] = z[1] * x0[2] - z[2] * x0[1];
        y0[1] = z[2] * x0[0] - z[0] * x0[2];
        y0[2] = z[0] * x0[1] - z[1] * x0[0];
    } else {
        x0[0] = 0;
        x0[1] = 0;
        x0[2] = z[1];
        y0[0] = 1;
        y0[1] = 0;
        y0[2] = 0;
    }
    const double a = angle * std::acos(-1.0) / 180.0;
    for (int k = 0; k < 3; ++k) {
        R[0][k] = std::cos(a) * x0[k] + std::sin(a) * y0[k];
        R[1][k] = std::cos(a) * y0[k] - std::sin(a) * x0[k];
        R[2][k] = z[k];
    }
}

// Local stiffness from the beam equations, written out per bending plane.
void local_k(double e, double g, double ixx, double iyy, double a, double kt, double l,
             double K[12][12]) {
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) K[i][j] = 0;
    // Deflection u along x, slope about y = +du/dz: standard beam block.
    auto beam = [&](int u1, int r1, int u2, int r2, double ei, double s) {
        const double k11 = 12 * ei / (l * l * l), k12 = s * 6 * ei / (l * l);
        const double b[4][4] = {{k11, k12, -k11, k12},
                                {k12, 4 * ei / l, -k12, 2 * ei / l},
                                {-k11, -k12, k11, -k12},
                                {k12, 2 * ei / l, -k12, 4 * ei / l}};
        const int d[4] = {u1, r1, u2, r2};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) K[d[i]][d[j]] += b[i][j];
    };
    beam(0, 4, 6, 10, e * ixx, 1.0);   // ux with rotation about y
    beam(1, 3, 7, 9, e * iyy, -1.0);   // uy with rotation about x (opposite sense)
    const double ax = e * a / l, t = g * kt / l;
    K[2][2] += ax, K[8][8] += ax, K[2][8] -= ax, K[8][2] -= ax;
    K[5][5] += t, K[11][11] += t, K[5][11] -= t, K[11][5] -= t;
}

struct Frame {
    Model model;
    std::vector<double> dense_disp;  // by input node, 6 per node
};

Frame random_frame(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    Frame fr;
    Model& m = fr.model;
    const int nodes = 4 + static_cast<int>(rng() % 14);
    for (int k = 0; k < nodes; ++k) {
        // Every third node straight above or below its predecessor, so that
        // members along +Y and -Y occur.
        if (k > 0 && k % 3 == 0) {
            const auto& p = m.nodes.back();
            m.add_node(p.x, p.y + (rng() % 2 ? 150.0 : -150.0), p.z);
        } else {
            m.add_node(std::round(u(rng) * 600), std::round(u(rng) * 600), std::round(u(rng) * 600));
        }
    }
    m.sections = {{1728, 900, 144, 2920}, {500, 2500, 120, 1200}, {3000, 3000, 200, 5000}};
    m.materials = {{80000, 0.3, 0.0005}, {100000, 0.25, 0.0006}, {70000, 0.35, 0.0004}};
    std::vector<int> degree(nodes + 1, 0);
    auto link = [&](int a, int b) {
        const int mte = 1 + static_cast<int>(rng() % 3);
        const double angle = (rng() % 2) ? 0.0 : std::round(u(rng) * 360 - 180);
        m.members.push_back({a, b, mte, angle, 1 + static_cast<int>(rng() % 5)});
        ++degree[a];
        ++degree[b];
    };
    for (int k = 2; k <= nodes; ++k) {
        int p = (k % 3 == 1) ? k - 1 : 1 + static_cast<int>(rng() % (k - 1));
        if (degree[p] >= 5) p = k - 1;
        if (rng() % 2) link(p, k); else link(k, p);
    }
    for (int extra = 0; extra < nodes / 2; ++extra) {
        int a = 1 + static_cast<int>(rng() % nodes), b = 1 + static_cast<int>(rng() % nodes);
        if (a == b || degree[a] >= 7 || degree[b] >= 7) continue;
        link(a, b);
    }
    m.fixes.push_back({1, "111111"});
    m.fixes.push_back({nodes, "111111"});
    if (nodes > 5) m.fixes.push_back({3, "101111"});
    for (int k = 2; k < nodes; ++k)
        if (rng() % 2)
            m.loads.push_back({k, {std::round(u(rng) * 2000 - 1000), std::round(u(rng) * 2000 - 1000),
                                   std::round(u(rng) * 2000 - 1000), 0, 0,
                                   std::round(u(rng) * 1e4)}});
    if (m.loads.empty()) m.loads.push_back({2, {100, 200, -300, 0, 0, 0}});

    // The dense reference in input numbering.
    const int n = 6 * nodes;
    Dense K{n, std::vector<double>(static_cast<std::size_t>(n) * n, 0.0)};
    for (const auto& mem : m.members) {
        const auto& a = m.nodes[mem.i - 1];
        const auto& b = m.nodes[mem.j - 1];
        const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        const double l = std::sqrt(dx * dx + dy * dy + dz * dz);
        const auto& sec = m.sections[mem.mte - 1];
        const auto& mat = m.materials[mem.mte - 1];
        double kl[12][12], R[3][3];
        local_k(mat[0], mat[0] / (2 * (1 + mat[1])), sec[0], sec[1], sec[2], sec[3], l, kl);
        axes(dx, dy, dz, mem.angle, R);
        // kg = T' kl T with T = diag(R, R, R, R).
        auto T = [&](int i, int j) { return (i / 3 == j / 3) ? R[i % 3][j % 3] : 0.0; };
        int dof[12];
        for (int k = 0; k < 6; ++k) {
            dof[k] = 6 * (mem.i - 1) + k;
            dof[6 + k] = 6 * (mem.j - 1) + k;
        }
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 12; ++j) {
                double v = 0;
                for (int p = 0; p < 12; ++p)
                    for (int q = 0; q < 12; ++q) v += T(p, i) * kl[p][q] * T(q, j);
                K.at(dof[i], dof[j]) += v;
            }
    }
    std::vector<double> F(n, 0.0);
    for (const auto& ld : m.loads)
        for (int k = 0; k < 6; ++k) F[6 * (ld.node - 1) + k] += ld.v[k];
    std::vector<char> fixed(n, 0);
    for (const auto& fx : m.fixes)
        for (int k = 0; k < 6 && k < static_cast<int>(fx.mode.size()); ++k)
            if (fx.mode[k] == '1') fixed[6 * (fx.node - 1) + k] = 1;
    std::vector<int> freedofs;
    for (int i = 0; i < n; ++i)
        if (!fixed[i]) freedofs.push_back(i);
    const int nf = static_cast<int>(freedofs.size());
    std::vector<double> a(static_cast<std::size_t>(nf) * nf), b(nf);
    for (int i = 0; i < nf; ++i) {
        b[i] = F[freedofs[i]];
        for (int j = 0; j < nf; ++j) a[i * nf + j] = K.at(freedofs[i], freedofs[j]);
    }
    // Gaussian elimination with partial pivoting.
    for (int k = 0; k < nf; ++k) {
        int p = k;
        for (int i = k + 1; i < nf; ++i)
            if (std::fabs(a[i * nf + k]) > std::fabs(a[p * nf + k])) p = i;
        for (int j = 0; j < nf; ++j) std::swap(a[k * nf + j], a[p * nf + j]);
        std::swap(b[k], b[p]);
        for (int i = k + 1; i < nf; ++i) {
            const double f = a[i * nf + k] / a[k * nf + k];
            for (int j = k; j < nf; ++j) a[i * nf + j] -= f * a[k * nf + j];
            b[i] -= f * b[k];
        }
    }
    for (int i = nf - 1; i >= 0; --i) {
        double sum = b[i];
        for (int j = i + 1; j < nf; ++j) sum -= a[i * nf + j] * b[j];
        b[i] = sum / a[i * nf + i];
    }
    fr.dense_disp.assign(n, 0.0);
    for (int i = 0; i < nf; ++i) fr.dense_disp[freedofs[i]] = b[i];
    return fr;
}

TEST(RandomFrames, DisplacementsMatchADenseSolutionAndReactionsBalance) {
    std::mt19937 rng(2024);
    int with_vertical = 0;
    for (int trial = 0; trial < 25; ++trial) {
        Frame fr = random_frame(rng);
        const Model& m = fr.model;
        auto s = testing::solve(m.text());
        ASSERT_EQ(s->instability_at, 0) << trial;
        ASSERT_TRUE(s->singular.empty()) << trial;
        double scale = 0;
        for (double v : fr.dense_disp) scale = std::max(scale, std::fabs(v));
        const int nodes = static_cast<int>(m.nodes.size());
        for (int k = 1; k <= nodes; ++k)
            for (int j = 0; j < 6; ++j)
                ASSERT_NEAR(testing::disp(*s, k, j), fr.dense_disp[6 * (k - 1) + j], 1e-9 * scale)
                    << "trial " << trial << " node " << k << " dof " << j;

        // Node equilibrium from the member end forces: at a free freedom the end
        // forces of the members meeting there add up to the applied load; over
        // the restrained ones they give the reactions, which with the loads
        // make no resultant force and no moment about the origin.
        std::vector<double> end_sum(6 * nodes, 0.0);
        for (int e = 1; e <= s->NEL; ++e) {
            const Member& mem = s->member[e];
            if (std::fabs(mem.dcos[1]) < 1e-12 && std::fabs(mem.dcos[4]) < 1e-12) ++with_vertical;
            auto f = forces(*s, e);
            const int ends[2] = {s->OLDNO[mem.iin], s->OLDNO[mem.jout]};
            for (int end = 0; end < 2; ++end)
                for (int blk = 0; blk < 2; ++blk)
                    for (int c = 0; c < 3; ++c) {
                        double g = 0;  // global component = sum over local axes
                        for (int r = 0; r < 3; ++r) g += mem.dcos[3 * r + c] * f[6 * end + 3 * blk + r];
                        end_sum[6 * (ends[end] - 1) + 3 * blk + c] += g;
                    }
        }
        std::vector<double> applied(6 * nodes, 0.0);
        double fmax = 1.0;
        for (const auto& ld : m.loads)
            for (int j = 0; j < 6; ++j) {
                applied[6 * (ld.node - 1) + j] += ld.v[j];
                fmax = std::max(fmax, std::fabs(ld.v[j]));
            }
        std::vector<char> fixed(6 * nodes, 0);
        for (const auto& fx : m.fixes)
            for (int j = 0; j < 6; ++j)
                if (fx.mode[j] == '1') fixed[6 * (fx.node - 1) + j] = 1;
        double total[6] = {};
        for (int k = 0; k < nodes; ++k) {
            const auto& p = m.nodes[k];
            double r[6];
            for (int j = 0; j < 6; ++j) {
                const int g = 6 * k + j;
                if (!fixed[g]) {
                    ASSERT_NEAR(end_sum[g], applied[g], 1e-7 * fmax * 600) << trial;
                    r[j] = applied[g];
                } else {
                    r[j] = end_sum[g];  // load plus reaction at a support
                }
            }
            for (int j = 0; j < 3; ++j) total[j] += r[j];
            total[3] += r[3] + p.y * r[2] - p.z * r[1];
            total[4] += r[4] + p.z * r[0] - p.x * r[2];
            total[5] += r[5] + p.x * r[1] - p.y * r[0];
        }
        // The end forces at supports include the restrained loads, so the sum of
        // every node's share is the sum of the member end forces: zero.
        for (int j = 0; j < 6; ++j) EXPECT_NEAR(total[j], 0.0, 1e-6 * fmax * 600) << trial << " " << j;
    }
    EXPECT_GT(with_vertical, 0);
}

}  // namespace
}  // namespace veltosol
