#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "solver.h"

namespace veltosol {
namespace {

// One member from the origin to (dx, dy, dz), section and material row 1.
std::unique_ptr<Solver> one_member(double dx, double dy, double dz, double angle = 0.0) {
    auto s = std::make_unique<Solver>();
    s->NOD = 2;
    s->NEL = 1;
    s->node[1] = {};
    s->node[2].x = dx;
    s->node[2].y = dy;
    s->node[2].z = dz;
    s->member[1].iin = 1;
    s->member[1].jout = 2;
    s->member[1].mte = 1;
    s->member[1].angle = angle;
    s->n_shape = s->n_material = 1;
    s->section[1] = {1728.0, 800.0, 144.0, 2000.0};
    s->material[1] = {80000.0, 0.3, 0.0005};
    DRCCOS(*s);
    return s;
}

struct AxesCase {
    const char* what;
    double dx, dy, dz, angle;
    std::array<double, 9> expected;  // XB, YB, ZB
};

class MemberAxes : public ::testing::TestWithParam<AxesCase> {};

TEST_P(MemberAxes, DirectionCosines) {
    const AxesCase& c = GetParam();
    auto s = one_member(c.dx, c.dy, c.dz, c.angle);
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(s->member[1].dcos[k], c.expected[k], 1e-12) << k;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MemberAxes,
    ::testing::Values(
        AxesCase{"along +X", 300, 0, 0, 0, {0, 0, -1, 0, 1, 0, 1, 0, 0}},
        AxesCase{"along +Y", 0, 250, 0, 0, {0, 0, 1, 1, 0, 0, 0, 1, 0}},
        AxesCase{"along -Y", 0, -250, 0, 0, {0, 0, -1, 1, 0, 0, 0, -1, 0}},
        AxesCase{"along +Z", 0, 0, 90, 0, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
        AxesCase{"along +X, angle 90", 300, 0, 0, 90, {0, 1, 0, 0, 0, 1, 1, 0, 0}},
        // Nearly vertical: |dX| and |dZ| below 1e-10 take the Y branch.
        AxesCase{"almost +Y", 5e-11, 100, -5e-11, 0, {0, 0, 1, 1, 0, 0, 0, 1, 0}},
        AxesCase{"along +Y, angle 90", 0, 100, 0, 90, {1, 0, 0, 0, 0, -1, 0, 1, 0}}),
    [](const auto& info) {
        std::string n;
        for (const char* p = info.param.what; *p; ++p) {
            if (*p == '+') n += "plus";
            else if (*p == '-') n += "minus";
            else if (std::isalnum(static_cast<unsigned char>(*p))) n += *p;
        }
        return n;
    });

TEST(MemberAxes, AlwaysRightHandedAndOrthonormal) {
    const double dirs[][3] = {{1, 2, 3}, {-4, 0.5, 2}, {0, -3, 1}, {2, 0, -2}, {1e-3, 5, 0}};
    for (const auto& d : dirs)
        for (double angle : {0.0, 17.0, -123.0}) {
            auto s = one_member(d[0], d[1], d[2], angle);
            const auto& c = s->member[1].dcos;
            const double* x = &c[0];
            const double* y = &c[3];
            const double* z = &c[6];
            auto dot = [](const double* a, const double* b) {
                return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
            };
            EXPECT_NEAR(dot(x, x), 1, 1e-12);
            EXPECT_NEAR(dot(y, y), 1, 1e-12);
            EXPECT_NEAR(dot(x, y), 0, 1e-12);
            EXPECT_NEAR(dot(x, z), 0, 1e-12);
            // x cross y = z
            EXPECT_NEAR(x[1] * y[2] - x[2] * y[1], z[0], 1e-12);
            EXPECT_NEAR(x[2] * y[0] - x[0] * y[2], z[1], 1e-12);
            EXPECT_NEAR(x[0] * y[1] - x[1] * y[0], z[2], 1e-12);
            if (angle == 0.0 && (std::fabs(d[0]) > 0 || std::fabs(d[2]) > 0)) {
                EXPECT_NEAR(x[1], 0.0, 1e-12);  // x perpendicular to global Y
                EXPECT_GE(y[1], 0.0);           // y leans up towards +Y
            }
        }
}

TEST(MemberStiffness, SymmetricInLocalAndGlobalAxes) {
    auto s = one_member(120, -80, 200, 30);
    Mat12 local, global;
    ELMAT(*s, 1, ElmatOption::kLocalAxes, local);
    ELMAT(*s, 1, ElmatOption::kGlobalAxes, global);
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) {
            EXPECT_EQ(local[12 * i + j], local[12 * j + i]);
            EXPECT_NEAR(global[12 * i + j], global[12 * j + i], 1e-9 * std::fabs(global[12 * i + i]));
        }
}

TEST(MemberStiffness, RigidBodyMotionGivesNoForce) {
    auto s = one_member(120, -80, 200, 30);
    Mat12 K;
    ELMAT(*s, 1, ElmatOption::kGlobalAxes, K);
    const double xi = 0, yi = 0, zi = 0, xj = 120, yj = -80, zj = 200;
    // Translation (1, -2, 3) plus a small rotation w = (0.01, 0.02, -0.03).
    const double t[3] = {1, -2, 3}, w[3] = {0.01, 0.02, -0.03};
    auto node_motion = [&](double x, double y, double z, double* u) {
        u[0] = t[0] + w[1] * z - w[2] * y;
        u[1] = t[1] + w[2] * x - w[0] * z;
        u[2] = t[2] + w[0] * y - w[1] * x;
        u[3] = w[0];
        u[4] = w[1];
        u[5] = w[2];
    };
    double u[12];
    node_motion(xi, yi, zi, u);
    node_motion(xj, yj, zj, u + 6);
    double scale = 0;
    for (int i = 0; i < 144; ++i) scale = std::max(scale, std::fabs(K[i]));
    for (int i = 0; i < 12; ++i) {
        double f = 0;
        for (int j = 0; j < 12; ++j) f += K[12 * i + j] * u[j];
        EXPECT_NEAR(f, 0.0, 1e-9 * scale) << "row " << i;
    }
}

TEST(MemberStiffness, CouplingSignsOfTheTwoBendingPlanes) {
    auto s = one_member(300, 0, 0);
    Mat12 K;
    ELMAT(*s, 1, ElmatOption::kLocalAxes, K);
    const double E = 80000, L = 300;
    // Ixx couples translation along x with rotation about y positively.
    EXPECT_NEAR(K[12 * 0 + 4], 6 * E * 1728 / (L * L), 1e-9);
    EXPECT_NEAR(K[12 * 0 + 0], 12 * E * 1728 / (L * L * L), 1e-9);
    // Iyy couples translation along y with rotation about x negatively.
    EXPECT_NEAR(K[12 * 1 + 3], -6 * E * 800 / (L * L), 1e-9);
    EXPECT_NEAR(K[12 * 2 + 8], -E * 144 / L, 1e-9);
    EXPECT_NEAR(K[12 * 5 + 5], 80000 / 2.6 * 2000 / L, 1e-9);
}

TEST(MemberStiffness, DependsOnlyOnTheMaterialNumber) {
    auto s = one_member(100, 50, 20);
    s->n_shape = s->n_material = 2;
    s->section[2] = {1.0, 2.0, 3.0, 4.0};
    s->material[2] = {1.0, 0.1, 0.0};
    Mat12 a, b;
    s->member[1].shape = 1;
    ELMAT(*s, 1, ElmatOption::kGlobalAxes, a);
    s->member[1].shape = 7;
    ELMAT(*s, 1, ElmatOption::kGlobalAxes, b);
    EXPECT_EQ(a, b);
    s->member[1].mte = 2;
    ELMAT(*s, 1, ElmatOption::kGlobalAxes, b);
    EXPECT_NE(a, b);
}

TEST(Transformation, TransTakesKToGlobalAxesAndEdispBack) {
    auto s = one_member(-60, 90, 45, 20);
    Mat12 T, K, G, W, check;
    DECTM(*s, 1, T);
    ELMAT(*s, 1, ElmatOption::kLocalAxes, K);
    ELMAT(*s, 1, ElmatOption::kGlobalAxes, G);
    MXMLT(T, K, W, MxmltFlag::kTransposeA);
    MXMLT(W, T, check, MxmltFlag::kPlain);
    for (int i = 0; i < 144; ++i) EXPECT_NEAR(G[i], check[i], 1e-9 * std::fabs(K[0]) + 1e-12);

    // T is orthogonal: T' T = I.
    Mat12 I;
    MXMLT(T, T, I, MxmltFlag::kTransposeA);
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) EXPECT_NEAR(I[12 * i + j], i == j ? 1.0 : 0.0, 1e-12);

    // EDISP with option 1 turns global end displacements into local ones, with
    // any other option back again.
    std::vector<double> D(13);
    for (int g = 1; g <= 12; ++g) D[g] = 0.1 * g - 0.3;
    Vec12 local, back;
    EDISP(*s, 1, D.data(), local, EdispOption::kToMemberAxes);
    for (int i = 0; i < 12; ++i) {
        double v = 0;
        for (int j = 0; j < 12; ++j) v += T[12 * i + j] * D[j + 1];
        EXPECT_NEAR(local[i], v, 1e-12);
    }
    std::vector<double> L(13);
    for (int i = 0; i < 12; ++i) L[i + 1] = local[i];
    EDISP(*s, 1, L.data(), back, EdispOption::kTransposed);
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(back[i], D[i + 1], 1e-12);
}

}  // namespace
}  // namespace veltosol
