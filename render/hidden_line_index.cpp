// The fast routine of the hidden-line image: a uniform grid over the
// projected triangles, kept in small groups of neighbours, tells which of them
// can touch an edge at all; cheap looks drop those that are cleared for the
// edge and its pieces; the very same test runs on the rest, in the same order.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>

#include "render/hidden_line_parts.h"

namespace tarvik::render::detail {
namespace {

// --- The triangle index of the fast routine --------------------------------
//
// A triangle may be left out of a segment's run only when the test would
// clear it for the segment and for every piece the segment is cut into; the
// run then gives exactly the plain routine's lines. The index hands out, for
// one edge, the triangles in ascending order, in small groups of neighbours
// found through a uniform grid over the projection, and drops on the way
// those that a cheap look (projected boxes, the depth step against the plane)
// shows to be cleared. Whether the edge's line passes beside the triangle is
// left to the test's own first step, the sign count: it costs no more than a
// look at the projected corners would, and it is exact.

// Eye depth (cm) below which a point's projection is not trusted to bound
// anything: segments reaching nearer are tested against every triangle, and
// triangles reaching nearer are tested against every segment.
constexpr double kFastMinDepth = 1.0;
// A segment whose ends differ in depth by more than this factor is tested
// against every triangle (its pieces could leave the projected bounds).
constexpr double kMaxDepthRatio = 1000.0;
// Margin in projected units: a share of the image size that dwarfs every
// rounding error of the projected geometry.
constexpr double kRelMargin = 1e-7;
// A piece of a segment reaches at most EPS (or limit - 1) of the segment's
// length beyond its ends; the index allows this many times more, and never
// less than 1e-4 of the length.
constexpr double kPieceGrowthFactor = 10.0;
constexpr double kMinPieceGrowth = 1e-4;
// Relative allowance for rounding in the depth step against a plane.
constexpr double kPlaneRounding = 1e-9;
// A triangle whose margin would exceed this share of the image is tested
// against every segment rather than widened.
constexpr double kMaxMarginShare = 0.05;
// Groups: at most this many triangles, consecutive in number, whose joint box
// stays within this factor of the largest box among them (half perimeters).
constexpr int kMaxGroup = 6;
constexpr double kGroupSpread = 1.5;
// Edges handled together, on the same terms as groups.
constexpr int kMaxBatch = 12;
// Cell size as a share of the mean group box.
constexpr double kCellShare = 0.5;
// Fewest edges handed to a worker at a time, as the runs shrink toward the
// end; no more edges than this are done by one worker alone.
constexpr size_t kMinEdgesPerRun = 128;
// Fewest triangles (or groups, or edges) a worker takes on in building the
// index.
constexpr size_t kMinBuildPart = 4096;

// A triangle that can hide something, as the grid over the projection needs
// it. (Its widened box is apart, in box_; the depth step reads the test's
// data.)
struct alignas(64) TriangleShape {
    double vx[3], vy[3];  // projected vertices
    double margin;        // how far beside its projection the test still reaches
    bool bounded;
};

// An edge, as the cheap look needs it.
struct EdgeShape {
    double x0, y0, x1, y1;  // projected box widened by d
    double px, py, ux, uy;  // projected start and direction
    double len;             // projected length
    double d;               // widening for the edge's pieces and rounding
    Vec3 P, Q;              // ends in eye coordinates
    double slack;           // rounding allowance of n.P and n.Q
    double ratio;           // bound on the ratio of the depths of its pieces' ends
};

// A triangle that can hide something, as the test reads it, with what the
// test would work out afresh for every segment done once: the thresholds of
// the depth step and the planes through the eye and each edge (their
// |dV| > EPS holds, or never_hides would have dropped the triangle).
struct PreparedTriangle {
    Vec3 n;
    double h;
    double h_hi, h_lo;  // h + thr and h - thr
    double h_low;       // h + thr less a rounding allowance, for the cheap look
    Vec3 E[3];
    Vec3 e[3];     // normal of the plane through the eye and edge j
    bool pos[3];   // dV > EPS: the third vertex lies on the side of +e
};

PreparedTriangle prepare(const HiddenTriangle& t, const HiddenTolerances& tol) {
    PreparedTriangle p;
    p.n = t.n;
    p.h = t.h;
    const double thr = tol.eps * t.h + tol.eps;
    p.h_hi = t.h + thr;
    p.h_lo = t.h - thr;
    p.h_low = p.h_hi - kPlaneRounding * std::fabs(p.h_hi);
    for (int k = 0; k < 3; ++k) p.E[k] = t.E[k];
    for (int j = 0; j < 3; ++j) {
        double dV;
        edge_plane(t, j, p.e[j], dV);
        p.pos[j] = dV > tol.eps;
    }
    return p;
}

// A segment as the test reads it: its ends, the normal m = P x Q of the
// plane through the eye and the segment, and its direction Q - P.
struct PreparedSegment {
    Vec3 P, Q, m, d;
};

PreparedSegment prepare(const Vec3& P, const Vec3& Q) {
    return {P, Q, cross(P, Q), {Q[0] - P[0], Q[1] - P[1], Q[2] - P[2]}};
}

// test_triangle on prepared data: the same arithmetic on the same numbers,
// so the same verdict and cut points; only the order of the steps that can
// merely clear the triangle differs (the divisions come after all of them).
// dP and dQ are dot(t.n, P) and dot(t.n, Q), as the caller found them.
Verdict test_prepared(const PreparedTriangle& t, const PreparedSegment& g, double dP, double dQ,
                      const HiddenTolerances& tol, SplitResult& split) {
    const double eps = tol.eps, neg = tol.eps_neg, lim = tol.limit;
    const Vec3& P = g.P;
    const Vec3& Q = g.Q;
    if (!(dP > t.h_hi) && !(dQ > t.h_hi)) return Verdict::kClear;
    // The sign count and the stretch limits below vary at random from one
    // triangle to the next: they are joined without branches, which would
    // be mispredicted as often as not.
    double s[3];
    int sum = 0;
    for (int i = 0; i < 3; ++i) {
        s[i] = dot(g.m, t.E[i]);
        sum += static_cast<int>(s[i] > eps) - static_cast<int>(s[i] < neg);
    }
    if (std::abs(sum) >= 2) return Verdict::kClear;
    double pP[3], pQ[3];
    bool outP = false, outQ = false;
    for (int j = 0; j < 3; ++j) {
        pP[j] = dot(t.e[j], P);
        pQ[j] = dot(t.e[j], Q);
        bool fP, fQ;
        if (t.pos[j]) {
            fP = pP[j] < neg;
            fQ = pQ[j] < neg;
            if ((fP && pQ[j] <= eps) || (fQ && pP[j] <= eps)) return Verdict::kClear;
        } else {
            fP = pP[j] > eps;
            fQ = pQ[j] > eps;
            if ((fP && pQ[j] >= neg) || (fQ && pP[j] >= neg)) return Verdict::kClear;
        }
        outP = outP || fP;
        outQ = outQ || fQ;
    }
    const double h = t.h;
    const Vec3& d = g.d;
    if (!outP && !outQ) return inside_verdict(P, d, h, dP, dQ, dP < t.h_lo, dQ < t.h_lo, split);
    double tmin = 1.0, tmax = 0.0;
    for (int j = 0; j < 3; ++j) {
        const double tt =
            std::fabs(pQ[j] - pP[j]) > eps ? -pP[j] / (pQ[j] - pP[j]) : 10000000.0;
        const int jn = (j + 1) % 3;
        const double u = std::fabs(s[jn] - s[j]) > eps ? -s[j] / (s[jn] - s[j]) : 10000000.0;
        const bool within = (neg <= u) & (u <= lim) & (neg <= tt) & (tt <= lim);
        tmin = within ? std::min(tmin, tt) : tmin;
        tmax = within ? std::max(tmax, tt) : tmax;
    }
    const Vec3 A = {P[0] + tmin * d[0], P[1] + tmin * d[1], P[2] + tmin * d[2]};
    const Vec3 B = {P[0] + tmax * d[0], P[1] + tmax * d[1], P[2] + tmax * d[2]};
    if (dot(t.n, A) < t.h_lo || dot(t.n, B) < t.h_lo) return Verdict::kClear;
    split.A = A;
    split.B = B;
    split.keep_left = outP || dP < t.h_lo;
    split.keep_right = outQ || dQ < t.h_lo;
    return Verdict::kSplit;
}

// First item of share part of [0, n) cut into parts: a worker of run_parts
// over the triangles and the edges together takes its share of each, so that
// the costly triangles are spread evenly.
size_t share_begin(size_t n, unsigned part, unsigned parts) {
    return n * part / parts;
}

// The part of segment a-b whose y lies in [lo, hi] widens [xa, xb] by its x.
void clip_to_band(double ax, double ay, double bx, double by, double lo, double hi, double& xa,
                  double& xb) {
    double t0 = 0.0, t1 = 1.0;
    const double dy = by - ay;
    if (dy == 0.0) {
        if (ay < lo || ay > hi) return;
    } else {
        // (Every user widens the stretch by far more than the rounding of a
        // product by the reciprocal.)
        const double inv = 1.0 / dy;
        double ta = (lo - ay) * inv, tb = (hi - ay) * inv;
        if (ta > tb) std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (!(t0 <= t1)) return;
    }
    const double xs = ax + t0 * (bx - ax), xe = ax + t1 * (bx - ax);
    xa = std::min({xa, xs, xe});
    xb = std::max({xb, xs, xe});
}

class TriangleIndex {
  public:
    // Built by up to threads workers; the same index whatever their number.
    TriangleIndex(std::span<const HiddenTriangle> tris, std::span<const VectRecord> edges,
                  const HiddenTolerances& tol, unsigned threads);

    // Runs the edges in order as the plain routine does, appending their
    // visible lines. Edges do not depend on each other: with threads > 1 the
    // edges are shared out in runs among that many workers and their lines
    // joined in edge order, the same lines as one worker gives.
    void run_edges(std::span<const HiddenTriangle> tris, std::span<const VectRecord> edges,
                   const HiddenTolerances& tol, unsigned threads, std::vector<TempLine>& out) const;

  private:
    struct Box {
        double x0, y0, x1, y1;
    };
    struct Group {
        int begin, end;  // positions in all_
        double x0, y0, x1, y1;
        bool bounded;
    };
    // A piece waiting for its test: next group in the edge's list and next
    // position in all_.
    struct Piece {
        Vec3 P, Q;
        int group, pos;
        double px[2], py[2];  // projected ends
    };

    void shape_triangles(std::span<const HiddenTriangle> tris, const HiddenTolerances& tol,
                         std::span<const VectRecord> edges, unsigned threads);
    double shape_triangle(const HiddenTriangle& t, const PreparedTriangle& p,
                          const HiddenTolerances& tol,
                          TriangleShape& s, Box& box) const;
    bool shape_edge(const VectRecord& r, EdgeShape& e) const;
    bool shape_piece(const Piece& j, const EdgeShape& edge, EdgeShape& e) const;
    void project_cut(const Vec3& A, double& x, double& y) const;
    void make_groups();
    void build_grid(unsigned threads);
    // Working space of one worker.
    struct Scratch {
        explicit Scratch(size_t groups) : stamp(groups, 0u) {}
        std::vector<unsigned> stamp;  // per group: last batch that met it
        unsigned now = 0;
        std::vector<int> batch;  // groups met by the current batch of edges
        std::vector<Piece> stack;
        std::vector<Job> jobs;
    };
    void run_range(std::span<const HiddenTriangle> tris, std::span<const VectRecord> edges,
                   size_t first, size_t last, const HiddenTolerances& tol, Scratch& sc,
                   std::vector<TempLine>& out) const;
    void gather_groups(const EdgeShape* batch, int n, const Box& b, Scratch& sc) const;
    void run_edge(const EdgeShape& e, const HiddenTolerances& tol, Scratch& sc,
                  std::vector<TempLine>& out) const;
    bool in_front_only(double dP, double dQ, const PreparedTriangle& t, const EdgeShape& e) const;
    int col(double x) const {
        return std::clamp(static_cast<int>(std::floor((x - gx0_) / cell_)), 0, nx_ - 1);
    }
    int row(double y) const {
        return std::clamp(static_cast<int>(std::floor((y - gy0_) / cell_)), 0, ny_ - 1);
    }

    std::vector<int> all_;              // every triangle that can hide anything, ascending
    // Parallel to all_, and left unset when made: the workers fill them, each
    // its share, so that the memory is first touched there, not cleared first
    // on one thread (some 300 bytes a triangle).
    std::unique_ptr<TriangleShape[]> shape_;
    std::unique_ptr<PreparedTriangle[]> tri_;  // the test's data, packed
    // The widened projected box of each, apart for a quick first look; the
    // whole plane for triangles tested against every edge.
    std::unique_ptr<Box[]> box_;
    bool indexed_ = false;              // false: every edge is tested against all_
    double z_floor_ = kFastMinDepth;
    double z_lo_ = kFastMinDepth;
    double pmax_ = 0.0;
    double scale_ = 1.0;  // size of the image, projected units
    double growth_ = kMinPieceGrowth;
    std::vector<Group> groups_;    // ascending
    std::vector<int> unbounded_;   // groups of triangles tested against every edge
    // Uniform grid: each cell lists the bounded groups that reach into it.
    double gx0_ = 0.0, gy0_ = 0.0, gx1_ = 0.0, gy1_ = 0.0, cell_ = 1.0;
    int nx_ = 0, ny_ = 0;
    std::vector<int> cell_start_;
    std::vector<int> cell_groups_;
};

TriangleIndex::TriangleIndex(std::span<const HiddenTriangle> tris,
                             std::span<const VectRecord> edges, const HiddenTolerances& tol,
                             unsigned threads) {
    // In one pass, each worker its share of the triangles and of the edges:
    // which triangles can hide anything, and the depth floor and size of
    // the scene over those and the edges (least and largest do not depend
    // on the order; the root of the largest square is the largest root).
    const size_t n = tris.size(), ne = edges.size();
    const unsigned parts = split_parts(n + ne, threads, kMinBuildPart);
    std::vector<unsigned char> can(n);
    std::vector<double> zmins(parts, HUGE_VAL);
    std::vector<double> p2maxs(parts, 0.0);
    run_parts(n + ne, threads, kMinBuildPart, [&](size_t, size_t, unsigned part) {
        double zmin = HUGE_VAL, p2max = 0.0;
        auto look = [&](double x, double y, double z) {
            if (z >= kFastMinDepth) zmin = std::min(zmin, z);
            p2max = std::max(p2max, x * x + y * y + z * z);
        };
        for (size_t i = share_begin(n, part, parts); i < share_begin(n, part + 1, parts); ++i) {
            can[i] = !never_hides(tris[i], tol);
            if (can[i])
                for (const Vec3& v : tris[i].E) look(v[0], v[1], v[2]);
        }
        for (size_t k = share_begin(ne, part, parts); k < share_begin(ne, part + 1, parts); ++k) {
            const VectRecord& e = edges[k];
            look(e.xs, e.ys, e.zs);
            look(e.xl, e.yl, e.zl);
        }
        zmins[part] = zmin;
        p2maxs[part] = p2max;
    });
    all_.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (can[i]) all_.push_back(static_cast<int>(i));
    const double piece = std::max(std::fabs(tol.eps_neg), tol.limit - 1.0);
    growth_ = std::max(kMinPieceGrowth, kPieceGrowthFactor * piece);
    // With cuts allowed far beyond a segment, nothing is bounded.
    if (!(growth_ <= 0.01)) return;

    const double zmin = *std::min_element(zmins.begin(), zmins.end());
    pmax_ = std::sqrt(*std::max_element(p2maxs.begin(), p2maxs.end()));
    if (zmin == HUGE_VAL) return;
    z_floor_ = zmin;
    z_lo_ = zmin / 2.0;  // the pieces of a segment may reach a little nearer
    indexed_ = true;

    shape_triangles(tris, tol, edges, threads);
    make_groups();
    build_grid(threads);
    for (size_t k = 0; k < all_.size(); ++k)
        if (!shape_[k].bounded) box_[k] = Box{-HUGE_VAL, -HUGE_VAL, HUGE_VAL, HUGE_VAL};
}

// The shape of one triangle, but for the widening by the share of the image,
// into s; the largest projected coordinate of its vertices (0 when it stays
// unbounded).
double TriangleIndex::shape_triangle(const HiddenTriangle& t, const PreparedTriangle& p,
                                     const HiddenTolerances& tol,
                                     TriangleShape& s, Box& box) const {
    s.bounded = false;
    double ext = 0.0;
    if (!(t.E[0][2] >= z_floor_ && t.E[1][2] >= z_floor_ && t.E[2][2] >= z_floor_)) return ext;
    bool finite = true;
    for (int v = 0; v < 3; ++v) {
        // (The margin dwarfs the rounding of a product by the reciprocal.)
        const double inv = 1.0 / t.E[v][2];
        s.vx[v] = t.E[v][0] * inv;
        s.vy[v] = t.E[v][1] * inv;
        finite = finite && std::fabs(s.vx[v]) < 1e100 && std::fabs(s.vy[v]) < 1e100;
    }
    if (!finite) return ext;
    for (int v = 0; v < 3; ++v) ext = std::max({ext, std::fabs(s.vx[v]), std::fabs(s.vy[v])});
    // How far outside its projection the test may still find a piece of
    // a segment inside. Each edge test allows |e.P| <= EPS (plus
    // rounding), a band of EPS / (z |e_xy|) beside the projected edge,
    // which grows at a corner by 1 / sin(angle / 2).
    double band = 0.0;
    for (int j = 0; j < 3; ++j) {
        const Vec3& e = p.e[j];
        const double exy = std::sqrt(e[0] * e[0] + e[1] * e[1]);
        const double en = std::sqrt(dot(e, e));
        const double tol_e = tol.eps + 64.0 * DBL_EPSILON * en * pmax_;
        band = std::max(band, tol_e / (z_lo_ * exy));
    }
    // Sine of half the smallest corner angle, without trigonometry: from
    // the cosine when the corner is blunt, else from the sine over
    // 2 cos(angle / 2), both free of cancellation where they are used. The
    // smallest angle lies opposite the shortest side (angles that rounding
    // could put in the wrong order differ by far less than the hair taken
    // off below).
    double sin_half = 1.0;
    {
        double shortest = HUGE_VAL;
        int v = 0;
        for (int w = 0; w < 3; ++w) {
            const double dx = s.vx[(w + 2) % 3] - s.vx[(w + 1) % 3];
            const double dy = s.vy[(w + 2) % 3] - s.vy[(w + 1) % 3];
            const double side = dx * dx + dy * dy;
            if (side < shortest) shortest = side, v = w;
        }
        const double ax = s.vx[(v + 1) % 3] - s.vx[v], ay = s.vy[(v + 1) % 3] - s.vy[v];
        const double bx = s.vx[(v + 2) % 3] - s.vx[v], by = s.vy[(v + 2) % 3] - s.vy[v];
        const double ab = std::sqrt((ax * ax + ay * ay) * (bx * bx + by * by));
        const double c = (ax * bx + ay * by) / ab, sn = std::fabs(ax * by - ay * bx) / ab;
        const double half = c < 0.0 ? std::sqrt((1.0 - c) / 2.0)
                                    : sn / (2.0 * std::sqrt((1.0 + std::min(c, 1.0)) / 2.0));
        // Two corners on one point: no angle to bound by.
        sin_half = half >= 0.0 ? std::min(sin_half, half) : 0.0;
    }
    // A hair smaller for the rounding of the above.
    sin_half *= 1.0 - 1e-12;
    // A piece crossing just outside a corner, from inside one edge to
    // inside the other, passes all three edge tests; only the sign test
    // stops it, and its tolerance EPS on det(P, Q, E) is a distance of
    // EPS / (zP zQ zE |q - p|) from the piece's projected line. Such a
    // piece stays within sqrt(EPS' / (z^3 sin(angle / 2))) of the corner.
    const double eps_sign = tol.eps + 64.0 * DBL_EPSILON * pmax_ * pmax_ * pmax_;
    const double reach = std::sqrt(eps_sign / (z_lo_ * z_lo_ * z_lo_ * sin_half));
    s.margin = 4.0 * band / sin_half + 2.0 * reach;
    if (!(s.margin <= 1.0e30)) return ext;  // also NaN: a corner of no angle
    box.x0 = std::min({s.vx[0], s.vx[1], s.vx[2]});
    box.y0 = std::min({s.vy[0], s.vy[1], s.vy[2]});
    box.x1 = std::max({s.vx[0], s.vx[1], s.vx[2]});
    box.y1 = std::max({s.vy[0], s.vy[1], s.vy[2]});
    s.bounded = true;
    return ext;
}

void TriangleIndex::shape_triangles(std::span<const HiddenTriangle> tris,
                                    const HiddenTolerances& tol,
                                    std::span<const VectRecord> edges, unsigned threads) {
    // Shapes and the test's data of the triangles, and the size of the image
    // over the edges too, each worker its share of both (a triangle costs
    // many times an edge).
    const size_t nt = all_.size(), ne = edges.size();
    shape_ = std::make_unique_for_overwrite<TriangleShape[]>(nt);
    box_ = std::make_unique_for_overwrite<Box[]>(nt);
    tri_ = std::make_unique_for_overwrite<PreparedTriangle[]>(nt);
    const unsigned parts = split_parts(nt + ne, threads, kMinBuildPart);
    std::vector<double> exts(parts, 0.0);
    run_parts(nt + ne, threads, kMinBuildPart, [&](size_t, size_t, unsigned part) {
        double ext = 0.0;
        auto widen = [&](double x, double y, double z) {
            const double a = std::max(std::fabs(x / z), std::fabs(y / z));
            if (z >= z_floor_ && a < 1e100) ext = std::max(ext, a);
        };
        for (size_t k = share_begin(nt, part, parts); k < share_begin(nt, part + 1, parts); ++k) {
            const HiddenTriangle& t = tris[static_cast<size_t>(all_[k])];
            tri_[k] = prepare(t, tol);
            ext = std::max(ext, shape_triangle(t, tri_[k], tol, shape_[k], box_[k]));
        }
        for (size_t k = share_begin(ne, part, parts); k < share_begin(ne, part + 1, parts); ++k) {
            const VectRecord& e = edges[k];
            widen(e.xs, e.ys, e.zs);
            widen(e.xl, e.yl, e.zl);
        }
        exts[part] = ext;
    });
    const double ext = *std::max_element(exts.begin(), exts.end());
    scale_ = std::max(ext, 1e-300);
    const double abs_margin = kRelMargin * scale_;
    // Triangles whose margin is a sizeable share of the image (seen almost
    // edge-on, or needle-thin) are cheaper to test everywhere.
    for (size_t k = 0; k < nt; ++k) {
        TriangleShape& s = shape_[k];
        if (!s.bounded) continue;
        if (s.margin > kMaxMarginShare * scale_) {
            s.bounded = false;
            continue;
        }
        s.margin += abs_margin;
        Box& b = box_[k];
        b.x0 -= s.margin;
        b.y0 -= s.margin;
        b.x1 += s.margin;
        b.y1 += s.margin;
    }
}

// A piece lies on its edge, so it is no steeper in depth, and its ends are no
// larger; only its projected ends are its own.
bool TriangleIndex::shape_piece(const Piece& j, const EdgeShape& edge, EdgeShape& e) const {
    if (!(j.px[0] < HUGE_VAL && j.px[1] < HUGE_VAL)) return false;
    e.P = j.P;
    e.Q = j.Q;
    e.px = j.px[0];
    e.py = j.py[0];
    e.ux = j.px[1] - j.px[0];
    e.uy = j.py[1] - j.py[0];
    e.len = std::sqrt(e.ux * e.ux + e.uy * e.uy);
    e.ratio = edge.ratio;
    e.d = growth_ * e.len * e.ratio + kRelMargin * scale_;
    e.x0 = std::min(j.px[0], j.px[1]) - e.d;
    e.y0 = std::min(j.py[0], j.py[1]) - e.d;
    e.x1 = std::max(j.px[0], j.px[1]) + e.d;
    e.y1 = std::max(j.py[0], j.py[1]) + e.d;
    e.slack = edge.slack;
    return true;
}

// The projection of a cut point, or HUGE_VAL when it is not to be trusted.
void TriangleIndex::project_cut(const Vec3& A, double& x, double& y) const {
    if (A[2] >= z_lo_) {
        x = A[0] / A[2];
        y = A[1] / A[2];
        if (std::fabs(x) + std::fabs(y) < 1e300) return;
    }
    x = y = HUGE_VAL;
}

bool TriangleIndex::shape_edge(const VectRecord& r, EdgeShape& e) const {
    e.P = {r.xs, r.ys, r.zs};
    e.Q = {r.xl, r.yl, r.zl};
    if (!indexed_ || !(r.zs >= z_floor_ && r.zl >= z_floor_)) return false;
    const double ratio = std::max(r.zs, r.zl) / std::min(r.zs, r.zl);
    if (!(ratio <= kMaxDepthRatio)) return false;
    // A piece's own ratio may exceed the edge's by a hair.
    e.ratio = ratio * 1.01;
    e.px = r.xs / r.zs;
    e.py = r.ys / r.zs;
    const double qx = r.xl / r.zl, qy = r.yl / r.zl;
    e.ux = qx - e.px;
    e.uy = qy - e.py;
    e.len = std::sqrt(e.ux * e.ux + e.uy * e.uy);
    e.d = growth_ * e.len * ratio + kRelMargin * scale_;
    e.x0 = std::min(e.px, qx) - e.d;
    e.y0 = std::min(e.py, qy) - e.d;
    e.x1 = std::max(e.px, qx) + e.d;
    e.y1 = std::max(e.py, qy) + e.d;
    // Out of range of the grid's arithmetic: tested against everything.
    if (!(std::fabs(e.x0) + std::fabs(e.y0) + std::fabs(e.x1) + std::fabs(e.y1) + e.d < 1e300))
        return false;
    e.slack = kPlaneRounding * (std::fabs(r.xs) + std::fabs(r.ys) + std::fabs(r.zs) +
                                std::fabs(r.xl) + std::fabs(r.yl) + std::fabs(r.zl));
    return true;
}

void TriangleIndex::make_groups() {
    // Runs of bounded triangles with numbers in a row (the faces of one
    // member, say) share a box; a triangle tested everywhere stands alone.
    const int n = static_cast<int>(all_.size());
    double group_largest = 0.0;  // of the last group, when bounded
    for (int k = 0; k < n; ++k) {
        const TriangleShape& t = shape_[static_cast<size_t>(k)];
        const Box& s = box_[static_cast<size_t>(k)];
        if (!t.bounded) {
            unbounded_.push_back(static_cast<int>(groups_.size()));
            groups_.push_back({k, k + 1, 0, 0, 0, 0, false});
            continue;
        }
        const double own = (s.x1 - s.x0) + (s.y1 - s.y0);
        if (!groups_.empty()) {
            Group& g = groups_.back();
            if (g.bounded && g.end == k && g.end - g.begin < kMaxGroup) {
                const double x0 = std::min(g.x0, s.x0), y0 = std::min(g.y0, s.y0);
                const double x1 = std::max(g.x1, s.x1), y1 = std::max(g.y1, s.y1);
                const double largest = std::max(group_largest, own);
                if ((x1 - x0) + (y1 - y0) <= kGroupSpread * largest) {
                    g = {g.begin, k + 1, x0, y0, x1, y1, true};
                    group_largest = largest;
                    continue;
                }
            }
        }
        groups_.push_back({k, k + 1, s.x0, s.y0, s.x1, s.y1, true});
        group_largest = own;
    }
}

void TriangleIndex::build_grid(unsigned threads) {
    // Cells about the size of a group, no more cells than a few per group.
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL, mean = 0.0;
    int kept = 0;
    for (const Group& g : groups_) {
        if (!g.bounded) continue;
        x0 = std::min(x0, g.x0);
        y0 = std::min(y0, g.y0);
        x1 = std::max(x1, g.x1);
        y1 = std::max(y1, g.y1);
        mean += ((g.x1 - g.x0) + (g.y1 - g.y0)) / 2.0;
        ++kept;
    }
    if (kept == 0) return;
    mean /= kept;
    const double W = x1 - x0, H = y1 - y0;
    cell_ = std::max({kCellShare * mean, std::max(W, H) / 4096.0, 1e-300});
    const double max_cells = 4.0 * kept + 64.0;
    while ((std::floor(W / cell_) + 1.0) * (std::floor(H / cell_) + 1.0) > max_cells) cell_ *= 1.25;
    gx0_ = x0;
    gy0_ = y0;
    gx1_ = x1;
    gy1_ = y1;
    nx_ = static_cast<int>(std::floor(W / cell_)) + 1;
    ny_ = static_cast<int>(std::floor(H / cell_)) + 1;

    // Each group in the cells its triangles, widened by their margins, reach
    // into row by row; counted first, then filled in ascending group order so
    // that each cell's list is ascending.
    const size_t cells = static_cast<size_t>(nx_) * static_cast<size_t>(ny_);
    std::vector<int> count(cells + 1, 0);
    auto each_cell = [&](const Group& g, auto&& f) {
        const int r0 = row(g.y0), r1 = row(g.y1);
        for (int r = r0; r <= r1; ++r) {
            const double lo = gy0_ + r * cell_, hi = gy0_ + (r + 1) * cell_;
            double xa = HUGE_VAL, xb = -HUGE_VAL;
            for (int k = g.begin; k < g.end; ++k) {
                const TriangleShape& s = shape_[static_cast<size_t>(k)];
                double a = HUGE_VAL, b = -HUGE_VAL;
                for (int v = 0; v < 3; ++v)
                    clip_to_band(s.vx[v], s.vy[v], s.vx[(v + 1) % 3], s.vy[(v + 1) % 3],
                                 lo - s.margin, hi + s.margin, a, b);
                if (a <= b) {
                    xa = std::min(xa, a - s.margin);
                    xb = std::max(xb, b + s.margin);
                }
            }
            if (!(xa <= xb)) continue;
            const int c0 = col(xa), c1 = col(xb);
            for (int c = c0; c <= c1; ++c) f(static_cast<size_t>(r) * nx_ + c);
        }
    };
    // The cells are found once: kept as runs of one row, in group order,
    // each worker for its share of the groups, joined in order.
    struct Run {
        int group;
        size_t first, last;  // cells
    };
    std::vector<std::vector<Run>> part_runs(
        split_parts(groups_.size(), threads, kMinBuildPart / kMaxGroup));
    run_parts(groups_.size(), threads, kMinBuildPart / kMaxGroup,
              [&](size_t first, size_t last, unsigned part) {
                  std::vector<Run>& runs = part_runs[part];
                  runs.reserve(2 * (last - first));
                  for (size_t i = first; i < last; ++i) {
                      if (!groups_[i].bounded) continue;
                      each_cell(groups_[i], [&](size_t c) {
                          if (!runs.empty() && runs.back().group == static_cast<int>(i) &&
                              runs.back().last + 1 == c)
                              runs.back().last = c;
                          else
                              runs.push_back({static_cast<int>(i), c, c});
                      });
                  }
              });
    for (const std::vector<Run>& runs : part_runs)
        for (const Run& r : runs)
            for (size_t c = r.first; c <= r.last; ++c) ++count[c];
    cell_start_.assign(cells + 1, 0);
    for (size_t c = 0; c < cells; ++c) cell_start_[c + 1] = cell_start_[c] + count[c];
    cell_groups_.resize(static_cast<size_t>(cell_start_[cells]));
    std::vector<int> fill(cell_start_.begin(), cell_start_.end() - 1);
    for (const std::vector<Run>& runs : part_runs)
        for (const Run& r : runs)
            for (size_t c = r.first; c <= r.last; ++c)
                cell_groups_[static_cast<size_t>(fill[c]++)] = r.group;
}

// The groups whose box meets the box of a batch of edges (n of them, boxes
// joined in b) and every unbounded group, in ascending order, into sc.batch.
void TriangleIndex::gather_groups(const EdgeShape* batch, int n, const Box& b,
                                  Scratch& sc) const {
    std::vector<int>& found_groups = sc.batch;
    found_groups.clear();
    if (nx_ > 0 && !(b.x1 < gx0_ || b.x0 > gx1_ || b.y1 < gy0_ || b.y0 > gy1_)) {
        if (++sc.now == 0) {
            std::fill(sc.stamp.begin(), sc.stamp.end(), 0u);
            sc.now = 1;
        }
        const int r0 = row(b.y0), r1 = row(b.y1);
        for (int r = r0; r <= r1; ++r) {
            // The edges' stretches within this row, each widened by its d.
            double xa = HUGE_VAL, xb = -HUGE_VAL;
            for (int i = 0; i < n; ++i) {
                const EdgeShape& e = batch[i];
                double a = HUGE_VAL, z = -HUGE_VAL;
                clip_to_band(e.px, e.py, e.px + e.ux, e.py + e.uy, gy0_ + r * cell_ - e.d,
                             gy0_ + (r + 1) * cell_ + e.d, a, z);
                if (a <= z) {
                    xa = std::min(xa, a - e.d);
                    xb = std::max(xb, z + e.d);
                }
            }
            if (!(xa <= xb)) continue;
            const int c0 = col(xa), c1 = col(xb);
            for (int c = c0; c <= c1; ++c) {
                const size_t cell = static_cast<size_t>(r) * nx_ + c;
                for (int i = cell_start_[cell]; i < cell_start_[cell + 1]; ++i) {
                    const int gi = cell_groups_[static_cast<size_t>(i)];
                    unsigned& st = sc.stamp[static_cast<size_t>(gi)];
                    if (st == sc.now) continue;
                    st = sc.now;
                    const Group& g = groups_[static_cast<size_t>(gi)];
                    if (g.x0 > b.x1 || g.x1 < b.x0 || g.y0 > b.y1 || g.y1 < b.y0) continue;
                    found_groups.push_back(gi);
                }
            }
        }
    }
    const size_t found = found_groups.size();
    found_groups.insert(found_groups.end(), unbounded_.begin(), unbounded_.end());
    const auto mid = found_groups.begin() + static_cast<std::ptrdiff_t>(found);
    std::sort(found_groups.begin(), mid);
    if (found > 0 && !unbounded_.empty())
        std::inplace_merge(found_groups.begin(), mid, found_groups.end());
}

// Whether no end of the edge, nor of any piece of it, can lie behind the
// triangle's plane: then the test clears the triangle at its depth step.
// dP and dQ are n.P and n.Q of the edge's ends.
bool TriangleIndex::in_front_only(double dP, double dQ, const PreparedTriangle& t,
                                  const EdgeShape& e) const {
    return std::max(dP, dQ) + growth_ * std::fabs(dQ - dP) + e.slack <= t.h_low;
}

void TriangleIndex::run_range(std::span<const HiddenTriangle> tris,
                              std::span<const VectRecord> edges, size_t first, size_t last,
                              const HiddenTolerances& tol, Scratch& sc,
                              std::vector<TempLine>& out) const {
    EdgeShape batch[kMaxBatch];
    size_t i = first;
    while (i < last) {
        if (!shape_edge(edges[i], batch[0])) {
            // Tested against every triangle that can hide anything.
            run_segment(tris, all_.data(), static_cast<int>(all_.size()), batch[0].P, batch[0].Q,
                        0, tol, sc.jobs, out);
            ++i;
            continue;
        }
        // Edges in a row (those of one member, say) lying close together
        // share one look into the grid.
        Box b{batch[0].x0, batch[0].y0, batch[0].x1, batch[0].y1};
        double largest = (b.x1 - b.x0) + (b.y1 - b.y0);
        int n = 1;
        while (n < kMaxBatch && i + static_cast<size_t>(n) < last &&
               shape_edge(edges[i + static_cast<size_t>(n)], batch[n])) {
            const EdgeShape& e = batch[n];
            const Box j{std::min(b.x0, e.x0), std::min(b.y0, e.y0), std::max(b.x1, e.x1),
                        std::max(b.y1, e.y1)};
            const double own = (e.x1 - e.x0) + (e.y1 - e.y0);
            if ((j.x1 - j.x0) + (j.y1 - j.y0) > kGroupSpread * std::max(largest, own)) break;
            b = j;
            largest = std::max(largest, own);
            ++n;
        }
        gather_groups(batch, n, b, sc);
        for (int k = 0; k < n; ++k) run_edge(batch[k], tol, sc, out);
        i += static_cast<size_t>(n);
    }
}

void TriangleIndex::run_edges(std::span<const HiddenTriangle> tris,
                              std::span<const VectRecord> edges, const HiddenTolerances& tol,
                              unsigned threads, std::vector<TempLine>& out) const {
    // Runs of edges handed out one at a time, several per worker so that a
    // worker with a dense part of the image does not hold up the others.
    run_in_runs(edges.size(), threads, kMinEdgesPerRun, [&]() -> RangeRun {
        auto sc = std::make_shared<Scratch>(groups_.size());
        return [this, &tris, &edges, &tol, sc](size_t first, size_t last,
                                               std::vector<TempLine>& lines) {
            run_range(tris, edges, first, last, tol, *sc, lines);
        };
    }, out);
}

void TriangleIndex::run_edge(const EdgeShape& e, const HiddenTolerances& tol, Scratch& sc,
                             std::vector<TempLine>& out) const {
    const std::vector<int>& list = sc.batch;
    std::vector<Piece>& stack = sc.stack;
    const int ng = static_cast<int>(list.size());
    stack.clear();
    stack.push_back({e.P, e.Q, 0, ng > 0 ? groups_[static_cast<size_t>(list[0])].begin : 0,
                      {e.px, e.px + e.ux}, {e.py, e.py + e.uy}});
    bool first = true;
    while (!stack.empty()) {
        const Piece j = stack.back();
        stack.pop_back();
        // A piece is looked at through its own shape when it has one; the
        // edge's shape covers it in any case (and its groups are all met).
        EdgeShape ps;
        const bool own = !first && shape_piece(j, e, ps);
        const EdgeShape& s = own ? ps : e;
        // The shape's ends are the piece's own: n.P and n.Q serve both the
        // look and the test.
        const bool same_ends = own || first;
        first = false;
        bool hidden = false;
        int pos = j.pos;
        const PreparedSegment seg = prepare(j.P, j.Q);
        for (int gl = j.group; gl < ng && !hidden; ++gl) {
            const Group& g = groups_[static_cast<size_t>(list[static_cast<size_t>(gl)])];
            if (gl != j.group) pos = g.begin;
            if (g.bounded && (g.x0 > s.x1 || g.x1 < s.x0 || g.y0 > s.y1 || g.y1 < s.y0))
                continue;
            for (int k = pos; k < g.end; ++k) {
                const Box& b = box_[static_cast<size_t>(k)];
                if (b.x0 > s.x1 || b.x1 < s.x0 || b.y0 > s.y1 || b.y1 < s.y0) continue;
                const PreparedTriangle& t = tri_[static_cast<size_t>(k)];
                const double sP = dot(t.n, s.P), sQ = dot(t.n, s.Q);
                if (in_front_only(sP, sQ, t, s)) continue;
                SplitResult sr;
                const double dP = same_ends ? sP : dot(t.n, j.P);
                const double dQ = same_ends ? sQ : dot(t.n, j.Q);
                const Verdict v = test_prepared(t, seg, dP, dQ, tol, sr);
                if (v == Verdict::kClear) continue;
                if (v == Verdict::kSplit) {
                    // P-A is drawn before B-Q: it goes on the stack last.
                    if (sr.keep_right) {
                        Piece b{sr.B, j.Q, gl, k + 1, {0.0, j.px[1]}, {0.0, j.py[1]}};
                        project_cut(sr.B, b.px[0], b.py[0]);
                        stack.push_back(b);
                    }
                    if (sr.keep_left) {
                        Piece a{j.P, sr.A, gl, k + 1, {j.px[0], 0.0}, {j.py[0], 0.0}};
                        project_cut(sr.A, a.px[1], a.py[1]);
                        stack.push_back(a);
                    }
                }
                hidden = true;
                break;
            }
        }
        if (!hidden) emit_visible(j.P, j.Q, out);
    }
}

}  // namespace

void fast_hidden_lines(std::span<const HiddenTriangle> tris,
                       std::span<const VectRecord> edges, const HiddenTolerances& tol,
                       unsigned threads, std::vector<TempLine>& out) {
    TriangleIndex index(tris, edges, tol, threads);
    index.run_edges(tris, edges, tol, threads, out);
}

}  // namespace tarvik::render::detail
