// The hidden-line test on hand-made triangles, a box seen from many sides, and
// the fast routine against the plain one, line by line.
#include "render/hidden_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/tests/hidden_image_run.h"

namespace tarvik::render {
namespace {

using testing::ScriptedMessages;
using testing::TempDir;

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
    std::vector<TempLine> lines;
    testing::with_hidden_image(m, testing::eye_at(rho, theta, phi), method,
                               [&](const SolidModel& s, const ViewParams& p) {
                                   if (out_params) *out_params = p;
                                   TempHeader h;
                                   EXPECT_TRUE(read_temp_file(s.path(kTempFileName), h, lines));
                               });
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


// A triangle in eye coordinates with its plane as the view file gives it,
// facing whichever way its winding says.
HiddenTriangle as_wound(Vec3 a, Vec3 b, Vec3 c) {
    HiddenTriangle t{{a, b, c}, {}, 0.0};
    const Vec3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const Vec3 w{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    Vec3 n{u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
    const double r = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (double& x : n) x /= r;  // no plane at all (NaN) for a triangle without area
    t.n = n;
    t.h = n[0] * a[0] + n[1] * a[1] + n[2] * a[2];
    return t;
}

// Scenes the generated models seldom make: needle and sliver triangles,
// triangles without area, triangles seen edge-on, triangles and edges reaching
// the eye or behind it, edges steep in depth, edges that are triangle sides or
// lie in a triangle's plane. The fast routine must still give the plain
// routine's lines, one for one.
TEST(FastAgainstPlain, AwkwardTrianglesAndEdges) {
    std::mt19937 rng(7321);
    std::uniform_real_distribution<double> uni(-1.0, 1.0), depth(20.0, 400.0), pick(0.0, 1.0);
    auto point = [&](double z) { return Vec3{uni(rng) * z * 0.5, uni(rng) * z * 0.5, z}; };
    // A point within a fifth of its depth of p.
    auto near = [&](const Vec3& p) {
        const double r = 0.2 * p[2];
        return Vec3{p[0] + uni(rng) * r, p[1] + uni(rng) * r, p[2] + uni(rng) * r};
    };
    auto mix = [](const Vec3& a, const Vec3& b, double t) {
        return Vec3{a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])};
    };
    for (int scene = 0; scene < 16; ++scene) {
        // Things at the eye make the fast routine fall back on testing
        // everything; half the scenes keep clear of it.
        const bool at_eye = scene % 2 == 1;
        std::vector<HiddenTriangle> tris;
        std::vector<VectRecord> edges;
        auto add_edge = [&](const Vec3& a, const Vec3& b) {
            edges.push_back({a[0], a[1], a[2], b[0], b[1], b[2]});
        };
        for (int i = 0; i < 160; ++i) {
            const Vec3 a = point(depth(rng));
            Vec3 b = near(a), c = near(a);
            switch (i % 8) {
                case 1:  // needle: c a hair from b
                    c = mix(b, c, 1e-7);
                    break;
                case 2:  // sliver: c almost on a-b
                    c = mix(mix(a, b, 0.3), c, 1e-6);
                    break;
                case 3:  // no area at all
                    c = mix(a, b, 0.5);
                    break;
                case 4:  // seen edge-on: the plane passes through the eye
                    c = {b[0] * 1.7, b[1] * 1.7, b[2] * 1.7};
                    break;
                case 5:  // reaching behind the eye
                    if (at_eye) c = {c[0], c[1], -c[2] * pick(rng)};
                    break;
                case 6:  // a corner right at the eye's depth floor
                    if (at_eye) c = {c[0] * 0.01, c[1] * 0.01, 0.5 + pick(rng)};
                    break;
                default:
                    break;
            }
            tris.push_back(i % 2 ? as_wound(a, b, c) : facing(a, b, c));
            const HiddenTriangle& t = tris.back();
            // Its sides are edges too, as in the view files.
            add_edge(t.E[0], t.E[1]);
            if (i % 3 == 0) add_edge(t.E[1], t.E[2]);
            // An edge in its plane, inside it.
            if (i % 5 == 0) add_edge(mix(t.E[0], t.E[1], 0.25), mix(t.E[0], t.E[2], 0.75));
        }
        for (int i = 0; i < 240; ++i) {
            Vec3 a = point(depth(rng)), b = i % 2 ? near(a) : point(depth(rng));
            if (at_eye && i % 6 == 1) b = {b[0], b[1], -b[2]};  // through the eye's plane
            if (i % 6 == 2) b = {a[0] * 3.0, a[1] * 3.0, a[2] * 3.0 + 600.0};  // steep
            if (at_eye && i % 6 == 3) a = {a[0] * 0.001, a[1] * 0.001, 0.01};  // at the eye
            if (i % 6 == 4) b = mix(a, b, 1e-9);                     // almost a point
            add_edge(a, b);
        }
        const auto plain = hidden_lines(tris, edges, kTol, HiddenLineMethod::kPlain);
        const auto fast = hidden_lines(tris, edges, kTol, HiddenLineMethod::kFast);
        expect_same(fast, plain, "scene " + std::to_string(scene));
    }
}

// Enough edges to be shared among workers, some of them tested against every
// triangle (reaching the eye), and runs of them whose ends cross the runs
// handed out: any number of workers gives the plain routine's lines.
TEST(FastAgainstPlain, AnyNumberOfWorkersGivesTheSameLines) {
    std::mt19937 rng(40417);
    std::uniform_real_distribution<double> uni(-1.0, 1.0), depth(30.0, 600.0);
    auto point = [&](double z) { return Vec3{uni(rng) * z * 0.4, uni(rng) * z * 0.4, z}; };
    std::vector<HiddenTriangle> tris;
    std::vector<VectRecord> edges;
    while (tris.size() < 700) {
        const Vec3 a = point(depth(rng));
        const double r = 0.1 * a[2];
        const Vec3 b{a[0] + r * uni(rng), a[1] + r * uni(rng), a[2] + r * uni(rng)};
        const Vec3 c{a[0] + r * uni(rng), a[1] + r * uni(rng), a[2] + r * uni(rng)};
        tris.push_back(facing(a, b, c));
        const HiddenTriangle& t = tris.back();
        for (int k = 0; k < 3; ++k) {
            const Vec3& p = t.E[k];
            const Vec3& q = t.E[(k + 1) % 3];
            edges.push_back({p[0], p[1], p[2], q[0], q[1], q[2]});
        }
    }
    for (int i = 0; i < 1500; ++i) {
        const Vec3 a = point(depth(rng));
        Vec3 b = point(depth(rng));
        if (i % 97 == 0) b = {b[0] * 0.001, b[1] * 0.001, 0.05};  // at the eye
        edges.push_back({a[0], a[1], a[2], b[0], b[1], b[2]});
    }
    const auto plain = hidden_lines(tris, edges, kTol, HiddenLineMethod::kPlain);
    ASSERT_GT(plain.size(), edges.size() / 2);
    for (unsigned workers : {1u, 2u, 3u, 8u}) {
        const auto fast = hidden_lines(tris, edges, kTol, HiddenLineMethod::kFast, workers);
        expect_same(fast, plain, "workers " + std::to_string(workers));
    }
    EXPECT_GE(hidden_line_workers(), 1u);
    EXPECT_LE(hidden_line_workers(), static_cast<unsigned>(kMaxHiddenLineWorkers));
}

// View files much larger than the reader's block, with a torn last edge
// record: the image through the files is the one of the records themselves.
TEST(MakePers, LargeViewFilesGiveTheImageOfTheirRecords) {
    std::mt19937 rng(5517);
    std::uniform_real_distribution<double> uni(-1.0, 1.0), pick(0.0, 1.0);
    auto point = [&](double z) { return Vec3{uni(rng) * z * 0.3, uni(rng) * z * 0.3, z}; };
    // Small triangles far off; edges mostly in front of them, every tenth
    // reaching behind, so that most lines stay whole and some are cut.
    std::vector<HiddenTriangle> tris;
    while (tris.size() < 1000) {
        const Vec3 a = point(300.0 + 100.0 * pick(rng));
        const Vec3 b{a[0] + 5.0 * uni(rng), a[1] + 5.0 * uni(rng), a[2] + 5.0 * uni(rng)};
        const Vec3 c{a[0] + 5.0 * uni(rng), a[1] + 5.0 * uni(rng), a[2] + 5.0 * uni(rng)};
        const HiddenTriangle t = facing(a, b, c);
        if (t.h > 0.0) tris.push_back(t);
    }
    std::vector<VectRecord> edges;
    for (int i = 0; i < 14500; ++i) {
        const Vec3 P = point(20.0 + 180.0 * pick(rng));
        const Vec3 Q = point(i % 10 == 0 ? 450.0 : 20.0 + 180.0 * pick(rng));
        edges.push_back({P[0], P[1], P[2], Q[0], Q[1], Q[2]});
    }

    TempDir dir;
    SolidModel s(dir.path());
    {
        std::ofstream view(s.path(kViewFileName), std::ios::binary);
        for (size_t i = 0; i < tris.size(); ++i) {
            ViewTriangle v;
            v.trio.no = static_cast<int32_t>(i + 1);
            for (int k = 0; k < 3; ++k)
                for (int d = 0; d < 3; ++d) v.eye[k][d] = tris[i].E[k][d];
            v.a = tris[i].n[0];
            v.b = tris[i].n[1];
            v.c = tris[i].n[2];
            v.h = tris[i].h;
            const TrioRecord r = encode_view(v);
            view.write(reinterpret_cast<const char*>(r.data()),
                       static_cast<std::streamsize>(r.size()));
        }
        std::ofstream vect(s.path(kVectFileName), std::ios::binary);
        for (const VectRecord& e : edges) {
            const VectBytes b = encode_vect(e);
            vect.write(reinterpret_cast<const char*>(b.data()),
                       static_cast<std::streamsize>(b.size()));
        }
        vect.write("torn record", 11);
    }
    const ViewParams p;
    const std::vector<TempLine> expected =
        hidden_lines(tris, edges, tolerances_of(p), HiddenLineMethod::kPlain);
    ASSERT_GT(expected.size(), 13500u);  // more lines than one block holds
    for (HiddenLineMethod method : {HiddenLineMethod::kFast, HiddenLineMethod::kPlain}) {
        // A longer "TEMP.DAT" of an earlier image is written over and cut.
        std::ofstream(s.path(kTempFileName), std::ios::binary)
            << std::string(kTempHeaderSize + 16 * expected.size() + 4099, '\xff');
        ScriptedMessages msg;
        ViewWindow w;
        ASSERT_EQ(make_pers(w, nullptr, s, p, msg, method), 0);
        EXPECT_TRUE(msg.shown.empty());
        EXPECT_EQ(std::filesystem::file_size(s.path(kTempFileName)),
                  kTempHeaderSize + kTempLineSize * expected.size());
        TempHeader h;
        std::vector<TempLine> lines;
        ASSERT_TRUE(read_temp_file(s.path(kTempFileName), h, lines));
        expect_same(lines, expected, method == HiddenLineMethod::kFast ? "fast" : "plain");
    }
}

// Files large enough to be read by several workers: a record that cannot be
// drawn refuses its file, and the message names the first such record,
// whatever the number of workers and the routine.
TEST(MakePers, LargeFilesNameTheirFirstBadRecordWhateverTheWorkers) {
    const int kRecords = 9000;  // more than two workers' shares
    struct Case {
        const char* file;
        int first_bad, second_bad;  // record numbers, from 1
    };
    for (const Case& k : {Case{kViewFileName, 7001, 8001}, Case{kVectFileName, 6001, 8501},
                          Case{kVectFileName, 3, 8999}}) {
        TempDir dir;
        SolidModel s(dir.path());
        {
            std::ofstream view(s.path(kViewFileName), std::ios::binary);
            std::ofstream vect(s.path(kVectFileName), std::ios::binary);
            for (int i = 1; i <= kRecords; ++i) {
                const double x = (i % 97) * 3.0, y = (i / 97) * 3.0;
                const bool bad = i == k.first_bad || i == k.second_bad;
                const HiddenTriangle t = facing({x, y, 500}, {x + 2, y, 500}, {x, y + 2, 500});
                ViewTriangle v;
                v.trio.no = i;
                for (int c = 0; c < 3; ++c)
                    for (int d = 0; d < 3; ++d) v.eye[c][d] = t.E[c][d];
                if (bad && k.file == kViewFileName) v.eye[1][0] = 1e30;
                v.a = t.n[0];
                v.b = t.n[1];
                v.c = t.n[2];
                v.h = t.h;
                const TrioRecord r = encode_view(v);
                view.write(reinterpret_cast<const char*>(r.data()),
                           static_cast<std::streamsize>(r.size()));
                const VectRecord e{x + 1, y - 1, 300, x + 1, y + 3,
                                   bad && k.file == kVectFileName ? 1e30 : 700};
                const VectBytes b = encode_vect(e);
                vect.write(reinterpret_cast<const char*>(b.data()),
                           static_cast<std::streamsize>(b.size()));
            }
        }
        const ViewParams p;
        const ViewWindow w;
        for (unsigned workers : {1u, 2u, 3u}) {
            for (HiddenLineMethod method : {HiddenLineMethod::kFast, HiddenLineMethod::kPlain}) {
                std::ofstream(s.path(kTempFileName), std::ios::binary) << std::string(999, 'x');
                ScriptedMessages msg;
                EXPECT_EQ(make_pers(w, nullptr, s, p, msg, method, nullptr, workers), -1);
                // The image of the refused files holds no line, as before.
                EXPECT_EQ(std::filesystem::file_size(s.path(kTempFileName)), kTempHeaderSize);
                EXPECT_EQ(msg.shown,
                          std::vector<std::string>{bad_record_message(s.path(k.file), k.first_bad)})
                    << k.file << " " << workers << " workers";
            }
        }
    }
}

}  // namespace
}  // namespace tarvik::render
