// The images checked against what the eye sees, worked out here on their own:
// points along every drawn line and along the parts of every edge left out
// are judged by casting a ray from the eye to them through every triangle of
// the view file. Nothing of the hidden-line routines is used for the verdict.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "generator/basic_data.h"
#include "generator/generator.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/tests/hidden_image_run.h"
#include "render/hidden_line.h"
#include "render/solid.h"
#include "render/tests/test_support.h"
#include "render/trio_file.h"
#include "ui/message_service.h"

namespace tarvik::render {
namespace {

using testing::ScriptedMessages;
using testing::TempDir;

using P3 = std::array<double, 3>;
struct P2 {
    double x, y;
};

P3 sub(const P3& a, const P3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
P3 lerp(const P3& a, const P3& b, double t) {
    return {a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])};
}
double dot3(const P3& a, const P3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
P3 cross3(const P3& a, const P3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double norm3(const P3& a) { return std::sqrt(dot3(a, a)); }
P2 project(const P3& p) { return {p[0] / p[2], p[1] / p[2]}; }

// What the files hold, in eye coordinates (eye at the origin, looking along +z).
struct Scene {
    std::vector<std::array<P3, 3>> tris;
    std::vector<std::array<P3, 2>> edges;
    std::vector<TempLine> lines;
};

// The triangles, edges and lines of the image files of s.
void read_scene(const SolidModel& s, Scene& sc) {
    std::ifstream view(s.path(kViewFileName), std::ios::binary);
    TrioRecord r;
    while (view.read(reinterpret_cast<char*>(r.data()), static_cast<std::streamsize>(r.size()))) {
        const ViewTriangle t = decode_view(r);
        sc.tris.push_back({P3{t.eye[0][0], t.eye[0][1], t.eye[0][2]},
                           P3{t.eye[1][0], t.eye[1][1], t.eye[1][2]},
                           P3{t.eye[2][0], t.eye[2][1], t.eye[2][2]}});
    }
    std::ifstream vect(s.path(kVectFileName), std::ios::binary);
    VectBytes b;
    while (vect.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()))) {
        const VectRecord e = decode_vect(b);
        sc.edges.push_back({P3{e.xs, e.ys, e.zs}, P3{e.xl, e.yl, e.zl}});
    }
    TempHeader h;
    EXPECT_TRUE(read_temp_file(s.path(kTempFileName), h, sc.lines));
}

// The hidden-line image of m as the program makes it, read back from the files.
Scene hidden_scene(const model::ModelStore& m, double rho, double theta, double phi, double x0,
                   double y0, double z0) {
    Scene sc;
    testing::with_hidden_image(m, testing::eye_at(rho, theta, phi, x0, y0, z0),
                               HiddenLineMethod::kFast,
                               [&](const SolidModel& s, const ViewParams&) { read_scene(s, sc); });
    return sc;
}

// The ray from the eye to a point against one triangle.
enum class Ray { kMisses, kBlocked, kPierced, kUnsure };

// Judges the triangles that lie between the eye and points, each on its own:
// its projection (is the point's image inside, by a margin?) and its plane
// (does the plane cross the ray before the point, by a margin?). A point
// lying on a face (its own member's, or another's flush with it) is not
// hidden by it, as the eye sees a line drawn on a surface.
class RayCaster {
  public:
    explicit RayCaster(const Scene& sc) {
        double ext = 0.0;
        for (const auto& t : sc.tris) {
            Tri r;
            for (int k = 0; k < 3; ++k) {
                EXPECT_GT(t[k][2], 1.0) << "views are chosen with the eye outside the model";
                r.v[k] = project(t[k]);
                ext = std::max({ext, std::fabs(r.v[k].x), std::fabs(r.v[k].y)});
            }
            r.a = t[0];
            r.n = cross3(sub(t[1], t[0]), sub(t[2], t[0]));
            // The files wind each face so that its outer side sees
            // E0 . (E1 x E2) >= 0, that is n . E0 >= 0.
            r.front = dot3(r.n, t[0]) >= 0.0;
            const double len = norm3(r.n);
            if (!(len > 0.0)) continue;
            for (double& c : r.n) c /= len;
            // Inward normals of the projected sides, scaled to distances.
            const double area = (r.v[1].x - r.v[0].x) * (r.v[2].y - r.v[0].y) -
                                (r.v[2].x - r.v[0].x) * (r.v[1].y - r.v[0].y);
            if (std::fabs(area) < 1e-14) continue;  // seen edge-on: hides nothing
            for (int k = 0; k < 3; ++k) {
                const P2 a = r.v[k], b = r.v[(k + 1) % 3];
                const double dx = b.x - a.x, dy = b.y - a.y, l = std::hypot(dx, dy);
                const double s = area > 0.0 ? 1.0 : -1.0;
                r.side[k] = {-dy * s / l, dx * s / l, (dy * a.x - dx * a.y) * s / l};
            }
            tris_.push_back(r);
        }
        scale_ = std::max(ext, 1e-9);
        margin_ = 2e-6 * scale_;
        // A uniform grid over the projected boxes.
        x0_ = y0_ = HUGE_VAL;
        double x1 = -HUGE_VAL, y1 = -HUGE_VAL;
        for (const Tri& t : tris_)
            for (const P2& v : t.v) {
                x0_ = std::min(x0_, v.x);
                y0_ = std::min(y0_, v.y);
                x1 = std::max(x1, v.x);
                y1 = std::max(y1, v.y);
            }
        cell_ = std::max(x1 - x0_, y1 - y0_) / kCells + 1e-12;
        cells_.assign(kCells * kCells, {});
        for (size_t i = 0; i < tris_.size(); ++i) {
            const Tri& t = tris_[i];
            const double bx0 = std::min({t.v[0].x, t.v[1].x, t.v[2].x}) - margin_;
            const double by0 = std::min({t.v[0].y, t.v[1].y, t.v[2].y}) - margin_;
            const double bx1 = std::max({t.v[0].x, t.v[1].x, t.v[2].x}) + margin_;
            const double by1 = std::max({t.v[0].y, t.v[1].y, t.v[2].y}) + margin_;
            for (int cx = cell(bx0, x0_); cx <= cell(bx1, x0_); ++cx)
                for (int cy = cell(by0, y0_); cy <= cell(by1, y0_); ++cy)
                    cells_[static_cast<size_t>(cx * kCells + cy)].push_back(i);
        }
    }

    double scale() const { return scale_; }
    // What the eye sees of point S of edge P-Q. kBlocked when a face turned
    // to the eye surely hides it; kPierced when the only faces that surely
    // hide it are faces the edge passes through (see check_scene); kMisses
    // when nothing can; else kUnsure.
    Ray cast(const P3& S, const P3& P, const P3& Q) const {
        const P2 s = project(S);
        const double depth = norm3(S);
        bool unsure = false, pierced = false;
        for (size_t i : cells_[static_cast<size_t>(cell(s.x, x0_) * kCells + cell(s.y, y0_))]) {
            const Tri& t = tris_[i];
            double inside = HUGE_VAL;
            for (const auto& e : t.side) inside = std::min(inside, e[0] * s.x + e[1] * s.y + e[2]);
            if (inside < -margin_) continue;
            // Distance of S beyond the plane, seen from the eye (the eye's
            // side negative), in cm.
            const double hA = dot3(t.n, t.a);
            const double beyond = hA >= 0.0 ? dot3(t.n, S) - hA : hA - dot3(t.n, S);
            if (beyond < 1e-7 * depth + 1e-6) continue;  // in front of it or on it
            // Faces are seen from their outer side only; a face turned away
            // lies behind the front of its own closed box, which hides
            // instead: it alone decides nothing.
            if (beyond < 1e-4 * depth + 0.01 || inside < margin_ || !t.front) {
                unsure = true;
                continue;
            }
            if (!pierces(P, Q, t)) return Ray::kBlocked;
            pierced = true;
        }
        return pierced ? Ray::kPierced : unsure ? Ray::kUnsure : Ray::kMisses;
    }

  private:
    struct Tri {
        P2 v[3];
        P3 a, n;
        std::array<double, 3> side[3];
        bool front;  // the eye sees its outer side
    };

    // True when segment P-Q passes through the triangle away from its sides:
    // the routines may then keep the part of it just behind the face.
    bool pierces(const P3& P, const P3& Q, const Tri& t) const {
        const double dP = dot3(t.n, sub(P, t.a)), dQ = dot3(t.n, sub(Q, t.a));
        if (!(dP * dQ < 0.0)) return false;
        const P2 x = project(lerp(P, Q, dP / (dP - dQ)));
        for (const auto& e : t.side)
            if (e[0] * x.x + e[1] * x.y + e[2] < -margin_) return false;
        return true;
    }
    static constexpr int kCells = 64;
    int cell(double v, double origin) const {
        return std::clamp(static_cast<int>((v - origin) / cell_), 0, kCells - 1);
    }
    std::vector<Tri> tris_;
    std::vector<std::vector<size_t>> cells_;
    double x0_ = 0.0, y0_ = 0.0, cell_ = 1.0, scale_ = 1.0, margin_ = 0.0;
};

struct Tally {
    int drawn = 0, left_out = 0;  // samples judged
    int unsure = 0;               // samples skipped: too close to call
    int pierced = 0;              // drawn points just behind a face the edge passes through
    int bad = 0;                  // samples the image gets wrong
    std::vector<std::string> wrong;
};

// Samples every edge: where a line of the image covers it, the eye must see
// it; where none does, something must hide it.
void check_scene(const Scene& sc, Tally& tally, const std::string& what) {
    const RayCaster rays(sc);
    const double near_line = 2e-6 * rays.scale();
    for (const auto& e : sc.edges) {
        const P3 &P = e[0], &Q = e[1];
        const P2 p = project(P), q = project(Q);
        const double dx = q.x - p.x, dy = q.y - p.y, len = std::hypot(dx, dy);
        if (!(len > 50.0 * near_line)) continue;  // seen end-on
        // Parameter along the projected edge of each line lying on it.
        std::vector<std::pair<double, double>> cover;
        for (const TempLine& l : sc.lines) {
            const P2 a{l.xs, l.ys}, b{l.xl, l.yl};
            const double da = std::fabs((a.x - p.x) * dy - (a.y - p.y) * dx) / len;
            const double db = std::fabs((b.x - p.x) * dy - (b.y - p.y) * dx) / len;
            if (da > near_line || db > near_line) continue;
            double ta = ((a.x - p.x) * dx + (a.y - p.y) * dy) / (len * len);
            double tb = ((b.x - p.x) * dx + (b.y - p.y) * dy) / (len * len);
            if (ta > tb) std::swap(ta, tb);
            if (tb < -1e-6 || ta > 1.0 + 1e-6) continue;
            cover.emplace_back(ta, tb);
        }
        const double slack = 4.0 * near_line / len;
        constexpr int kSamples = 12;
        for (int k = 0; k < kSamples; ++k) {
            const double lam = (k + 0.5) / kSamples;
            bool in = false, near_end = false;
            for (const auto& [a, b] : cover) {
                in = in || (lam > a + slack && lam < b - slack);
                near_end = near_end || std::fabs(lam - a) <= slack || std::fabs(lam - b) <= slack;
            }
            if (near_end) {
                ++tally.unsure;
                continue;
            }
            // The eye point whose image lies at lam along the projected edge.
            const P2 s{p.x + lam * dx, p.y + lam * dy};
            const bool use_x = std::fabs(dx) >= std::fabs(dy);
            const double num = use_x ? s.x * P[2] - P[0] : s.y * P[2] - P[1];
            const double den = use_x ? (Q[0] - P[0]) - s.x * (Q[2] - P[2])
                                     : (Q[1] - P[1]) - s.y * (Q[2] - P[2]);
            const P3 S = lerp(P, Q, num / den);
            const Ray r = rays.cast(S, P, Q);
            if (r == Ray::kUnsure) {
                ++tally.unsure;
                continue;
            }
            if (r == Ray::kPierced) {
                // Just behind a face the edge passes through: the test of a
                // piece against a triangle clears the triangle when the
                // stretch it covers reaches in front of its plane, so this
                // point may be drawn or not.
                ++tally.pierced;
                continue;
            }
            ++(in ? tally.drawn : tally.left_out);
            if (in == (r == Ray::kMisses)) continue;
            ++tally.bad;
            if (tally.wrong.size() < 10) {
                std::ostringstream o;
                o << what << ": point (" << S[0] << ", " << S[1] << ", " << S[2] << ") "
                  << (in ? "is drawn but hidden" : "is visible but left out");
                tally.wrong.push_back(o.str());
            }
        }
    }
}

void expect_true_to_the_eye(const Tally& t, int min_samples) {
    EXPECT_EQ(t.bad, 0) << "samples judged: " << t.drawn << " drawn, " << t.left_out
                        << " left out";
    for (const std::string& w : t.wrong) ADD_FAILURE() << w;
    // The check must judge most samples, drawn and left out alike.
    EXPECT_GT(t.drawn, min_samples);
    EXPECT_GT(t.left_out, min_samples / 2);
    EXPECT_LT(t.unsure, (t.drawn + t.left_out) / 5);
    EXPECT_LT(t.pierced, (t.drawn + t.left_out) / 10);
}

// A small generated house: space floor, columns of type I, one storey, roof.
std::unique_ptr<model::ModelStore> small_house() {
    auto m = std::make_unique<model::ModelStore>();
    ui::SilentMessages msg;
    generator::BasicData d = generator::default_basic_data();
    d.nx = 3;
    d.ny = 2;
    d.yane_takasa = static_cast<float>(d.nx * static_cast<double>(d.tuka_haba) * 0.25);
    EXPECT_EQ(generator::check_choices(d, generator::kSumiType1, 0, generator::kYaneItemRoof, msg),
              1);
    std::ostringstream notes;
    generator::Generator g(*m, d, msg, notes);
    EXPECT_EQ(g.generate(), 0);
    return m;
}

TEST(HiddenImageToTheEye, GeneratedHouseFromSeveralSides) {
    const auto m = small_house();
    ASSERT_GT(m->N_Beam, 50);
    Tally tally;
    const double views[][3] = {{1500, 23, 67}, {1200, 151, 58}, {2000, -67, 81},
                               {900, -128, 33}, {1400, 61, 103}};
    for (const auto& v : views) {
        std::ostringstream what;
        what << "house rho " << v[0] << " theta " << v[1] << " phi " << v[2];
        check_scene(hidden_scene(*m, v[0], v[1], v[2], 135.0, 90.0, 200.0), tally, what.str());
    }
    expect_true_to_the_eye(tally, 2000);
}

TEST(HiddenImageToTheEye, RandomMemberSoups) {
    std::mt19937 rng(90125);
    std::uniform_real_distribution<float> coord(-250.0f, 250.0f), size(4.0f, 40.0f);
    std::uniform_real_distribution<double> theta(-180.0, 180.0), phi(10.0, 170.0),
        rho(900.0, 3000.0);
    Tally tally;
    for (int soup = 0; soup < 6; ++soup) {
        ui::SilentMessages msg;
        auto m = std::make_unique<model::ModelStore>();
        for (int i = 0; i < 40; ++i) {
            const float xs = coord(rng), ys = coord(rng), zs = coord(rng);
            float xl = coord(rng), yl = coord(rng), zl = coord(rng);
            if (i % 4 == 1) yl = ys, zl = zs;  // along X
            if (i % 4 == 2) xl = xs, yl = ys;  // upright
            testing::add_member(*m, msg, xs, ys, zs, xl, yl, zl, size(rng), size(rng));
        }
        for (int view = 0; view < 3; ++view) {
            const double r = rho(rng), t = theta(rng), f = phi(rng);
            std::ostringstream what;
            what << "soup " << soup << " rho " << r << " theta " << t << " phi " << f;
            check_scene(hidden_scene(*m, r, t, f, 0.0, 0.0, 0.0), tally, what.str());
        }
    }
    expect_true_to_the_eye(tally, 3000);
}

// The wire image with the eye among the members: an edge reaching behind the
// eye is drawn up to the eye's near depth only, every line lies on the image
// of the part of its edge in front of the eye, and edges wholly behind it
// give no line.
TEST(WireImageToTheEye, EdgesReachingBehindTheEyeAreCutNotMirrored) {
    std::mt19937 rng(6113);
    std::uniform_real_distribution<float> coord(-1500.0f, 1500.0f);
    ui::SilentMessages msg;
    auto m = std::make_unique<model::ModelStore>();
    for (int i = 0; i < 30; ++i)
        testing::add_member(*m, msg, coord(rng), coord(rng), coord(rng), coord(rng), coord(rng),
                            coord(rng), 10.0f, 10.0f);
    TempDir dir;
    SolidModel s(dir.path());
    ViewParams p = testing::eye_at(300.0, 20.0, 70.0);
    ViewWindow w;
    w.W = 640;
    w.H = 480;
    ASSERT_EQ(build_hidden_image(s, *m, p, w, msg, HiddenLineMethod::kFast), 0);
    ASSERT_EQ(save_view(w, s, msg), 0);
    Scene sc;
    read_scene(s, sc);
    ASSERT_EQ(sc.edges.size(), 12u * static_cast<size_t>(m->N_Beam));

    // Lines come in edge order, one for each edge with a part in front.
    int crossing = 0, behind = 0;
    size_t next = 0;
    for (const auto& e : sc.edges) {
        P3 P = e[0], Q = e[1];
        if (P[2] < Q[2]) std::swap(P, Q);  // P the farther end
        if (P[2] <= 0.0) {
            ++behind;
            continue;  // wholly behind the eye: nothing to draw
        }
        ASSERT_LT(next, sc.lines.size());
        const TempLine& l = sc.lines[next++];
        if (P[2] < 2.0) continue;  // hardly in front at all: too close to call
        crossing += Q[2] < 0.0;
        // Each end of the line is the image of a point of the edge no nearer
        // than half a centimetre in front of the eye.
        const P2 ends[2] = {{l.xs, l.ys}, {l.xl, l.yl}};
        bool far_end_drawn = false;
        for (const P2& a : ends) {
            // The point of P-Q whose image is a: along the line of sight of a.
            const P3 d = sub(Q, P);
            const bool use_x = std::fabs(d[0] - a.x * d[2]) >= std::fabs(d[1] - a.y * d[2]);
            const double t = use_x ? (a.x * P[2] - P[0]) / (d[0] - a.x * d[2])
                                   : (a.y * P[2] - P[1]) / (d[1] - a.y * d[2]);
            const P3 S = lerp(P, Q, t);
            ASSERT_GE(t, -1e-4);
            ASSERT_LE(t, 1.0 + 1e-4);
            ASSERT_GT(S[2], 0.5) << "line end drawn from behind the eye";
            const P2 img = project(S);
            const double tol = 1e-4 * (1.0 + std::fabs(img.x) + std::fabs(img.y));
            EXPECT_NEAR(img.x, a.x, tol);
            EXPECT_NEAR(img.y, a.y, tol);
            far_end_drawn = far_end_drawn || std::fabs(t) < 1e-4;
        }
        EXPECT_TRUE(far_end_drawn);
        // An edge reaching behind the eye is drawn up to near the eye: at
        // least as far as the image of its point 2 cm in front of the eye.
        if (Q[2] < 0.0) {
            const P2 far = project(P), near = project(lerp(P, Q, (P[2] - 2.0) / (P[2] - Q[2])));
            const double reach = std::max(std::hypot(l.xs - far.x, l.ys - far.y),
                                          std::hypot(l.xl - far.x, l.yl - far.y));
            EXPECT_GE(reach, (1.0 - 1e-5) * std::hypot(near.x - far.x, near.y - far.y));
        }
    }
    EXPECT_EQ(next, sc.lines.size());
    EXPECT_GT(crossing, 12);
    EXPECT_GT(behind, 12);
}

}  // namespace
}  // namespace tarvik::render
