// The hidden-line test on hand-made triangles, a box seen from many sides, and
// the fast routine against the plain one, line by line.
#include "views/hidden_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "views/display_modes.h"
#include "views/tests/test_support.h"

namespace tarvik::views {
namespace {

using testing::ScratchDir;
using testing::ScriptedMessages;

// A triangle in eye coordinates with its plane, wound to face the eye.
HiddenTriangle facing(Vec3 a, Vec3 b, Vec3 c) {
    for (int pass = 0; pass < 2; ++pass) {
        HiddenTriangle t{{a, b, c}, {}, 0.0};
        const Vec3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const Vec3 w{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        Vec3 n{u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const double r = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (double& x : n) x /= r;
        t.n = n;
        t.h = n[0] * a[0] + n[1] * a[1] + n[2] * a[2];
        if (t.h >= 0.0) return t;
        std::swap(b, c);
    }
    return {};
}

const HiddenTolerances kTol;

// A large square at depth 100 (two triangles), centred on the view axis.
std::vector<HiddenTriangle> wall(double z = 100.0) {
    return {facing({-50, -50, z}, {50, -50, z}, {50, 50, z}),
            facing({-50, -50, z}, {50, 50, z}, {-50, 50, z})};
}

std::vector<TempLine> lines_of(const std::vector<HiddenTriangle>& tris, Vec3 P, Vec3 Q) {
    std::vector<TempLine> out;
    hidden_segment(tris, P, Q, 0, kTol, out);
    return out;
}

TEST(HiddenSegment, EdgeInTheTrianglesPlaneStaysVisible) {
    const auto out = lines_of(wall(), {-20, -10, 100}, {30, 10, 100});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_FLOAT_EQ(out[0].xs, -0.2f);
    EXPECT_FLOAT_EQ(out[0].yl, 0.1f);
}

TEST(HiddenSegment, SegmentBehindIsDroppedWhole) {
    EXPECT_TRUE(lines_of(wall(), {-20, -10, 200}, {30, 10, 250}).empty());
}

TEST(HiddenSegment, SegmentInFrontIsKeptWhole) {
    EXPECT_EQ(lines_of(wall(), {-20, -10, 50}, {30, 10, 50}).size(), 1u);
}

TEST(HiddenSegment, SegmentPartlyBehindKeepsWhatShowsBesideTheWall) {
    // At depth 200 the wall covers |x| <= 1/2 * 200 / ... : projected |X| <= 0.5.
    const auto out = lines_of(wall(), {-200, 0, 200}, {200, 0, 200});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NEAR(out[0].xs, -1.0, 1e-6);
    EXPECT_NEAR(out[0].xl, -0.5, 1e-4);
    EXPECT_NEAR(out[1].xs, 0.5, 1e-4);
    EXPECT_NEAR(out[1].xl, 1.0, 1e-6);
}

TEST(HiddenSegment, TriangleTurnedAwayHidesNothing) {
    HiddenTriangle back = wall()[0];
    back.n = {-back.n[0], -back.n[1], -back.n[2]};
    back.h = -back.h;
    EXPECT_EQ(lines_of({back}, {-20, -10, 200}, {30, 10, 250}).size(), 1u);
}

TEST(HiddenSegment, PartsBehindTheEyeAreCutAway) {
    // From 10 cm behind the eye to 100 cm in front: only the front part shows.
    const auto out = lines_of({}, {0, 10, -10}, {0, 10, 100});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(out[0].ys, 10.0 / kNearClip, 1e-3);
    EXPECT_NEAR(out[0].yl, 0.1, 1e-6);
    EXPECT_TRUE(lines_of({}, {0, 10, -10}, {0, 10, -100}).empty());
}

// A model's hidden-line image through the files, by either routine.
std::vector<TempLine> image(const model::ModelStore& m, double rho, double theta, double phi,
                            HiddenLineMethod method, ViewParams* out_params = nullptr) {
    ScratchDir dir;
    ScriptedMessages msg;
    SolidModel s(dir.path());
    ViewParams p;
    p.Rho = rho;
    p.Theta = theta;
    p.Phi = phi;
    p.X0 = p.Y0 = p.Z0 = 0.0;
    ViewWindow w;
    w.W = 640;
    w.H = 480;
    EXPECT_EQ(build_hidden_image(s, m, p, w, msg, method), 0);
    EXPECT_TRUE(msg.shown.empty());
    if (out_params) *out_params = p;
    TempHeader h;
    std::vector<TempLine> lines;
    EXPECT_TRUE(read_temp_file(s.path(kTempFileName), h, lines));
    return lines;
}

TEST(HiddenImage, BoxShowsNineEdgesFromEverySide) {
    ScriptedMessages msg;
    model::ModelStore m;
    testing::add_member(m, msg, -50, 0, 0, 50, 0, 0, 100, 100);
    for (double theta : {15.0, 70.0, 130.0, -110.0})
        for (double phi : {30.0, 60.0, 120.0}) {
            const auto lines = image(m, 1000.0, theta, phi, HiddenLineMethod::kPlain);
            EXPECT_EQ(lines.size(), 9u) << theta << " " << phi;
        }
}

void expect_same(const std::vector<TempLine>& fast, const std::vector<TempLine>& plain,
                 const std::string& what) {
    ASSERT_EQ(fast.size(), plain.size()) << what;
    for (size_t i = 0; i < fast.size(); ++i) ASSERT_EQ(fast[i], plain[i]) << what << " line " << i;
}

// A space floor of nx x ny units with posts, chords and diagonals.
void space_frame(model::ModelStore& m, int nx, int ny, float unit, float depth) {
    ScriptedMessages msg;
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j) {
            const float x = i * unit, y = j * unit;
            if (i < nx) testing::add_member(m, msg, x, y, depth, x + unit, y, depth, 12, 12);
            if (j < ny) testing::add_member(m, msg, x, y, depth, x, y + unit, depth, 12, 12);
            if (i < nx) testing::add_member(m, msg, x, y, 0, x + unit, y, 0, 10, 10);
            if (j < ny) testing::add_member(m, msg, x, y, 0, x, y + unit, 0, 10, 10);
            testing::add_member(m, msg, x, y, 0, x, y, depth, 12, 12);
            if (i < nx && j < ny)
                testing::add_member(m, msg, x, y, 0, x + unit, y + unit, depth, 9, 9);
        }
}

TEST(FastAgainstPlain, GeneratedFramesFromManyAngles) {
    model::ModelStore m;
    space_frame(m, 4, 3, 90.0f, 45.0f);
    const double views[][3] = {{4000, 20, 70},  {4000, 200, 40}, {1500, -60, 85},
                               {800, 45, 10},   {3000, 90, 90},  {2500, 0, 0},
                               {600, 135, 120}, {200, 30, 60},   {50, 10, 80}};
    for (const auto& v : views) {
        const auto plain = image(m, v[0], v[1], v[2], HiddenLineMethod::kPlain);
        const auto fast = image(m, v[0], v[1], v[2], HiddenLineMethod::kFast);
        expect_same(fast, plain,
                    "rho " + std::to_string(v[0]) + " theta " + std::to_string(v[1]) + " phi " +
                        std::to_string(v[2]));
    }
}

TEST(FastAgainstPlain, RandomMemberSoupsFromManyAngles) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<float> coord(-300.0f, 300.0f);
    std::uniform_real_distribution<float> size(2.0f, 40.0f);
    std::uniform_real_distribution<double> theta(-180.0, 180.0), phi(0.0, 180.0);
    std::uniform_real_distribution<double> rho(100.0, 5000.0);
    for (int soup = 0; soup < 12; ++soup) {
        ScriptedMessages msg;
        model::ModelStore m;
        const int members = 20 + soup * 8;
        for (int i = 0; i < members; ++i) {
            const float xs = coord(rng), ys = coord(rng), zs = coord(rng);
            // Some members are axis-aligned or vertical, where faces meet exactly.
            float xl = coord(rng), yl = coord(rng), zl = coord(rng);
            if (i % 5 == 1) yl = ys, zl = zs;
            if (i % 5 == 2) xl = xs, yl = ys;
            testing::add_member(m, msg, xs, ys, zs, xl, yl, zl, size(rng), size(rng));
        }
        for (int view = 0; view < 6; ++view) {
            const double r = view == 5 ? 150.0 : rho(rng), t = theta(rng), f = phi(rng);
            const auto plain = image(m, r, t, f, HiddenLineMethod::kPlain);
            const auto fast = image(m, r, t, f, HiddenLineMethod::kFast);
            expect_same(fast, plain,
                        "soup " + std::to_string(soup) + " rho " + std::to_string(r) + " theta " +
                            std::to_string(t) + " phi " + std::to_string(f));
        }
    }
}

}  // namespace
}  // namespace tarvik::views
